// Build tool: synthesises the saver's music clip, a cheerful little tune that loops without a click.
// Writes a RIFF WAVE file: PCM, mono, 11025 samples per second, 8 bits, 107147 bytes of samples.
// Usage: make_tune OUTPUT.wav
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int Rate = 11025;
constexpr std::size_t SampleCount = 107147;

struct Note {
    int Semitone; // from A4 (440 Hz); -99 is a rest
    double Beats;
};

double Frequency(int semitone) {
    return 440.0 * std::pow(2.0, semitone / 12.0);
}

// A bright square-ish voice with a short attack and a gentle decay, so notes never start or end on a jump.
double Voice(double phase, double t, double length) {
    const double attack = std::min(1.0, t / 0.01);
    const double release = std::min(1.0, (length - t) / 0.02);
    const double decay = std::exp(-2.5 * t);
    const double tone = std::sin(phase) + 0.3 * std::sin(3 * phase) + 0.12 * std::sin(5 * phase);
    return tone * attack * std::max(0.0, release) * (0.45 + 0.55 * decay);
}

void Render(std::vector<double>& mix, const std::vector<Note>& part, double secondsPerBeat, double gain) {
    double start = 0;
    for (const Note& n : part) {
        const double length = n.Beats * secondsPerBeat;
        if (n.Semitone != -99) {
            const double f = Frequency(n.Semitone);
            const auto first = static_cast<std::size_t>(start * Rate);
            for (std::size_t i = first; i < mix.size() && double(i - first) / Rate < length; ++i) {
                const double t = double(i - first) / Rate;
                mix[i] += gain * Voice(2 * std::numbers::pi * f * t, t, length);
            }
        }
        start += length;
    }
}

void Put32(std::ofstream& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(char(v >> (8 * i) & 0xFF));
}
void Put16(std::ofstream& out, std::uint16_t v) {
    out.put(char(v & 0xFF));
    out.put(char(v >> 8));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_tune OUTPUT.wav\n";
        return 2;
    }
    // 32 beats fill the clip exactly, so the loop keeps its pulse.
    const double secondsPerBeat = double(SampleCount) / Rate / 32;
    // Melody in C major (semitones from A4: C5 = 3, D5 = 5, E5 = 7, F5 = 8, G5 = 10, A5 = 12).
    const std::vector<Note> melody{{3, 1}, {7, 1},  {10, 1}, {7, 1},  {8, 1},  {12, 1},  {10, 2},
                                   {7, 1}, {5, 1},  {3, 1},  {5, 1},  {7, 2},  {-99, 2}, {3, 1},
                                   {7, 1}, {10, 1}, {15, 1}, {12, 1}, {10, 1}, {8, 1},   {7, 1},
                                   {5, 1}, {7, 1},  {5, 1},  {2, 1},  {3, 2},  {-99, 2}};
    // Bass: root and fifth, one per beat, two octaves down.
    std::vector<Note> bass;
    const int roots[8] = {-21, -21, -16, -14, -21, -16, -14, -21}; // C, C, F, G, C, F, G, C
    for (int bar = 0; bar < 8; ++bar)
        for (int beat = 0; beat < 4; ++beat) bass.push_back({roots[bar] + (beat % 2 ? 7 : 0), 1});

    std::vector<double> mix(SampleCount, 0.0);
    Render(mix, melody, secondsPerBeat, 0.32);
    Render(mix, bass, secondsPerBeat, 0.22);

    std::ofstream out(argv[1], std::ios::binary);
    out.write("RIFF", 4);
    Put32(out, 4 + 24 + 8 + std::uint32_t(SampleCount) + 1);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, Rate);
    Put32(out, Rate);
    Put16(out, 1);
    Put16(out, 8);
    out.write("data", 4);
    Put32(out, std::uint32_t(SampleCount));
    for (double s : mix) out.put(char(std::lround(128 + 127 * std::clamp(s, -1.0, 1.0))));
    out.put(char(0)); // pad byte: the data chunk has an odd length
    return out ? 0 : 1;
}

// Generates the candidate lists that map a colour to its nearest entry of the 252-colour palette
// without searching all 252 entries, and proves them: for every one of the 16.7 million colours,
// the list of its cell must hold the lowest-numbered entry at the smallest distance. Prints C++
// source for the library; fails (exit 1) if the proof does not hold. After a change to the palette:
//   pgraphic_generate_special252 > pgraphic/src/Special252Candidates.inc
#include "pgraphic/Palettes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace {

using pg::TRGB;

constexpr int kCells = 9; // per channel: cell k holds the values v with (v + 16) / 32 == k

int Lo(int k) {
    return std::max(0, 32 * k - 16);
}
int Hi(int k) {
    return std::min(255, 32 * k + 15);
}

int Distance(int r, int g, int b, TRGB e) {
    const int dr = r - pg::GetRValue(e), dg = g - pg::GetGValue(e), db = b - pg::GetBValue(e);
    return dr * dr + dg * dg + db * db;
}

// Smallest and largest squared distance from an entry to any point of the box.
int AxisNear(int lo, int hi, int v) {
    return v < lo ? lo - v : v > hi ? v - hi : 0;
}
int AxisFar(int lo, int hi, int v) {
    return std::max(v - lo, hi - v);
}

int Nearest(const std::vector<TRGB>& palette, std::span<const int> among, int r, int g, int b) {
    int best = among.front(), bestDistance = Distance(r, g, b, palette[std::size_t(best)]);
    for (int i : among) {
        const int d = Distance(r, g, b, palette[std::size_t(i)]);
        if (d < bestDistance || (d == bestDistance && i < best)) best = i, bestDistance = d;
    }
    return best;
}

// The lowest-numbered entry at the smallest distance, searching the whole palette; the channels
// are kept apart so that the search for the smallest distance vectorises.
class TWholePalette {
public:
    explicit TWholePalette(const std::vector<TRGB>& palette) {
        for (TRGB e : palette) {
            FR.push_back(pg::GetRValue(e));
            FG.push_back(pg::GetGValue(e));
            FB.push_back(pg::GetBValue(e));
        }
    }
    int Nearest(int r, int g, int b) const {
        int smallest = INT32_MAX;
        for (std::size_t i = 0; i < FR.size(); ++i) smallest = std::min(smallest, DistanceTo(i, r, g, b));
        std::size_t i = 0;
        while (DistanceTo(i, r, g, b) != smallest) ++i;
        return int(i);
    }

private:
    int DistanceTo(std::size_t i, int r, int g, int b) const {
        return (r - FR[i]) * (r - FR[i]) + (g - FG[i]) * (g - FG[i]) + (b - FB[i]) * (b - FB[i]);
    }
    std::vector<int> FR, FG, FB;
};

} // namespace

int main() {
    const auto table = pg::PredefinedPalette(pg::pSpecial252);
    const std::vector<TRGB> palette(table.begin(), table.end());
    std::vector<int> all(palette.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);

    std::vector<int> offsets{0}, candidates;
    for (int kr = 0; kr < kCells; ++kr)
        for (int kg = 0; kg < kCells; ++kg)
            for (int kb = 0; kb < kCells; ++kb) {
                // Entries that can be nearest to some colour of the box: those whose smallest
                // distance to it does not exceed the best largest distance of any entry.
                int bound = INT32_MAX;
                for (TRGB e : palette) {
                    const int fr = AxisFar(Lo(kr), Hi(kr), pg::GetRValue(e)),
                              fg = AxisFar(Lo(kg), Hi(kg), pg::GetGValue(e)),
                              fb = AxisFar(Lo(kb), Hi(kb), pg::GetBValue(e));
                    bound = std::min(bound, fr * fr + fg * fg + fb * fb);
                }
                std::vector<int> possible;
                for (int i : all) {
                    const TRGB e = palette[std::size_t(i)];
                    const int nr = AxisNear(Lo(kr), Hi(kr), pg::GetRValue(e)),
                              ng = AxisNear(Lo(kg), Hi(kg), pg::GetGValue(e)),
                              nb = AxisNear(Lo(kb), Hi(kb), pg::GetBValue(e));
                    if (nr * nr + ng * ng + nb * nb <= bound) possible.push_back(i);
                }
                std::vector<bool> used(palette.size());
                for (int r = Lo(kr); r <= Hi(kr); ++r)
                    for (int g = Lo(kg); g <= Hi(kg); ++g)
                        for (int b = Lo(kb); b <= Hi(kb); ++b)
                            used[std::size_t(Nearest(palette, possible, r, g, b))] = true;
                for (int i : all)
                    if (used[std::size_t(i)]) candidates.push_back(i);
                offsets.push_back(int(candidates.size()));
            }

    // The proof, against a search of the whole palette.
    const TWholePalette whole(palette);
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const int cell = ((r + 16) / 32) * 81 + ((g + 16) / 32) * 9 + (b + 16) / 32;
                const std::span<const int> list(candidates.data() + offsets[std::size_t(cell)],
                                                candidates.data() + offsets[std::size_t(cell) + 1]);
                if (Nearest(palette, list, r, g, b) != whole.Nearest(r, g, b)) {
                    std::fprintf(stderr, "cell %d misses the nearest entry of (%d, %d, %d)\n", cell, r, g, b);
                    return 1;
                }
            }

    std::printf("// Generated by pgraphic/tools/GenerateSpecial252.cpp (which also proves them): candidate "
                "lists of the\n"
                "// 252-colour palette. Do not edit; run the generator again instead.\n");
    std::printf("constexpr int kSpecial252Offsets[%zu] = {", offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i)
        std::printf("%s%s%d", i ? "," : "", i % 16 ? " " : "\n    ", offsets[i]);
    std::printf("\n};\nconstexpr std::uint8_t kSpecial252Candidates[%zu] = {", candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        std::printf("%s%s%d", i ? "," : "", i % 20 ? " " : "\n    ", candidates[i]);
    std::printf("\n};\n");
    return 0;
}

// WAVE chunks are walked with every length checked against what is left of the file.
#include "platform/WaveFile.h"

#include <cstring>
#include <string_view>

namespace platform {
namespace {

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
bool IsTag(std::span<const std::uint8_t> b, std::size_t at, std::string_view tag) {
    return std::memcmp(b.data() + at, tag.data(), 4) == 0;
}

} // namespace

std::optional<TWaveClip> ParseWave(std::span<const std::uint8_t> file) {
    if (file.size() < 12 || !IsTag(file, 0, "RIFF") || !IsTag(file, 8, "WAVE")) return std::nullopt;
    std::optional<TWaveFormat> format;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        const std::uint32_t length = Le32(file, at + 4);
        const std::size_t body = at + 8;
        if (length > file.size() - body) return std::nullopt;
        if (IsTag(file, at, "fmt ")) {
            if (length < 16 || Le16(file, body) != 1) return std::nullopt; // PCM only
            format = TWaveFormat{Le16(file, body + 2), Le32(file, body + 4), Le16(file, body + 14)};
        } else if (IsTag(file, at, "data")) {
            if (!format || (format->Channels != 1 && format->Channels != 2) ||
                (format->BitsPerSample != 8 && format->BitsPerSample != 16) || format->SamplesPerSecond == 0)
                return std::nullopt;
            return TWaveClip{*format, file.subspan(body, length)};
        }
        at = body + length + (length & 1); // chunks are padded to an even length
        if (at > file.size()) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace platform

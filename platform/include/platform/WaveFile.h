// Reading the format and sample data of a RIFF WAVE file held in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct TWaveFormat {
    std::uint16_t Channels = 0;
    std::uint32_t SamplesPerSecond = 0;
    std::uint16_t BitsPerSample = 0;
};

struct TWaveClip {
    TWaveFormat Format;
    std::span<const std::uint8_t> Samples; // points into the file's bytes
};

// The PCM clip of a WAVE file, or nothing when the bytes are not an uncompressed PCM WAVE file
// with 1 or 2 channels of 8 or 16 bits.
std::optional<TWaveClip> ParseWave(std::span<const std::uint8_t> file);

} // namespace platform

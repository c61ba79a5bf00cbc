// Basic value types of the image library: colours, pixel formats and the small enumerations.
#pragma once

#include <cstdint>

namespace pg {

// A colour as R | G << 8 | B << 16, the byte above blue zero.
using TRGB = std::uint32_t;

constexpr TRGB RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TRGB(r) | TRGB(g) << 8 | TRGB(b) << 16;
}
constexpr std::uint8_t GetRValue(TRGB c) {
    return std::uint8_t(c);
}
constexpr std::uint8_t GetGValue(TRGB c) {
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t GetBValue(TRGB c) {
    return std::uint8_t(c >> 16);
}

// Pixel formats: 1, 4 and 8 bits with a palette, or 24 bits stored B, G, R.
using TPixelFormat = std::uint8_t;
inline constexpr TPixelFormat pf1Bit = 0;
inline constexpr TPixelFormat pf4Bit = 1;
inline constexpr TPixelFormat pf8Bit = 2;
inline constexpr TPixelFormat pf24Bit = 3;

constexpr int BitsPerPixelOf(TPixelFormat format) {
    constexpr int bits[] = {1, 4, 8, 24};
    return bits[format];
}
// Number of colour-table entries a format can address (0 for 24 bits).
constexpr int PaletteSizeOf(TPixelFormat format) {
    constexpr int sizes[] = {2, 16, 256, 0};
    return sizes[format];
}

enum TPaletteIdent : std::uint8_t {
    pNone,
    pTrueColor,
    pUnknown,
    pBlackWhite,
    pSysGray4,
    pSys16,
    pGray4,
    pGray16,
    pGray236,
    pGray256,
    pSpecial125,
    pSpecial216,
    pSpecial252,
    pOptimized252Sys16,
    pSource,
};

enum TStretchMode : std::uint8_t { smFast, smMedium, smPrecise };

enum TPGWarningAction : std::uint8_t { pgwaIgnore, pgwaOKBox, pgwaOKCancelBox, pgwaRaise };

} // namespace pg

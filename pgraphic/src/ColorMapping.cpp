// TPixelGraphic: mapping colours to palette indices, by arithmetic or small tables for the
// predefined palettes and through a prefilled cache for arbitrary ones.
#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "src/NearestTables.h"

#include <cstring>
#include <limits>

namespace pg {
namespace {

int SquaredDistance(TRGB a, TRGB b) {
    const int dr = GetRValue(a) - GetRValue(b);
    const int dg = GetGValue(a) - GetGValue(b);
    const int db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

// The first candidate, replaced only by a strictly nearer later one.
template <class Candidates>
std::uint32_t FirstNearest(TRGB color, const Candidates& candidates, std::span<const TRGB> palette) {
    std::uint32_t best = candidates[0];
    int bestDistance = SquaredDistance(color, palette[best]);
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        const int d = SquaredDistance(color, palette[candidates[i]]);
        if (d < bestDistance) bestDistance = d, best = candidates[i];
    }
    return best;
}

constexpr int kCacheCells = 32 * 64 * 32;

int CacheCell(int r, int g, int b) {
    return r * 2048 + g * 32 + b;
}

} // namespace

int TPixelGraphic::Brightness(TRGB Color) const {
    const int r = GetRValue(Color), g = GetGValue(Color), b = GetBValue(Color);
    return FRGBWeighting ? (r * 299 + g * 587 + b * 114) * 3 / 1000 : r + g + b;
}

std::uint32_t TPixelGraphic::GetNearestIndex(TRGB Color) {
    if (!FLastResultInvalid && Color == FLastColor) return FLastResult;
    if (FPaletteIdent == pNone) PGRaise<EPGNoPalette>(msg::NoPalette);
    FLastResultInvalid = false;
    FLastColor = Color;
    FLastResult = NearestIndexFor(Color);
    return FLastResult;
}

std::uint32_t TPixelGraphic::NearestIndexFor(TRGB Color) {
    const int r = GetRValue(Color), g = GetGValue(Color), b = GetBValue(Color);
    switch (FPaletteIdent) {
    case pTrueColor:
        return Color;
    case pBlackWhite:
        return std::uint32_t((Brightness(Color) + 1) / 384);
    case pSysGray4: {
        const int v = Brightness(Color);
        return v < 193 ? 0 : v < 481 ? 1 : v < 671 ? 2 : 3;
    }
    case pSys16:
        return FirstNearest(Color, Sys16Candidates(r / 64 * 16 + g / 64 * 4 + b / 64), FPalette);
    case pGray4:
        return std::uint32_t((Brightness(Color) + 127) / 255);
    case pGray16:
        return std::uint32_t((Brightness(Color) + 25) / 51);
    case pGray236:
        return Gray236Index(Brightness(Color));
    case pGray256:
        return std::uint32_t((Brightness(Color) + 1) / 3);
    case pSpecial125: {
        auto level = [](int v) { return ((v == 224 ? 225 : v) + 31) / 64; };
        return std::uint32_t(25 * level(r) + 5 * level(g) + level(b));
    }
    case pSpecial216: {
        auto level = [](int v) { return (v + 24) / 51; };
        return std::uint32_t(36 * level(r) + 6 * level(g) + level(b));
    }
    case pSpecial252:
        return FirstNearest(
            Color, Special252Candidates((r + 16) / 32 * 81 + (g + 16) / 32 * 9 + (b + 16) / 32), FPalette);
    default:
        break;
    }
    if (FUseColorCache) return CachedNearestIndex(Color);
    // Exhaustive search: the smallest squared RGB distance, the lowest index on a tie.
    std::uint32_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < FPalette.size(); ++i) {
        const int d = SquaredDistance(Color, FPalette[i]);
        if (d < bestDistance) bestDistance = d, best = std::uint32_t(i);
    }
    return best;
}

void TPixelGraphic::BuildColorCache() {
    FColorCache = std::make_unique<std::uint8_t[]>(kCacheCells);
    FCacheFilled = std::make_unique<std::uint8_t[]>(kCacheCells / 8);
    auto fill = [&](int r, int g, int b, std::uint8_t index) {
        const int cell = CacheCell(r, g, b);
        std::uint8_t& bits = FCacheFilled[std::size_t(cell / 8)];
        if (bits & (1 << (cell % 8))) return;
        bits = std::uint8_t(bits | 1 << (cell % 8));
        FColorCache[std::size_t(cell)] = index;
    };
    // Each entry claims its own cell, then rings of growing distance; the lower index wins.
    for (int radius = 0; radius <= 4; ++radius) {
        for (std::size_t i = 0; i < FPalette.size(); ++i) {
            const TRGB e = FPalette[i];
            const int r0 = GetRValue(e) / 8, g0 = GetGValue(e) / 4, b0 = GetBValue(e) / 8;
            const int rLo = std::max(0, r0 - radius), rHi = std::min(31, r0 + radius);
            const int gLo = std::max(0, g0 - radius), gHi = std::min(63, g0 + radius);
            const int bLo = std::max(0, b0 - radius), bHi = std::min(31, b0 + radius);
            // Only cells on the faces of the box around the entry: a whole line of blue where red
            // or green is on a face, else just the two blue ends.
            for (int r = rLo; r <= rHi; ++r)
                for (int g = gLo; g <= gHi; ++g) {
                    if (r == r0 - radius || r == r0 + radius || g == g0 - radius || g == g0 + radius) {
                        for (int b = bLo; b <= bHi; ++b) fill(r, g, b, std::uint8_t(i));
                    } else {
                        if (b0 - radius >= 0) fill(r, g, b0 - radius, std::uint8_t(i));
                        if (b0 + radius <= 31) fill(r, g, b0 + radius, std::uint8_t(i));
                    }
                }
        }
    }
    FCacheRebuild = false;
}

std::uint32_t TPixelGraphic::CachedNearestIndex(TRGB Color) {
    if (FCacheRebuild) BuildColorCache();
    const int cell = CacheCell(GetRValue(Color) / 8, GetGValue(Color) / 4, GetBValue(Color) / 8);
    std::uint8_t& bits = FCacheFilled[std::size_t(cell / 8)];
    if (bits & (1 << (cell % 8))) return FColorCache[std::size_t(cell)];
    // A miss: search once, and let the cell answer every later colour that falls in it.
    FUseColorCache = false;
    FLastResultInvalid = true;
    const std::uint32_t index = GetNearestIndex(Color);
    FUseColorCache = true;
    FColorCache[std::size_t(cell)] = std::uint8_t(index);
    bits = std::uint8_t(bits | 1 << (cell % 8));
    return index;
}

void TPixelGraphic::FreeColorCache() {
    FColorCache.reset();
    FCacheFilled.reset();
    FCacheRebuild = true;
}

} // namespace pg

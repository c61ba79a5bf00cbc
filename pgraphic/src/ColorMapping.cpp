// TPixelGraphic: mapping colours to palette indices.
#include <limits>

#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"

namespace pg {
namespace {

int SquaredDistance(TRGB a, TRGB b) {
    const int dr = GetRValue(a) - GetRValue(b);
    const int dg = GetGValue(a) - GetGValue(b);
    const int db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

std::uint32_t TPixelGraphic::GetNearestIndex(TRGB Color) {
    if (!FLastResultInvalid && Color == FLastColor) return FLastResult;
    if (FPaletteIdent == pNone) PGRaise<EPGNoPalette>(msg::NoPalette);
    FLastResult = NearestIndexFor(Color);
    FLastColor = Color;
    FLastResultInvalid = false;
    return FLastResult;
}

std::uint32_t TPixelGraphic::NearestIndexFor(TRGB Color) {
    if (FPaletteIdent == pTrueColor) return Color;
    // Exhaustive search: the smallest squared RGB distance, the lowest index on a tie.
    std::uint32_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < FPalette.size(); ++i) {
        const int d = SquaredDistance(Color, FPalette[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = std::uint32_t(i);
        }
    }
    return best;
}

void TPixelGraphic::FreeColorCache() {
    FColorCache.reset();
    FCacheFilled.reset();
    FCacheRebuild = true;
}

} // namespace pg

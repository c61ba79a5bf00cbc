// TPixelGraphic: Floyd-Steinberg error diffusion with a limit on the carried error.
#include "pgraphic/Dithering.h"

#include "pgraphic/PixelGraphic.h"

#include <algorithm>

namespace pg {
namespace {

// An error sum in sixteenths, rounded to whole levels (halves away from zero).
int Rounded(int s) {
    return s >= 0 ? (s + 8) / 16 : -((8 - s) / 16);
}

} // namespace

int AutomaticErrorLimit(TPaletteIdent ident) {
    switch (ident) {
    case pBlackWhite:
        return 255;
    case pSysGray4:
    case pSys16:
    case pGray4:
        return 128;
    case pGray236:
        return 3;
    case pGray256:
        return 2;
    case pSpecial125:
    case pSpecial252:
        return 104;
    case pSpecial216:
        return 86;
    default:
        return 32;
    }
}

std::array<std::int32_t, 511> ErrorLimitTable(int limit, bool soft) {
    std::int32_t t[256];
    for (int e = 0; e < 256; ++e) t[e] = e;
    if (limit < 255)
        for (int e = limit; e < 256; ++e) t[e] = limit;
    if (soft)
        for (int i = limit / 2; i <= 3 * limit / 2 && i < 255; ++i) t[i] = i / 2 + limit / 4;
    std::array<std::int32_t, 511> table{};
    for (int e = 0; e < 256; ++e) {
        table[std::size_t(255 + e)] = t[e];
        table[std::size_t(255 - e)] = -t[e];
    }
    return table;
}

void TPixelGraphic::SetupDithering() {
    const int limit = FDitherErrorLimitAuto ? AutomaticErrorLimit(FPaletteIdent) : FDitherErrorLimit;
    const bool soft = FDitherErrorLimitAuto || FDitherErrorLimitSoft;
    const auto table = ErrorLimitTable(limit, soft);
    FErrorLimit.assign(table.begin(), table.end());
    for (auto& row : FErrorRows) row.assign(std::size_t(FWidth + 2) * 3, 0);
    FCurrentErrorRow = 0;
    FGrayPalette = FPixelFormat != pf24Bit && std::all_of(FPalette.begin(), FPalette.end(), [](TRGB c) {
                       return GetRValue(c) == GetGValue(c) && GetRValue(c) == GetBValue(c);
                   });
}

void TPixelGraphic::ReleaseDithering() {
    FErrorLimit = {};
    FErrorRows[0] = {};
    FErrorRows[1] = {};
}

void TPixelGraphic::SwapErrorRows() {
    // The row below becomes the current row; the old current row, cleared, collects the next.
    std::fill(FErrorRows[FCurrentErrorRow].begin(), FErrorRows[FCurrentErrorRow].end(), 0);
    FCurrentErrorRow ^= 1;
}

void TPixelGraphic::DitherPixel(std::int32_t X, std::int32_t Y, int R, int G, int B) {
    std::int32_t* current = FErrorRows[FCurrentErrorRow].data();
    std::int32_t* next = FErrorRows[FCurrentErrorRow ^ 1].data();
    // Entry x + 1 belongs to column x; the first and last entries take errors falling off the row.
    const std::ptrdiff_t here = 3 * (std::ptrdiff_t(X) + 1);
    const std::ptrdiff_t step = Y % 2 == 0 ? 3 : -3; // travel left to right on even rows
    std::int32_t* cur = current + here;
    std::int32_t* ahead = current + here + step;
    std::int32_t* below = next + here;
    std::int32_t* belowAhead = next + here + step;
    std::int32_t* belowBehind = next + here - step;
    auto limited = [&](int sum) {
        return FErrorLimit[std::size_t(255 + std::clamp(Rounded(sum), -255, 255))];
    };
    auto spread = [&](int c, int err) {
        belowAhead[c] += err;
        belowBehind[c] += 3 * err;
        below[c] += 5 * err;
        ahead[c] += 7 * err;
    };
    if (!FGrayPalette) {
        const int v[3] = {std::clamp(R + limited(cur[0]), 0, 255), std::clamp(G + limited(cur[1]), 0, 255),
                          std::clamp(B + limited(cur[2]), 0, 255)};
        const std::uint32_t index =
            GetNearestIndex(RGB(std::uint8_t(v[0]), std::uint8_t(v[1]), std::uint8_t(v[2])));
        SetPixel(X, Y, index);
        const TRGB e = GetPaletteEntry(std::int32_t(index));
        spread(0, v[0] - GetRValue(e));
        spread(1, v[1] - GetGValue(e));
        spread(2, v[2] - GetBValue(e));
    } else {
        const int v = std::clamp(
            Brightness(RGB(std::uint8_t(R), std::uint8_t(G), std::uint8_t(B))) / 3 + limited(cur[1]), 0, 255);
        const std::uint32_t index = GetNearestIndex(RGB(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)));
        SetPixel(X, Y, index);
        spread(1, v - GetGValue(GetPaletteEntry(std::int32_t(index))));
    }
}

} // namespace pg

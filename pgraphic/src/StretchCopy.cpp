// TPixelGraphic: copying pixels from another image, scaled by nearest sample, two-point
// interpolation or area average, and converted between pixel formats on the way.
#include "pgraphic/PixelGraphic.h"
#include "pgraphic/Progress.h"
#include "src/Resampling.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pg {
namespace {

// One source row that a destination row takes, with its weight; the row's bytes are looked up
// once per destination row instead of once per pixel.
struct TSourceRow {
    const std::uint8_t* Bytes; // null for palette sources, which are read through their palette
    std::int32_t Y;
    std::int64_t Weight;

    TRGB At(const TPixelGraphic& source, std::int32_t x) const {
        if (!Bytes) return source.GetPixelColor(x, Y);
        const std::uint8_t* p = Bytes + 3 * std::ptrdiff_t(x);
        return RGB(p[2], p[1], p[0]);
    }
};

// Calls fn(position, weight) for the source positions a span covers.
template <class Fn> void ForEachInSpan(const TSpan& t, std::int64_t middleWeight, Fn fn) {
    fn(t.First, t.FirstWeight);
    if (t.Kind == 2)
        for (std::int32_t i = t.First + 1; i < t.Last; ++i) fn(i, middleWeight);
    if (t.Last != t.First) fn(t.Last, t.LastWeight);
}

// The last position of a run of `length` from `start`, clipped to 0..extent - 1.
std::int32_t ClampedEnd(std::int32_t start, std::int32_t length, std::int32_t extent) {
    return std::int32_t(std::min<std::int64_t>(std::int64_t(start) + length - 1, extent - 1));
}

// Sets up the destination's error diffusion when it is used, and always releases it at the end.
class TDitheringScope {
public:
    explicit TDitheringScope(TPixelGraphic& image)
        : FImage(image), FActive(image.Dither() && image.PixelFormat() != pf24Bit) {
        if (FActive)
            FImage.SetupDithering();
        else
            FImage.ReleaseDithering();
    }
    ~TDitheringScope() { FImage.ReleaseDithering(); }
    TDitheringScope(const TDitheringScope&) = delete;
    TDitheringScope& operator=(const TDitheringScope&) = delete;
    bool Active() const { return FActive; }

private:
    TPixelGraphic& FImage;
    bool FActive;
};

} // namespace

void TPixelGraphic::TransferColor(std::int32_t X, std::int32_t Y, TRGB Color, bool dithering) {
    if (FPixelFormat == pf24Bit) {
        std::uint8_t* p = ScanLine(Y) + 3 * std::ptrdiff_t(X);
        p[0] = GetBValue(Color);
        p[1] = GetGValue(Color);
        p[2] = GetRValue(Color);
    } else if (dithering) {
        DitherPixel(X, Y, GetRValue(Color), GetGValue(Color), GetBValue(Color));
    } else {
        SetPixelColor(X, Y, Color);
    }
}

void TPixelGraphic::Copy(const TPixelGraphic& Source) {
    StretchCopyRect(0, 0, FWidth, FHeight, 0, 0, Source.Width(), Source.Height(), Source);
}

void TPixelGraphic::StretchCopyRect(std::int32_t DstX, std::int32_t DstY, std::int32_t DstWidth,
                                    std::int32_t DstHeight, std::int32_t SrcX, std::int32_t SrcY,
                                    std::int32_t SrcWidth, std::int32_t SrcHeight,
                                    const TPixelGraphic& Source) {
    if (DstWidth == SrcWidth && DstHeight == SrcHeight) {
        CopyRect(DstX, DstY, DstWidth, DstHeight, SrcX, SrcY, Source);
        return;
    }
    if (FWidth < 1 || FHeight < 1 || Source.Width() < 1 || Source.Height() < 1 || GetEmpty() ||
        Source.GetEmpty() || DstWidth < 1 || DstHeight < 1 || SrcWidth < 1 || SrcHeight < 1)
        return;
    const std::int32_t xa = std::max(DstX, 0), xb = ClampedEnd(DstX, DstWidth, FWidth);
    const std::int32_t ya = std::max(DstY, 0), yb = ClampedEnd(DstY, DstHeight, FHeight);
    {
        TDitheringScope dithering(*this);
        const TResampleMethod horizontal = MethodFor(FStretchMode, SrcWidth, DstWidth);
        const TResampleMethod vertical = MethodFor(FStretchMode, SrcHeight, DstHeight);
        const std::int64_t hDivisor = DivisorOf(horizontal, SrcWidth, DstWidth);
        const std::int64_t vDivisor = DivisorOf(vertical, SrcHeight, DstHeight);

        std::vector<TSpan> columns;
        columns.reserve(std::size_t(std::max(xb - xa + 1, 0)));
        for (std::int32_t x = xa; x <= xb; ++x)
            columns.push_back(
                SpanOf(horizontal, x - std::int64_t(DstX), SrcWidth, DstWidth, SrcX, Source.Width()));

        std::vector<TSourceRow> sourceRows;
        const bool trueColorSource = Source.PixelFormat() == pf24Bit;
        TPGProgressScope progress(*this);
        for (std::int32_t y = ya; y <= yb; ++y) {
            if (dithering.Active()) SwapErrorRows();
            const TSpan row =
                SpanOf(vertical, y - std::int64_t(DstY), SrcHeight, DstHeight, SrcY, Source.Height());
            if (!row.Valid) continue;
            sourceRows.clear();
            ForEachInSpan(row, DstHeight, [&](std::int32_t sy, std::int64_t rowWeight) {
                sourceRows.push_back({trueColorSource ? Source.ScanLine(sy) : nullptr, sy, rowWeight});
            });
            const bool leftToRight = y % 2 == 0;
            for (std::int32_t i = xa; i <= xb; ++i) {
                const std::int32_t x = leftToRight ? i : xa + xb - i;
                const TSpan& column = columns[std::size_t(x - xa)];
                if (!column.Valid) continue;
                std::int64_t total[3] = {0, 0, 0};
                for (const TSourceRow& sourceRow : sourceRows) {
                    std::int64_t sum[3] = {0, 0, 0};
                    ForEachInSpan(column, DstWidth, [&](std::int32_t sx, std::int64_t columnWeight) {
                        const TRGB c = sourceRow.At(Source, sx);
                        sum[0] += GetRValue(c) * columnWeight;
                        sum[1] += GetGValue(c) * columnWeight;
                        sum[2] += GetBValue(c) * columnWeight;
                    });
                    for (int k = 0; k < 3; ++k) total[k] += sum[k] / hDivisor * sourceRow.Weight;
                }
                TransferColor(x, y,
                              RGB(std::uint8_t(total[0] / vDivisor), std::uint8_t(total[1] / vDivisor),
                                  std::uint8_t(total[2] / vDivisor)),
                              dithering.Active());
            }
            if (progress.Step(y - ya, yb - ya)) break;
        }
    }
    Changed();
}

void TPixelGraphic::CopyRect(std::int32_t DstX, std::int32_t DstY, std::int32_t Width, std::int32_t Height,
                             std::int32_t SrcX, std::int32_t SrcY, const TPixelGraphic& Source) {
    if (FWidth <= 0 || FHeight <= 0 || Source.Width() <= 0 || Source.Height() <= 0) return;
    if (GetEmpty() || Source.GetEmpty()) return;
    const std::int32_t ya = std::max(DstY, 0), yb = ClampedEnd(DstY, Height, FHeight);
    // Destination columns that lie inside both images.
    const std::int32_t xa = std::int32_t(std::max<std::int64_t>({DstX, 0, std::int64_t(DstX) - SrcX}));
    const std::int32_t xb = std::int32_t(std::min<std::int64_t>(
        {std::int64_t(DstX) + Width - 1, FWidth - 1, std::int64_t(Source.Width()) - 1 + DstX - SrcX}));
    if (xa > xb) {
        Changed();
        return;
    }
    {
        TDitheringScope dithering(*this);
        TPGProgressScope progress(*this);
        const bool blockMove = FPixelFormat == pf24Bit && Source.PixelFormat() == pf24Bit;
        for (std::int32_t y = ya; y <= yb; ++y) {
            const std::int64_t sy64 = std::int64_t(y) - DstY + SrcY;
            if (sy64 < 0 || sy64 >= Source.Height()) continue;
            const auto sy = std::int32_t(sy64);
            if (blockMove) {
                std::memmove(ScanLine(y) + 3 * std::ptrdiff_t(xa),
                             Source.ScanLine(sy) + 3 * (std::ptrdiff_t(xa) - DstX + SrcX),
                             3 * std::size_t(xb - xa + 1));
                continue;
            }
            if (dithering.Active()) SwapErrorRows();
            const TSourceRow sourceRow{Source.PixelFormat() == pf24Bit ? Source.ScanLine(sy) : nullptr, sy,
                                       1};
            const bool leftToRight = y % 2 == 0;
            for (std::int32_t i = xa; i <= xb; ++i) {
                const std::int32_t x = leftToRight ? i : xa + xb - i;
                TransferColor(x, y, sourceRow.At(Source, std::int32_t(std::int64_t(x) - DstX + SrcX)),
                              dithering.Active());
            }
            if (progress.Step(y - ya, yb - ya)) break;
        }
    }
    Changed();
}

} // namespace pg

// Copies between images: the four scaling methods, clipping, format conversion and dithering.
#include "pgraphic/Dithering.h"
#include "pgraphic/PixelGraphic.h"
#include "src/Resampling.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <vector>

namespace pg {
namespace {

std::unique_ptr<TPixelGraphic> RandomPicture(int w, int h, unsigned seed) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(w, h, pf24Bit);
    std::mt19937 random(seed);
    for (std::int32_t i = 0; i < g->ImageSize(); ++i) g->Bits()[i] = std::uint8_t(random());
    return g;
}

TRGB Mix(TRGB a, TRGB b, int wa, int wb, int divisor) {
    auto ch = [&](int ca, int cb) { return std::uint8_t((ca * wa + cb * wb) / divisor); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}

TEST(Copy, HalvingTheWidthAveragesPairsWithPreciseAndMedium) {
    const auto picture = RandomPicture(640, 400, 1);
    const TPixelGraphic& source = *picture;
    for (TStretchMode mode : {smPrecise, smMedium}) {
        TPixelGraphic half;
        half.SetSize(320, 400, pf24Bit);
        half.SetStretchMode(mode);
        half.Copy(source);
        for (int y : {0, 133, 399})
            for (int x : {0, 1, 200, 319})
                ASSERT_EQ(half.GetPixel(x, y),
                          Mix(source.GetPixel(2 * x, y), source.GetPixel(2 * x + 1, y), 1, 1, 2))
                    << int(mode) << " " << x << "," << y;
    }
    TPixelGraphic fast;
    fast.SetSize(320, 400, pf24Bit);
    fast.SetStretchMode(smFast);
    fast.Copy(source);
    EXPECT_EQ(fast.GetPixel(100, 7), source.GetPixel(200, 7));
}

TEST(Copy, EnlargingTwoToFourColumnsInterpolates) {
    TPixelGraphic source;
    source.SetSize(2, 1, pf24Bit);
    const TRGB p0 = RGB(0, 100, 200), p1 = RGB(80, 20, 40);
    source.SetPixel(0, 0, p0);
    source.SetPixel(1, 0, p1);
    TPixelGraphic wide;
    wide.SetSize(4, 1, pf24Bit);
    wide.Copy(source);
    EXPECT_EQ(wide.GetPixel(0, 0), p0);
    EXPECT_EQ(wide.GetPixel(1, 0), Mix(p0, p1, 6, 2, 8));
    EXPECT_EQ(wide.GetPixel(2, 0), Mix(p0, p1, 2, 6, 8));
    EXPECT_EQ(wide.GetPixel(3, 0), p1);
}

TEST(Copy, WeightsOfEveryRecordAddUpToTheDivisor) {
    for (TStretchMode mode : {smFast, smMedium, smPrecise})
        for (int s = 1; s <= 64; ++s)
            for (int d = 1; d <= 64; ++d) {
                const TResampleMethod method = MethodFor(mode, s, d);
                const std::int64_t divisor = DivisorOf(method, s, d);
                for (int u = 0; u < d; ++u) {
                    const TSpan t = SpanOf(method, u, s, d, 0, s);
                    ASSERT_TRUE(t.Valid) << int(mode) << " " << s << "->" << d << " at " << u;
                    std::int64_t sum = t.FirstWeight;
                    if (t.Kind == 2) sum += std::int64_t(t.Last - t.First - 1) * d;
                    if (t.Last != t.First) sum += t.LastWeight;
                    ASSERT_EQ(sum, divisor) << int(mode) << " " << s << "->" << d << " at " << u;
                }
            }
}

TEST(Copy, PaletteSourcesGiveTheirColours) {
    TPixelGraphic source;
    source.SetSize(2, 2, pf8Bit);
    source.SetPaletteIdent(pSys16);
    source.SetPixel(1, 1, 9);
    TPixelGraphic target;
    target.SetSize(2, 2, pf24Bit);
    target.Copy(source);
    EXPECT_EQ(target.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(target.GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(Copy, EmptySourcesAndDestinationsDoNothing) {
    TPixelGraphic empty, target;
    target.SetSize(4, 4, pf24Bit);
    target.SetPixel(0, 0, RGB(1, 2, 3));
    int changes = 0;
    target.SetOnChange([&](TPixelGraphic&) { ++changes; });
    target.Copy(empty);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(target.GetPixel(0, 0), RGB(1, 2, 3));
    empty.Copy(target);
    EXPECT_TRUE(empty.GetEmpty());
}

TEST(Copy, OnlyTheInsideOfAPartlyOutsideRectangleIsWritten) {
    TPixelGraphic source;
    source.SetSize(4, 4, pf24Bit);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) source.SetPixel(x, y, RGB(255, 255, 255));
    TPixelGraphic target;
    target.SetSize(4, 4, pf24Bit);
    int changes = 0;
    target.SetOnChange([&](TPixelGraphic&) { ++changes; });
    target.StretchCopyRect(2, -2, 4, 4, 0, 0, 2, 2, source); // scaled, half outside
    target.CopyRect(-3, 3, 4, 4, 0, 0, source);              // 1:1, one pixel inside
    EXPECT_EQ(changes, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool written = (x >= 2 && y <= 1) || (x == 0 && y == 3);
            EXPECT_EQ(target.GetPixel(x, y), written ? RGB(255, 255, 255) : 0u) << x << "," << y;
        }
}

TEST(Copy, ProgressCoversTheRowsAndAbortLeavesTheRestUntouched) {
    const auto picture = RandomPicture(20, 10, 3);
    const TPixelGraphic& source = *picture;
    TPixelGraphic target;
    target.SetSize(10, 10, pf24Bit);
    std::vector<std::pair<int, int>> steps;
    int starts = 0, ends = 0;
    target.SetOnProgressStart([&](TPixelGraphic&) { ++starts; });
    target.SetOnProgressEnd([&](TPixelGraphic&) { ++ends; });
    target.SetOnProgress([&](TPixelGraphic&, int step, int max, bool& abort) {
        steps.emplace_back(step, max);
        abort = step == 2;
    });
    target.Copy(source);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 9}, {1, 9}, {2, 9}}));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_NE(target.GetPixel(5, 2), 0u);
    EXPECT_EQ(target.GetPixel(5, 3), 0u);
}

TEST(Copy, ProgressEndRunsWhenAHandlerThrowsAndTheFirstExceptionWins) {
    const auto picture = RandomPicture(8, 4, 4);
    TPixelGraphic target;
    target.SetSize(4, 4, pf8Bit);
    target.SetPaletteIdent(pSys16);
    int ends = 0;
    target.SetOnProgress([](TPixelGraphic&, int, int, bool&) { throw std::runtime_error("row handler"); });
    target.SetOnProgressEnd([&](TPixelGraphic&) {
        ++ends;
        throw std::logic_error("end handler");
    });
    EXPECT_THROW(target.Copy(*picture), std::runtime_error);
    EXPECT_EQ(ends, 1);

    target.SetOnProgress(nullptr);
    EXPECT_THROW(target.Copy(*picture), std::logic_error)
        << "an end handler's own exception reaches the caller";
    EXPECT_EQ(ends, 2);
}

// Two rows on a black and red palette: the second row runs right to left, so its right pixel is
// decided first and passes its error to the left one.
TEST(Copy, OddRowsRunRightToLeft) {
    TPixelGraphic source;
    source.SetSize(2, 2, pf24Bit);
    source.SetPixel(0, 1, RGB(128, 0, 0));
    source.SetPixel(1, 1, RGB(128, 0, 0));
    TPixelGraphic target;
    target.SetSize(2, 2, pf8Bit);
    target.SetPaletteCount(2);
    target.SetPaletteEntry(1, RGB(255, 0, 0));
    target.Copy(source);
    // Right pixel: 128 is nearer to 255 (index 1), error -127; 7 * -127 sixteenths arrive on the
    // left as -56, cut to -32 by the limit: 96 is nearer to black.
    EXPECT_EQ(target.GetPixel(1, 1), 1u);
    EXPECT_EQ(target.GetPixel(0, 1), 0u);
    EXPECT_EQ(target.GetPixel(0, 0), 0u);
    EXPECT_EQ(target.GetPixel(1, 0), 0u);
}

// Floyd-Steinberg as the library documents it, written out plainly: serpentine rows, errors in
// sixteenths, limited by the error-limit curve of the destination's identity.
std::unique_ptr<TPixelGraphic> ReferenceDither(const TPixelGraphic& source, TPaletteIdent ident) {
    auto result = std::make_unique<TPixelGraphic>();
    TPixelGraphic& out = *result;
    out.SetSize(source.Width(), source.Height(), pf8Bit);
    out.SetPaletteIdent(ident);
    const auto t = ErrorLimitTable(AutomaticErrorLimit(ident), true);
    const int w = source.Width();
    std::vector<int> cur(std::size_t(w + 2) * 3), next(std::size_t(w + 2) * 3);
    auto rounded = [](int s) { return s >= 0 ? (s + 8) / 16 : -((8 - s) / 16); };
    for (int y = 0; y < source.Height(); ++y) {
        std::swap(cur, next);
        std::fill(next.begin(), next.end(), 0);
        for (int i = 0; i < w; ++i) {
            const int x = y % 2 == 0 ? i : w - 1 - i, dir = y % 2 == 0 ? 1 : -1;
            const TRGB c = source.GetPixel(x, y);
            int v[3];
            for (int k = 0; k < 3; ++k) {
                const int channel = int((c >> (8 * k)) & 0xFF);
                v[k] = std::clamp(channel + t[std::size_t(255 + rounded(cur[std::size_t(3 * (x + 1) + k)]))],
                                  0, 255);
            }
            const std::uint32_t index =
                out.GetNearestIndex(RGB(std::uint8_t(v[0]), std::uint8_t(v[1]), std::uint8_t(v[2])));
            out.SetPixel(x, y, index);
            const TRGB e = out.GetPaletteEntry(std::int32_t(index));
            for (int k = 0; k < 3; ++k) {
                const int err = v[k] - int((e >> (8 * k)) & 0xFF);
                next[std::size_t(3 * (x + 1 + dir) + k)] += err;
                next[std::size_t(3 * (x + 1 - dir) + k)] += 3 * err;
                next[std::size_t(3 * (x + 1) + k)] += 5 * err;
                cur[std::size_t(3 * (x + 1 + dir) + k)] += 7 * err;
            }
        }
    }
    return result;
}

TEST(Copy, EqualSizesDitherInSerpentineOrder) {
    const auto picture = RandomPicture(37, 23, 5);
    const TPixelGraphic& source = *picture;
    for (TPaletteIdent ident : {pSys16, pSpecial216, pSpecial252}) {
        TPixelGraphic target;
        target.SetSize(37, 23, pf8Bit);
        target.SetPaletteIdent(ident);
        target.Copy(source);
        const auto expected = ReferenceDither(source, ident);
        EXPECT_TRUE(std::equal(target.Bits(), target.Bits() + target.ImageSize(), expected->Bits()))
            << int(ident);
    }
}

TEST(Copy, WithoutDitheringEachPixelTakesItsNearestIndex) {
    const auto picture = RandomPicture(9, 5, 9);
    const TPixelGraphic& source = *picture;
    TPixelGraphic target;
    target.SetSize(9, 5, pf4Bit);
    target.SetPaletteIdent(pSys16);
    target.SetDither(false);
    target.Copy(source);
    TPixelGraphic probe;
    probe.SetSize(1, 1, pf4Bit);
    probe.SetPaletteIdent(pSys16);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(target.GetPixel(x, y), probe.GetNearestIndex(source.GetPixel(x, y)));
}

TEST(Copy, GrayPalettesDitherOnBrightnessWithTheGreenSumsOnly) {
    TPixelGraphic source;
    source.SetSize(2, 1, pf24Bit);
    source.SetPixel(0, 0, RGB(100, 100, 100));
    source.SetPixel(1, 0, RGB(250, 0, 0)); // bright red: its brightness, not its channels, counts
    TPixelGraphic target;
    target.SetSize(2, 1, pf8Bit);
    target.SetPaletteIdent(pGray4);
    target.Copy(source);
    // Pixel 0: v = 100, nearest gray 85 (index 1), error 15 passes 7 * 15 / 16 = 7 ahead.
    // Pixel 1: v = 224 / 3 + 7 = 81, nearest 85 again.
    EXPECT_EQ(target.GetPixel(0, 0), 1u);
    EXPECT_EQ(target.GetPixel(1, 0), 1u);
    EXPECT_TRUE(target.GrayPalette());
}

TEST(Copy, GrayPalettesSeeOnlyTheBrightness) {
    // Without weighting the brightness is R + G + B: both pictures have 300 everywhere.
    TPixelGraphic gray, colourful;
    gray.SetSize(6, 3, pf24Bit);
    colourful.SetSize(6, 3, pf24Bit);
    const TRGB mixes[] = {RGB(200, 50, 50), RGB(0, 150, 150), RGB(100, 0, 200), RGB(30, 240, 30)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            gray.SetPixel(x, y, RGB(100, 100, 100));
            colourful.SetPixel(x, y, mixes[(x + y) % 4]);
        }
    std::vector<std::uint8_t> results[2];
    for (int i = 0; i < 2; ++i) {
        TPixelGraphic target;
        target.SetSize(6, 3, pf8Bit);
        target.SetRGBWeighting(false);
        target.SetPaletteIdent(pGray4);
        target.Copy(i == 0 ? gray : colourful);
        results[i].assign(target.Bits(), target.Bits() + target.ImageSize());
    }
    EXPECT_EQ(results[0], results[1]);
    // 100 lies between the grays 85 and 170: the error must have pushed some pixels up.
    EXPECT_NE(std::count(results[0].begin(), results[0].end(), 2), 0);
}

} // namespace
} // namespace pg

// Mapping colours to palette indices: each identity's rule, the cache, and the dithering limit.
#include "pgraphic/Dithering.h"
#include "pgraphic/Messages.h"
#include "pgraphic/Palettes.h"
#include "pgraphic/PixelGraphic.h"

#include <gtest/gtest.h>

namespace pg {
namespace {

std::unique_ptr<TPixelGraphic> PaletteImage(TPaletteIdent ident, bool weighting = true) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(1, 1, pf8Bit);
    g->SetPaletteIdent(ident);
    g->SetRGBWeighting(weighting);
    return g;
}

int SquaredDistance(TRGB a, TRGB b) {
    const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
              db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

std::uint32_t Exhaustive(std::span<const TRGB> palette, TRGB c) {
    std::uint32_t best = 0;
    for (std::uint32_t i = 1; i < palette.size(); ++i)
        if (SquaredDistance(c, palette[i]) < SquaredDistance(c, palette[best])) best = i;
    return best;
}

TEST(NearestIndex, EachIdentityRuleAtItsBoundaries) {
    struct Case {
        TPaletteIdent ident;
        TRGB color;
        std::uint32_t index;
    };
    // Brightness is R + G + B here (weighting off), so boundaries are easy to reach.
    const Case cases[] = {
        {pBlackWhite, RGB(127, 127, 128), 0},
        {pBlackWhite, RGB(127, 128, 128), 1},
        {pSysGray4, RGB(64, 64, 64), 0},
        {pSysGray4, RGB(64, 64, 65), 1},
        {pSysGray4, RGB(160, 160, 160), 1},
        {pSysGray4, RGB(160, 160, 161), 2},
        {pSysGray4, RGB(223, 223, 224), 2},
        {pSysGray4, RGB(223, 224, 224), 3},
        {pGray4, RGB(42, 42, 43), 0},
        {pGray4, RGB(42, 43, 43), 1},
        {pGray16, RGB(8, 8, 9), 0},
        {pGray16, RGB(9, 8, 9), 1},
        {pGray256, RGB(100, 100, 101), 100},
        {pGray256, RGB(100, 101, 101), 101},
        {pSpecial125, RGB(224, 0, 0), 100},
        {pSpecial125, RGB(223, 0, 0), 75},
        {pSpecial125, RGB(0, 33, 255), 9},
        {pSpecial216, RGB(26, 0, 0), 0},
        {pSpecial216, RGB(27, 0, 0), 36},
        {pSpecial216, RGB(255, 255, 255), 215},
        {pSys16, RGB(0, 0, 0), 0},
        {pSys16, RGB(255, 255, 255), 15},
        {pSys16, RGB(200, 200, 200), 7},
        {pSys16, RGB(130, 0, 0), 1},
        {pGray236, RGB(0, 0, 0), 0},
        {pGray236, RGB(255, 255, 255), 235},
    };
    for (const auto& c : cases) {
        auto image = PaletteImage(c.ident, false);
        TPixelGraphic& g = *image;
        EXPECT_EQ(g.GetNearestIndex(c.color), c.index) << int(c.ident) << " " << std::hex << c.color;
    }
}

TEST(NearestIndex, BrightnessWithAndWithoutWeighting) {
    auto image = PaletteImage(pGray256);
    TPixelGraphic& g = *image;
    EXPECT_EQ(g.Brightness(RGB(255, 0, 0)), 228);
    EXPECT_EQ(g.GetNearestIndex(RGB(255, 0, 0)), 76u);
    g.SetRGBWeighting(false); // also forgets the last lookup
    EXPECT_EQ(g.Brightness(RGB(255, 0, 0)), 255);
    EXPECT_EQ(g.GetNearestIndex(RGB(255, 0, 0)), 85u);
}

TEST(NearestIndex, Special252ListsAlwaysHoldTheNearestEntry) {
    auto image = PaletteImage(pSpecial252);
    TPixelGraphic& g = *image;
    const auto palette = PredefinedPalette(pSpecial252);
    for (int r = 0; r < 256; r += 5)
        for (int gr = 2; gr < 256; gr += 5)
            for (int b = 4; b < 256; b += 5) {
                const TRGB c = RGB(std::uint8_t(r), std::uint8_t(gr), std::uint8_t(b));
                ASSERT_EQ(g.GetNearestIndex(c), Exhaustive(palette, c)) << r << "," << gr << "," << b;
            }
}

TEST(NearestIndex, Gray236PicksTheNearestGray) {
    auto image = PaletteImage(pGray236);
    TPixelGraphic& g = *image;
    const auto palette = PredefinedPalette(pGray236);
    for (int v = 0; v < 256; ++v) {
        const TRGB gray = RGB(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
        EXPECT_EQ(SquaredDistance(gray, palette[g.GetNearestIndex(gray)]),
                  SquaredDistance(gray, palette[Exhaustive(palette, gray)]))
            << v;
    }
}

TEST(NearestIndex, TrueColourAndNoPalette) {
    TPixelGraphic g;
    EXPECT_EQ(g.GetNearestIndex(RGB(1, 2, 3)), RGB(1, 2, 3));
    auto none = PaletteImage(pNone);
    EXPECT_THROW(none->GetNearestIndex(RGB(1, 2, 3)), EPGNoPalette);
    EXPECT_THROW(none->GetNearestIndex(RGB(1, 2, 3)), EPGNoPalette); // the failed pair is not reused
}

TEST(NearestIndex, TheCacheAnswersACellWithOneIndex) {
    TPixelGraphic g;
    g.SetSize(1, 1, pf8Bit);
    g.SetPaletteCount(2);
    g.SetPaletteEntry(0, RGB(0, 0, 0));
    g.SetPaletteEntry(1, RGB(7, 3, 7));
    // Both entries lie in cell (0, 0, 0); the lower index claims it.
    EXPECT_EQ(g.GetNearestIndex(RGB(7, 3, 7)), 0u);
    g.SetUseColorCache(false);
    EXPECT_EQ(g.GetNearestIndex(RGB(7, 3, 7)), 1u);

    // A cell farther than four cells from every entry is searched once, then answers for all of it.
    TPixelGraphic far;
    far.SetSize(1, 1, pf8Bit);
    far.SetPaletteCount(2);
    far.SetPaletteEntry(0, RGB(0, 0, 0));
    far.SetPaletteEntry(1, RGB(104, 104, 104));
    int changes = 0;
    far.SetOnChange([&](TPixelGraphic&) { ++changes; });
    EXPECT_EQ(far.GetNearestIndex(RGB(48, 48, 48)), 0u);
    EXPECT_EQ(far.GetNearestIndex(RGB(55, 51, 55)), 0u) << "same cell, though the gray is nearer now";
    EXPECT_TRUE(far.UseColorCache());
    EXPECT_EQ(changes, 0) << "the search on a miss switches the cache off and on without an event";
    far.SetUseColorCache(false);
    EXPECT_EQ(far.GetNearestIndex(RGB(55, 51, 55)), 1u);
}

TEST(NearestIndex, CacheMatchesAnExhaustiveSearchNearTheEntries) {
    TPixelGraphic g;
    g.SetSize(1, 1, pf8Bit);
    g.SetPaletteCount(64);
    std::vector<TRGB> palette;
    for (int i = 0; i < 64; ++i) {
        // Entries spaced more than nine cells apart on the red axis never compete for a cell.
        palette.push_back(
            RGB(std::uint8_t((i % 4) * 80), std::uint8_t((i / 4 % 4) * 80), std::uint8_t((i / 16) * 80)));
        g.SetPaletteEntry(i, palette.back());
    }
    for (const TRGB e : palette) {
        const TRGB near = RGB(std::uint8_t(std::min(255, GetRValue(e) + 3)), GetGValue(e), GetBValue(e));
        EXPECT_EQ(g.GetNearestIndex(near), Exhaustive(palette, near));
    }
}

TEST(ErrorLimit, DefaultsAndKnees) {
    const auto t = ErrorLimitTable(32, true);
    auto at = [&](int e) { return t[std::size_t(e + 255)]; };
    EXPECT_EQ(at(15), 15);
    EXPECT_EQ(at(16), 16);
    EXPECT_EQ(at(40), 28);
    EXPECT_EQ(at(48), 32);
    EXPECT_EQ(at(100), 32);
    EXPECT_EQ(at(-20), -18);
    EXPECT_EQ(at(-255), -32);
    const auto hard = ErrorLimitTable(32, false);
    EXPECT_EQ(hard[255 + 40], 32);
    EXPECT_EQ(hard[255 + 31], 31);
    const auto none = ErrorLimitTable(255, false);
    EXPECT_EQ(none[255 + 200], 200);
    const std::pair<TPaletteIdent, int> limits[] = {{pUnknown, 32},    {pBlackWhite, 255}, {pSys16, 128},
                                                    {pGray236, 3},     {pGray256, 2},      {pSpecial252, 104},
                                                    {pSpecial216, 86}, {pGray16, 32}};
    for (auto [ident, limit] : limits) EXPECT_EQ(AutomaticErrorLimit(ident), limit) << int(ident);
}

} // namespace
} // namespace pg

// Palettes: the predefined tables, palette operations, identity recognition and invalidation.
#include "pgraphic/Messages.h"
#include "pgraphic/Palettes.h"
#include "pgraphic/PixelGraphic.h"

#include <gtest/gtest.h>
#include <vector>

namespace pg {
namespace {

constexpr TRGB Gray(int v) {
    return RGB(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
}

void SetEntries(TPixelGraphic& g, const std::vector<TRGB>& entries) {
    g.SetPaletteCount(std::int32_t(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) g.SetPaletteEntry(std::int32_t(i), entries[i]);
}

TEST(PredefinedPalettes, HaveTheirCountsAndEntries) {
    struct Case {
        TPaletteIdent ident;
        std::size_t count;
        std::size_t index;
        TRGB entry;
    };
    const Case cases[] = {
        {pBlackWhite, 2, 1, Gray(255)},
        {pSysGray4, 4, 1, Gray(128)},
        {pSys16, 16, 7, RGB(192, 192, 192)},
        {pSys16, 16, 8, RGB(128, 128, 128)},
        {pGray4, 4, 2, Gray(170)},
        {pGray16, 16, 1, Gray(17)},
        {pGray236, 236, 1, Gray(1)},
        {pGray236, 236, 234, Gray(254)},
        {pGray236, 236, 235, Gray(255)},
        {pGray256, 256, 200, Gray(200)},
        {pSpecial125, 125, 25 * 1 + 5 * 2 + 3, RGB(64, 128, 192)},
        {pSpecial125, 125, 124, Gray(255)},
        {pSpecial216, 216, 36 * 5 + 6 * 1 + 2, RGB(255, 51, 102)},
        {pSpecial252, 252, 0, RGB(0, 0, 0)},
        {pSpecial252, 252, 16, RGB(0, 0, 64)},
        {pSpecial252, 252, 17, RGB(0, 0, 192)},
        {pSpecial252, 252, 124, RGB(255, 255, 192)},
        {pSpecial252, 252, 125, Gray(32)},
        {pSpecial252, 252, 251, RGB(224, 96, 192)},
    };
    for (const auto& c : cases) {
        const auto table = PredefinedPalette(c.ident);
        ASSERT_EQ(table.size(), c.count) << int(c.ident);
        EXPECT_EQ(table[c.index], c.entry) << int(c.ident) << " entry " << c.index;
    }
    EXPECT_TRUE(PredefinedPalette(pUnknown).empty());
    EXPECT_TRUE(
        std::equal(SystemColors().begin(), SystemColors().end(), PredefinedPalette(pSpecial252).begin()));
}

TEST(PredefinedPalettes, Special252HoldsNoColourTwice) {
    const auto table = PredefinedPalette(pSpecial252);
    std::vector<TRGB> sorted(table.begin(), table.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

TEST(Palette, EveryPredefinedPaletteIsRecognisedAfterBeingBuiltByHand) {
    for (int i = pBlackWhite; i <= pSpecial252; ++i) {
        const auto ident = TPaletteIdent(i);
        TPixelGraphic g;
        g.SetSize(1, 1, pf8Bit);
        const auto table = PredefinedPalette(ident);
        SetEntries(g, {table.begin(), table.end()});
        EXPECT_EQ(g.PaletteIdent(), pUnknown);
        g.UpdatePaletteIdent();
        EXPECT_EQ(g.PaletteIdent(), ident) << i;
    }
}

TEST(Palette, RecognitionDistinguishesLookAlikes) {
    struct Case {
        TPixelFormat format;
        std::vector<TRGB> entries;
        TPaletteIdent ident;
        bool gray;
    };
    const Case cases[] = {
        {pf8Bit, {Gray(0), Gray(85), Gray(170), Gray(255)}, pGray4, true},
        {pf8Bit, {Gray(0), Gray(128), Gray(192), Gray(255)}, pSysGray4, true},
        {pf8Bit, {Gray(0), Gray(128), Gray(192), Gray(254)}, pUnknown, true},
        {pf8Bit, {Gray(255), Gray(0)}, pUnknown, true},
        {pf8Bit, {RGB(1, 0, 0)}, pUnknown, false},
        {pf8Bit, {}, pNone, true},
        {pf24Bit, {}, pTrueColor, false},
    };
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(1, 1, c.format);
        SetEntries(g, c.entries);
        g.UpdatePaletteIdent();
        EXPECT_EQ(g.PaletteIdent(), c.ident) << c.entries.size();
        EXPECT_EQ(g.GrayPalette(), c.gray) << c.entries.size();
    }
}

TEST(Palette, EditingAPredefinedPaletteMakesItUnknownUntilRecognised) {
    TPixelGraphic g;
    g.SetSize(2, 2, pf8Bit);
    g.SetPaletteIdent(pGray256);
    EXPECT_EQ(g.PaletteIdent(), pGray256);
    EXPECT_EQ(g.PaletteCount(), 256);
    g.SetPaletteEntry(0, RGB(0, 0, 0));
    EXPECT_EQ(g.PaletteIdent(), pUnknown);
    g.UpdatePaletteIdent();
    EXPECT_EQ(g.PaletteIdent(), pGray256);
}

TEST(Palette, EntriesNeedAPaletteAndAValidIndex) {
    TPixelGraphic fresh;
    try {
        fresh.SetPaletteEntry(0, 0);
        ADD_FAILURE() << "no exception";
    } catch (const EPGNoPalette& e) {
        EXPECT_STREQ(e.what(), "No palette");
    }
    EXPECT_EQ(fresh.GetPaletteEntry(300), 300u); // true colour: the index is the colour

    TPixelGraphic g;
    g.SetSize(1, 1, pf8Bit);
    g.SetPaletteCount(3);
    for (int index : {-1, 3, 300}) {
        EXPECT_THROW(g.SetPaletteEntry(index, 0), EPGInvalidPaletteIndex) << index;
        try {
            g.GetPaletteEntry(index);
            ADD_FAILURE() << "no exception for " << index;
        } catch (const EPGInvalidPaletteIndex& e) {
            EXPECT_STREQ(e.what(), "Invalid palette index");
        }
    }
    g.SetPaletteIdent(pNone);
    EXPECT_THROW(g.SetPaletteEntry(0, 0), EPGNoPalette);
    EXPECT_THROW(g.GetNearestIndex(RGB(1, 2, 3)), EPGNoPalette);
}

TEST(Palette, CountChangesKeepEntriesAndSetTheIdentity) {
    TPixelGraphic g;
    g.SetSize(1, 1, pf8Bit);
    g.SetPaletteIdent(pBlackWhite);
    g.SetPaletteCount(4);
    EXPECT_EQ(g.PaletteIdent(), pUnknown);
    EXPECT_EQ(g.GetPaletteEntry(1), Gray(255));
    EXPECT_EQ(g.GetPaletteEntry(3), RGB(0, 0, 0));
    g.SetPaletteCount(0);
    EXPECT_EQ(g.PaletteIdent(), pNone);
    EXPECT_THROW(g.SetPaletteCount(-1), EPixelGraphic);
    EXPECT_THROW(g.SetPaletteCount(257), EPixelGraphic);
}

TEST(Palette, ResizingCutsThePaletteToTheFormat) {
    TPixelGraphic g;
    g.SetSize(2, 2, pf8Bit);
    g.SetPaletteIdent(pGray16);
    g.SetPixelFormat(pf1Bit);
    EXPECT_EQ(g.PaletteCount(), 2);
    EXPECT_EQ(g.PaletteIdent(), pUnknown);
    g.SetPixelFormat(pf24Bit);
    EXPECT_EQ(g.PaletteCount(), 0);
    EXPECT_EQ(g.PaletteIdent(), pTrueColor);
}

TEST(Palette, TrueColourAndNoneDropThePalette) {
    for (TPaletteIdent ident : {pTrueColor, pNone}) {
        TPixelGraphic g;
        g.SetSize(1, 1, pf8Bit);
        g.SetPaletteIdent(pSys16);
        g.SetPaletteIdent(ident);
        EXPECT_EQ(g.PaletteCount(), 0);
        EXPECT_EQ(g.PaletteIdent(), ident);
    }
    // The view settings leave palette and identity alone.
    TPixelGraphic g;
    g.SetSize(1, 1, pf8Bit);
    g.SetPaletteIdent(pSys16);
    g.SetPaletteIdent(pSource);
    g.SetPaletteIdent(pOptimized252Sys16);
    EXPECT_EQ(g.PaletteIdent(), pSys16);
    EXPECT_EQ(g.PaletteCount(), 16);
}

TEST(Palette, AssignPaletteCopiesAndRecognises) {
    TPixelGraphic source, g;
    source.SetSize(1, 1, pf8Bit);
    source.SetPaletteIdent(pSpecial216);
    g.SetSize(1, 1, pf8Bit);
    g.AssignPalette(source);
    EXPECT_EQ(g.PaletteCount(), 216);
    EXPECT_EQ(g.PaletteIdent(), pSpecial216);
    EXPECT_EQ(g.GetPaletteEntry(215), Gray(255));
    EXPECT_EQ(g.HeaderBlock()[40 + 4 * 215], 255);
}

TEST(Palette, LogicalPaletteIsRebuiltOnlyWhenStale) {
    TPixelGraphic g;
    EXPECT_EQ(g.GetPalette(), nullptr);
    g.SetSize(1, 1, pf8Bit);
    SetEntries(g, {RGB(1, 2, 3), RGB(4, 5, 6)});
    const TPGLogicalPalette* first = g.GetPalette();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Entries, (std::vector<TRGB>{RGB(1, 2, 3), RGB(4, 5, 6)}));
    EXPECT_EQ(g.GetPalette(), first);
    g.SetPaletteEntry(1, RGB(7, 8, 9));
    EXPECT_EQ(g.GetPalette()->Entries[1], RGB(7, 8, 9));
    g.SetPaletteIdent(pTrueColor);
    EXPECT_EQ(g.GetPalette(), nullptr);
}

// Each palette change must forget the last colour/index pair, or a stale index would be returned.
TEST(Palette, EveryPaletteChangeForgetsTheLastLookup) {
    const TRGB probe = RGB(250, 0, 0);
    struct Change {
        const char* name;
        void (*apply)(TPixelGraphic&);
        std::uint32_t expected;
    };
    const Change changes[] = {
        {"SetPaletteEntry", [](TPixelGraphic& g) { g.SetPaletteEntry(1, RGB(0, 0, 255)); }, 0},
        {"SetPaletteCount", [](TPixelGraphic& g) { g.SetPaletteCount(1); }, 0},
        {"SetPaletteIdent", [](TPixelGraphic& g) { g.SetPaletteIdent(pSys16); }, 9},
        {"AssignPalette",
         [](TPixelGraphic& g) {
             TPixelGraphic other;
             other.SetSize(1, 1, pf8Bit);
             other.SetPaletteIdent(pGray4);
             g.AssignPalette(other);
         },
         1},
    };
    for (const auto& c : changes) {
        TPixelGraphic g;
        g.SetSize(1, 1, pf8Bit);
        SetEntries(g, {RGB(0, 0, 0), RGB(255, 0, 0)});
        ASSERT_EQ(g.GetNearestIndex(probe), 1u);
        c.apply(g);
        EXPECT_EQ(g.GetNearestIndex(probe), c.expected) << c.name;
    }
}

} // namespace
} // namespace pg

// Optimised palettes: box splitting for true-colour pictures, the octree for palette pictures.
#include "pgraphic/OptimizedPalette.h"

#include "pgraphic/Palettes.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace pg {
namespace {

std::unique_ptr<TPixelGraphic> ManyColours() {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(320, 400, pf24Bit);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 320; ++x)
            g->SetPixel(
                x, y,
                RGB(std::uint8_t(x * 255 / 319), std::uint8_t(y * 255 / 399), std::uint8_t((x * y) & 0xFF)));
    return g;
}

std::unique_ptr<TPixelGraphic> Uniform(int w, int h, TRGB color) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(w, h, pf24Bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) g->SetPixel(x, y, color);
    return g;
}

void ExpectSystemColoursFrom(const TPixelGraphic& palette, int first) {
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(palette.GetPaletteEntry(first + i), SystemColors()[std::size_t(i)]) << i;
}

TEST(OptimizedPalette, ManyColoursGive240MeansAndTheSystemColours) {
    TPixelGraphic target;
    target.SetSize(320, 400, pf8Bit);
    CreateOptimizedPalette(target, *ManyColours(), 256, true);
    ASSERT_EQ(target.PaletteCount(), 256);
    ExpectSystemColoursFrom(target, 240);
    std::set<TRGB> distinct;
    for (int i = 0; i < 240; ++i) distinct.insert(target.GetPaletteEntry(i));
    EXPECT_GT(distinct.size(), 200u);
    EXPECT_EQ(target.PaletteIdent(), pUnknown);
}

TEST(OptimizedPalette, OneColourGivesOneMeanAndTheSystemColours) {
    TPixelGraphic target;
    target.SetSize(4, 4, pf8Bit);
    CreateOptimizedPalette(target, *Uniform(4, 4, RGB(100, 150, 200)), 256, true);
    ASSERT_EQ(target.PaletteCount(), 17);
    EXPECT_EQ(target.GetPaletteEntry(0), RGB(100, 150, 204)); // the centre of its histogram cell
    ExpectSystemColoursFrom(target, 1);
    target.SetPaletteCount(256);
    EXPECT_EQ(target.GetPaletteEntry(255), RGB(0, 0, 0));
}

TEST(OptimizedPalette, AnEmptySourceGivesTheSystemColours) {
    for (int count : {256, 16, 4}) {
        TPixelGraphic target, empty;
        target.SetSize(1, 1, pf8Bit);
        CreateOptimizedPalette(target, empty, count, false);
        EXPECT_EQ(target.PaletteCount(), std::min(count, 16));
        EXPECT_EQ(target.PaletteIdent(), count >= 16 ? pSys16 : pUnknown) << count;
    }
}

TEST(OptimizedPalette, ASaturatedCellCountsAs65535) {
    // 60,000 black pixels and 100,000 red ones in one box: red weighs 65,535, not 100,000.
    TPixelGraphic source;
    source.SetSize(400, 400, pf24Bit);
    for (int y = 150; y < 400; ++y)
        for (int x = 0; x < 400; ++x) source.SetPixel(x, y, RGB(248, 0, 0));
    TPixelGraphic target;
    target.SetSize(1, 1, pf8Bit);
    CreateOptimizedPalette(target, source, 1, false);
    const std::int64_t w = 60000 + 65535;
    const auto red = std::uint8_t((4 * 60000 + 252 * 65535 + w / 2) / w);
    EXPECT_EQ(target.GetPaletteEntry(0), RGB(red, 2, 4));
}

TEST(OptimizedPalette, AbortKeepsTheRowsCountedSoFar) {
    auto picture = Uniform(8, 8, RGB(0, 0, 255));
    TPixelGraphic& source = *picture;
    for (int x = 0; x < 8; ++x) source.SetPixel(x, 0, RGB(255, 0, 0));
    TPixelGraphic target;
    target.SetSize(1, 1, pf8Bit);
    std::vector<std::pair<int, int>> steps;
    target.SetOnProgress([&](TPixelGraphic& sender, int step, int max, bool& abort) {
        EXPECT_EQ(&sender, &target);
        steps.emplace_back(step, max);
        abort = true;
    });
    CreateOptimizedPalette(target, source, 16, false);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 7}}));
    ASSERT_EQ(target.PaletteCount(), 1);
    EXPECT_EQ(target.GetPaletteEntry(0), RGB(252, 2, 4));
}

TEST(OptimizedPalette, PaletteSourcesGoThroughTheOctree) {
    TPixelGraphic source;
    source.SetSize(4, 1, pf8Bit);
    source.SetPaletteCount(4);
    const TRGB colours[] = {RGB(0, 0, 0), RGB(250, 0, 0), RGB(0, 0, 250), RGB(10, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        source.SetPaletteEntry(i, colours[i]);
        source.SetPixel(i, 0, std::uint32_t(i));
    }
    TPixelGraphic target;
    target.SetSize(1, 1, pf8Bit);
    // Enough room: one leaf per colour, numbered depth first with the children in slot order.
    CreateOptimizedPalette(target, source, 4, false);
    ASSERT_EQ(target.PaletteCount(), 4);
    const TRGB depthFirst[] = {colours[0], colours[3], colours[2], colours[1]};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(target.GetPaletteEntry(i), depthFirst[i]) << i;

    // One too many: the last insertion listed only the root as reducible, so everything merges
    // into the weighted mean.
    CreateOptimizedPalette(target, source, 3, false);
    ASSERT_EQ(target.PaletteCount(), 1);
    EXPECT_EQ(target.GetPaletteEntry(0), RGB(65, 0, 62));

    CreateOptimizedPalette(target, source, 16 + 4, true);
    EXPECT_EQ(target.PaletteCount(), 20);
    ExpectSystemColoursFrom(target, 4);
}

} // namespace
} // namespace pg

// TPixelGraphic: raster layout, pixel access, change events, the size cap and Assign.
#include "pgraphic/PixelGraphic.h"

#include "pgraphic/Messages.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace pg {
namespace {

std::vector<std::uint8_t> RasterBytes(const TPixelGraphic& g) {
    return {g.Bits(), g.Bits() + g.ImageSize()};
}

TEST(PixelGraphic, FreshImageHasTheDefaults) {
    TPixelGraphic g;
    EXPECT_TRUE(g.GetEmpty());
    EXPECT_EQ(g.Width(), 0);
    EXPECT_EQ(g.Height(), 0);
    EXPECT_EQ(g.PixelFormat(), pf24Bit);
    EXPECT_EQ(g.PaletteIdent(), pTrueColor);
    EXPECT_EQ(g.PaletteCount(), 0);
    EXPECT_EQ(g.BackGroundColor(), 0u);
    EXPECT_TRUE(g.Dither());
    EXPECT_EQ(g.DitherErrorLimit(), 32);
    EXPECT_TRUE(g.DitherErrorLimitAuto());
    EXPECT_TRUE(g.DitherErrorLimitSoft());
    EXPECT_TRUE(g.UseColorCache());
    EXPECT_FALSE(g.FastJPEGDecode());
    EXPECT_FALSE(g.NoPaletteRealize());
    EXPECT_EQ(g.Gamma(), 1.8L);
    EXPECT_TRUE(g.RGBWeighting());
    EXPECT_EQ(g.StretchMode(), smPrecise);
    EXPECT_FALSE(g.Transparent());
    EXPECT_EQ(g.ReadWarningAction(), pgwaOKCancelBox);
    EXPECT_EQ(g.SaveColorResWarningAction(), pgwaOKCancelBox);
    EXPECT_FALSE(g.RangeCheck());
    EXPECT_EQ(g.Bits(), nullptr);
    EXPECT_EQ(g.ScanLine(0), nullptr);
}

TEST(PixelGraphic, RowStrideAndImageSizeFollowTheDibRules) {
    struct Case {
        int w, h;
        TPixelFormat format;
        int bytesPerRow, imageSize, bitsPerPixel;
    };
    const Case cases[] = {
        {640, 400, pf24Bit, 1920, 768000, 24},
        {320, 400, pf8Bit, 320, 128000, 8},
        {3, 1, pf1Bit, 4, 4, 1},
        {5, 2, pf4Bit, 4, 8, 4},
        {33, 3, pf1Bit, 8, 24, 1},
        {9, 1, pf4Bit, 8, 8, 4},
        {1, 2, pf24Bit, 4, 8, 24},
        {5, 1, pf8Bit, 8, 8, 8},
    };
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(c.w, c.h, c.format);
        EXPECT_EQ(g.BytesPerRow(), c.bytesPerRow) << c.w << "x" << c.h << " format " << int(c.format);
        EXPECT_EQ(g.ImageSize(), c.imageSize) << c.w << "x" << c.h << " format " << int(c.format);
        EXPECT_EQ(g.BitsPerPixel(), c.bitsPerPixel);
        EXPECT_FALSE(g.GetEmpty());
        EXPECT_EQ(RasterBytes(g), std::vector<std::uint8_t>(std::size_t(c.imageSize), 0));
    }
}

// Large rasters reuse freed memory; a reused block must come back as zero bytes like a new one.
TEST(PixelGraphic, ALargeRasterIsZeroEvenWhenItsMemoryIsReused) {
    for (int round = 0; round < 3; ++round) {
        TPixelGraphic g;
        g.SetSize(1000, 700 - 100 * round, pf24Bit);
        const auto* bits = g.Bits();
        EXPECT_TRUE(std::all_of(bits, bits + g.ImageSize(), [](std::uint8_t b) { return b == 0; })) << round;
        std::memset(g.Bits(), 0xFF, std::size_t(g.ImageSize()));
    }
}

// The address space the process has mapped, in bytes.
std::int64_t MappedBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t pages = 0;
    statm >> pages;
    return pages * ::sysconf(_SC_PAGESIZE);
}

TEST(PixelGraphic, ReusedRasterMemoryIsGivenBackInFull) {
    // Each smaller image reuses the larger one's memory; the difference must not stay mapped.
    {
        TPixelGraphic warmUp;
        warmUp.SetSize(2000, 2000, pf24Bit);
    }
    const std::int64_t before = MappedBytes();
    for (int round = 0; round < 40; ++round) {
        TPixelGraphic large;
        large.SetSize(2000, 2000, pf24Bit);
        large.SetSize(2000, 1200, pf24Bit);
    }
    EXPECT_LT(MappedBytes() - before, std::int64_t(64) << 20);
}

TEST(PixelGraphic, AHugeRasterIsNotKeptOnceFreed) {
    const std::int64_t before = MappedBytes();
    {
        TPixelGraphic huge;
        huge.SetSize(12000, 8000, pf24Bit);
    }
    EXPECT_LT(MappedBytes() - before, std::int64_t(64) << 20);
}

TEST(PixelGraphic, RowsAreStoredBottomUp) {
    TPixelGraphic g;
    g.SetSize(2, 3, pf8Bit);
    g.SetPixel(1, 0, 7); // top row
    g.SetPixel(0, 2, 9); // bottom row
    EXPECT_EQ(g.ScanLine(0), g.Bits() + 2 * 4);
    EXPECT_EQ(g.ScanLine(2), g.Bits());
    EXPECT_EQ(g.Bits()[2 * 4 + 1], 7);
    EXPECT_EQ(g.Bits()[0], 9);
}

TEST(PixelGraphic, PixelValuesLandInTheirBitsAndBytes) {
    struct Case {
        TPixelFormat format;
        int x;
        std::uint32_t value;
        std::vector<std::uint8_t> row; // the first bytes of the single row afterwards
        std::uint32_t readBack;
    };
    const Case cases[] = {
        {pf1Bit, 0, 1, {0x80, 0x00}, 1},
        {pf1Bit, 9, 1, {0x00, 0x40}, 1},
        {pf1Bit, 0, 2, {0x00, 0x00}, 0}, // only exactly 1 sets the bit
        {pf4Bit, 0, 0xA, {0xA0, 0x00}, 0xA},
        {pf4Bit, 1, 0xA, {0x0A, 0x00}, 0xA},
        {pf4Bit, 2, 0x1F, {0x00, 0xF0}, 0xF}, // only the low 4 bits
        {pf8Bit, 1, 0x1FE, {0x00, 0xFE}, 0xFE},
        {pf24Bit, 0, RGB(17, 34, 51), {51, 34, 17}, RGB(17, 34, 51)},
        {pf24Bit, 1, 0xFF000000 | RGB(1, 2, 3), {0, 0, 0, 3, 2, 1}, RGB(1, 2, 3)},
    };
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(16, 1, c.format);
        g.SetPixel(c.x, 0, c.value);
        EXPECT_EQ(std::vector<std::uint8_t>(g.Bits(), g.Bits() + c.row.size()), c.row)
            << "format " << int(c.format) << " x " << c.x;
        EXPECT_EQ(g.GetPixel(c.x, 0), c.readBack);
    }
}

TEST(PixelGraphic, SettingABitKeepsItsNeighbours) {
    TPixelGraphic g;
    g.SetSize(8, 1, pf1Bit);
    for (int x = 0; x < 8; ++x) g.SetPixel(x, 0, 1);
    g.SetPixel(3, 0, 0);
    EXPECT_EQ(g.Bits()[0], 0xEF);
    TPixelGraphic n;
    n.SetSize(2, 1, pf4Bit);
    n.SetPixel(0, 0, 0x3);
    n.SetPixel(1, 0, 0xC);
    n.SetPixel(0, 0, 0x5);
    EXPECT_EQ(n.Bits()[0], 0x5C);
}

TEST(PixelGraphic, AccessOutsideTheRasterIsIgnoredOrRaises) {
    TPixelGraphic g;
    g.SetSize(4, 3, pf8Bit);
    g.SetPaletteIdent(pGray256);
    g.SetBackGroundColor(RGB(5, 5, 5));
    const auto before = RasterBytes(g);
    const std::pair<int, int> outside[] = {{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {INT_MIN, INT_MAX}};
    for (auto [x, y] : outside) {
        EXPECT_EQ(g.GetPixel(x, y), 5u) << x << "," << y;
        g.SetPixel(x, y, 200);
    }
    EXPECT_EQ(RasterBytes(g), before);

    g.SetRangeCheck(true);
    for (auto [x, y] : outside) {
        EXPECT_THROW(g.GetPixel(x, y), EPGXYIndexOutOfRange);
        EXPECT_THROW(g.SetPixel(x, y, 1), EPGXYIndexOutOfRange);
    }
    try {
        g.GetPixel(-1, 0);
    } catch (const EPixelGraphic& e) {
        EXPECT_STREQ(e.what(), "X, Y index out of range");
    }
    EXPECT_NO_THROW(g.SetPixel(3, 2, 1));
}

TEST(PixelGraphic, EmptyImageReadsTheBackground) {
    TPixelGraphic g;
    g.SetBackGroundColor(RGB(9, 8, 7));
    EXPECT_EQ(g.GetPixel(0, 0), RGB(9, 8, 7));
    g.SetPixel(0, 0, 1); // nothing to write into, no crash
}

TEST(PixelGraphic, SameSizeRefillsTheKeptStorage) {
    TPixelGraphic g;
    g.SetSize(3, 2, pf24Bit);
    const std::uint8_t* storage = g.Bits();
    g.SetBackGroundColor(RGB(10, 20, 30));
    g.SetPixel(1, 1, RGB(1, 1, 1));
    int changes = 0;
    g.SetOnChange([&](TPixelGraphic&) { ++changes; });
    g.SetSize(3, 2, pf24Bit);
    EXPECT_EQ(g.Bits(), storage);
    EXPECT_EQ(changes, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(g.GetPixel(x, y), RGB(10, 20, 30));
    // Row padding is not part of any pixel and stays zero.
    EXPECT_EQ(g.Bits()[9], 0);
    EXPECT_EQ(g.Bits()[11], 0);
}

TEST(PixelGraphic, ANewShapeDiscardsThePixels) {
    TPixelGraphic g;
    g.SetSize(4, 4, pf8Bit);
    g.SetPixel(0, 0, 3);
    g.SetPixelFormat(pf4Bit);
    EXPECT_EQ(g.GetPixel(0, 0), 0u);
    g.SetPixel(0, 0, 3);
    g.SetWidth(5);
    EXPECT_EQ(g.Width(), 5);
    EXPECT_EQ(g.PixelFormat(), pf4Bit);
    EXPECT_EQ(g.GetPixel(0, 0), 0u);
    g.SetHeight(2);
    EXPECT_EQ(g.Height(), 2);
    EXPECT_EQ(g.ImageSize(), 8);
}

TEST(PixelGraphic, ClearFillsEveryFormatWithTheBackground) {
    struct Case {
        TPixelFormat format;
        std::uint32_t raw;
    };
    const Case cases[] = {{pf1Bit, 1}, {pf4Bit, 0xB}, {pf8Bit, 0xC8}, {pf24Bit, RGB(1, 2, 3)}};
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(11, 3, c.format);
        g.SetPaletteCount(PaletteSizeOf(c.format));
        g.SetUseColorCache(false); // neighbouring blues share a cache cell
        for (int i = 0; i < g.PaletteCount(); ++i) g.SetPaletteEntry(i, RGB(0, 0, std::uint8_t(i)));
        g.SetBackGroundColor(c.format == pf24Bit ? c.raw : RGB(0, 0, std::uint8_t(c.raw)));
        g.Clear();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 11; ++x) ASSERT_EQ(g.GetPixel(x, y), c.raw) << int(c.format);
    }
}

TEST(PixelGraphic, EmptyImagesRaiseNoChangeOnClear) {
    TPixelGraphic g;
    int changes = 0;
    g.SetOnChange([&](TPixelGraphic& sender) {
        EXPECT_EQ(&sender, &g);
        ++changes;
    });
    g.SetSize(0, 10, pf8Bit);
    EXPECT_TRUE(g.GetEmpty());
    EXPECT_EQ(g.ImageSize(), 0);
    EXPECT_EQ(changes, 1); // the size change itself
    g.Clear();
    EXPECT_EQ(changes, 1);
    g.SetSize(2, 2, pf8Bit);
    g.Clear();
    EXPECT_EQ(changes, 3);
}

TEST(PixelGraphic, UpdateNestingHoldsBackChangeEvents) {
    TPixelGraphic g;
    int changes = 0;
    g.SetOnChange([&](TPixelGraphic&) { ++changes; });
    g.BeginUpdate();
    g.BeginUpdate();
    g.SetSize(2, 2, pf24Bit);
    g.Clear();
    g.EndUpdate();
    EXPECT_EQ(changes, 0);
    g.EndUpdate();
    EXPECT_EQ(changes, 1);
    g.SetPixel(0, 0, 1); // pixel writes are not structural changes
    EXPECT_EQ(changes, 1);
    g.SetUseColorCache(false);
    g.SetUseColorCache(false);
    EXPECT_EQ(changes, 2);
}

TEST(PixelGraphic, NegativeSizesAreRefusedWidthFirst) {
    struct Case {
        int w, h;
        const char* message;
    };
    const Case cases[] = {{-1, 5, "Negative width"}, {5, -1, "Negative height"}, {-1, -1, "Negative width"}};
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(2, 2, pf8Bit);
        try {
            g.SetSize(c.w, c.h, pf8Bit);
            ADD_FAILURE() << "no exception for " << c.w << "x" << c.h;
        } catch (const EPGInvalidSize& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(g.Width(), 2);
        EXPECT_FALSE(g.GetEmpty());
    }
}

TEST(PixelGraphic, RastersAboveTheCapFailLikeARefusedDibSection) {
    struct Case {
        int w, h;
        TPixelFormat format;
    };
    const Case cases[] = {
        {20000, 20000, pf24Bit}, // 1.2 GB
        {INT_MAX, INT_MAX, pf1Bit},
        {INT_MAX, 1, pf24Bit},  // the row alone overflows 32 bits
        {32768, 32769, pf8Bit}, // just above 1 GiB
    };
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(4, 4, pf24Bit);
        try {
            g.SetSize(c.w, c.h, c.format);
            ADD_FAILURE() << "no exception for " << c.w << "x" << c.h;
        } catch (const EPixelGraphic& e) {
            EXPECT_STREQ(e.what(), "CreateDIBSection failed");
        }
        EXPECT_EQ(g.Width(), c.w);
        EXPECT_EQ(g.Height(), c.h);
        EXPECT_EQ(g.PixelFormat(), c.format);
        EXPECT_TRUE(g.GetEmpty());
        EXPECT_EQ(g.ImageSize(), 0);
        EXPECT_EQ(g.GetPixel(0, 0), 0u);
        g.Clear();
    }
}

TEST(PixelGraphic, AnInvalidPixelFormatIsRefused) {
    TPixelGraphic g;
    EXPECT_THROW(g.SetSize(1, 1, 4), EPixelGraphic);
    EXPECT_EQ(g.PixelFormat(), pf24Bit);
}

TEST(PixelGraphic, HeaderBlockDescribesTheRasterAndPalette) {
    TPixelGraphic g;
    g.SetPaletteIdent(pBlackWhite);
    g.SetSize(3, 2, pf4Bit);
    const auto h = g.HeaderBlock();
    ASSERT_EQ(h.size(), 40u + 16 * 4);
    auto le32 = [&](int at) {
        return std::uint32_t(h[at] | h[at + 1] << 8 | h[at + 2] << 16 | h[at + 3] << 24);
    };
    EXPECT_EQ(le32(0), 40u);
    EXPECT_EQ(le32(4), 3u);
    EXPECT_EQ(le32(8), 2u);
    EXPECT_EQ(h[12], 1);
    EXPECT_EQ(h[14], 4);
    EXPECT_EQ(le32(16), 0u);
    EXPECT_EQ(le32(20), 8u);
    EXPECT_EQ(le32(32), 16u);
    // Entries past the palette repeat entry 0.
    EXPECT_EQ(le32(40), 0u);
    EXPECT_EQ(le32(44), 0x00FFFFFFu);
    EXPECT_EQ(le32(48), 0u);
    g.SetPaletteEntry(0, RGB(1, 2, 3));
    EXPECT_EQ(le32(40), 0x00010203u); // stored B, G, R, 0
    g.SetPaletteCount(5);
    EXPECT_EQ(le32(32), 5u);
}

TEST(PixelGraphic, ColoursMapToIndicesOnPaletteImages) {
    TPixelGraphic g;
    g.SetSize(2, 1, pf8Bit);
    g.SetPaletteCount(3);
    g.SetPaletteEntry(0, RGB(0, 0, 0));
    g.SetPaletteEntry(1, RGB(200, 0, 0));
    g.SetPaletteEntry(2, RGB(0, 0, 200));
    g.SetPixelColor(1, 0, RGB(180, 20, 10));
    EXPECT_EQ(g.GetPixel(1, 0), 1u);
    EXPECT_EQ(g.GetPixelColor(1, 0), RGB(200, 0, 0));
    g.SetBackGroundColor(RGB(10, 10, 250));
    EXPECT_EQ(g.BackGroundColor(), RGB(0, 0, 200));
    EXPECT_EQ(g.GetPixel(-1, 0), 2u); // raw index outside the raster

    TPixelGraphic none;
    none.SetSize(1, 1, pf8Bit);
    none.SetPaletteIdent(pNone);
    EXPECT_THROW(none.SetPixelColor(0, 0, RGB(1, 1, 1)), EPGNoPalette);
}

void ConfigureEverySetting(TPixelGraphic& g) {
    g.SetSize(3, 2, pf8Bit);
    g.SetPaletteCount(4);
    for (int i = 0; i < 4; ++i) g.SetPaletteEntry(i, RGB(std::uint8_t(i), 7, 9));
    g.SetPixel(2, 1, 3);
    g.SetUseColorCache(false); // the entries share a cache cell
    g.SetBackGroundColor(RGB(1, 7, 9));
    g.SetDither(false);
    g.SetDitherErrorLimit(77);
    g.SetDitherErrorLimitAuto(false);
    g.SetDitherErrorLimitSoft(false);
    g.SetGamma(2.2L);
    g.SetRGBWeighting(false);
    g.SetStretchMode(smFast);
    g.SetReadWarningAction(pgwaRaise);
    g.SetTransparent(true);
    g.SetRangeCheck(true);
    g.SetSaveColorResWarningAction(pgwaIgnore);
}

TEST(PixelGraphic, AssignCopiesRasterPaletteAndSettings) {
    TPixelGraphic source;
    ConfigureEverySetting(source);
    TPixelGraphic g;
    g.SetSize(5, 5, pf24Bit);
    int changes = 0;
    g.SetOnChange([&](TPixelGraphic&) { ++changes; });
    g.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(g.Width(), 3);
    EXPECT_EQ(g.Height(), 2);
    EXPECT_EQ(g.PixelFormat(), pf8Bit);
    EXPECT_EQ(RasterBytes(g), RasterBytes(source));
    EXPECT_EQ(g.PaletteCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.GetPaletteEntry(i), RGB(std::uint8_t(i), 7, 9));
    EXPECT_EQ(g.PaletteIdent(), pUnknown);
    EXPECT_EQ(g.BackGroundColor(), RGB(1, 7, 9));
    EXPECT_FALSE(g.Dither());
    EXPECT_EQ(g.DitherErrorLimit(), 77);
    EXPECT_FALSE(g.DitherErrorLimitAuto());
    EXPECT_FALSE(g.DitherErrorLimitSoft());
    EXPECT_FALSE(g.UseColorCache());
    EXPECT_EQ(g.Gamma(), 2.2L);
    EXPECT_FALSE(g.RGBWeighting());
    EXPECT_EQ(g.StretchMode(), smFast);
    EXPECT_EQ(g.ReadWarningAction(), pgwaRaise);
    EXPECT_TRUE(g.Transparent());
    EXPECT_TRUE(g.RangeCheck());
    EXPECT_EQ(g.SaveColorResWarningAction(), pgwaIgnore);
    EXPECT_EQ(g.HeaderBlock().size(), source.HeaderBlock().size());
    EXPECT_TRUE(std::equal(g.HeaderBlock().begin(), g.HeaderBlock().end(), source.HeaderBlock().begin()));
}

TEST(PixelGraphic, AssignOfTheSameShapeOverwritesEveryByte) {
    TPixelGraphic source, g;
    source.SetSize(2, 2, pf24Bit);
    source.SetPixel(0, 0, RGB(1, 2, 3));
    g.SetSize(2, 2, pf24Bit);
    g.SetPixel(1, 1, RGB(9, 9, 9));
    g.Assign(&source);
    EXPECT_EQ(RasterBytes(g), RasterBytes(source));
}

TEST(PixelGraphic, AssignOfNullEmptiesAndOfItselfKeeps) {
    TPixelGraphic g;
    g.SetSize(2, 2, pf8Bit);
    g.SetPixel(0, 0, 4);
    g.Assign(&g);
    EXPECT_EQ(g.GetPixel(0, 0), 4u);
    g.Assign(nullptr);
    EXPECT_TRUE(g.GetEmpty());
    EXPECT_EQ(g.PixelFormat(), pf24Bit);
}

} // namespace
} // namespace pg

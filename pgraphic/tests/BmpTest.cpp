// The BMP reader and writer: headers, bit depths, bit fields, RLE, top-down rows and damaged files.
#include "BmpFixtures.h"
#include "pgraphic/FileFormat.h"
#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace pg {
namespace {

using test::BmpWithInfoHeader;
using test::TBytes;
using test::TInfoHeaderFields;

namespace fs = std::filesystem;

void Load(TPixelGraphic& g, const std::vector<std::uint8_t>& bytes, std::string_view extension = "") {
    platform::TMemoryStream s(bytes);
    g.LoadIndexFromStream(s, extension, 0);
}

std::string LoadError(const std::vector<std::uint8_t>& bytes) {
    TPixelGraphic g;
    try {
        Load(g, bytes);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

std::uint32_t LE32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t LE16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

class TempDir {
public:
    TempDir() : FPath(fs::temp_directory_path() / ("pgraphic-bmp-" + std::to_string(::getpid()))) {
        fs::create_directories(FPath);
    }
    ~TempDir() { fs::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    fs::path FPath;
};

std::vector<std::uint8_t> FileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(BmpWriter, WritesTheLogoFileFieldByField) {
    TempDir dir;
    TPixelGraphic logo;
    logo.SetSize(320, 400, pf8Bit);
    logo.SetPaletteCount(256);
    for (int i = 0; i < 256; ++i) logo.SetPaletteEntry(i, RGB(std::uint8_t(i), 1, 2));
    logo.SetPixel(0, 399, 7); // bottom-left pixel: the first pixel byte of the file
    logo.SaveToFile(dir.File("logow.bmp"));
    const auto b = FileBytes(dir.File("logow.bmp"));
    ASSERT_EQ(b.size(), 129078u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    const std::pair<std::size_t, std::uint32_t> fields32[] = {
        {2, 129078},  {10, 1078}, {14, 40}, {18, 320}, {22, 400}, {30, 0},
        {34, 128000}, {38, 0},    {42, 0},  {46, 256}, {50, 0},
    };
    for (auto [at, value] : fields32) EXPECT_EQ(LE32(b, at), value) << "offset " << at;
    EXPECT_EQ(LE16(b, 6), 0);
    EXPECT_EQ(LE16(b, 8), 0);
    EXPECT_EQ(LE16(b, 26), 1);
    EXPECT_EQ(LE16(b, 28), 8);
    EXPECT_EQ(LE32(b, 54 + 4 * 200), 0x00C80102u); // B, G, R, 0 of entry 200 = RGB(200, 1, 2)
    EXPECT_EQ(b[1078], 7);
}

TEST(BmpWriter, TrueColourUnderAnUpperCaseExtension) {
    TempDir dir;
    TPixelGraphic g;
    g.SetSize(3, 2, pf24Bit);
    g.SetPixel(2, 0, RGB(10, 20, 30));
    g.SaveToFile(dir.File("picture.BMP"));
    const auto b = FileBytes(dir.File("picture.BMP"));
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(LE16(b, 28), 24);
    EXPECT_EQ(LE32(b, 46), 0u);
    EXPECT_EQ(LE32(b, 10), 54u);
    // Top row is the second file row; pixel 2 is B, G, R.
    EXPECT_EQ(b[54 + 12 + 6], 30);
    EXPECT_EQ(b[54 + 12 + 8], 10);
}

TEST(Bmp, EveryPixelFormatSurvivesARoundTrip) {
    for (TPixelFormat format : {pf1Bit, pf4Bit, pf8Bit, pf24Bit}) {
        TPixelGraphic g;
        g.SetSize(13, 5, format);
        const int paletteSize = PaletteSizeOf(format);
        g.SetPaletteCount(paletteSize);
        for (int i = 0; i < paletteSize; ++i)
            g.SetPaletteEntry(i, RGB(std::uint8_t(i), std::uint8_t(255 - i), 9));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                g.SetPixel(x, y,
                           format == pf24Bit ? RGB(std::uint8_t(x), std::uint8_t(y), 77)
                                             : std::uint32_t(x + y) % std::uint32_t(paletteSize));
        platform::TMemoryStream s;
        g.SaveToStream(s);
        TPixelGraphic back;
        Load(back, s.Bytes());
        ASSERT_EQ(back.Width(), 13);
        ASSERT_EQ(back.PixelFormat(), format);
        EXPECT_EQ(back.PaletteCount(), paletteSize);
        for (int i = 0; i < paletteSize; ++i) EXPECT_EQ(back.GetPaletteEntry(i), g.GetPaletteEntry(i));
        EXPECT_TRUE(std::equal(g.Bits(), g.Bits() + g.ImageSize(), back.Bits())) << int(format);
    }
}

TEST(BmpReader, ReadsTheCoreHeaderWithThreeByteColours) {
    TBytes b;
    b.Raw({'B', 'M'}).U32(0).U32(0).U32(14 + 12 + 256 * 3);
    b.U32(12).U16(2).U16(1).U16(1).U16(8);
    for (int i = 0; i < 256; ++i) b.U8(i).U8(0).U8(255 - i); // blue, green, red
    b.Raw({3, 200, 0, 0});
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.Width(), 2);
    EXPECT_EQ(g.PixelFormat(), pf8Bit);
    EXPECT_EQ(g.PaletteCount(), 256);
    EXPECT_EQ(g.GetPixelColor(0, 0), RGB(252, 0, 3));
    EXPECT_EQ(g.GetPixelColor(1, 0), RGB(55, 0, 200));
}

TEST(BmpReader, SixteenAndThirtyTwoBitPixels) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks; // only for bit fields
        std::uint32_t pixel;
        TRGB expected;
    };
    const Case cases[] = {
        {"555 white", 16, 0, {}, 0x7FFF, RGB(255, 255, 255)},
        {"555 ones", 16, 0, {}, 0x0421, RGB(16, 16, 16)},
        {"555 black", 16, 0, {}, 0x0000, RGB(0, 0, 0)},
        {"555 red only", 16, 0, {}, 0x7C00, RGB(255, 0, 0)},
        {"565 green", 16, 3, {0xF800, 0x07E0, 0x001F}, 0x07E0, RGB(0, 255, 0)},
        {"565 green one", 16, 3, {0xF800, 0x07E0, 0x001F}, 0x0020, RGB(0, 8, 0)},
        {"32 default", 32, 0, {}, 0x00112233, RGB(0x11, 0x22, 0x33)},
        {"32 fields", 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}, 0x00112233, RGB(0x33, 0x22, 0x11)},
        {"32 wide red", 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF00000, RGB(255, 0, 0)},
    };
    for (const auto& c : cases) {
        TInfoHeaderFields f{.Width = 1, .Height = 1, .BitCount = c.bits, .Compression = c.compression};
        TBytes b = BmpWithInfoHeader(f, c.masks.size() * 4);
        for (auto m : c.masks) b.U32(m);
        if (c.bits == 16)
            b.U16(c.pixel).U16(0);
        else
            b.U32(c.pixel);
        TPixelGraphic g;
        Load(g, b.Bytes());
        EXPECT_EQ(g.PixelFormat(), pf24Bit) << c.name;
        EXPECT_EQ(g.GetPixel(0, 0), c.expected) << c.name;
    }
}

TEST(BmpReader, RefusesBitFieldMasksWithoutAContiguousRun) {
    for (std::uint32_t badMask : {0x0u, 0x0505u}) {
        TBytes b = BmpWithInfoHeader({.BitCount = 16, .Compression = 3}, 12);
        b.U32(badMask).U32(0x07E0).U32(0x001F).U32(0);
        EXPECT_EQ(LoadError(b.Bytes()), "BMP: BitmapInfoHeader.biCompression invalid") << badMask;
    }
}

TEST(BmpReader, TopDownRowsAreTurnedUpright) {
    TBytes b = BmpWithInfoHeader({.Width = 1, .Height = -3, .BitCount = 8, .ClrUsed = 2}, 8);
    b.U32(0).U32(0x00FFFFFF);
    b.U32(1).U32(0).U32(0); // first file row is the top row when the height is negative
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.Height(), 3);
    EXPECT_EQ(g.GetPixel(0, 0), 1u);
    EXPECT_EQ(g.GetPixel(0, 2), 0u);
}

TEST(BmpReader, DecodesRle8AsDocumented) {
    TBytes b = BmpWithInfoHeader(
        {.Width = 4, .Height = 2, .BitCount = 8, .Compression = 1, .SizeImage = 10, .ClrUsed = 8}, 32);
    b.Zeros(32).Raw({0x03, 0x05, 0x00, 0x00, 0x02, 0x07, 0x00, 0x00, 0x00, 0x01});
    TPixelGraphic g;
    Load(g, b.Bytes());
    const std::uint32_t bottom[] = {5, 5, 5, 0}, top[] = {7, 7, 0, 0};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(g.GetPixel(x, 1), bottom[x]) << x;
        EXPECT_EQ(g.GetPixel(x, 0), top[x]) << x;
    }
}

TEST(BmpReader, DecodesRle4RunsDeltasAndAbsoluteRuns) {
    // Encoded run of 5 alternating 1/2; end of line; delta (+1, -0); absolute run 3,4,5 (padded).
    const std::vector<std::uint8_t> rle = {0x05, 0x12, 0x00, 0x00, 0x00, 0x02, 0x01,
                                           0x00, 0x00, 0x03, 0x34, 0x50, 0x00, 0x01};
    TBytes b = BmpWithInfoHeader({.Width = 6,
                                  .Height = 2,
                                  .BitCount = 4,
                                  .Compression = 2,
                                  .SizeImage = std::uint32_t(rle.size()),
                                  .ClrUsed = 16},
                                 64);
    b.Zeros(64);
    for (auto v : rle) b.U8(v);
    TPixelGraphic g;
    Load(g, b.Bytes());
    const std::uint32_t bottom[] = {1, 2, 1, 2, 1, 0}, top[] = {0, 3, 4, 5, 0, 0};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(g.GetPixel(x, 1), bottom[x]) << x;
        EXPECT_EQ(g.GetPixel(x, 0), top[x]) << x;
    }
}

TEST(BmpReader, RunsOutsideTheImageAndDataPastTheEndAreHarmless) {
    // A run longer than the row, a delta far outside, an absolute run reaching past the data.
    const std::vector<std::uint8_t> rle = {0xFF, 0x09, 0x00, 0x02, 0xFF, 0xFF, 0x00, 0xFF, 0x01};
    TBytes b = BmpWithInfoHeader(
        {.Width = 2, .Height = 2, .BitCount = 8, .Compression = 1, .SizeImage = 0xFFFFFFFF, .ClrUsed = 16},
        64);
    b.Zeros(64);
    for (auto v : rle) b.U8(v);
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.GetPixel(0, 1), 9u);
    EXPECT_EQ(g.GetPixel(1, 1), 9u);
    EXPECT_EQ(g.GetPixel(0, 0), 0u);
}

TEST(BmpReader, TruncatedPixelsLeaveTheMissingRowsZero) {
    TBytes b = BmpWithInfoHeader({.Width = 4, .Height = 200, .BitCount = 8, .ClrUsed = 2}, 8);
    b.U32(0).U32(0x00FFFFFF);
    for (int i = 0; i < 4 * 150; ++i) b.U8(1);
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.GetPixel(0, 199), 1u); // bottom row, read first
    EXPECT_EQ(g.GetPixel(3, 50), 1u);
    EXPECT_EQ(g.GetPixel(0, 49), 0u);
    EXPECT_EQ(g.GetPixel(3, 0), 0u);
}

TEST(BmpReader, WideBitFieldRowsKeepTheirPaddingAndStopWhereTheDataDoes) {
    // 16-bit rows of an odd width carry two bytes of padding; the second row ends half-way.
    constexpr std::int32_t kWidth = 9001;
    TBytes b = BmpWithInfoHeader({.Width = kWidth, .Height = 3, .BitCount = 16});
    for (std::int32_t x = 0; x < kWidth; ++x) b.U16(x % 2 == 0 ? 0x7C00 : 0x001F);
    b.U16(0xFFFF); // padding, never a pixel
    for (std::int32_t x = 0; x < 5000; ++x) b.U16(0x03E0);
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.GetPixel(0, 2), RGB(255, 0, 0));
    EXPECT_EQ(g.GetPixel(4097, 2), RGB(0, 0, 255));
    EXPECT_EQ(g.GetPixel(kWidth - 1, 2), RGB(255, 0, 0));
    EXPECT_EQ(g.GetPixel(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(g.GetPixel(4999, 1), RGB(0, 255, 0));
    EXPECT_EQ(g.GetPixel(5000, 1), RGB(0, 0, 0));
    EXPECT_EQ(g.GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(BmpReader, OversizedColourCountIsCutAndItsSurplusSkipped) {
    TBytes b = BmpWithInfoHeader({.Width = 8, .Height = 1, .BitCount = 1, .ClrUsed = 4}, 16);
    b.U32(0x00FF0000).U32(0x0000FF00).U32(0x11111111).U32(0x22222222);
    b.U8(0x80).Zeros(3);
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.PaletteCount(), 2);
    EXPECT_EQ(g.GetPixelColor(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(g.GetPixelColor(1, 0), RGB(255, 0, 0));
}

TEST(BmpReader, PixelOffsetBeyondTheColourTableSkipsTheGap) {
    TBytes b = BmpWithInfoHeader({.Width = 1, .Height = 1, .BitCount = 24, .OffBits = 64});
    b.Raw({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}).Raw({1, 2, 3, 0});
    TPixelGraphic g;
    Load(g, b.Bytes());
    EXPECT_EQ(g.GetPixel(0, 0), RGB(3, 2, 1));
}

TEST(BmpReader, DamagedHeadersFailWithClearMessages) {
    auto info = [](TInfoHeaderFields f) { return BmpWithInfoHeader(f).Zeros(64).Bytes(); };
    TBytes v4;
    v4.Raw({'B', 'M'}).Zeros(12).U32(108).Zeros(104);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    const Case cases[] = {
        {"planes", info({.Planes = 2}), "BMP: BitmapInfoHeader.biPlanes invalid"},
        {"bit count", info({.BitCount = 5}), "BMP: BitmapInfoHeader.biBitCount invalid"},
        {"RLE8 with 4 bits", info({.BitCount = 4, .Compression = 1}),
         "BMP: BitmapInfoHeader.biCompression invalid"},
        {"RLE4 with 8 bits", info({.BitCount = 8, .Compression = 2}),
         "BMP: BitmapInfoHeader.biCompression invalid"},
        {"top-down RLE", info({.Height = -2, .BitCount = 8, .Compression = 1}),
         "BMP: BitmapInfoHeader.biCompression invalid"},
        {"bit fields with 24 bits", info({.BitCount = 24, .Compression = 3}),
         "BMP: BitmapInfoHeader.biCompression invalid"},
        {"JPEG compression", info({.BitCount = 24, .Compression = 4}),
         "BMP: BitmapInfoHeader.biCompression invalid"},
        {"header size 108", v4.Bytes(), "BMP: BitmapInfoHeader/BitmapCoreHeader invalid"},
        {"negative width", info({.Width = -5}), "Negative width"},
        {"INT_MIN height", info({.Height = INT_MIN}), "BMP: BitmapInfoHeader.biHeight invalid"},
        {"huge raster", info({.Width = 100000, .Height = 100000}), "BMP: Invalid size of image"},
        {"short header", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 1}, "Stream read error"},
        {"no signature", {'B', 'A', 1, 2}, "Unknown file format"},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadError(c.bytes), c.message) << c.name;

    TBytes core;
    core.Raw({'B', 'M'}).Zeros(12).U32(12).U16(1).U16(1).U16(2).U16(8);
    EXPECT_EQ(LoadError(core.Bytes()), "BMP: BitmapCoreHeader.bcPlanes invalid");
}

TEST(BmpReader, OnlyTheFirstImageExists) {
    const auto bytes = BmpWithInfoHeader({}).Zeros(4).Bytes();
    TPixelGraphic g;
    platform::TMemoryStream s(bytes);
    try {
        g.LoadIndexFromStream(s, "", 1);
        FAIL();
    } catch (const EPGBMPFileFormatReader& e) {
        EXPECT_STREQ(e.what(), "BMP: Index invalid");
    }
    TPGImageInfo info;
    EXPECT_FALSE(GetImageInfo(s, "", 1, info));
}

TEST(BmpReader, InfoDescribesEachKind) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string subFormat, colors;
        int width, height, bits;
    };
    TBytes core;
    core.Raw({'B', 'M'}).Zeros(12).U32(12).U16(7).U16(9).U16(1).U16(4);
    const Case cases[] = {
        {BmpWithInfoHeader({.Width = 3, .Height = 2, .BitCount = 8}).Bytes(), "Windows, RGB", "256", 3, 2, 8},
        {BmpWithInfoHeader({.Width = 3, .Height = -2, .BitCount = 24}).Bytes(), "Windows, RGB, Top-Down",
         "16.7M", 3, -2, 24},
        {BmpWithInfoHeader({.BitCount = 8, .Compression = 1}).Bytes(), "Windows, RLE8", "256", 1, 1, 8},
        {BmpWithInfoHeader({.BitCount = 4, .Compression = 2}).Bytes(), "Windows, RLE4", "16", 1, 1, 4},
        {BmpWithInfoHeader({.BitCount = 16, .Compression = 3}).Bytes(), "Windows", "64K", 1, 1, 16},
        {BmpWithInfoHeader({.BitCount = 32}).Bytes(), "Windows, RGB", "16.7M", 1, 1, 32},
        {BmpWithInfoHeader({.BitCount = 1}).Bytes(), "Windows, RGB", "2", 1, 1, 1},
        {core.Bytes(), "OS/2", "16", 7, 9, 4},
    };
    for (const auto& c : cases) {
        platform::TMemoryStream s(c.bytes);
        TPGImageInfo info;
        ASSERT_TRUE(GetImageInfo(s, "", 0, info)) << c.subFormat;
        EXPECT_EQ(info.Description, "Bitmap");
        EXPECT_EQ(info.SubFormat, c.subFormat);
        EXPECT_EQ(info.Details, "");
        EXPECT_EQ(info.Colors, c.colors) << c.subFormat;
        EXPECT_EQ(info.Width, c.width);
        EXPECT_EQ(info.Height, c.height);
        EXPECT_EQ(info.BitsPerPixel, c.bits);
        EXPECT_EQ(info.ImageCount, 1);
        EXPECT_EQ(s.Position(), 0);
    }
}

TEST(BmpReader, ReportsProgressInTenthsAndStopsOnAbort) {
    TBytes b = BmpWithInfoHeader({.Width = 100, .Height = 100, .BitCount = 8, .ClrUsed = 1}, 4);
    b.U32(0);
    for (int i = 0; i < 100 * 100; ++i) b.U8(1);
    TPixelGraphic g;
    std::vector<int> steps;
    int starts = 0, ends = 0;
    g.SetOnProgressStart([&](TPixelGraphic&) { ++starts; });
    g.SetOnProgressEnd([&](TPixelGraphic&) { ++ends; });
    g.SetOnProgress([&](TPixelGraphic&, int step, int max, bool& abort) {
        EXPECT_EQ(max, 10);
        steps.push_back(step);
        abort = step == 3;
    });
    Load(g, b.Bytes());
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(g.GetPixel(0, 99), 1u); // in the first three tenths
    EXPECT_EQ(g.GetPixel(0, 0), 0u);  // never read
}

TEST(Bmp, ComponentStreamDataKeepsItsLength) {
    TPixelGraphic g;
    g.SetSize(3, 3, pf24Bit);
    g.SetPixel(1, 1, RGB(4, 5, 6));
    platform::TMemoryStream s;
    g.WriteData(s);
    s.WriteBuffer("tail", 4);
    EXPECT_EQ(LE32(s.Bytes(), 0), std::uint32_t(54 + 3 * 12));
    s.SetPosition(0);
    TPixelGraphic back;
    back.ReadData(s);
    EXPECT_EQ(back.GetPixel(1, 1), RGB(4, 5, 6));
    char tail[4];
    s.ReadBuffer(tail, 4);
    EXPECT_EQ(std::string(tail, 4), "tail");
}

TEST(Bmp, ClipboardCarriesAPackedDib) {
    TPixelGraphic g;
    g.SetSize(2, 2, pf8Bit);
    g.SetPaletteIdent(pGray256);
    g.SetPixel(1, 0, 200);
    const TClipboardData data = g.SaveToClipboardFormat();
    EXPECT_EQ(data.Format, CF_DIB);
    EXPECT_EQ(data.Palette, 0u);
    ASSERT_TRUE(data.Data);
    EXPECT_EQ(data.Data->Bytes.size(), 40u + 1024 + 8);
    TPixelGraphic back;
    back.LoadFromClipboardFormat(data.Format, data.Data, 0);
    EXPECT_EQ(back.GetPixel(1, 0), 200u);
    EXPECT_EQ(back.PaletteIdent(), pGray256);
    EXPECT_THROW(back.LoadFromClipboardFormat(3, data.Data, 0), EPGUnknownClipboardFormat);
    EXPECT_THROW(back.LoadFromClipboardFormat(CF_DIB, nullptr, 0), EPGUnknownClipboardFormat);
}

} // namespace
} // namespace pg

// The pgraphic command: its output lines, conversions and exit codes, run as a real process.
#include "BmpFixtures.h"
#include "pgraphic/OptimizedPalette.h"
#include "pgraphic/PixelGraphic.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace pg {
namespace {

namespace fs = std::filesystem;

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

class ToolTest : public testing::Test {
protected:
    ToolTest() : FDir(fs::temp_directory_path() / ("pgraphic-tool-" + std::to_string(::getpid()))) {
        fs::create_directories(FDir);
    }
    ~ToolTest() override { fs::remove_all(FDir); }

    std::string File(const std::string& name) const { return (FDir / name).string(); }

    TResult Run(const std::string& arguments) const {
        const std::string out = File("stdout.txt"), err = File("stderr.txt");
        const std::string command =
            std::string(PG_TOOL) + " " + arguments + " >" + out + " 2>" + err + " </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }

    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // A 640 x 400 picture with many colours, saved as a 24-bit BMP.
    std::string ManyColourPicture() const {
        TPixelGraphic g;
        g.SetSize(640, 400, pf24Bit);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 640; ++x)
                g.SetPixel(x, y,
                           RGB(std::uint8_t(x * 255 / 639), std::uint8_t(y * 255 / 399),
                               std::uint8_t((x ^ y) & 0xFF)));
        g.SaveToFile(File("picture.bmp"));
        return File("picture.bmp");
    }

private:
    fs::path FDir;
};

TEST_F(ToolTest, InfoPrintsTheImageDescription) {
    Write("a.bmp", test::BmpWithInfoHeader({.Width = 3, .Height = -2, .BitCount = 24}).Zeros(24).Bytes());
    const TResult r = Run("info " + File("a.bmp"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Description: Bitmap\nSubFormat: Windows, RGB, Top-Down\nDetails: \nWidth: 3\nHeight: -2\n"
              "Colors: 16.7M\nBitsPerPixel: 24\nImageCount: 1\n");
}

TEST_F(ToolTest, FailuresSayWhyAndSetTheExitStatus) {
    std::ofstream(File("junk.bmp")) << "this is no picture";
    Write("bad.bmp", test::BmpWithInfoHeader({.Planes = 3}).Bytes());
    struct Case {
        std::string arguments;
        int status;
        std::string errStart;
    };
    const Case cases[] = {
        {"info " + File("missing.bmp"), 1, "pgraphic: Cannot open file"},
        {"info " + File("junk.bmp"), 1, "pgraphic: Unknown file format\n"},
        {"info " + File("bad.bmp"), 1, "pgraphic: BMP: BitmapInfoHeader.biPlanes invalid\n"},
        {"convert " + File("junk.bmp") + " " + File("out.bmp"), 1, "pgraphic: Unknown file format\n"},
        {"", 2, "pgraphic: no command given\nusage:"},
        {"frobnicate", 2, "pgraphic: unknown command frobnicate\n"},
        {"info", 2, "pgraphic: info needs exactly one file\n"},
        {"convert a.bmp", 2, "pgraphic: convert needs an input and an output file\n"},
        {"convert a b --colors 1", 2, "pgraphic: --colors needs a number from 2 to 256\n"},
        {"convert a b --colors 300", 2, "pgraphic: --colors needs a number from 2 to 256\n"},
        {"convert a b --size 0x5", 2, "pgraphic: --size needs WIDTHxHEIGHT with both at least 1\n"},
        {"convert a b --size 5", 2, "pgraphic: --size needs WIDTHxHEIGHT with both at least 1\n"},
        {"convert a b --stretch slow", 2, "pgraphic: --stretch needs fast, medium or precise\n"},
        {"convert a b --system-colors", 2, "pgraphic: --system-colors goes with --colors\n"},
        {"convert a b --sharpen", 2, "pgraphic: unknown option --sharpen\n"},
    };
    for (const auto& c : cases) {
        const TResult r = Run(c.arguments);
        EXPECT_EQ(r.Status, c.status) << c.arguments;
        EXPECT_EQ(r.Err.substr(0, c.errStart.size()), c.errStart) << c.arguments;
        EXPECT_EQ(r.Out, "") << c.arguments;
    }
    EXPECT_FALSE(fs::exists(File("out.bmp")));
}

TEST_F(ToolTest, HelpVersionAndFormats) {
    EXPECT_EQ(Run("--help").Out.rfind("usage: pgraphic info FILE", 0), 0u);
    EXPECT_EQ(Run("--version").Out, "pgraphic 0.1.0\n");
    const TResult formats = Run("formats");
    EXPECT_EQ(formats.Status, 0);
    EXPECT_NE(formats.Out.find("Readers:\n  bmp    Bitmap\n"), std::string::npos) << formats.Out;
    EXPECT_NE(formats.Out.find(
                  "  bmp    Bitmap (black and white, 2 colors, 16 shades of gray, 16 system colors, 16 "
                  "colors, 256 shades of gray, 256 colors, 16.7 million colors)\n"),
              std::string::npos)
        << formats.Out;
}

TEST_F(ToolTest, ConvertResizesAndReducesColours) {
    const std::string picture = ManyColourPicture();
    ASSERT_EQ(Run("convert " + picture + " " + File("half.bmp") + " --size 320x200 --stretch fast").Status,
              0);
    TPixelGraphic half;
    half.LoadFromFile(File("half.bmp"));
    TPixelGraphic source;
    source.LoadFromFile(picture);
    EXPECT_EQ(half.Width(), 320);
    EXPECT_EQ(half.GetPixel(7, 5), source.GetPixel(14, 10)); // nearest: every second column and row

    ASSERT_EQ(Run("convert " + picture + " " + File("16.bmp") + " --colors 16 --no-dither").Status, 0);
    TPixelGraphic reduced;
    reduced.LoadFromFile(File("16.bmp"));
    EXPECT_EQ(reduced.PixelFormat(), pf4Bit);
    EXPECT_EQ(reduced.PaletteCount(), 16);

    ASSERT_EQ(Run("convert " + picture + " " + File("2.bmp") + " --colors 2").Status, 0);
    reduced.LoadFromFile(File("2.bmp"));
    EXPECT_EQ(reduced.PixelFormat(), pf1Bit);
}

// The command's logo reduction must give the very bytes of the logo installer's steps.
TEST_F(ToolTest, LogoReductionMatchesTheInstallerByteForByte) {
    const std::string picture = ManyColourPicture();
    const TResult r =
        Run("convert " + picture + " " + File("cli.bmp") + " --size 320x400 --colors 256 --system-colors");
    ASSERT_EQ(r.Status, 0) << r.Err;

    TPixelGraphic logo;
    logo.LoadFromFile(picture);
    TPixelGraphic a, b;
    a.SetSize(320, 400, pf24Bit);
    a.SetStretchMode(smPrecise);
    a.Copy(logo);
    b.SetSize(320, 400, pf8Bit);
    b.SetDither(true);
    CreateOptimizedPalette(b, a, 256, true);
    b.SetPaletteCount(256);
    b.Copy(a);
    b.SaveToFile(File("installer.bmp"));

    const std::string cli = Read(File("cli.bmp"));
    EXPECT_EQ(cli.size(), 129078u);
    EXPECT_TRUE(cli == Read(File("installer.bmp")));
}

} // namespace
} // namespace pg

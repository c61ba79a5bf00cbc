// The public BMP conformance suite: good files decode to their reference pictures, questionable
// and bad ones either decode or fail with a message, never touching memory outside the image.
#include "pgraphic/Exceptions.h"
#include "pgraphic/PixelGraphic.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <png.h>

namespace pg {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(PG_CORPUS_DIR) / "bmpsuite";

struct TReference {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgba;
};

// Decodes a reference rendering with libpng, the peer decoder.
TReference ReadPng(const fs::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
    image.format = PNG_FORMAT_RGBA;
    TReference ref{int(image.width), int(image.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, ref.Rgba.data(), 0, nullptr)) return {};
    return ref;
}

std::vector<fs::path> FilesIn(const char* group) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(kSuite / group))
        if (e.path().extension() == ".bmp") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(BmpSuite, GoodFilesMatchTheirReferencePictures) {
    // Reference picture of each good file, and the largest channel difference allowed: 16-bit
    // channels are widened by adding half a step rather than by repeating their top bits.
    const std::map<std::string, std::pair<std::string, int>> references = {
        {"pal1", {"pal1", 0}},
        {"pal1bg", {"pal1bg", 0}},
        {"pal1wb", {"pal1", 0}},
        {"pal4", {"pal4", 0}},
        {"pal4gs", {"pal4gs", 0}},
        {"pal4rle", {"pal4", 0}},
        {"pal8-0", {"pal8", 0}},
        {"pal8", {"pal8", 0}},
        {"pal8gs", {"pal8gs", 0}},
        {"pal8os2", {"pal8", 0}},
        {"pal8rle", {"pal8", 0}},
        {"pal8topdown", {"pal8", 0}},
        {"pal8w124", {"pal8w124", 0}},
        {"pal8w125", {"pal8w125", 0}},
        {"pal8w126", {"pal8w126", 0}},
        {"rgb16-565", {"rgb16-565", 8}},
        {"rgb16-565pal", {"rgb16-565", 8}},
        {"rgb16", {"rgb16", 8}},
        {"rgb16bfdef", {"rgb16", 8}},
        {"rgb24", {"rgb24", 0}},
        {"rgb24pal", {"rgb24", 0}},
        {"rgb32", {"rgb24", 0}},
        {"rgb32bf", {"rgb24", 0}},
        {"rgb32bfdef", {"rgb24", 0}},
    };
    int compared = 0;
    for (const auto& file : FilesIn("g")) {
        const std::string name = file.stem().string();
        TPixelGraphic g;
        if (name == "pal8v4" || name == "pal8v5") { // larger header versions are refused by design
            EXPECT_THROW(g.LoadFromFile(file.string()), EPGBMPFileFormatReader) << name;
            continue;
        }
        ASSERT_NO_THROW(g.LoadFromFile(file.string())) << name;
        const auto it = references.find(name);
        if (it == references.end()) continue; // decodes; no reference rendering of its own
        const TReference ref = ReadPng(kSuite / "reference-png" / (it->second.first + ".png"));
        ASSERT_EQ(g.Width(), ref.Width) << name;
        ASSERT_EQ(g.Height(), ref.Height) << name;
        int worst = 0;
        for (int y = 0; y < ref.Height; ++y)
            for (int x = 0; x < ref.Width; ++x) {
                const TRGB c = g.GetPixelColor(x, y);
                const std::uint8_t* r = &ref.Rgba[std::size_t(4 * (y * ref.Width + x))];
                worst = std::max({worst, std::abs(GetRValue(c) - r[0]), std::abs(GetGValue(c) - r[1]),
                                  std::abs(GetBValue(c) - r[2])});
            }
        EXPECT_LE(worst, it->second.second) << name;
        ++compared;
    }
    EXPECT_EQ(compared, int(references.size()));
}

TEST(BmpSuite, QuestionableAndBadFilesDecodeOrFailWithAMessage) {
    for (const char* group : {"q", "b", "x"}) {
        for (const auto& file : FilesIn(group)) {
            TPixelGraphic g;
            try {
                g.LoadFromFile(file.string());
                // Whatever was decoded must be a consistent raster.
                EXPECT_EQ(g.ImageSize(), g.BytesPerRow() * g.Height()) << file;
            } catch (const std::bad_alloc&) {
                ADD_FAILURE() << file << ": allocation failure instead of a message";
            } catch (const std::exception& e) {
                EXPECT_GT(std::string(e.what()).size(), 5u) << file;
            }
        }
    }
}

TEST(BmpSuite, AnAbsurdlyLargeDeclaredRasterIsRefusedBeforeAllocating) {
    TPixelGraphic g;
    try {
        g.LoadFromFile((kSuite / "b" / "reallybig.bmp").string());
        FAIL();
    } catch (const EPGBMPFileFormatReader& e) {
        EXPECT_STREQ(e.what(), "BMP: Invalid size of image");
    }
}

} // namespace
} // namespace pg

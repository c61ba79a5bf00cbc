// Replays the fuzz seeds, which must load, and every stored fuzz finding, which must load or fail
// with an exception; the sanitizer build turns any memory fault into a failure.
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace pg {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = PG_FUZZ_DIR;

std::vector<fs::path> FilesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
    return files;
}

TEST(FuzzReplay, BmpSeedsLoad) {
    const auto seeds = FilesIn(kFuzzDir / "corpus" / "bmp");
    EXPECT_GE(seeds.size(), 10u);
    for (const auto& file : seeds) {
        TPixelGraphic g;
        EXPECT_NO_THROW(g.LoadFromFile(file.string())) << file;
        EXPECT_FALSE(g.GetEmpty()) << file;
    }
}

TEST(FuzzReplay, BmpFindingsFailCleanly) {
    for (const auto& file : FilesIn(kFuzzDir / "regressions" / "bmp")) {
        TPixelGraphic g;
        try {
            g.LoadFromFile(file.string());
        } catch (const std::exception& e) {
            EXPECT_STRNE(e.what(), "") << file;
        }
    }
}

} // namespace
} // namespace pg

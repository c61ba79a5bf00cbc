// The real zephrix program, started with "/AUTO" from a portable folder of its own.
#include "pgraphic/PixelGraphic.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(ZephrixProgram, AutomaticRunInstallsBothLogosAndExits) {
    const fs::path root = fs::temp_directory_path() / ("zephrix-e2e-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "app");
    fs::create_directories(root / "windows");
    const fs::path built = fs::path(ZEPHRIX_PROGRAM).parent_path();
    for (const char* file : {"zephrix", "zephrix.txt", "zephrix.html"})
        fs::copy(built / file, root / "app" / file);
    std::ofstream(root / "windows" / "logow.sys") << "before";

    const std::string command = "WINDIR=" + (root / "windows").string() + " " +
                                (root / "app" / "zephrix").string() + " /auto 2>" +
                                (root / "stderr.txt").string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (const char* logo : {"logow.sys", "logos.sys"}) {
        pg::TPixelGraphic image;
        ASSERT_NO_THROW(image.LoadFromFile((root / "windows" / logo).string())) << logo;
        EXPECT_EQ(image.Width(), 320);
        EXPECT_EQ(image.PaletteCount(), 256);
        EXPECT_EQ(fs::file_size(root / "windows" / logo), 129078u);
    }
    std::ifstream backup(root / "app" / "logow.sys");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "before");
    std::ifstream err(root / "stderr.txt");
    const std::string messages(std::istreambuf_iterator<char>(err), {});
    EXPECT_NE(messages.find("A Backup of your existing logow.sys has been done"), std::string::npos)
        << messages;

    const int window = std::system(((root / "app" / "zephrix").string() + " 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(window), 2);
    fs::remove_all(root);
}

TEST(ZephrixProgram, AnErrorWhileStartingIsReportedAndFailsTheRun) {
    const fs::path root = fs::temp_directory_path() / ("zephrix-e2e-error-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "app");
    fs::create_directories(root / "windows");
    fs::copy(fs::path(ZEPHRIX_PROGRAM), root / "app" / "zephrix");
    std::ofstream(root / "junk.bmp") << "not a picture";
    std::ofstream(root / "app" / "zephrix.INI")
        << "[First Logo]\nBackground=2\nBitmap=" << (root / "junk.bmp").string() << "\n";

    const std::string command = "WINDIR=" + (root / "windows").string() + " " +
                                (root / "app" / "zephrix").string() + " /AUTO 2>" +
                                (root / "stderr.txt").string();
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream err(root / "stderr.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(err), {}),
              "Logo Randomizer: Unknown file format.\n");
    EXPECT_FALSE(fs::exists(root / "windows" / "logow.sys"));
    fs::remove_all(root);
}

} // namespace

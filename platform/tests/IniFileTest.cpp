// Profile files and the per-user settings store: lookups, trimming, cut values, key order, atomic writes.
#include "platform/IniFile.h"

#include "platform/UserSettings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() / ("platform-ini-" + std::to_string(::getpid()));
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }
    std::string File(const std::string& name) const { return (FDir / name).string(); }
    static std::string Contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Put(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    fs::path FDir;
};

TEST_F(IniFileTest, ReadsValuesWithoutRegardToCaseAndTrimsBlanks) {
    Put(File("a.ini"),
        "; comment\r\n[Other]\r\nKey=wrong\r\n [ Settings ] \r\n  Key  =  some value  \r\nEmpty=\r\n");
    const TIniFile ini(File("a.ini"));
    struct Case {
        const char* Section;
        const char* Key;
        const char* Expected;
    };
    for (const Case& c : {Case{"Settings", "Key", "some value"}, Case{"settings", "KEY", "some value"},
                          Case{"Settings", "Empty", ""}, Case{"Settings", "Missing", "dflt"},
                          Case{"Nowhere", "Key", "dflt"}, Case{"Other", "Key", "wrong"}})
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, " dflt "), c.Expected) << c.Section << "/" << c.Key;
    EXPECT_EQ(TIniFile(File("missing.ini")).ReadString("S", "K", "d"), "d");
}

TEST_F(IniFileTest, CutsValuesAt1023Characters) {
    const TIniFile ini(File("long.ini"));
    ini.WriteString("S", "K", std::string(1500, 'x'));
    EXPECT_EQ(ini.ReadString("S", "K", ""), std::string(1023, 'x'));
    Put(File("long.ini"), "[S]\nK=" + std::string(2000, 'y') + "\n");
    EXPECT_EQ(ini.ReadString("S", "K", ""), std::string(1023, 'y'));
}

TEST_F(IniFileTest, NewKeysAppendInWriteOrderAndExistingKeysKeepTheirPlace) {
    Put(File("o.ini"), "; keep me\n[A]\nOne=1\n\n[B]\nX=x\n");
    const TIniFile ini(File("o.ini"));
    ini.WriteString("A", "Two", "2");
    ini.WriteString("a", "one", " first ");
    ini.WriteString("C", "Three", "3");
    ini.WriteString("A", "Four", "4");
    EXPECT_EQ(Contents(File("o.ini")),
              "; keep me\r\n[A]\r\none=first\r\nTwo=2\r\nFour=4\r\n\r\n[B]\r\nX=x\r\n[C]\r\nThree=3\r\n");
}

TEST_F(IniFileTest, WritesReplaceTheFileAndLeaveNoTemporaryBehind) {
    const TIniFile ini(File("r.ini"));
    ini.WriteString("S", "K", "v");
    struct stat before {};
    ASSERT_EQ(::stat(File("r.ini").c_str(), &before), 0);
    ini.WriteString("S", "K", "w");
    struct stat after {};
    ASSERT_EQ(::stat(File("r.ini").c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file is renamed into place, never rewritten in place";
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir), {}), 1);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "w");
}

TEST_F(IniFileTest, WritingIntoAMissingFolderFails) {
    EXPECT_ANY_THROW(TIniFile(File("no/such/folder.ini")).WriteString("S", "K", "v"));
}

TEST_F(IniFileTest, UserSettingsLiveUnderXdgConfigHome) {
    ::setenv("XDG_CONFIG_HOME", File("config").c_str(), 1);
    EXPECT_EQ(GetSetting("App", "Settings", "Key", "7"), "7");
    SaveSetting("App", "Settings", "Key", "12");
    EXPECT_EQ(UserSettingsFile("App"), File("config") + "/App.ini");
    EXPECT_EQ(GetSetting("App", "Settings", "Key", "7"), "12");
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace platform

// Profile files: reading rules, the layout of new and edited files, and failed writes.
#include "platform/ProfileFile.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using test::TTempFolder;

TEST(ProfileFile, NewKeysAreAppendedInWriteOrderAndOldOnesKeepTheirPlace) {
    TTempFolder dir("profile");
    TIniFile ini(dir.File("x.INI"));
    ini.WriteString("General", "TextFile", "zephrix.txt");
    ini.WriteInteger("General", "Only One", 0);
    ini.WriteString("First Logo", "Font", "Arial");
    ini.WriteBool("First Logo", "Bold", false);
    ini.WriteString("General", "Added", "later");
    ini.WriteInteger("general", "only one", 2); // sections and keys match in any case
    EXPECT_EQ(TTempFolder::Read(dir.File("x.INI")),
              "[General]\nTextFile=zephrix.txt\nOnly One=2\nAdded=later\n[First Logo]\nFont=Arial\nBold=0\n");
}

TEST(ProfileFile, ReadsValuesTheWindowsWay) {
    TTempFolder dir("profile");
    const std::string longValue(1500, 'x');
    TTempFolder::Write(dir.File("x.ini"),
                       "; comment\r\n[S]\r\n  Text  =  padded value  \r\nHexA=0xFF\nHexB=$10\n"
                       "HexC=0XfF\nNeg=-12\nBad=12abc\nEmpty=\nBool=2\nZero=0\nHuge=99999999999\n"
                       "Long=" +
                           longValue + "\n[Other]\nText=other\n");
    TIniFile ini(dir.File("x.ini"));
    EXPECT_EQ(ini.ReadString("S", "Text", "d"), "padded value");
    EXPECT_EQ(ini.ReadString("s", "TEXT", "d"), "padded value");
    EXPECT_EQ(ini.ReadString("S", "Missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Nope", "Text", "d"), "d");
    EXPECT_EQ(ini.ReadString("Other", "Text", "d"), "other");
    EXPECT_EQ(ini.ReadString("S", "Empty", "d"), "");
    EXPECT_EQ(ini.ReadString("S", "Long", "").size(), 1023u);
    struct Case {
        const char* key;
        std::int32_t expected;
    };
    const Case integers[] = {{"HexA", 255}, {"HexB", 16},   {"HexC", 255}, {"Neg", -12}, {"Bad", 7},
                             {"Empty", 7},  {"Missing", 7}, {"Text", 7},   {"Huge", 7}};
    for (const auto& c : integers) EXPECT_EQ(ini.ReadInteger("S", c.key, 7), c.expected) << c.key;
    EXPECT_TRUE(ini.ReadBool("S", "Bool", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
    EXPECT_EQ(TIniFile(dir.File("none.ini")).ReadString("S", "Text", "default"), "default");
}

TEST(ProfileFile, HexadecimalKeepsTheTopBit) {
    std::int32_t value = 0;
    EXPECT_TRUE(ParseProfileInteger("0x80000005", value));
    EXPECT_EQ(std::uint32_t(value), 0x80000005u);
    EXPECT_FALSE(ParseProfileInteger("0x", value));
    EXPECT_FALSE(ParseProfileInteger("$", value));
}

TEST(ProfileFile, WindowsCodePageFilesAreReadAsText) {
    TTempFolder dir("profile");
    TTempFolder::Write(dir.File("x.ini"), "[S]\nLine=Caf\xe9 \x80 5\n");
    EXPECT_EQ(TIniFile(dir.File("x.ini")).ReadString("S", "Line", ""), "Caf\xc3\xa9 \xe2\x82\xac 5");
}

TEST(ProfileFile, AFailedWriteSaysWhere) {
    TTempFolder dir("profile");
    TTempFolder::Write(dir.File("plain"), "a file, not a folder");
    std::filesystem::create_directories(dir.File("folder.ini"));
    for (const std::string& file : {dir.File("plain/x.ini"), dir.File("folder.ini")}) {
        TIniFile ini(file);
        try {
            ini.WriteString("S", "B", "2");
            ADD_FAILURE() << "no exception for " << file;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

} // namespace
} // namespace platform

// Text decoding, folders, file operations and desktop-entry shortcuts.
#include "TestFolder.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/ShellLink.h"
#include "platform/TextEncoding.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace platform {
namespace {

using test::TTempFolder;

// Sets an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : FName(name) {
        if (const char* old = std::getenv(name)) FOld = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { FOld.empty() ? ::unsetenv(FName) : ::setenv(FName, FOld.c_str(), 1); }

private:
    const char* FName;
    std::string FOld;
};

TEST(TextEncoding, Utf8StaysAndOtherBytesAreWindows1252) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xc3\xa9", "caf\xc3\xa9"},
        {"caf\xe9", "caf\xc3\xa9"},
        {"\x80\x93", "\xe2\x82\xac\xe2\x80\x9c"},
        {"\xc0\xaf", "\xc3\x80\xc2\xaf"},                 // an overlong form is not UTF-8
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"}, // nor is a surrogate
        {"\xe2\x82", "\xc3\xa2\xe2\x80\x9a"},             // nor a cut sequence
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeText(c.in), c.out) << c.in;
    EXPECT_EQ(Utf8Prefix("a\xc3\xa9z", 2), "a\xc3\xa9");
}

TEST(Folders, WindowsDirectoryComesFromTheEnvironmentAndIsCreated) {
    TTempFolder dir("folders");
    {
        ScopedEnv windir("WINDIR", (dir.Path() + "/win").c_str());
        EXPECT_EQ(WindowsDirectory(), dir.Path() + "/win/");
        EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/win"));
    }
    ScopedEnv windir("WINDIR", nullptr);
    ScopedEnv data("XDG_DATA_HOME", (dir.Path() + "/data").c_str());
    EXPECT_EQ(WindowsDirectory(), dir.Path() + "/data/windows/");
    ScopedEnv config("XDG_CONFIG_HOME", (dir.Path() + "/cfg/").c_str());
    EXPECT_EQ(StartupFolder(), dir.Path() + "/cfg/autostart");
    ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(StartupFolder(), "");
}

TEST(Folders, ProgramPathAndFolders) {
    EXPECT_EQ(ProgramPath().front(), '/');
    EXPECT_EQ(FolderOf("/a/b/c.exe"), "/a/b/");
    EXPECT_EQ(FolderOf("c.exe"), "");
}

TEST(FileSystem, CopyNeverOverwrites) {
    TTempFolder dir("files");
    TTempFolder::Write(dir.File("a"), "first");
    TTempFolder::Write(dir.File("b"), "second");
    EXPECT_FALSE(CopyFileNoOverwrite(dir.File("a"), dir.File("b")));
    EXPECT_EQ(TTempFolder::Read(dir.File("b")), "second");
    EXPECT_TRUE(CopyFileNoOverwrite(dir.File("a"), dir.File("c")));
    EXPECT_EQ(TTempFolder::Read(dir.File("c")), "first");
    EXPECT_FALSE(CopyFileNoOverwrite(dir.File("missing"), dir.File("d")));
    EXPECT_FALSE(FileExists(dir.File("d")));
    EXPECT_TRUE(RenameFile(dir.File("c"), dir.File("b")));
    EXPECT_EQ(TTempFolder::Read(dir.File("b")), "first");
    EXPECT_TRUE(DeleteFile(dir.File("b")));
    EXPECT_FALSE(DeleteFile(dir.File("b")));
    EXPECT_FALSE(FileExists(dir.Path())); // a folder is not a file
}

TEST(ShellLink, WritesADesktopEntryAndReplacesIt) {
    TTempFolder dir("links");
    TLinkData data;
    data.Path = "/opt/my tools/zephrix";
    data.Options = TLinkData::kDescription | TLinkData::kArguments | TLinkData::kShowCmd;
    data.Description = "Shutdown logo randomizer";
    data.Arguments = "/AUTO";
    data.ShowCmd = 7;
    const std::string link = dir.File("autostart/Zephrix.LNK");
    ASSERT_EQ(CreateShellLink(link, data), 0);
    data.Description = "second";
    ASSERT_EQ(CreateShellLink(link, data), 0);
    EXPECT_FALSE(FileExists(link));
    EXPECT_EQ(TTempFolder::Read(dir.File("autostart/Zephrix.desktop")),
              "[Desktop Entry]\nType=Application\nName=Zephrix\nComment=second\n"
              "Exec=\"/opt/my tools/zephrix\" /AUTO\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    EXPECT_LT(CreateShellLink("/proc/no/such/Zephrix.LNK", data), 0);
}

TEST(ShellLink, QuotesWhatTheLauncherWouldInterpret) {
    TLinkData data;
    data.Path = "/a/50%$\"x\\";
    EXPECT_EQ(
        DesktopEntryText("N", data),
        "[Desktop Entry]\nType=Application\nName=N\nExec=\"/a/50%%\\\\$\\\\\"x\\\\\\\\\"\nTerminal=false\n"
        "X-GNOME-Autostart-enabled=true\n");
}

} // namespace
} // namespace platform

// Installing the logos, the one-time backups and the Startup shortcut.
#include "FormFixture.h"
#include "pgraphic/PixelGraphic.h"

namespace zephrix::test {
namespace {

TEST_F(FormTest, InstallsTwoLogoFilesOfTheSystemFormat) {
    TfmZephrix& form = CreatedForm();
    form.InstallLogos();
    for (const char* name : {"logow.sys", "logos.sys"}) {
        const std::string bytes = Read(Win(name));
        ASSERT_EQ(bytes.size(), 129078u) << name;
        pg::TPixelGraphic logo;
        logo.LoadFromFile(Win(name).c_str());
        EXPECT_EQ(logo.Width(), 320);
        EXPECT_EQ(logo.Height(), 400);
        EXPECT_EQ(logo.PixelFormat(), pg::pf8Bit);
        EXPECT_EQ(logo.PaletteCount(), 256);
    }
    EXPECT_FALSE(fs::exists(Win("logow.bmp")));
    EXPECT_FALSE(fs::exists(Win("logos.bmp")));
    EXPECT_EQ(std::distance(fs::directory_iterator(Root / "win"), {}), 2);
}

TEST_F(FormTest, BackupsAreTakenOnceWithTheirMessagesInOrder) {
    Write(Win("logow.sys"), "original w");
    Write(Win("logos.sys"), "original s");
    CreatedForm({"/AUTO"});
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, "A Backup of your existing logow.sys has been done");
    EXPECT_EQ(Boxes[1].Text, "A Backup of your existing logos.sys has been done");
    EXPECT_EQ(Boxes[0].Type, platform::TMsgDlgType::mtInformation);
    ASSERT_TRUE(Boxes[0].Position.has_value());
    EXPECT_EQ(Boxes[0].Position->X, 100);
    EXPECT_EQ(Boxes[0].Position->Y, 80);
    EXPECT_EQ(Read(Prog("logow.sys")), "original w");
    EXPECT_EQ(Read(Win("logow.sys")).size(), 129078u);
    Boxes.clear();
    CreatedForm({"/AUTO"});
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Read(Prog("logos.sys")), "original s");
}

TEST_F(FormTest, AMissingLogoIsNeitherBackedUpNorReported) {
    Write(Win("logow.sys"), "original w");
    CreatedForm({"/AUTO"});
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_FALSE(fs::exists(Prog("logos.sys")));
    EXPECT_TRUE(fs::exists(Win("logos.sys")));
}

TEST_F(FormTest, OneLogoModeReplacesOnlyItsFile) {
    Write(Win("logos.sys"), "kept");
    Write(Prog("zephrix.INI"), "[General]\nOnly One=1\n");
    TfmZephrix& form = CreatedForm();
    form.InstallLogos();
    EXPECT_EQ(Read(Win("logow.sys")).size(), 129078u);
    EXPECT_EQ(Read(Win("logos.sys")), "kept");
}

TEST_F(FormTest, AnUnwritableWindowsFolderIsReportedAndNothingIsLost) {
    Write(Win("logow.sys"), "old w");
    TfmZephrix& form = CreatedForm();
    form.WinDir = Win("logow.sys") + "/"; // not a folder: nothing can be written there
    form.Dispatch([&] { form.InstallLogos(); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "Logo Randomizer");
    EXPECT_EQ(Read(Win("logow.sys")), "old w");
}

TEST_F(FormTest, StartupShortcutIsADesktopEntryStartingTheProgramInAutomaticMode) {
    TfmZephrix& form = CreatedForm();
    Answer = platform::TModalResult::mrNo;
    form.btStart.Click();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(
        Boxes[0].Text,
        "A shortcut to Zephrix will be created in your Startup\r\nGroup. Are you sure you want to continue?");
    EXPECT_FALSE(fs::exists(Root / "config"));
    Answer = platform::TModalResult::mrYes;
    for (int round = 0; round < 2; ++round) {
        Boxes.clear();
        form.btStart.Click();
        ASSERT_EQ(Boxes.size(), 2u);
        EXPECT_EQ(Boxes[1].Text, "A shortcut has been successfully created on the StartUp folder");
    }
    const std::string entry = Read((Root / "config/autostart/Zephrix.desktop").string());
    EXPECT_NE(entry.find("Exec=" + Prog("zephrix") + " /AUTO\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Comment=Shutdown logo randomizer\n"), std::string::npos) << entry;
}

TEST_F(FormTest, NoStartupFolderIsAnError) {
    TfmZephrix& form = CreatedForm();
    ::unsetenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("HOME");
    form.CreateStartupShortcut();
    if (!home.empty()) ::setenv("HOME", home.c_str(), 1);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "ERROR creating a shortcut to Zephrix on the StartUp folder");
    EXPECT_EQ(Boxes[0].Type, platform::TMsgDlgType::mtError);
}

} // namespace
} // namespace zephrix::test

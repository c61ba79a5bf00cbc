// Start-up and the settings file: switch matching, defaults, clamping and the file a save writes.
#include "FormFixture.h"
#include "platform/ProfileFile.h"

namespace zephrix::test {
namespace {

TEST_F(FormTest, OnlyAFirstArgumentOfSlashAutoInAnyCaseSelectsAutomaticMode) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"/AUTO"}, true},  {{"/auto"}, true},       {{"/Auto"}, true}, {{"AUTO"}, false},
        {{"-AUTO"}, false}, {{"x", "/AUTO"}, false}, {{}, false},       {{"/AUTOX"}, false},
    };
    for (const auto& [arguments, automatic] : cases) {
        Terminations = 0;
        CreatedForm(arguments);
        EXPECT_EQ(Terminations, automatic ? 1 : 0) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_EQ(fs::exists(Win("logow.sys")), automatic);
        fs::remove(Win("logow.sys"));
        fs::remove(Win("logos.sys"));
    }
}

TEST_F(FormTest, AFreshSettingsFileHasTheDocumentedLayout) {
    TfmZephrix& form = CreatedForm();
    EXPECT_EQ(form.Pages.ActivePage(), "General");
    EXPECT_FALSE(form.Loading);
    form.SaveSettings();
    const std::string page =
        "Font=Arial\nSize=18\nPosition=1\nTextColor=%TC\nShadowColor=%SC\nEffect=1\nBold=0\n"
        "Italic=0\nColor1=%C1\nColor2=%C2\nColor3=%C3\nBackground=0\nBitmap=\nLine=%L\n";
    auto fill = [&](std::string text, const std::vector<std::pair<std::string, std::string>>& values) {
        for (const auto& [key, value] : values) text.replace(text.find(key), key.size(), value);
        return text;
    };
    const std::string expected = "[General]\nTextFile=zephrix.txt\nOnly One=0\n[First Logo]\n" +
                                 fill(page, {{"%TC", "65280"},
                                             {"%SC", "0"},
                                             {"%C1", "8421376"},
                                             {"%C2", "8421376"},
                                             {"%C3", "32768"},
                                             {"%L", "You can put your own text and colors here"}}) +
                                 "[Last Logo]\n" +
                                 fill(page, {{"%TC", "65535"},
                                             {"%SC", "128"},
                                             {"%C1", "0"},
                                             {"%C2", "8388608"},
                                             {"%C3", "0"},
                                             {"%L", "And here too. See the help file to find out how"}});
    EXPECT_EQ(Read(Prog("zephrix.INI")), expected);
}

TEST_F(FormTest, SettingsAreClampedAndWrittenBackCleaned) {
    Write(Prog("zephrix.INI"),
          "[General]\nOnly One=3\n[First Logo]\nSize=4\nTextColor=0xFF\nBold=2\nPosition=5\n"
          "Effect=-7\nFont=courier new\nLine=" +
              std::string(1500, 'L') +
              "\n[Last Logo]\n"
              "Size=100\nBackground=$1\nFont=No Such Font\nColor2=junk\n");
    TfmZephrix& form = CreatedForm();
    EXPECT_EQ(form.seFirst.Value(), 8);
    EXPECT_EQ(form.seLast.Value(), 72);
    EXPECT_EQ(form.bcFirstFontColor.Color(), 255);
    EXPECT_TRUE(form.cbBoldFirst.Checked());
    EXPECT_EQ(form.rgFirst.ItemIndex(), 2);
    EXPECT_EQ(form.rgFirstEffect.ItemIndex(), -1);
    EXPECT_EQ(form.rgLastBackground.ItemIndex(), 1);
    EXPECT_EQ(form.bcLastColor1.Color(), 8388608);
    EXPECT_EQ(form.FirstFont.SelectedName(), "Courier New");
    EXPECT_EQ(form.LastFont.SelectedName(), "Arial"); // the first font of the list
    EXPECT_EQ(form.edFirst.Text().size(), 1023u);
    EXPECT_FALSE(form.cbOnlyFirst.Checked());
    EXPECT_FALSE(form.cbOnlyLast.Checked());
    form.SaveSettings();
    const platform::TIniFile ini(Prog("zephrix.INI"));
    EXPECT_EQ(ini.ReadString("General", "Only One", ""), "0");
    EXPECT_EQ(ini.ReadString("First Logo", "Size", ""), "8");
    EXPECT_EQ(ini.ReadString("First Logo", "TextColor", ""), "255");
    EXPECT_EQ(ini.ReadString("First Logo", "Bold", ""), "1");
    EXPECT_EQ(ini.ReadString("Last Logo", "Size", ""), "72");
    EXPECT_EQ(ini.ReadString("First Logo", "Font", ""), "Courier New");
}

TEST_F(FormTest, OnlyOneChecksItsBoxAtStartUp) {
    for (int only : {1, 2}) {
        Write(Prog("zephrix.INI"), "[General]\nOnly One=" + std::to_string(only) + "\n");
        TfmZephrix& form = CreatedForm();
        EXPECT_EQ(form.cbOnlyFirst.Checked(), only == 1);
        EXPECT_EQ(form.cbOnlyLast.Checked(), only == 2);
        EXPECT_FALSE(form.rgFirst.Visible());
    }
}

TEST_F(FormTest, AFailedSaveIsReportedAndKeepsTheWindowOpen) {
    TfmZephrix& form = CreatedForm();
    fs::create_directories(Prog("zephrix.INI")); // a folder where the file should be
    form.Dispatch([&] { form.btSaveExit.Click(); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "Logo Randomizer");
    EXPECT_EQ(Boxes[0].Text, "Unable to write to " + Prog("zephrix.INI") + ".");
    EXPECT_EQ(Closes, 0);
}

} // namespace
} // namespace zephrix::test

// Mode dispatch, saver start in its order, the single-instance rule and the exit with its password check.
#include "SaverTestSupport.h"
#include "platform/Cursor.h"
#include "platform/ScreenSaverFlag.h"
#include "platform/SoundPlayer.h"
#include "saver/SoundResource.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(ModeOfCommandLine, OnlyTheFirstTwoCharactersUpperCasedDecide) {
    struct Case {
        const char* Line;
        TMode Mode;
    };
    for (const Case& c :
         {Case{"/s", TMode::Saver}, Case{"/S", TMode::Saver}, Case{"/s 1234", TMode::Saver},
          Case{"/c:1234", TMode::Configuration}, Case{"/C", TMode::Configuration},
          Case{"", TMode::Configuration}, Case{"-s", TMode::Configuration}, Case{"/x", TMode::Configuration},
          Case{"/", TMode::Configuration}, Case{"/p 1234", TMode::Preview}, Case{"/P1234", TMode::Preview},
          Case{"/a 99", TMode::PasswordChange}, Case{" /s", TMode::Configuration}})
        EXPECT_EQ(ModeOfCommandLine(c.Line), c.Mode) << '"' << c.Line << '"';
}

class GlobalTest : public test::SettingsFixture {
protected:
    void TearDown() override {
        StopSound();
        platform::SetScreenSaverRunning(false);
        while (platform::CursorDisplayCount() < 0) platform::ShowCursor(true);
        while (platform::CursorDisplayCount() > 0) platform::ShowCursor(false);
        SettingsFixture::TearDown();
    }
    test::TRecordingHost FHost;
};

TEST_F(GlobalTest, MainDispatchesEveryMode) {
    TGlobal global(FHost);
    global.Main("/c:1234");
    global.Main("/p 77");
    global.Main("/A 5");
    global.Main("");
    EXPECT_EQ(FHost.Calls, (std::vector<std::string>{"Configuration /c:1234", "Preview /p 77",
                                                     "Password /A 5", "Configuration "}));
}

TEST_F(GlobalTest, SecondSaverStartEndsAtOnceWithoutSound) {
    FHost.SaverWindowExists = true;
    TGlobal global(FHost);
    global.Main("/S");
    EXPECT_EQ(FHost.Calls, (std::vector<std::string>{"FindWindow Screen Saver Main Form"}));
    EXPECT_EQ(global.ScreenSave(), nullptr);
    EXPECT_FALSE(platform::IsSoundPlaying());
    EXPECT_FALSE(platform::IsScreenSaverRunning());
}

TEST_F(GlobalTest, SaverStartWithDefaultsPlaysHidesMarksAndCapturesTheDesktop) {
    TGlobal global(FHost);
    global.Main("/s");
    ASSERT_NE(global.ScreenSave(), nullptr);
    EXPECT_EQ(global.IsWin9x, std::optional<bool>(false)) << "Linux reports the NT family";
    EXPECT_TRUE(platform::IsSoundPlaying());
    EXPECT_TRUE(platform::IsScreenSaverRunning());
    EXPECT_LT(platform::CursorDisplayCount(), 0);
    EXPECT_EQ(global.BackgroundMode, 0);
    auto& form = *global.ScreenSave();
    EXPECT_TRUE(form.Visible());
    form.AnimationTick();
    EXPECT_EQ(form.Image().Pixel(319, 0), 0xFF336699u) << "the desktop shows behind the sprites";
}

TEST_F(GlobalTest, SettingsChangeSoundAndBackground) {
    struct Case {
        const char* Audio;
        const char* BG;
        bool Sound;
        std::int16_t Mode;
        std::uint32_t CornerPixel; // a corner no sprite covers on the first tick
    };
    const Case cases[] = {
        {"2", "7", false, 7, ColorToPixel(ButtonFaceColor)},
        {"01", "1", true, 1, 0xFFFF0000u},
        {"true", "1.5", false, 2, 0xFFFFFFFFu},
        {"1.0", "abc", true, 0, 0xFF336699u},
    };
    for (const Case& c : cases) {
        WriteSetting(Setting::Audio, c.Audio);
        WriteSetting(Setting::BG, c.BG);
        WriteSetting(Setting::BG_Color, "255");
        WriteSetting(Setting::Bopplers, "0");
        TGlobal global(FHost);
        global.Main("/S");
        EXPECT_EQ(platform::IsSoundPlaying(), c.Sound) << "Audio " << c.Audio;
        EXPECT_EQ(global.BackgroundMode, c.Mode) << "BG " << c.BG;
        global.ScreenSave()->AnimationTick();
        EXPECT_EQ(global.ScreenSave()->Image().Pixel(0, 0), c.CornerPixel) << "BG " << c.BG;
        StopSound();
    }
}

TEST_F(GlobalTest, ExitOnTheNtFamilyNeedsNoPassword) {
    TGlobal global(FHost);
    global.Main("/S");
    global.ScreenSave()->KeyDown();
    EXPECT_EQ(FHost.Verifier.Calls, 0);
    EXPECT_EQ(FHost.Ends, 1);
    EXPECT_GT(platform::CursorDisplayCount(), 0);
    EXPECT_FALSE(platform::IsScreenSaverRunning());
    EXPECT_FALSE(platform::IsSoundPlaying());
}

TEST_F(GlobalTest, PasswordRefusedKeepsTheSaverRunningAndAcceptedEndsIt) {
    TGlobal global(FHost);
    global.Main("/S");
    global.CheckPlatform(1);
    ASSERT_EQ(global.IsWin9x, std::optional<bool>(true));
    FHost.Verifier.Accept = false;
    global.ScreenSave()->KeyDown();
    EXPECT_EQ(FHost.Verifier.Calls, 1);
    EXPECT_EQ(FHost.Ends, 0);
    EXPECT_LT(platform::CursorDisplayCount(), 0) << "the pointer is hidden again";
    EXPECT_TRUE(platform::IsSoundPlaying());
    EXPECT_TRUE(platform::IsScreenSaverRunning());

    FHost.Verifier.Accept = true;
    global.ScreenSave()->KeyDown();
    EXPECT_EQ(FHost.Verifier.Calls, 2);
    EXPECT_EQ(FHost.Ends, 1);
    EXPECT_FALSE(platform::IsSoundPlaying());
}

TEST_F(GlobalTest, CheckPlatformLeavesUnknownFamiliesUnset) {
    TGlobal global(FHost);
    global.CheckPlatform(0);
    EXPECT_FALSE(global.IsWin9x);
    global.CheckPlatform(2);
    EXPECT_EQ(global.IsWin9x, std::optional<bool>(false));
    global.CheckPlatform(3);
    EXPECT_EQ(global.IsWin9x, std::optional<bool>(false));
}

} // namespace
} // namespace saver

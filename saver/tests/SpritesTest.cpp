// Sprite placement, movement with the wrap rules, auto-populate, drawing and the mouse rules.
#include "saver/Sprites.h"

#include "SaverTestSupport.h"
#include "saver/ScreenSave.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

using test::TFixedClock;
using test::TScriptedRandom;

TEST(SpritePlacement, KindsRunOneTwoThreeZeroAndOneMoreThanTheCount) {
    TScriptedRandom random({0.5});
    const auto sprites = PlaceSprites(5, 800, 600, random);
    ASSERT_EQ(sprites.size(), 6u);
    const std::int16_t kinds[] = {1, 2, 3, 0, 1, 2};
    for (std::size_t i = 0; i < sprites.size(); ++i) EXPECT_EQ(sprites[i].Kind, kinds[i]) << i;
}

TEST(SpritePlacement, RandomNumbersMapOntoTheFullRanges) {
    struct Case {
        double R;
        SpriteState Expected; // Kind, DX, DY, X, Y, Frame of sprite 0 (kind 1, 8 frames)
    };
    for (const Case& c : {Case{0.0, {1, -3, -3, 0, 0, 1}}, Case{0.999999, {1, 3, 3, 800, 600, 8}},
                          Case{0.5, {1, 0, 0, 400, 300, 5}}, Case{0.25, {1, -2, -2, 200, 150, 3}}}) {
        TScriptedRandom random({c.R});
        EXPECT_EQ(PlaceSprites(0, 800, 600, random)[0], c.Expected) << "r = " << c.R;
    }
    TScriptedRandom ordered({0.1, 0.2, 0.3, 0.4, 0.9});
    EXPECT_EQ(PlaceSprites(0, 800, 600, ordered)[0], (SpriteState{1, -1, -1, 80, 120, 8}))
        << "r1 X, r2 Y, r3 DX, r4 DY, r5 Frame";
}

TEST(SpritePlacement, FractionalAndNegativeCounts) {
    TScriptedRandom random({0.5});
    EXPECT_EQ(PlaceSprites(2.5, 800, 600, random).size(), 3u) << "2.5 rounds to 2";
    const auto sprites = PlaceSprites(2.6, 800, 600, random);
    ASSERT_EQ(sprites.size(), 4u);
    EXPECT_EQ(sprites[3].Frame, 0) << "index 3 is above 2.6 and stays unplaced";
    EXPECT_TRUE(PlaceSprites(-4, 800, 600, random).empty());
}

TEST(SpriteMovement, WrapRulesInTheirOrder) {
    struct Case {
        const char* Name;
        SpriteState Before;
        SpriteState After;
    };
    const Case cases[] = {
        {"left past a full frame", {0, -3, 0, -35, 10, 1}, {0, -3, 0, 800, 10, 2}},
        {"left within a frame stays", {0, -3, 0, -31, 10, 5}, {0, -3, 0, -34, 10, 1}},
        {"right edge", {1, 2, 0, 800, 10, 8}, {1, 2, 0, -60, 10, 1}},
        {"exactly at the right edge stays", {1, 2, 0, 798, 10, 3}, {1, 2, 0, 800, 10, 4}},
        {"down", {2, 0, 3, 5, 599, 23}, {2, 0, 3, 5, -70, 1}},
        {"up", {3, 0, -3, 5, -73, 6}, {3, 0, -3, 5, 600, 1}},
        {"both axes", {3, -1, -2, -53, -74, 2}, {3, -1, -2, 800, 600, 3}},
        {"standing still", {1, 0, 0, 100, 100, 7}, {1, 0, 0, 100, 100, 8}},
    };
    for (const Case& c : cases) {
        SpriteState s = c.Before;
        AdvanceSprite(s, 800, 600);
        EXPECT_EQ(s, c.After) << c.Name;
    }
}

class ScreenSaveTest : public test::SettingsFixture {
protected:
    TfrmScreenSave Make(int width = 200, int height = 150) {
        return TfrmScreenSave(width, height, LoadSpriteSheets(), FRandom, FClock);
    }
    TScriptedRandom FRandom{{0.13, 0.71, 0.05, 0.93, 0.42, 0.88, 0.27, 0.64, 0.51, 0.36, 0.02, 0.99}};
    TFixedClock FClock;
};

TEST_F(ScreenSaveTest, DefaultsGiveFiftyOneSpritesAndFiftyDrawn) {
    auto form = Make();
    form.Load(0);
    EXPECT_EQ(form.Sprites().size(), 51u);
    EXPECT_EQ(form.SpriteCount(), 50);
    EXPECT_FALSE(form.PopulateTimerEnabled());
    EXPECT_FALSE(form.ClockLabel().Visible);
    EXPECT_EQ(form.ScreenWidthPx(), 200);
    EXPECT_EQ(form.ScreenHeightPx(), 150);
    const auto last = form.Sprites()[50];
    form.AnimationTick();
    EXPECT_EQ(form.Sprites()[50], last) << "sprite 50 is not drawn, so it does not move";
    EXPECT_NE(form.Sprites()[49].Frame, 0);
}

TEST_F(ScreenSaveTest, OneBopplerIsOneSpriteOfKindOne) {
    WriteSetting(Setting::Bopplers, "1");
    auto form = Make();
    form.Load(1);
    form.SetBackgroundColor(0);
    ASSERT_EQ(form.Sprites()[0].Kind, 1);
    form.Sprites()[0] = {1, 0, 0, 10, 20, 1};
    form.AnimationTick();
    std::size_t opaque = 0;
    for (std::uint32_t p : form.Image().Pixels()) opaque += p != 0xFF000000u;
    EXPECT_GT(opaque, 300u) << "one 60 x 70 Boppler shows on black";
    TFrameBuffer outside = form.Image();
    outside.Blit(10, 20, TFrameBuffer(60, 70, 0xFF000000u), {0, 0, 60, 70}, TRasterOp::SrcCopy);
    EXPECT_EQ(outside, TFrameBuffer(200, 150, 0xFF000000u)) << "nothing outside its frame";
}

TEST_F(ScreenSaveTest, ZeroBopplersDrawOnlyTheBackground) {
    WriteSetting(Setting::Bopplers, "0");
    auto form = Make();
    form.Load(1);
    form.SetBackgroundColor(255);
    form.AnimationTick();
    EXPECT_EQ(form.Image(), TFrameBuffer(200, 150, 0xFFFF0000u)) << "BG_Color 255 is pure red";
}

TEST_F(ScreenSaveTest, AutoPopulateCyclesTheCount) {
    struct Case {
        const char* Count;
        std::vector<double> Sequence; // SpriteCount after each populate tick
    };
    for (const Case& c : {Case{"3", {2, 3, 1, 2, 3, 1}}, Case{"0", {1, 1, 1}}, Case{"1", {1, 1}}}) {
        WriteSetting(Setting::Bopplers, c.Count);
        WriteSetting(Setting::AutoPop, "1");
        auto form = Make();
        form.Load(0);
        EXPECT_TRUE(form.PopulateTimerEnabled());
        EXPECT_EQ(form.SpriteCount(), 1);
        EXPECT_EQ(form.MaxSprites(), std::stoi(c.Count));
        for (double expected : c.Sequence) {
            form.PopulateTick();
            EXPECT_EQ(form.SpriteCount(), expected) << "Bopplers " << c.Count;
        }
    }
}

// Draws what a tick must show: the background, then every drawn sprite through its mask.
TFrameBuffer FullRedraw(const TFrameBuffer& background, const std::vector<SpriteState>& sprites, double count,
                        const TSpriteSheets& sheets) {
    TFrameBuffer image = background;
    for (std::size_t i = 0; i < sprites.size() && double(i) <= count - 1; ++i) {
        const auto& s = sprites[i];
        image.Blit(s.X, s.Y, sheets[std::size_t(s.Kind)].Mask, FrameRect(s), TRasterOp::SrcAnd);
        image.Blit(s.X, s.Y, sheets[std::size_t(s.Kind)].Sprite, FrameRect(s), TRasterOp::SrcPaint);
    }
    return image;
}

TEST_F(ScreenSaveTest, EveryTickEqualsAFullRedrawOnEachBackground) {
    WriteSetting(Setting::Bopplers, "12");
    WriteSetting(Setting::BG_ColorStart, "255");
    WriteSetting(Setting::BG_ColorEnd, "16711680");
    const auto sheets = LoadSpriteSheets();
    for (const std::int16_t mode : std::initializer_list<std::int16_t>{0, 1, 2, 7}) {
        auto form = Make(120, 90); // small, so sprites wrap often
        form.Load(mode);
        TFrameBuffer desktop(100, 80, 0xFF123456u); // smaller than the screen: the rest is button face
        desktop.SetPixel(3, 4, 0xFFABCDEFu);
        TFrameBuffer background(120, 90, ColorToPixel(ButtonFaceColor));
        if (mode == 0) {
            form.SetBackgroundPicture(WrapBitmapAsPicture(desktop, std::nullopt));
            background.Blit(0, 0, desktop, {0, 0, 100, 80}, TRasterOp::SrcCopy);
        } else if (mode == 1) {
            form.SetBackgroundColor(0x00FF00);
            background.Fill(0xFF00FF00u);
        } else if (mode == 2) {
            form.SetBackgroundPicture(WrapBitmapAsPicture(desktop, std::nullopt));
            DrawGradient(background, ColorToRGB(255), ColorToRGB(16711680));
        }
        for (int tick = 0; tick < 80; ++tick) {
            const auto before = form.Sprites();
            form.AnimationTick();
            ASSERT_EQ(form.Image(), FullRedraw(background, before, form.SpriteCount(), sheets))
                << "mode " << mode << " tick " << tick;
        }
    }
}

TEST_F(ScreenSaveTest, ClockLabelSitsAHundredTwipsFromTheCornerAndFollowsTheTime) {
    WriteSetting(Setting::Clock, "1");
    auto form = Make(1920, 1080);
    form.Load(0);
    const TClockLabel& label = form.ClockLabel();
    EXPECT_TRUE(label.Visible);
    EXPECT_EQ(label.Text, "3:07:09 PM");
    // 1920 x 1080 pixels are 28800 x 16200 twips: left 27185, top 15785 twips.
    EXPECT_EQ(label.BoundsPx, (TRect{1812, 1052, 101, 21}));
    ASSERT_EQ(label.Image.Width(), 101);
    ASSERT_EQ(label.Image.Height(), 21);
    EXPECT_EQ(label.Image.Pixel(0, 0), 0xFF000000u) << "single border";
    EXPECT_EQ(label.Image.Pixel(100, 20), 0xFF000000u);
    EXPECT_EQ(label.Image.Pixel(2, 10), 0xFFC0C0C0u) << "control colour left of the centred text";
    std::size_t ink = 0;
    for (int y = 1; y < 20; ++y)
        for (int x = 1; x < 100; ++x) ink += label.Image.Pixel(x, y) != 0xFFC0C0C0u;
    EXPECT_GT(ink, 80u) << "the time is written in the label";

    const TFrameBuffer before = label.Image;
    FClock.Time = {0, 0, 1};
    form.AnimationTick();
    EXPECT_EQ(form.ClockLabel().Text, "12:00:01 AM");
    EXPECT_NE(form.ClockLabel().Image, before);
}

TEST(ClockText, TwelveHourTextWithoutLeadingZero) {
    struct Case {
        TLocalTime Time;
        const char* Text;
    };
    for (const Case& c :
         {Case{{15, 7, 9}, "3:07:09 PM"}, Case{{0, 0, 0}, "12:00:00 AM"}, Case{{12, 0, 0}, "12:00:00 PM"},
          Case{{11, 59, 59}, "11:59:59 AM"}, Case{{23, 5, 0}, "11:05:00 PM"}, Case{{1, 0, 0}, "1:00:00 AM"}})
        EXPECT_EQ(ClockText(c.Time), c.Text);
}

class MouseRules : public ScreenSaveTest {
protected:
    int FExits = 0;
    TfrmScreenSave Loaded(std::int16_t mode) {
        auto form = Make();
        form.Load(mode);
        form.OnRequestExit = [this] { ++FExits; };
        return form;
    }
};

TEST_F(MouseRules, JumpsBetweenConsecutiveEventsInTheCurrentUnit) {
    struct Step {
        double X, Y;
        int ExitsSoFar;
    };
    struct Case {
        const char* Name;
        std::vector<Step> Steps;
    };
    const Case cases[] = {
        {"first event only records", {{5000, 5000, 0}, {5100, 5100, 0}}},
        {"200 is no jump, 201 is", {{1000, 1000, 0}, {1200, 1000, 0}, {999, 1000, 1}}},
        {"vertical too", {{1000, 1000, 0}, {1000, 800, 0}, {1000, 1001, 1}}},
        {"slow walk never ends", {{100, 100, 0}, {300, 300, 0}, {500, 500, 0}, {700, 700, 0}}},
        {"rest at (0, 0) counts as first again", {{300, 300, 0}, {150, 150, 0}, {0, 0, 0}, {900, 900, 0}}},
        {"rounded half to even", {{1000, 1000, 0}, {1200.5, 1000, 0}, {1400.5, 1000, 0}, {1601.5, 1000, 1}}},
    };
    for (const Case& c : cases) {
        FExits = 0;
        auto form = Loaded(0);
        for (const Step& s : c.Steps) {
            form.MouseMove(s.X, s.Y);
            EXPECT_EQ(FExits, s.ExitsSoFar) << c.Name << " at " << s.X << "," << s.Y;
        }
    }
}

TEST_F(MouseRules, FourteenPixelsEndTheDesktopSaverButNotTheGradient) {
    auto desktop = Loaded(0);
    EXPECT_FALSE(desktop.PixelUnits());
    desktop.MouseMoveAtPixel(50, 50);
    desktop.MouseMoveAtPixel(64, 50); // 210 twips
    EXPECT_EQ(FExits, 1);
    EXPECT_EQ(desktop.LastX(), 960);

    FExits = 0;
    auto gradient = Loaded(2);
    gradient.AnimationTick(); // the first gradient switches the window to pixels
    EXPECT_TRUE(gradient.PixelUnits());
    gradient.MouseMoveAtPixel(50, 50);
    gradient.MouseMoveAtPixel(64, 50);
    gradient.MouseMoveAtPixel(264, 50);
    EXPECT_EQ(FExits, 0);
    gradient.MouseMoveAtPixel(465, 50);
    EXPECT_EQ(FExits, 1);
}

TEST_F(MouseRules, AnyKeyRequestsExit) {
    auto form = Loaded(1);
    form.KeyDown();
    EXPECT_EQ(FExits, 1);
}

} // namespace
} // namespace saver

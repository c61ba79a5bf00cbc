// The saver window's events. Each tick first repairs the rectangles the previous tick drew on, from
// the background it keeps, and then draws the sprites again: the result equals a full redraw.
#include "saver/ScreenSave.h"

#include "saver/Settings.h"
#include "saver/SettingsText.h"

#include <cmath>

namespace saver {

TfrmScreenSave::TfrmScreenSave(int screenWidthPx, int screenHeightPx, TSpriteSheets sheets,
                               TRandomSource& random, TClockSource& clock)
    : FScreenWidthTwips(screenWidthPx * TwipsPerPixel), FScreenHeightTwips(screenHeightPx * TwipsPerPixel),
      FScreenWidthPx(0), FScreenHeightPx(0), FSheets(std::move(sheets)), FRandom(random), FClock(clock),
      FImage(screenWidthPx, screenHeightPx, ColorToPixel(ButtonFaceColor)) {}

void TfrmScreenSave::Load(std::int16_t backgroundMode) {
    FBackgroundMode = backgroundMode;
    if (FBackgroundMode == 2) {
        FGradientStart = ColorToRGB(RoundToInt32(ReadSettingNumber(Setting::BG_ColorStart)));
        FGradientEnd = ColorToRGB(RoundToInt32(ReadSettingNumber(Setting::BG_ColorEnd)));
    }
    FSpriteCount = ReadSettingNumber(Setting::Bopplers);
    FAutoPopulate = IsSwitchOn(ReadSetting(Setting::AutoPop));
    FScreenWidthPx = std::floor(double(FScreenWidthTwips) / TwipsPerPixel);
    FScreenHeightPx = FScreenHeightTwips / TwipsPerPixel;
    FSprites = PlaceSprites(FSpriteCount, FScreenWidthPx, FScreenHeightPx, FRandom);
    if (FAutoPopulate) {
        FPopulateTimerEnabled = true;
        FMaxSprites = RoundToInt16(FSpriteCount);
        FSpriteCount = 1;
    }

    FShowClock = IsSwitchOn(ReadSetting(Setting::Clock));
    if (FShowClock) {
        const int top = FScreenHeightTwips - TClockLabel::HeightTwips - TClockLabel::EdgeTwips;
        const int left = FScreenWidthTwips - TClockLabel::WidthTwips - TClockLabel::EdgeTwips;
        const auto px = [](int twips) {
            return static_cast<int>(std::lround(double(twips) / TwipsPerPixel));
        };
        FClockLabel.BoundsPx = {px(left), px(top), px(TClockLabel::WidthTwips), px(TClockLabel::HeightTwips)};
        ShowTime();
    }
    FClockLabel.Visible = FShowClock;
    FVisible = true;
}

void TfrmScreenSave::SetBackgroundPicture(std::shared_ptr<const TPicture> picture) {
    FPicture = std::move(picture);
    FBackgroundStale = true;
}

void TfrmScreenSave::SetBackgroundColor(std::int32_t color) {
    FBackgroundColor = color;
    FBackgroundStale = true;
}

void TfrmScreenSave::RebuildBackground() {
    FBackground = TFrameBuffer(FImage.Width(), FImage.Height(), ColorToPixel(FBackgroundColor));
    if (FBackgroundMode == 2) {
        FPixelUnits = true; // the gradient is drawn in pixels, and mouse positions follow
        DrawGradient(FBackground, FGradientStart, FGradientEnd);
    } else if (FPicture) {
        const TFrameBuffer& bitmap = FPicture->Bitmap();
        FBackground.Blit(0, 0, bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, TRasterOp::SrcCopy);
    }
    FBackgroundStale = false;
}

void TfrmScreenSave::DrawSprites(std::vector<TRect>& changed) {
    for (std::size_t i = 0; i < FSprites.size() && double(i) <= FSpriteCount - 1; ++i) {
        SpriteState& s = FSprites[i];
        const TSpriteSheet& sheet = FSheets[std::size_t(s.Kind)];
        const TRect frame = FrameRect(s);
        FImage.Blit(s.X, s.Y, sheet.Mask, frame, TRasterOp::SrcAnd);
        const TRect drawn = FImage.Blit(s.X, s.Y, sheet.Sprite, frame, TRasterOp::SrcPaint);
        if (!drawn.IsEmpty()) {
            FDrawn.push_back(drawn);
            changed.push_back(drawn);
        }
        AdvanceSprite(s, FScreenWidthPx, FScreenHeightPx);
    }
}

std::vector<TRect> TfrmScreenSave::AnimationTick() {
    std::vector<TRect> changed;
    if (FBackgroundStale) {
        RebuildBackground();
        FImage = FBackground;
        changed.push_back({0, 0, FImage.Width(), FImage.Height()});
    } else {
        for (const TRect& r : FDrawn) FImage.Blit(r.Left, r.Top, FBackground, r, TRasterOp::SrcCopy);
        changed = FDrawn;
    }
    FDrawn.clear();
    DrawSprites(changed);
    if (FShowClock) ShowTime();
    return changed;
}

void TfrmScreenSave::ShowTime() {
    std::string text = ClockText(FClock.Now());
    if (text == FClockLabel.Text && FClockLabel.Image.Width() == FClockLabel.BoundsPx.Width) return;
    FClockLabel.Text = std::move(text);
    RenderClockLabel(FClockLabel); // once a second, not once a tick
}

void TfrmScreenSave::PopulateTick() {
    FSpriteCount = FSpriteCount + 1;
    if (FSpriteCount > FMaxSprites) FSpriteCount = 1;
}

void TfrmScreenSave::KeyDown() {
    if (OnRequestExit) OnRequestExit();
}

void TfrmScreenSave::MouseMoveAtPixel(int x, int y) {
    const double scale = FPixelUnits ? 1.0 : TwipsPerPixel;
    MouseMove(x * scale, y * scale);
}

void TfrmScreenSave::MouseMove(double x, double y) {
    const int cx = RoundToInt32(x);
    const int cy = RoundToInt32(y);
    if (FLastX == 0 && FLastY == 0) {
        FLastX = cx;
        FLastY = cy;
        return;
    }
    if (cx > FLastX + 200 || cx < FLastX - 200 || cy > FLastY + 200 || cy < FLastY - 200) {
        if (OnRequestExit) OnRequestExit();
    }
    FLastX = cx;
    FLastY = cy;
}

} // namespace saver

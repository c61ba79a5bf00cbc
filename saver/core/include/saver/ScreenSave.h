// frm_ScreenSave, the full-screen saver window, as a model: its persistent off-screen image, the
// background, the dancing sprites, the clock label, and the load, timer, key and mouse events.
// The GUI shows Image() and ClockLabel() and forwards its timers and input here.
#pragma once

#include "saver/Clock.h"
#include "saver/ClockLabel.h"
#include "saver/FrameBuffer.h"
#include "saver/Gradient.h"
#include "saver/Random.h"
#include "saver/ScreenCapture.h"
#include "saver/Sprites.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace saver {

inline constexpr int TwipsPerPixel = 15;
// The system colour of button faces: the window's own background when no other is set.
inline constexpr std::int32_t ButtonFaceColor = 0xC0C0C0;

class TfrmScreenSave {
public:
    static constexpr const char* Caption = "Screen Saver Main Form";
    static constexpr int AnimationInterval = 1; // milliseconds
    static constexpr int PopulateInterval = 10000;

    TfrmScreenSave(int screenWidthPx, int screenHeightPx, TSpriteSheets sheets, TRandomSource& random,
                   TClockSource& clock);

    // The load handler: reads the settings, places the sprites and sets up the clock.
    // `backgroundMode` is the program-wide mode chosen at saver start.
    void Load(std::int16_t backgroundMode);
    void SetBackgroundPicture(std::shared_ptr<const TPicture> picture);
    void SetBackgroundColor(std::int32_t color);

    // tmr_Animation: one frame. Returns the rectangles of the image that changed.
    std::vector<TRect> AnimationTick();
    // tmr_Populate: one more sprite, back to one after the limit.
    void PopulateTick();

    void KeyDown();
    // Mouse position in the window's current unit (see PixelUnits).
    void MouseMove(double x, double y);
    // Mouse position in pixels, as the display reports it; passed on in the current unit.
    void MouseMoveAtPixel(int x, int y);
    // Called on a key press or a mouse jump; Global connects its RequestExit here.
    std::function<void()> OnRequestExit;

    // Twips until the gradient switches the window to pixels.
    bool PixelUnits() const { return FPixelUnits; }
    bool Visible() const { return FVisible; }
    bool PopulateTimerEnabled() const { return FPopulateTimerEnabled; }
    const TFrameBuffer& Image() const { return FImage; }
    const TClockLabel& ClockLabel() const { return FClockLabel; }
    const std::vector<SpriteState>& Sprites() const { return FSprites; }
    std::vector<SpriteState>& Sprites() { return FSprites; }
    double SpriteCount() const { return FSpriteCount; }
    std::int16_t MaxSprites() const { return FMaxSprites; }
    double ScreenWidthPx() const { return FScreenWidthPx; }
    std::int32_t ScreenHeightPx() const { return FScreenHeightPx; }
    int LastX() const { return FLastX; }
    int LastY() const { return FLastY; }

private:
    void RebuildBackground();
    void DrawSprites(std::vector<TRect>& changed);
    void ShowTime();

    int FScreenWidthTwips;
    int FScreenHeightTwips;
    double FScreenWidthPx;
    std::int32_t FScreenHeightPx;
    TSpriteSheets FSheets;
    TRandomSource& FRandom;
    TClockSource& FClock;

    std::int16_t FBackgroundMode = 0;
    RGBTriple FGradientStart;
    RGBTriple FGradientEnd;
    std::shared_ptr<const TPicture> FPicture;
    std::int32_t FBackgroundColor = ButtonFaceColor;

    // What clearing the window's run-time drawing brings back; the sprites of the last tick are
    // repaired from it, so a tick touches only what moved.
    TFrameBuffer FBackground;
    TFrameBuffer FImage;
    bool FBackgroundStale = true;
    std::vector<TRect> FDrawn;

    std::vector<SpriteState> FSprites;
    double FSpriteCount = 0;
    std::int16_t FMaxSprites = 0;
    bool FAutoPopulate = false;
    bool FPopulateTimerEnabled = false;
    bool FShowClock = false;
    bool FPixelUnits = false;
    bool FVisible = false;
    TClockLabel FClockLabel;
    int FLastX = 0;
    int FLastY = 0;
};

} // namespace saver

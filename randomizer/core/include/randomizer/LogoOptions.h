// What one background and one logo's text need to be painted, filled fresh for every composition.
#pragma once

#include "randomizer/Controls.h"

#include <functional>
#include <string>

namespace pg {
class TPixelGraphic;
}

namespace zephrix {

struct TBackOptions {
    pg::TPixelGraphic* Image = nullptr;
    TColor Color1 = 0; // the single colour, or the gradient's colour at the top
    TColor Color2 = 0; // the gradient's colour towards the bottom
    std::string Bitmap;
    int Kind = 0; // 0 single colour, 1 gradient, 2 picture file
};

struct TFontOptions {
    std::string Name;
    int Size = 0; // points
    TColor Color = 0;
    bool Bold = false;
    bool Italic = false;
};

struct TLogoOptions {
    pg::TPixelGraphic* Image = nullptr;
    TFontOptions Font1;
    TFontOptions Font2;
    std::string Text1;
    std::string Text2;
    TColor Shadow1 = 0;
    TColor Shadow2 = 0;
    int Position = 0; // one text: 0 top, 1 centre, 2 bottom
    int Effect1 = 0;  // 0 nothing, 1 shadow, 2 3D
    int Effect2 = 0;
    int Count = 1;
};

// The outcome of fitting a logo's texts into their room.
struct TFittedTexts {
    int Size1 = 0;
    int Size2 = 0;
    int Height1 = 0;
    int Height2 = 0;
    int Top = 0; // top of the first text
};

using TMeasureText = std::function<int(const TFontOptions& font, const std::string& text)>;

// Lowers the font sizes one point at a time (both together for two texts) until the measured
// heights fit, but not below 1 point, and places the first text.
TFittedTexts FitTexts(const TLogoOptions& options, const TMeasureText& measure);

} // namespace zephrix

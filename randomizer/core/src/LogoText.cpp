// TfmZephrix: measuring and drawing a logo's text with its effect.
#include "pgraphic/Canvas.h"
#include "randomizer/MainForm.h"
#include "randomizer/SystemColors.h"

namespace zephrix {
namespace {

constexpr unsigned kLayoutFlags = platform::DT_WORDBREAK | platform::DT_CENTER | platform::DT_NOPREFIX;

void SetFont(pg::TPGCanvas& canvas, const TFontOptions& font) {
    canvas.Font.Name = font.Name;
    canvas.Font.Size = font.Size;
    canvas.Font.Bold = font.Bold;
    canvas.Font.Italic = font.Italic;
    canvas.BrushStyle = pg::TPGCanvas::bsClear;
}

} // namespace

int TfmZephrix::MeasureText(pg::TPixelGraphic& Image, const TFontOptions& Font,
                            const std::string& Text) const {
    pg::TPGCanvas& canvas = Image.Canvas();
    SetFont(canvas, Font);
    platform::TTextRect rect{20, 0, 620, 400};
    canvas.DrawText(Text, rect, kLayoutFlags | platform::DT_CALCRECT);
    return rect.Bottom - rect.Top;
}

void TfmZephrix::DrawLogoText(pg::TPixelGraphic& Image, const TFontOptions& Font, TColor ShadowColor, int Top,
                              int Effect, const std::string& Text) const {
    pg::TPGCanvas& canvas = Image.Canvas();
    SetFont(canvas, Font);
    auto draw = [&](pg::TRGB color, int dx, int dy) {
        canvas.Font.Color = color;
        platform::TTextRect rect{20 + dx, Top + dy, 620 + dx, 400};
        canvas.DrawText(Text, rect, kLayoutFlags);
    };
    switch (Effect) {
    case 0:
        draw(ColorToRGB(Font.Color), 0, 0);
        break;
    case 1:
        draw(ColorToRGB(ShadowColor), 2, 2);
        draw(ColorToRGB(Font.Color), 0, 0);
        break;
    case 2:
        draw(ShadeColor(Font.Color, 80), -1, -1);
        draw(ShadeColor(Font.Color, -80), 1, 1);
        draw(ColorToRGB(Font.Color), 0, 0);
        break;
    default:
        break; // no effect selected: nothing is drawn
    }
}

} // namespace zephrix

// TPGCanvas: text drawn straight into an image's pixels.
#include "pgraphic/Canvas.h"

#include "pgraphic/PixelGraphic.h"
#include "platform/Fonts.h"

namespace pg {
namespace {

bool SameFont(const TPGCanvas::TFont& a, const TPGCanvas::TFont& b) {
    return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic;
}

std::uint8_t Blend(int text, int pixel, int coverage) {
    return std::uint8_t((text * coverage + pixel * (255 - coverage) + 127) / 255);
}

} // namespace

platform::TFontFace& TPGCanvas::Face() {
    if (!FFace || !SameFont(FFaceFont, Font)) {
        FFace = platform::OpenFont({Font.Name, Font.Size, Font.Bold, Font.Italic});
        FFaceFont = Font;
    }
    return *FFace;
}

int TPGCanvas::DrawText(std::string_view Text, platform::TTextRect& Rect, unsigned Flags) {
    platform::TFontFace& face = Face();
    if (Flags & platform::DT_CALCRECT) return platform::DrawText(face, Text, Rect, Flags, {});
    TPixelGraphic& image = FOwner;
    const bool trueColor = image.PixelFormat() == pf24Bit;
    const TRGB color = Font.Color;
    const std::uint32_t index = trueColor || image.GetEmpty() ? 0 : image.GetNearestIndex(color);
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < image.Width() && y < image.Height() && !image.GetEmpty();
    };

    if (BrushStyle == bsSolid) {
        // An opaque brush fills the lines' boxes before the glyphs are drawn.
        const auto lines = platform::LayoutText(face, Text, Rect.Right - Rect.Left, Flags);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const int left = (Flags & platform::DT_CENTER)
                                 ? Rect.Left + (Rect.Right - Rect.Left - lines[n].Width) / 2
                                 : Rect.Left;
            const int top = Rect.Top + int(n) * face.LineHeight();
            for (int y = std::max(top, Rect.Top); y < std::min(top + face.LineHeight(), Rect.Bottom); ++y)
                for (int x = std::max(left, Rect.Left); x < std::min(left + lines[n].Width, Rect.Right); ++x)
                    if (inside(x, y)) image.SetPixelColor(x, y, BrushColor);
        }
    }
    const int height = platform::DrawText(face, Text, Rect, Flags, [&](int x, int y, std::uint8_t coverage) {
        if (!inside(x, y)) return;
        if (trueColor) {
            std::uint8_t* p = image.ScanLine(y) + 3 * std::ptrdiff_t(x);
            p[0] = Blend(GetBValue(color), p[0], coverage);
            p[1] = Blend(GetGValue(color), p[1], coverage);
            p[2] = Blend(GetRValue(color), p[2], coverage);
        } else if (coverage >= 128) {
            image.SetPixel(x, y, index);
        }
    });
    if (OnChange) OnChange();
    return height;
}

} // namespace pg

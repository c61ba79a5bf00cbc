// TPGCanvas: the drawing surface of an image. Text drawn on it lands in the image's pixels at once.
#pragma once

#include "pgraphic/Types.h"
#include "platform/TextLayout.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class TFontFace;
}

namespace pg {

class TPixelGraphic;

class TPGCanvas {
public:
    struct TFont {
        std::string Name = "MS Sans Serif";
        int Size = 8; // points
        bool Bold = false;
        bool Italic = false;
        TRGB Color = RGB(0, 0, 0);
    };
    enum TBrushStyle { bsSolid, bsClear };

    explicit TPGCanvas(TPixelGraphic& owner) : FOwner(owner) {}

    // Lays out Text in Rect with the DrawText flags; draws it unless DT_CALCRECT is given. On a
    // 24-bit image the text colour is blended over the pixels by coverage; on a palette image a
    // pixel covered at least half takes the index nearest the text colour. Returns the height.
    int DrawText(std::string_view Text, platform::TTextRect& Rect, unsigned Flags);

    // Forgets the face resolved for the current font; the next drawing resolves it again.
    void ReleaseHandle() { FFace.reset(); }

    TFont Font;
    TBrushStyle BrushStyle = bsSolid;
    TRGB BrushColor = RGB(255, 255, 255);
    // Called after drawing changed the pixels.
    std::function<void()> OnChange;

private:
    platform::TFontFace& Face();

    TPixelGraphic& FOwner;
    std::shared_ptr<platform::TFontFace> FFace;
    TFont FFaceFont; // the font FFace was resolved for
};

} // namespace pg

// The label is drawn like a standard control: button-face background, black one-pixel border and
// black text, centred across the inner width from its top.
#include "saver/ClockLabel.h"

#include "platform/Fonts.h"
#include "platform/TextLayout.h"

namespace saver {
namespace {

constexpr std::uint32_t Face = 0xFFC0C0C0u;
constexpr std::uint32_t Black = 0xFF000000u;

std::uint32_t Darken(std::uint32_t pixel, std::uint8_t coverage) {
    const auto scale = [&](int shift) {
        const std::uint32_t c = pixel >> shift & 0xFFu;
        return (c * (255u - coverage) + 127u) / 255u << shift;
    };
    return 0xFF000000u | scale(16) | scale(8) | scale(0);
}

} // namespace

void RenderClockLabel(TClockLabel& label) {
    const int w = label.BoundsPx.Width, h = label.BoundsPx.Height;
    label.Image = TFrameBuffer(w, h, Face);
    if (w <= 0 || h <= 0) return;
    for (int x = 0; x < w; ++x) {
        label.Image.SetPixel(x, 0, Black);
        label.Image.SetPixel(x, h - 1, Black);
    }
    for (int y = 0; y < h; ++y) {
        label.Image.SetPixel(0, y, Black);
        label.Image.SetPixel(w - 1, y, Black);
    }
    static const auto font = platform::OpenFont({"Arial", 12, true, false});
    platform::TTextRect inner{1, 1, w - 1, h - 1};
    platform::DrawText(*font, label.Text, inner, platform::DT_CENTER | platform::DT_NOPREFIX,
                       [&](int x, int y, std::uint8_t coverage) {
                           if (x >= 0 && y >= 0 && x < w && y < h)
                               label.Image.SetPixel(x, y, Darken(label.Image.Pixel(x, y), coverage));
                       });
}

} // namespace saver

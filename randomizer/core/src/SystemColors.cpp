// System colours as the classic desktop scheme defines them, indexed by the low byte.
#include "randomizer/SystemColors.h"

#include <array>

namespace zephrix {
namespace {

constexpr std::array<pg::TRGB, 31> kSystemColors = {
    pg::RGB(192, 192, 192), // scroll bar
    pg::RGB(0, 128, 128),   // desktop
    pg::RGB(0, 0, 128),     // active caption
    pg::RGB(128, 128, 128), // inactive caption
    pg::RGB(192, 192, 192), // menu
    pg::RGB(255, 255, 255), // window
    pg::RGB(0, 0, 0),       // window frame
    pg::RGB(0, 0, 0),       // menu text
    pg::RGB(0, 0, 0),       // window text
    pg::RGB(255, 255, 255), // caption text
    pg::RGB(192, 192, 192), // active border
    pg::RGB(192, 192, 192), // inactive border
    pg::RGB(128, 128, 128), // application workspace
    pg::RGB(0, 0, 128),     // highlight
    pg::RGB(255, 255, 255), // highlight text
    pg::RGB(192, 192, 192), // button face
    pg::RGB(128, 128, 128), // button shadow
    pg::RGB(128, 128, 128), // gray text
    pg::RGB(0, 0, 0),       // button text
    pg::RGB(192, 192, 192), // inactive caption text
    pg::RGB(255, 255, 255), // button highlight
    pg::RGB(0, 0, 0),       // 3D dark shadow
    pg::RGB(223, 223, 223), // 3D light
    pg::RGB(0, 0, 0),       // tooltip text
    pg::RGB(255, 255, 225), // tooltip background
    pg::RGB(192, 192, 192), // (unused)
    pg::RGB(0, 0, 255),     // hot light
    pg::RGB(16, 132, 208),  // gradient active caption
    pg::RGB(181, 181, 181), // gradient inactive caption
    pg::RGB(49, 106, 197),  // menu highlight
    pg::RGB(236, 233, 216), // menu bar
};

} // namespace

pg::TRGB ColorToRGB(TColor color) {
    const auto value = std::uint32_t(color);
    if ((value & 0x80000000u) == 0) return value & 0x00FFFFFFu;
    const std::uint32_t index = value & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : pg::RGB(0, 0, 0);
}

} // namespace zephrix

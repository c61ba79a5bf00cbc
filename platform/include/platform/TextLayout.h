// Formatted text as the Windows DrawText function lays it out: lines broken at blanks and at line
// breaks, each centred in the rectangle, one line height apart, clipped to the rectangle.
#pragma once

#include "platform/Fonts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_CALCRECT = 0x0400;
inline constexpr unsigned DT_NOPREFIX = 0x0800;

struct TTextRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct TLayoutLine {
    std::u32string Text;
    int Width = 0; // without the blanks at its end
};

// The lines of UTF-8 text in a box `width` pixels wide. CR LF, LF and CR always end a line; with
// DT_WORDBREAK lines also break at blanks, and a word wider than the box stands alone.
std::vector<TLayoutLine> LayoutText(TFontFace& face, std::string_view text, int width, unsigned flags);

// Receives the covered pixels of drawn text: position and coverage (1..255).
using TCoveragePlot = std::function<void(int x, int y, std::uint8_t coverage)>;

// Lays out and, unless DT_CALCRECT is given, draws the text into the rectangle through `plot`,
// clipped to it. Returns the height of the text; with DT_CALCRECT also sets rect.Bottom to
// rect.Top plus that height. Empty text measures 0 and draws nothing.
int DrawText(TFontFace& face, std::string_view text, TTextRect& rect, unsigned flags,
             const TCoveragePlot& plot);

} // namespace platform

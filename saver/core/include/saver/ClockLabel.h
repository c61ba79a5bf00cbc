// The clock label lbl_Time: where it sits, its text, and its look (a single border in the control
// colours with the text centred in bold 12-point Arial), drawn with the platform's text engine.
#pragma once

#include "saver/FrameBuffer.h"

#include <string>

namespace saver {

struct TClockLabel {
    static constexpr int WidthTwips = 1515;
    static constexpr int HeightTwips = 315;
    static constexpr int EdgeTwips = 100;
    bool Visible = false;
    std::string Text = "12:00:00 PM";
    TRect BoundsPx;     // where the label sits on the window, in pixels
    TFrameBuffer Image; // the label as shown, BoundsPx in size
};

// Draws the label's image for its current text and size.
void RenderClockLabel(TClockLabel& label);

} // namespace saver

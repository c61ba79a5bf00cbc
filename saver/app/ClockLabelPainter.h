// Paints the clock label (lbl_Time): a single border, the control colours and the text centred in
// bold 12-point Arial.
#pragma once

class QPainter;

namespace saver {
struct TClockLabel;
}

namespace saver::app {

void PaintClockLabel(QPainter& painter, const TClockLabel& label);

} // namespace saver::app

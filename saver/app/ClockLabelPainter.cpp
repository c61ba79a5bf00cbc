// Interim: the label text is drawn with Qt's text rendering until the platform's own text engine
// (line breaks and centring as the desktop's DrawText) is available to the saver.
#include "ClockLabelPainter.h"

#include "saver/ScreenSave.h"

#include <QFont>
#include <QPainter>

namespace saver::app {

void PaintClockLabel(QPainter& painter, const TClockLabel& label) {
    const QRect bounds(label.BoundsPx.Left, label.BoundsPx.Top, label.BoundsPx.Width, label.BoundsPx.Height);
    painter.fillRect(bounds, QColor(0xC0, 0xC0, 0xC0));
    painter.setPen(Qt::black);
    painter.drawRect(bounds.adjusted(0, 0, -1, -1));
    QFont font("Arial");
    font.setPixelSize(16); // 12 points at 96 logical pixels per inch
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(bounds, Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(label.Text));
}

} // namespace saver::app

// The saver window. The animation timer keeps to the system tick grid (64 ticks per second for its
// 1 ms interval); each tick repaints only what the model changed, in one update.
#include "SaverWindow.h"

#include "platform/Cursor.h"
#include "platform/ScreenSaverFlag.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>

namespace saver::app {

TSaverWindow::TSaverWindow(TfrmScreenSave& form)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint),
      FForm(form) {
    setWindowTitle(TfrmScreenSave::Caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    FAnimation.setSingleShot(true);
    FAnimation.setTimerType(Qt::PreciseTimer);
    connect(&FAnimation, &QTimer::timeout, this, &TSaverWindow::AnimationTimer);
    FPopulate.setInterval(TfrmScreenSave::PopulateInterval);
    connect(&FPopulate, &QTimer::timeout, this, [this] { FForm.PopulateTick(); });

    const auto applyCursor = [this](bool visible) { visible ? unsetCursor() : setCursor(Qt::BlankCursor); };
    platform::SetCursorVisibilityHandler(applyCursor);
    applyCursor(platform::CursorDisplayCount() >= 0);
    platform::SetScreenSaverRunningHandler([this](bool running) { HoldInput(running); });
    winId(); // create the native window now, so its caption marks a running saver at once
}

void TSaverWindow::Start() {
    // Without a window manager a full-screen request keeps the default size: place it ourselves.
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    show();
    raise();
    activateWindow();
    if (FForm.PopulateTimerEnabled()) FPopulate.start();
    FClock.start();
    ScheduleAnimation();
}

void TSaverWindow::ScheduleAnimation() {
    FAnimationDue += FCadence.NextDelay();
    FAnimation.start(static_cast<int>(std::max<qint64>(0, FAnimationDue - FClock.elapsed())));
}

void TSaverWindow::AnimationTimer() {
    if (platform::IsScreenSaverRunning() && !FInputHeld) HoldInput(true); // grabs need a mapped window
    const std::vector<TRect> changed = FForm.AnimationTick();
    QRegion region;
    for (const TRect& r : changed) region += QRect(r.Left, r.Top, r.Width, r.Height);
    if (FForm.ClockLabel().Visible) {
        const TRect& b = FForm.ClockLabel().BoundsPx;
        region += QRect(b.Left, b.Top, b.Width, b.Height);
    }
    update(region);
    ScheduleAnimation();
}

void TSaverWindow::HoldInput(bool hold) {
    QWindow* window = windowHandle();
    if (!window || !isVisible()) return;
    if (hold) {
        FInputHeld = window->setKeyboardGrabEnabled(true) && window->setMouseGrabEnabled(true);
    } else {
        window->setKeyboardGrabEnabled(false);
        window->setMouseGrabEnabled(false);
        FInputHeld = false;
    }
}

void TSaverWindow::paintEvent(QPaintEvent*) {
    const TFrameBuffer& image = FForm.Image();
    const QImage view(reinterpret_cast<const uchar*>(image.Pixels().data()), image.Width(), image.Height(),
                      qsizetype(image.Width()) * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, view); // clipped to the region that changed
    const TClockLabel& label = FForm.ClockLabel();
    if (label.Visible && !label.Image.Pixels().empty()) {
        const QImage labelView(reinterpret_cast<const uchar*>(label.Image.Pixels().data()),
                               label.Image.Width(), label.Image.Height(), qsizetype(label.Image.Width()) * 4,
                               QImage::Format_RGB32);
        painter.drawImage(label.BoundsPx.Left, label.BoundsPx.Top, labelView);
    }
}

void TSaverWindow::keyPressEvent(QKeyEvent*) {
    FForm.KeyDown();
}

void TSaverWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FForm.MouseMoveAtPixel(at.x(), at.y());
}

} // namespace saver::app

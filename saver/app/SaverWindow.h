// The full-screen saver window: shows the model's image, drives its two timers and forwards keys
// and mouse moves to it.
#pragma once

#include "platform/TimerCadence.h"
#include "saver/ScreenSave.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace saver::app {

class TSaverWindow : public QWidget {
    Q_OBJECT
public:
    explicit TSaverWindow(TfrmScreenSave& form);

    // Shows the window over the whole screen and starts the animation.
    void Start();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void AnimationTimer();
    void ScheduleAnimation();
    void HoldInput(bool hold);

    TfrmScreenSave& FForm;
    QTimer FAnimation;
    QTimer FPopulate;
    platform::TTimerCadence FCadence{TfrmScreenSave::AnimationInterval};
    QElapsedTimer FClock;
    qint64 FAnimationDue = 0;
    bool FInputHeld = false;
};

} // namespace saver::app

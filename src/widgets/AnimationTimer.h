#pragma once

#include <QTimer>

/// The palette-animation timer. Its interval is the settings value exactly as read, and an
/// interval of 0 or less switches the animation off: `Restart` then leaves the timer
/// stopped, where Qt would fire a zero-interval timer on every pass of the event loop.
class AnimationTimer : public QTimer {
public:
    using QTimer::QTimer;

    /// Starts the timer (again, from a full interval) unless the animation is switched off.
    void Restart() {
        if (interval() > 0)
            start();
        else
            stop();
    }
};

#pragma once

#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>

/// The palette-animation timer. Its frame interval is the settings value exactly as read,
/// and an interval of 0 or less switches the animation off: `Restart` then leaves the timer
/// stopped, where Qt would fire a zero-interval timer on every pass of the event loop.
/// Given a test of whether anything animates, `Restart` also leaves it stopped while
/// nothing does, so a still picture never wakes the program; and between two colour
/// changes it may sleep several frames at once (`SleepFrames`), the wake then standing for
/// all of them (`FramesPerWake`).
class AnimationTimer : public QTimer {
public:
    using QTimer::QTimer;

    /// The interval of one frame, as the settings give it.
    void SetFrameInterval(int milliseconds) {
        Frame = milliseconds;
        setInterval(milliseconds);
    }
    int FrameInterval() const { return Frame.value_or(interval()); }

    /// `animating` answers whether a tick could change a colour now.
    void SetAnimating(std::function<bool()> animating) { AnimatingTest = std::move(animating); }
    bool Animating() const { return !AnimatingTest || AnimatingTest(); }

    /// Starts the timer (again, from a full frame) unless the animation is switched off or
    /// has nothing to animate.
    void Restart() {
        if (FrameInterval() > 0 && Animating())
            start(FrameInterval());
        else
            stop();
    }
    /// Sleeps `frames` frames (at least one) before the next wake.
    void SleepFrames(int frames) {
        if (FrameInterval() > 0)
            start(FrameInterval() * std::max(1, frames));
    }
    /// How many frames the wake now due stands for.
    int FramesPerWake() const {
        return FrameInterval() > 0 ? std::max(1, interval() / FrameInterval()) : 1;
    }

private:
    std::optional<int> Frame;
    std::function<bool()> AnimatingTest;
};

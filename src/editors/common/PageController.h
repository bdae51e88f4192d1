#pragma once

class EditHistory;

/// What the main window asks of every page controller.
class PageController {
public:
    virtual ~PageController() = default;
    /// After an image is opened and after the stage changes: reset selections, re-read the
    /// current stage, redraw.
    virtual void Refresh() = 0;
    /// The page becomes active; also after every undo and redo.
    virtual void PageActivated() = 0;
    /// An animation tick changed the stage palette while this page is active.
    virtual void RedrawForPalette() = 0;
    /// The history the Edit menu works on while this page is active; null for the current
    /// stage's.
    virtual EditHistory *History() { return nullptr; }
};

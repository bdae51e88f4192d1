#pragma once

#include <QString>
#include <cstdint>

/// One undo and redo history as the Edit menu sees it. The stages' tables and the image's
/// tiles each keep their own; the main window asks the active page which one its commands
/// work on.
class EditHistory {
public:
    virtual ~EditHistory() = default;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    /// The display name of the step `Undo` / `Redo` would apply; empty when there is none.
    virtual QString UndoName() const = 0;
    virtual QString RedoName() const = 0;
    /// Applies one step and returns its category, or `CategoryNothingApplied`.
    virtual uint8_t Undo() = 0;
    virtual uint8_t Redo() = 0;
};

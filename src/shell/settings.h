#pragma once

#include <QString>
#include <cstdint>

class TMyMemIniFile;

/// The display options the settings file keeps beside the address sections: the two object
/// page switches, the two grid switches, the palette-animation timer interval and the undo
/// switch. A plain value read at start-up and written back at exit; owns and borrows nothing.
struct DisplaySettings {
    static constexpr int32_t DefaultTimerInterval = 16;

    bool SortObjectList = true;
    bool PopupHint = true;
    bool Chip32x32Grid = false;
    bool MapSetGrid = false;
    /// Milliseconds between two palette-animation steps; 0 or less stops the animation.
    int32_t TimerInterval = DefaultTimerInterval;
    bool UndoEnabled = true;

    /// Reads the six values in the order they are written. The interval is kept as read,
    /// whatever its sign, so the file gets back what the user wrote.
    static DisplaySettings Read(const TMyMemIniFile &file);
    /// Writes the six values into the in-memory file (not to disk).
    void Write(TMyMemIniFile &file) const;
};

/// Everything the settings dialog changes: the display settings, the test-play emulator
/// command and the interface language. Gathered from where the running program keeps each
/// value and handed back there; it is no store of its own.
struct EditorSettings {
    DisplaySettings Display;
    QString EmulatorCommand;
    QString Language;
};

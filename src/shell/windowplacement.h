#pragma once

class QWidget;
class TMyMemIniFile;

/// The main window's position, size and maximised state across runs (settings section
/// "Window"). Restored only when the saved rectangle lies wholly on one of the screens
/// present now, so a window last used on a monitor that is gone never opens out of reach.
namespace WindowPlacement {

void Restore(QWidget &window, const TMyMemIniFile &file);
void Store(const QWidget &window, TMyMemIniFile &file);

} // namespace WindowPlacement

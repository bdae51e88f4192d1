#pragma once

#include "settings.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class TSettingsForm;
class TViewMenu;
class TestPlay;
class UserPrompt;

/// The 表示 → 設定 command: shows the settings dialog with the values in force and, on OK,
/// hands every changed value back to where the running program keeps it, so that the exit
/// writes them as usual. Cancel changes nothing.
///
/// Owns its menu item and the dialog, made the first time it is opened. Borrows the test
/// play (emulator command and search), the 表示 menu (language) and the window's display
/// settings through the two functions it is given.
class TSettingsCommand : public QObject {
    Q_OBJECT
public:
    struct DisplayAccess {
        std::function<DisplaySettings()> Current;
        std::function<void(const DisplaySettings &)> Apply;
    };

    TSettingsCommand(QWidget &window, QMenu &viewMenu, UserPrompt &prompt, TestPlay &play,
                     TViewMenu &view, DisplayAccess display);

    /// Shows the dialog and applies what OK confirms; with `atEmulator` the emulator command
    /// has the focus.
    void Open(bool atEmulator = false);
    /// Whether an image is open for the dialog's try button.
    void SetDocumentOpen(bool open) { DocumentOpen = open; }

private:
    QWidget &Window;
    UserPrompt &Prompt;
    TestPlay &Play;
    TViewMenu &View;
    DisplayAccess Display;
    QAction *Settings1 = nullptr;
    TSettingsForm *Form = nullptr;
    bool DocumentOpen = false;
};

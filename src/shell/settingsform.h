#pragma once

#include "emulators.h"
#include "settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class UserPrompt;

/// The settings dialog: every setting a user may want to change while the editor runs, shown
/// from the values in force and read back when the user presses OK. Changes nothing itself.
/// Owns its controls; borrows the prompt that runs the program file dialog.
class TSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSettingsForm(UserPrompt &prompt, QWidget *parent = nullptr);

    /// Shows `settings` in the fields and lists `emulators` to pick from; `canTry` enables
    /// the button that runs the command on the open image.
    void Load(const EditorSettings &settings, const QList<FoundEmulator> &emulators, bool canTry);
    /// The values the fields hold now.
    EditorSettings Settings() const;
    /// Puts the focus into the emulator command, with its text selected.
    void FocusEmulator();

signals:
    /// The user wants `command` tried on the open image.
    void TryRequested(const QString &command);

private:
    void BrowseClick();

    UserPrompt &Prompt;
    QLineEdit *EditEmulatorCommand = nullptr;
    QListWidget *ListEmulators = nullptr;
    QPushButton *BtnTryEmulator = nullptr;
    QSpinBox *SpinTimerInterval = nullptr;
    QCheckBox *ChkUndoEnabled = nullptr;
    QCheckBox *ChkSortObjectList = nullptr;
    QCheckBox *ChkPopupHint = nullptr;
    QCheckBox *Chk32x32ChipGrid = nullptr;
    QCheckBox *ChkMapSetGrid = nullptr;
    QComboBox *CBLanguage = nullptr;
};

#pragma once

#include "UserPrompt.h"

#include <QObject>
#include <optional>

class EditFlagManagement;
class QWidget;
class RomImageData;

/// Changes other programs (a tile editor, a hex editor, a debugger) make to the open file
/// while it is open here. Before a save over the open file finds one, the user chooses to
/// keep both, save under another name or cancel; when the window becomes active again and
/// nothing is modified here, the user is offered to read the file again.
///
/// Owns nothing; watches the window it borrows, and borrows the document, the flags and the
/// prompt.
class OutsideChanges : public QObject {
    Q_OBJECT
public:
    OutsideChanges(RomImageData &rom, const EditFlagManagement &flags, UserPrompt &prompt,
                   QWidget &window, QObject *parent);
    ~OutsideChanges() override;

    /// Before saving to `path`: when it is the open file and another program has changed it,
    /// the user's answer; nothing when the save may simply go ahead.
    std::optional<ChangedFileAnswer> AskBeforeSave(const QString &path);

signals:
    /// The user wants the open file read again from disk.
    void ReloadChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OfferReload();

    RomImageData &Rom;
    const EditFlagManagement &Flags;
    UserPrompt &Prompt;
    QWidget &Window;
    /// True while the reload question is up: its box takes and gives back the activation.
    bool Asking = false;
};

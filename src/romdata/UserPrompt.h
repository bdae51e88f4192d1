#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// The answer to the save confirmation (Yes / No / Cancel).
enum class SaveAnswer { Yes, No, Cancel };

/// The answer to the question before saving over a file another program has changed.
enum class ChangedFileAnswer {
    KeepBoth, ///< write only the edited tables into the file as it is now
    SaveAs,   ///< save under another name
    Cancel    ///< write nothing
};

/// Whether a file dialog picks an existing file or names one to write.
enum class FileAccess { Open, Save };

/// Everything the editor says to or asks of the user goes through this interface.
/// The application passes an implementation built on message boxes and file dialogs;
/// tests pass a scripted one that records every text and answers from a queue.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    /// Modal box with one OK button; the caption is the application title.
    virtual void ShowMessage(const QString &text) = 0;
    /// Yes / No question (the reload confirmations). True means Yes.
    virtual bool ConfirmYesNo(const QString &text) = 0;
    /// Yes / No / Cancel question without icon (the save confirmation).
    virtual SaveAnswer ConfirmSave(const QString &text) = 0;
    /// The open dialog of cartridge images, starting in `folder` (empty: wherever the
    /// toolkit likes); nothing when the user cancels.
    virtual std::optional<QString> AskOpenFileName(const QString &folder) = 0;
    /// The save dialog of cartridge images (asks before overwriting), starting in `folder`
    /// (empty: wherever the toolkit likes); nothing when the user cancels.
    virtual std::optional<QString> AskSaveFileName(const QString &folder) = 0;
    /// The question before saving over a file another program changed: keep both (the
    /// default), save as, or cancel (also when the box is closed).
    virtual ChangedFileAnswer AskChangedFile(const QString &text) = 0;
    /// A file dialog for anything but cartridge images (a program, a picture, a patch):
    /// `filter` lists the file types as "caption (*.ext)" entries separated by ";;". The
    /// save form asks before overwriting. Nothing when the user cancels.
    virtual std::optional<QString> AskFileName(FileAccess access, const QString &caption,
                                               const QString &filter) = 0;
    /// A choice of program: `programs` listed with the first one selected, so that Return
    /// takes it, and a browse button that opens the file dialog for any other program.
    /// The program chosen or browsed to; nothing when the user cancels.
    virtual std::optional<QString> AskProgram(const QString &caption,
                                              const QStringList &programs) = 0;
    /// One-line input box; nothing when the user cancels.
    virtual std::optional<QString> AskText(const QString &caption, const QString &prompt) = 0;
    /// The toolkit's standard error box, for files that cannot be opened, created or written.
    virtual void ShowError(const QString &text) = 0;
};

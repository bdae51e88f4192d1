#pragma once

#include "UserPrompt.h"

#include <QCoreApplication>
#include <QMessageBox>

/// The application's `UserPrompt`: message boxes, the open and save dialogs of cartridge
/// images and the one-line input box, each modal over the active window.
///
/// Owns nothing but the caption every box carries (the application title); each dialog is
/// created for one question and gone when it is answered.
class QtUserPrompt : public UserPrompt {
    Q_DECLARE_TR_FUNCTIONS(QtUserPrompt)

public:
    explicit QtUserPrompt(QString caption);

    void ShowMessage(const QString &text) override;
    bool ConfirmYesNo(const QString &text) override;
    SaveAnswer ConfirmSave(const QString &text) override;
    std::optional<QString> AskOpenFileName(const QString &folder) override;
    std::optional<QString> AskSaveFileName(const QString &folder) override;
    ChangedFileAnswer AskChangedFile(const QString &text) override;
    std::optional<QString> AskFileName(FileAccess access, const QString &caption,
                                       const QString &filter) override;
    std::optional<QString> AskProgram(const QString &caption, const QStringList &programs) override;
    std::optional<QString> AskText(const QString &caption, const QString &prompt) override;
    void ShowError(const QString &text) override;

private:
    /// A modal box with the caption, shown as plain text; returns the button pressed.
    int RunBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
               QMessageBox::StandardButton escapeButton = QMessageBox::NoButton) const;

    QString Caption;
};

#include "QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString RomImageFilter = QStringLiteral("QUARTEX3 ROMイメージ (*.nes)");
const QString AllFilesFilter = QStringLiteral("すべてのファイル (*.*)");

std::optional<QString> RunFileDialog(QFileDialog &dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtUserPrompt::QtUserPrompt(QString caption) : Caption(std::move(caption)) {}

void QtUserPrompt::ShowMessage(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, Caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtUserPrompt::ConfirmYesNo(const QString &text) {
    QMessageBox box(QMessageBox::Question, Caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

SaveAnswer QtUserPrompt::ConfirmSave(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, Caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

std::optional<QString> QtUserPrompt::AskOpenFileName() {
    QFileDialog openDialog(QApplication::activeWindow());
    openDialog.setObjectName(QStringLiteral("OpenDialog1"));
    openDialog.setAcceptMode(QFileDialog::AcceptOpen);
    openDialog.setFileMode(QFileDialog::ExistingFile);
    openDialog.setNameFilters({RomImageFilter, AllFilesFilter});
    return RunFileDialog(openDialog);
}

std::optional<QString> QtUserPrompt::AskSaveFileName() {
    // Qt's save dialog asks before overwriting an existing file unless told otherwise.
    QFileDialog saveDialog(QApplication::activeWindow());
    saveDialog.setObjectName(QStringLiteral("SaveDialog1"));
    saveDialog.setAcceptMode(QFileDialog::AcceptSave);
    saveDialog.setFileMode(QFileDialog::AnyFile);
    saveDialog.setNameFilter(RomImageFilter);
    saveDialog.setDefaultSuffix(QStringLiteral("nes"));
    return RunFileDialog(saveDialog);
}

std::optional<QString> QtUserPrompt::AskText(const QString &caption, const QString &prompt) {
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                               QLineEdit::Normal, QString(), &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}

void QtUserPrompt::ShowError(const QString &text) {
    QMessageBox::critical(QApplication::activeWindow(), Caption, text);
}

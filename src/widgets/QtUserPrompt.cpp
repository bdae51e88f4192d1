#include "QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// A file type as the user sees it in the dialog and the patterns the dialog lists by. The
// caption's "*.*" means every file, but Qt would read it as "names with a dot" and hide every
// file without an extension from the all-files choice.
struct FileType {
    const char *Caption; ///< untranslated: the dialog shows it in the interface language
    QString Patterns;
};

const FileType RomImageType{QT_TRANSLATE_NOOP("QtUserPrompt", "QUARTEX3 ROMイメージ (*.nes)"),
                            QStringLiteral("*.nes")};
const FileType AllFilesType{QT_TRANSLATE_NOOP("QtUserPrompt", "すべてのファイル (*.*)"),
                            QStringLiteral("*")};

// With its details hidden the dialog shows each filter without its last parenthesised part,
// that is exactly the caption, and lists by the patterns inside that part.
void SetFileTypes(QFileDialog &dialog, std::initializer_list<FileType> types) {
    QStringList filters;
    for (const FileType &type : types)
        filters << QtUserPrompt::tr(type.Caption) + QStringLiteral(" (") + type.Patterns + u')';
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
}

// The extension of a file type's first pattern ("BPS (*.bps)" gives "bps"); none for "*".
QString FirstSuffix(const QString &filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

std::optional<QString> RunFileDialog(QFileDialog &dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtUserPrompt::QtUserPrompt(QString caption) : Caption(std::move(caption)) {}

void QtUserPrompt::ShowMessage(const QString &text) {
    RunBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool QtUserPrompt::ConfirmYesNo(const QString &text) {
    return RunBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Yes) == QMessageBox::Yes;
}

SaveAnswer QtUserPrompt::ConfirmSave(const QString &text) {
    switch (RunBox(QMessageBox::NoIcon, text,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                   QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

int QtUserPrompt::RunBox(QMessageBox::Icon icon, const QString &text,
                         QMessageBox::StandardButtons buttons,
                         QMessageBox::StandardButton defaultButton,
                         QMessageBox::StandardButton escapeButton) const {
    QMessageBox box(icon, Caption, text, buttons, QApplication::activeWindow());
    // Texts carry file paths and system messages: shown character for character, never
    // read as markup.
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(escapeButton);
    return box.exec();
}

std::optional<QString> QtUserPrompt::AskOpenFileName(const QString &folder) {
    QFileDialog openDialog(QApplication::activeWindow(), QString(), folder);
    openDialog.setObjectName(QStringLiteral("OpenDialog1"));
    openDialog.setAcceptMode(QFileDialog::AcceptOpen);
    openDialog.setFileMode(QFileDialog::ExistingFile);
    SetFileTypes(openDialog, {RomImageType, AllFilesType});
    return RunFileDialog(openDialog);
}

std::optional<QString> QtUserPrompt::AskSaveFileName(const QString &folder) {
    // Qt's save dialog asks before overwriting an existing file unless told otherwise.
    QFileDialog saveDialog(QApplication::activeWindow(), QString(), folder);
    saveDialog.setObjectName(QStringLiteral("SaveDialog1"));
    saveDialog.setAcceptMode(QFileDialog::AcceptSave);
    saveDialog.setFileMode(QFileDialog::AnyFile);
    SetFileTypes(saveDialog, {RomImageType});
    saveDialog.setDefaultSuffix(QStringLiteral("nes"));
    return RunFileDialog(saveDialog);
}

std::optional<QString> QtUserPrompt::AskFileName(FileAccess access, const QString &caption,
                                                 const QString &filter) {
    QFileDialog dialog(QApplication::activeWindow(), caption, QString(), filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(access == FileAccess::Save ? QFileDialog::AcceptSave
                                                    : QFileDialog::AcceptOpen);
    dialog.setFileMode(access == FileAccess::Save ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    if (access == FileAccess::Save) {
        // A name typed without an extension gets the chosen type's, before the dialog asks
        // about overwriting, so the question names the file that will really be written.
        // The signal's text may be the caption alone; the filter itself has the patterns.
        const auto takeSuffix = [&dialog] {
            dialog.setDefaultSuffix(FirstSuffix(dialog.selectedNameFilter()));
        };
        takeSuffix();
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
    }
    return RunFileDialog(dialog);
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
    RunBox(QMessageBox::Critical, text, QMessageBox::Ok);
}

#include "QtUserPrompt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

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

// The extension of the first pattern of the first file type in `filter` ("PNG 画像 (*.png)"
// gives "png"); empty when it names none ("*").
QString DefaultSuffix(const QString &filter) {
    static const QRegularExpression FirstPattern(QStringLiteral(R"(\(\*\.([^ ;)*?]+))"));
    const QRegularExpressionMatch match = FirstPattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
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

ChangedFileAnswer QtUserPrompt::AskChangedFile(const QString &text) {
    QMessageBox box(QMessageBox::Warning, Caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ChangedFileBox"));
    box.setTextFormat(Qt::PlainText);
    QPushButton *keepBoth = box.addButton(tr("両方を残す"), QMessageBox::AcceptRole);
    QPushButton *saveAs = box.addButton(tr("名前を付けて保存..."), QMessageBox::ActionRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(keepBoth);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == keepBoth)
        return ChangedFileAnswer::KeepBoth;
    if (box.clickedButton() == saveAs)
        return ChangedFileAnswer::SaveAs;
    return ChangedFileAnswer::Cancel;
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
            dialog.setDefaultSuffix(DefaultSuffix(dialog.selectedNameFilter()));
        };
        takeSuffix();
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
    }
    return RunFileDialog(dialog);
}

std::optional<QString> QtUserPrompt::AskProgram(const QString &caption,
                                                const QStringList &programs) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("ProgramDialog"));
    dialog.setWindowTitle(caption);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("ProgramList"));
    list->addItems(programs);
    list->setCurrentRow(0);
    auto *browse = new QPushButton(tr("参照..."), &dialog);
    browse->setObjectName(QStringLiteral("BtnBrowseProgram"));
    browse->setAutoDefault(false);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("使うプログラムを選んでください。"), &dialog));
    layout->addWidget(list);
    auto *row = new QHBoxLayout;
    row->addWidget(browse);
    row->addWidget(buttons, 1);
    layout->addLayout(row);

    std::optional<QString> chosen;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (const QListWidgetItem *item = list->currentItem()) {
            chosen = item->text();
            dialog.accept();
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, buttons, &QDialogButtonBox::accepted);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        QFileDialog files(&dialog, caption);
        files.setObjectName(QStringLiteral("FileDialog"));
        files.setAcceptMode(QFileDialog::AcceptOpen);
        files.setFileMode(QFileDialog::ExistingFile);
        SetFileTypes(files, {AllFilesType});
        if (const std::optional<QString> program = RunFileDialog(files)) {
            chosen = program;
            dialog.accept();
        }
    });
    list->setFocus();
    dialog.exec();
    return chosen;
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

#include "testplay.h"

#include "MyIniFiles.h"
#include "UserPrompt.h"
#include "fileio.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include "filewriting.h"

namespace {

const QString EmulatorSection = QStringLiteral("Emulator");
const QString CommandKey = QStringLiteral("Command");
const QString ImagePathMark = QStringLiteral("%f");

// The menu bar entry after `anchor`'s, or null when `anchor` is the last: inserting before
// it keeps this menu right after the anchor whatever menus come later.
QAction *ActionAfter(const QMenuBar &menuBar, QAction *anchor) {
    const QList<QAction *> actions = menuBar.actions();
    const qsizetype at = actions.indexOf(anchor);
    return at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
}

} // namespace

std::optional<EmulatorCommandLine> SplitEmulatorCommand(const QString &command,
                                                        const QString &imagePath) {
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return std::nullopt;
    EmulatorCommandLine line{words.takeFirst(), {}};
    bool pathPlaced = false;
    for (QString &word : words) {
        if (word.contains(ImagePathMark)) {
            word.replace(ImagePathMark, imagePath);
            pathPlaced = true;
        }
        line.Arguments << word;
    }
    if (!pathPlaced)
        line.Arguments << imagePath;
    return line;
}

QString EmulatorCommandFor(const QString &program) {
    QString quoted = program;
    // splitCommand reads three quotes in a row as one literal quote.
    if (quoted.contains(u'"') || quoted.contains(u' ') || quoted.contains(u'\t'))
        quoted = u'"' + quoted.replace(u'"', QStringLiteral("\"\"\"")) + u'"';
    return quoted + u' ' + ImagePathMark;
}

TestPlay::TestPlay(RomImageData &rom, UserPrompt &prompt, QMenuBar &menuBar, QAction *anchor,
                   QObject *parent)
    : QObject(parent), Rom(rom), Prompt(prompt) {
    Test1 = new QMenu(tr("テスト(&T)"), &menuBar);
    Test1->setObjectName(QStringLiteral("Test1"));
    menuBar.insertMenu(ActionAfter(menuBar, anchor), Test1);
    PlayInEmulator1 = Test1->addAction(tr("エミュレータで実行(&P)"));
    PlayInEmulator1->setObjectName(QStringLiteral("PlayInEmulator1"));
    PlayInEmulator1->setShortcut(QKeySequence(Qt::Key_F5));
    connect(PlayInEmulator1, &QAction::triggered, this, &TestPlay::Run);
    SetDocumentOpen(false);
}

void TestPlay::ReadSettings(const TMyMemIniFile &file) {
    EmulatorCommand = file.ReadString(EmulatorSection, CommandKey, QString());
}

void TestPlay::WriteSettings(TMyMemIniFile &file) const {
    file.WriteString(EmulatorSection, CommandKey, EmulatorCommand);
}

QList<FoundEmulator> TestPlay::FindEmulators() const {
    return EmulatorSearch::Find(EmulatorSearch::PathFolders(), GameFolders);
}

void TestPlay::SetDocumentOpen(bool open) {
    Test1->menuAction()->setVisible(open);
    // A hidden menu's shortcut could still fire; with no image there is nothing to play.
    PlayInEmulator1->setEnabled(open);
}

void TestPlay::Run() {
    QString command = EmulatorCommand;
    // A command that names no program (blank, or only quotes) is no command: ask for one.
    const bool asked = !SplitEmulatorCommand(command, QString());
    if (asked) {
        QStringList programs;
        for (const FoundEmulator &emulator : FindEmulators())
            programs << emulator.Program;
        const QString caption = tr("エミュレータの選択");
        const std::optional<QString> program =
            programs.isEmpty()
                ? Prompt.AskFileName(FileAccess::Open, caption, tr("すべてのファイル (*)"))
                : Prompt.AskProgram(caption, programs);
        if (!program)
            return;
        command = EmulatorCommandFor(*program);
    }
    const std::optional<QString> failure = Start(command);
    // A program chosen in the dialog is kept only once it has started: one that cannot
    // start would otherwise fail at every F5 without asking again.
    if (!failure) {
        if (asked)
            EmulatorCommand = command;
        return;
    }
    if (!failure->isEmpty() &&
        Prompt.ConfirmYesNo(*failure + QStringLiteral("\n\n") +
                            tr("設定を開いてエミュレータを選び直しますか？")))
        emit SettingsRequested();
}

bool TestPlay::Try(const QString &command) {
    const std::optional<QString> failure = Start(command);
    if (failure && !failure->isEmpty())
        Prompt.ShowMessage(*failure);
    return !failure;
}

std::optional<QString> TestPlay::WriteEditedImage() {
    if (!TemporaryFolder)
        TemporaryFolder.emplace();
    if (!TemporaryFolder->isValid()) {
        Prompt.ShowError(TemporaryFolder->errorString());
        TemporaryFolder.reset();
        return std::nullopt;
    }
    // The user's file name, so that whatever the emulator keeps beside the image (saves,
    // settings) carries a name the user knows; a fixed one for an image without a file.
    const QString path =
        TemporaryFolder->filePath(Rom.FilePath().isEmpty() ? QStringLiteral("unsaved.nes")
                                                           : QFileInfo(Rom.FilePath()).fileName());
    const std::optional<QByteArray> image = Rom.EditedImage();
    if (!image)
        return std::nullopt;
    if (!FileWriting::WriteWholeFile(path, *image, Prompt))
        return std::nullopt;
    return path;
}

std::optional<QString> TestPlay::Start(const QString &command) {
    const QString cannotRun = tr("%1を実行できませんでした。").arg(command);
    const std::optional<EmulatorCommandLine> line = SplitEmulatorCommand(command, QString());
    if (!line)
        return cannotRun + u'\n' + tr("コマンドにプログラムがありません。");
    switch (EmulatorSearch::Check(line->Program, EmulatorSearch::PathFolders())) {
    case EmulatorSearch::Problem::NotFound:
        return cannotRun + u'\n' + tr("%1が見つかりません。").arg(line->Program);
    case EmulatorSearch::Problem::NotExecutable:
        return cannotRun + u'\n' + tr("%1は実行できるファイルではありません。").arg(line->Program);
    case EmulatorSearch::Problem::None:
        break;
    }
    // The image is written only for a program that is there to read it.
    const std::optional<QString> imagePath = WriteEditedImage();
    if (!imagePath)
        return QString(); // already reported by the writer
    QProcess process;
    process.setProgram(line->Program);
    process.setArguments(SplitEmulatorCommand(command, *imagePath)->Arguments);
    if (process.startDetached())
        return std::nullopt;
    return cannotRun + u'\n' + tr("%1の起動に失敗しました。").arg(line->Program);
}

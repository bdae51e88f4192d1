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
    Command = file.ReadString(EmulatorSection, CommandKey, QString());
}

void TestPlay::WriteSettings(TMyMemIniFile &file) const {
    file.WriteString(EmulatorSection, CommandKey, Command);
}

void TestPlay::SetDocumentOpen(bool open) {
    Test1->menuAction()->setVisible(open);
    // A hidden menu's shortcut could still fire; with no image there is nothing to play.
    PlayInEmulator1->setEnabled(open);
}

void TestPlay::Run() {
    QString command = Command;
    const bool asked = command.trimmed().isEmpty();
    if (asked) {
        const std::optional<QString> program = Prompt.AskFileName(
            FileAccess::Open, tr("エミュレータの選択"), tr("すべてのファイル (*)"));
        if (!program)
            return;
        command = EmulatorCommandFor(*program);
    }
    const std::optional<QString> imagePath = WriteEditedImage();
    if (!imagePath)
        return;
    // A program chosen in the dialog is kept only once it has started: one that cannot
    // start would otherwise fail at every F5 without asking again.
    if (Start(command, *imagePath) && asked)
        Command = command;
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

bool TestPlay::Start(const QString &command, const QString &imagePath) {
    const std::optional<EmulatorCommandLine> line = SplitEmulatorCommand(command, imagePath);
    if (line && QProcess::startDetached(line->Program, line->Arguments))
        return true;
    Prompt.ShowMessage(tr("%1を実行できませんでした。").arg(command));
    return false;
}

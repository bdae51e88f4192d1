#pragma once

#include "emulators.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class RomImageData;
class TMyMemIniFile;
class UserPrompt;

/// A program and the arguments to start it with.
struct EmulatorCommandLine {
    QString Program;
    QStringList Arguments;

    bool operator==(const EmulatorCommandLine &) const = default;
};

/// Splits an emulator command as a shell would (double quotes group, `"""` is one quote)
/// and puts `imagePath` where `%f` stands, as part of that one argument, or appends it as
/// the last argument when the command has no `%f`. Nothing when the command names no
/// program.
std::optional<EmulatorCommandLine> SplitEmulatorCommand(const QString &command,
                                                        const QString &imagePath);
/// The command that runs `program` on the image: the program, quoted when it must be,
/// then `%f`.
QString EmulatorCommandFor(const QString &program);

/// Test play: starts the user's emulator on a temporary copy of the image that holds every
/// flagged edit, so the user can try a change without saving over their file. The live
/// buffer, the flags, the histories and the user's file stay exactly as they are.
///
/// Owns the "テスト" menu it puts into the window's menu bar, the emulator command (settings
/// "Emulator" / "Command"), the folders searched for emulators and the temporary folder of
/// this run, removed with this object. Borrows the document and the prompt.
class TestPlay : public QObject {
    Q_OBJECT
public:
    /// Puts the menu into `menuBar` right after the menu of `anchor`, hidden until an image
    /// is open.
    TestPlay(RomImageData &rom, UserPrompt &prompt, QMenuBar &menuBar, QAction *anchor,
             QObject *parent);

    void ReadSettings(const TMyMemIniFile &file);
    void WriteSettings(TMyMemIniFile &file) const;

    /// Shows the menu and enables its item while an image is open.
    void SetDocumentOpen(bool open);
    /// Writes the edited image into the temporary folder and starts the emulator on it.
    /// Without a command it first offers the emulators found on this machine, or asks for
    /// a program when there are none; Cancel does nothing. A command that cannot start is
    /// explained, with the offer to choose another in the settings.
    void Run();
    /// Runs `command` as `Run` would, without keeping it; a failure is only explained.
    /// True when the emulator started.
    bool Try(const QString &command);

    const QString &Command() const { return EmulatorCommand; }
    void SetCommand(const QString &command) { EmulatorCommand = command; }
    /// The known emulators installed here, searched for on PATH and in `GameFolders`.
    QList<FoundEmulator> FindEmulators() const;
    /// The folders searched beside PATH: the distributions' game folders unless set.
    void SetGameFolders(const QStringList &folders) { GameFolders = folders; }

signals:
    /// The user wants to choose another emulator in the settings.
    void SettingsRequested();

private:
    std::optional<QString> WriteEditedImage();
    /// Starts `command` on the edited image: nothing when it started, else why not (empty
    /// when the image could not be written, which the writer has already reported).
    std::optional<QString> Start(const QString &command);

    RomImageData &Rom;
    UserPrompt &Prompt;
    QMenu *Test1 = nullptr;
    QAction *PlayInEmulator1 = nullptr;
    QString EmulatorCommand;
    QStringList GameFolders = EmulatorSearch::GameFolders();
    /// Made at the first run and kept until exit: an emulator started earlier may still be
    /// reading its image.
    std::optional<QTemporaryDir> TemporaryFolder;
};

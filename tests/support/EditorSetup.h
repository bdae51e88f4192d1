#pragma once

#include "CartridgeBuilder.h"
#include "NamedChild.h"
#include "ScriptedPrompt.h"
#include "mainform.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

/// `lines` as a name list file holds them: Shift-JIS, each line ended by LF.
QByteArray ShiftJisLines(const QStringList &lines);

/// A program directory and a working directory holding a colour table, as the editor
/// finds them when started; the working directory is restored afterwards. Windows started
/// from it talk through its scripted prompt and share its settings file, so a second start
/// sees what the first wrote at exit.
class EditorSetup {
public:
    EditorSetup();
    ~EditorSetup();

    std::unique_ptr<TMainForm> Start();
    QString ProgramFile(const QString &name) const { return ProgramDir.filePath(name); }
    QString WorkFile(const QString &name) const { return WorkDir.filePath(name); }
    /// Writes the synthetic cartridge `image` into the working directory; the path, or an
    /// empty text when it cannot be written.
    QString WriteCartridge(const QString &name, const CartridgeBuilder &image = {}) const;

    ScriptedPrompt Prompt;

private:
    QString PreviousDirectory;
    QTemporaryDir ProgramDir;
    QTemporaryDir WorkDir;
};

/// The window's control called `name`; a missing one ends the test run.
template <typename T> T *Child(const TMainForm &form, const char *name) {
    return NamedChild<T>(&form, QString::fromLatin1(name));
}

#pragma once

#include "CartridgeBuilder.h"
#include "ScriptedPrompt.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class TMainForm;

/// `lines` as a name list file holds them: Shift-JIS, each line ended by LF.
QByteArray ShiftJisLines(const QStringList &lines);

/// A program directory and a working directory holding a colour table, as the editor
/// finds them when started; the working directory is restored afterwards.
class EditorSetup {
public:
    EditorSetup();
    ~EditorSetup();

    std::unique_ptr<TMainForm> Start();
    QString ProgramFile(const QString &name) const { return ProgramDir.filePath(name); }
    QString WorkFile(const QString &name) const { return WorkDir.filePath(name); }
    /// Writes `image` into the working directory; the path, or nothing when it failed.
    QString WriteCartridge(const QString &name, const CartridgeBuilder &image = {}) const;

    ScriptedPrompt Prompt;

private:
    QString PreviousDirectory;
    QTemporaryDir ProgramDir;
    QTemporaryDir WorkDir;
};

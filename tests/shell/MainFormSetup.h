#pragma once

#include "CartridgeBuilder.h"
#include "GraphicsFixture.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "mainform.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// A program directory and a working directory holding a colour table, as the editor
// finds them when started; the working directory is restored afterwards.
class EditorSetup {
public:
    EditorSetup() : PreviousDirectory(QDir::currentPath()) {
        QDir::setCurrent(WorkDir.path());
        WriteFile(WorkDir.filePath(QStringLiteral("fcpalette.pal")), MasterColourTable());
    }
    ~EditorSetup() { QDir::setCurrent(PreviousDirectory); }

    std::unique_ptr<TMainForm> Start() {
        return std::make_unique<TMainForm>(Prompt, ProgramDir.path());
    }
    QString ProgramFile(const QString &name) const { return ProgramDir.filePath(name); }
    QString WorkFile(const QString &name) const { return WorkDir.filePath(name); }
    QString WriteCartridge(const QString &name, const CartridgeBuilder &image = {}) const {
        const QString path = WorkFile(name);
        return image.WriteTo(path) ? path : QString();
    }

    ScriptedPrompt Prompt;

private:
    QString PreviousDirectory;
    QTemporaryDir ProgramDir;
    QTemporaryDir WorkDir;
};

template <typename T> T *Child(TMainForm &form, const char *name) {
    return form.findChild<T *>(QString::fromLatin1(name));
}

#include "startup.h"

#include "mainform.h"

#include <QFileInfo>

std::unique_ptr<TMainForm> StartEditor(UserPrompt &prompt, const QString &programDirectory,
                                       const QStringList &arguments) {
    auto form = std::make_unique<TMainForm>(prompt, programDirectory);
    if (form->StartupFailed())
        return nullptr;
    form->show();
    // The open dialog hands back absolute paths; a path typed on the command line becomes
    // one too, so the title and later saves name the file the same way.
    if (!arguments.isEmpty())
        form->OpenChosenFile(QFileInfo(arguments.constFirst()).absoluteFilePath());
    return form;
}

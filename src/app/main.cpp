#include "JapaneseFonts.h"
#include "QtUserPrompt.h"
#include "mainform.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    InstallJapaneseFontSubstitutions();

    QtUserPrompt prompt(ApplicationTitle);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const std::unique_ptr<TMainForm> form =
        StartEditor(prompt, QApplication::applicationDirPath(), arguments);
    if (!form)
        return 1;
    return QApplication::exec();
}

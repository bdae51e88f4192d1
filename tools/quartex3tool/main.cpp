#include "JapaneseFonts.h"
#include "ToolCommands.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

QtMessageHandler QtHandler = nullptr;

// Every failure reaches the user as the tool's own one line; Qt's notes about the headless
// environment (no runtime directory, no display) would only bury it.
void KeepSeriousMessages(QtMsgType type, const QMessageLogContext &context,
                         const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[]) {
    QtHandler = qInstallMessageHandler(KeepSeriousMessages);
    // The tool draws into images only; it must run where there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstallJapaneseFontSubstitutions(); // the object markers ask for the editor's font
    QTextStream out(stdout);
    QTextStream err(stderr);
    return static_cast<int>(ToolCommands(out, err).Run(QCoreApplication::arguments()));
}

#include "JapaneseFonts.h"
#include "MyIniFiles.h"
#include "QtUserPrompt.h"
#include "language.h"
#include "mainform.h"
#include "programfiles.h"
#include "startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {

// The command line: an optional cartridge image, --help and --version, and one option the
// install check uses to let the editor start and close by itself; it is left out of the
// help because nobody starting the editor by hand wants it.
class EditorCommandLine {
public:
    EditorCommandLine() {
        CloseWhenStarted.setFlags(QCommandLineOption::HiddenFromHelp);
        Parser.addOption(CloseWhenStarted);
    }

    // --help and --version print their text and end the program before any window system
    // is needed, so they work in a terminal without a display. Anything else is left for
    // Process, after the application has taken its own options away.
    void AnswerTextRequests(int &argc, char *argv[]) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        Parser.parse(arguments);
        if (Parser.isSet(Help) || Parser.isSet(Version)) {
            const QCoreApplication textOnly(argc, argv);
            // The help speaks the interface language of the settings, as the window would.
            const TMyMemIniFile settings(
                ProgramFiles::ForProgram(QCoreApplication::applicationDirPath()).SettingsFile());
            const InterfaceTranslation translation(InterfaceLanguage::Read(settings));
            Describe();
            Parser.process(textOnly);
        }
    }

    void Process(const QApplication &application) { Parser.process(application); }
    QStringList Cartridges() const { return Parser.positionalArguments(); }
    bool ClosesWhenStarted() const { return Parser.isSet(CloseWhenStarted); }

private:
    // The texts only the help shows, said once the interface language is known.
    void Describe() {
        Parser.setApplicationDescription(
            QCoreApplication::translate("main", "NES のステージデータを編集します。"));
        Parser.addPositionalArgument(
            QStringLiteral("cartridge"),
            QCoreApplication::translate("main", "起動時に開く iNES イメージ（*.nes）"),
            QStringLiteral("[cartridge.nes]"));
    }

    QCommandLineParser Parser;
    const QCommandLineOption Help = Parser.addHelpOption();
    const QCommandLineOption Version = Parser.addVersionOption();
    QCommandLineOption CloseWhenStarted{QStringLiteral("close-when-started")};
};

} // namespace

int main(int argc, char *argv[]) {
    // The program name keys the user's configuration folder and the desktop entry. No
    // display name is set: the window system would append it to every dialog's title.
    QApplication::setApplicationName(QStringLiteral("quartex3editor"));
    QApplication::setApplicationVersion(QStringLiteral(QUARTEX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quartex3editor"));
    EditorCommandLine commandLine;
    commandLine.AnswerTextRequests(argc, argv);

    QApplication app(argc, argv);
    commandLine.Process(app);
    InstallJapaneseFontSubstitutions();

    QtUserPrompt prompt(ApplicationTitle);
    const std::unique_ptr<TMainForm> form =
        StartEditor(prompt, QApplication::applicationDirPath(), commandLine.Cartridges());
    if (!form)
        return 1;
    if (commandLine.ClosesWhenStarted())
        QTimer::singleShot(0, form.get(), &QWidget::close);
    return QApplication::exec();
}

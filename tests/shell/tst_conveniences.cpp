// The main window's conveniences: test play in an emulator, the settings dialog, the file
// keys, recent files, dropped files, the dialogs' folders, the window's place and the settings
// sections they add.
#include "EditorSetup.h"
#include "ModalAnswer.h"
#include "NamedChild.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "testplay.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace {

const QString IniName = QStringLiteral("quartex3editor.ini");

QString TitleFor(const QString &path) {
    return path + QStringLiteral(" - QUARTEX 3 EDITOR");
}

void ExitWithoutSaving(EditorSetup &setup, TMainForm &form) {
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    form.close();
    QVERIFY(!form.isVisible());
}

// Room 3's map entry of `stage`, as the map page changes it: recorded, then flagged.
void ChangeMapEntry(TMainForm &form, int stage, uint8_t value) {
    form.Document().Stage(stage).SetMapEntry(3, value);
    form.Flags().SetEditFlag(EditArea::Map, stage, true);
}

// What a stage's history shows: whether each stack holds a step and the step's name.
QStringList History(const RomImageData &rom) {
    QStringList history;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = rom.Stage(stage);
        history << QStringLiteral("%1 %2:%3 %4:%5")
                       .arg(stage)
                       .arg(data.CanUndo())
                       .arg(data.UndoName())
                       .arg(data.CanRedo())
                       .arg(data.RedoName());
    }
    return history;
}

QByteArray LiveImage(const RomImageData &rom) {
    return QByteArray(reinterpret_cast<const char *>(rom.Image().data()), rom.Size());
}

// A stand-in emulator called `name`: copies the image it is given (its last argument) and
// then records its arguments, one a line, both beside itself.
QString WriteFakeEmulator(const QString &folder,
                          const QString &name = QStringLiteral("emulator.sh")) {
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    const QByteArray script = "#!/bin/sh\n"
                              "here=$(dirname \"$0\")\n"
                              "for last; do :; done\n"
                              "cp \"$last\" \"$here/copy.part\" && mv \"$here/copy.part\" "
                              "\"$here/copy.nes\"\n"
                              "printf '%s\\n' \"$@\" > \"$here/args.part\" && mv "
                              "\"$here/args.part\" \"$here/args.txt\"\n";
    if (!WriteFile(path, script))
        return {};
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

// The arguments the fake emulator was started with, once it has finished.
QStringList EmulatorArguments(const QString &folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("args.txt"));
    if (!QTest::qWaitFor([&] { return QFile::exists(path); }, 10000))
        return {};
    QStringList arguments = QString::fromUtf8(ReadFile(path)).split(u'\n');
    arguments.removeLast();
    QFile::remove(path);
    return arguments;
}

void Drop(QWidget *target, QMimeData &data) {
    QDragEnterEvent enter({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

QStringList RecentCaptions(const TMainForm &form) {
    QStringList captions;
    for (const QAction *item : Child<QMenu>(form, "RecentFiles1")->actions())
        captions << item->text();
    return captions;
}

} // namespace

class TestConveniences : public QObject {
    Q_OBJECT
private slots:
    void emulatorCommand_data();
    void emulatorCommand();
    void testPlay();
    void emulatorCommandOfNothingIsAsked();
    void testPlayFailure_data();
    void testPlayFailure();
    void failureLeadsToSettings();
    void settingsDialog();
    void fileKeys();
    void recentFiles();
    void droppedFile();
    void dialogFolders();
    void windowPlacement_data();
    void windowPlacement();
    void settingsAfterExistingSections();
};

void TestConveniences::emulatorCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    const QString image = QStringLiteral("/tmp/a b/\"x\".nes");
    QTest::newRow("path appended")
        << QStringLiteral("fceux") << QStringLiteral("fceux") << QStringList{image};
    QTest::newRow("path in place")
        << QStringLiteral("emu --fast %f -v") << QStringLiteral("emu")
        << QStringList{QStringLiteral("--fast"), image, QStringLiteral("-v")};
    QTest::newRow("path inside an argument")
        << QStringLiteral("emu --rom=%f") << QStringLiteral("emu")
        << QStringList{QStringLiteral("--rom=") + image};
    QTest::newRow("quoted program") << EmulatorCommandFor(QStringLiteral("/opt/my \"emu\"/run"))
                                    << QStringLiteral("/opt/my \"emu\"/run") << QStringList{image};
    QTest::newRow("plain program") << EmulatorCommandFor(QStringLiteral("/usr/games/fceux"))
                                   << QStringLiteral("/usr/games/fceux") << QStringList{image};
    QTest::newRow("blank") << QStringLiteral("   ") << QString() << QStringList();
}

void TestConveniences::emulatorCommand() {
    QFETCH(QString, command);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const std::optional<EmulatorCommandLine> line =
        SplitEmulatorCommand(command, QStringLiteral("/tmp/a b/\"x\".nes"));
    if (program.isEmpty()) {
        QVERIFY(!line);
        return;
    }
    QVERIFY(line);
    QCOMPARE(line->Program, program);
    QCOMPARE(line->Arguments, arguments);
}

void TestConveniences::testPlay() {
    EditorSetup setup;
    // An emulator in a game folder, which is not on the search path.
    const QString emulatorFolder = setup.WorkFile(QStringLiteral("fake games"));
    const QString emulator = WriteFakeEmulator(emulatorFolder, QStringLiteral("nestopia"));
    QVERIFY(!emulator.isEmpty());
    const QString original = setup.WriteCartridge(QStringLiteral("my stage.nes"));
    const QByteArray originalBytes = ReadFile(original);

    auto form = setup.Start();
    form->findChild<TestPlay *>()->SetGameFolders({emulatorFolder});
    auto *play = Child<QAction>(*form, "PlayInEmulator1");
    QVERIFY(!Child<QMenu>(*form, "Test1")->menuAction()->isVisible());
    QVERIFY(!play->isEnabled());
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->OpenChosenFile(original);
    QVERIFY(Child<QMenu>(*form, "Test1")->menuAction()->isVisible());
    const QList<QAction *> menus = form->menuBar()->actions();
    QCOMPARE(menus.indexOf(Child<QMenu>(*form, "Test1")->menuAction()),
             menus.indexOf(Child<QMenu>(*form, "Edit1")->menuAction()) + 1);
    setup.Prompt.Messages.clear(); // the missing object name list

    // Every stage gets an edit and both of its stacks a step: two edits, one undone.
    RomImageData &rom = form->Document();
    QByteArray expected = originalBytes;
    for (int stage = 0; stage < StageCount; ++stage) {
        const int32_t offset = CartridgeBuilder::DefaultOffset(StageTable::Map, stage) + 3;
        const auto kept = static_cast<uint8_t>(originalBytes[offset] + 1);
        ChangeMapEntry(*form, stage, kept);
        ChangeMapEntry(*form, stage, static_cast<uint8_t>(kept + 1));
        rom.Stage(stage).Undo();
        expected[offset] = static_cast<char>(kept);
    }
    const QStringList history = History(rom);
    auto *modified = Child<QLabel>(*form, "StatusPanel0");
    QCOMPARE(modified->text(), QStringLiteral("変更あり"));

    // No emulator yet: F5 offers the ones found, by their full path where the search path
    // does not find them; Cancel does nothing.
    setup.Prompt.Programs = {std::nullopt};
    QTest::keyClick(form.get(), Qt::Key_F5);
    QCOMPARE(setup.Prompt.ProgramChoices.size(), 1);
    QVERIFY(setup.Prompt.ProgramChoices[0].contains(emulator));

    // The chosen program runs on a temporary copy holding every edit; the next F5 runs it
    // without asking.
    for (int run = 0; run < 2; ++run) {
        if (run == 0)
            setup.Prompt.Programs = {emulator};
        QTest::keyClick(form.get(), Qt::Key_F5);
        const QStringList arguments = EmulatorArguments(emulatorFolder);
        QCOMPARE(arguments.size(), 1);
        QCOMPARE(QFileInfo(arguments[0]).fileName(), QStringLiteral("my stage.nes"));
        QVERIFY(QFileInfo(arguments[0]).absolutePath() != QFileInfo(original).absolutePath());
        QVERIFY(ReadFile(QDir(emulatorFolder).filePath(QStringLiteral("copy.nes"))) == expected);
    }
    QCOMPARE(setup.Prompt.ProgramChoices.size(), 2);
    QVERIFY(setup.Prompt.FileQuestions.isEmpty());

    // The user's file, the live image, the flags and the histories are as they were.
    QVERIFY(ReadFile(original) == originalBytes);
    QVERIFY(LiveImage(rom) == originalBytes);
    QCOMPARE(History(rom), history);
    for (int stage = 0; stage < StageCount; ++stage)
        QVERIFY(form->Flags().EditFlag(EditArea::Map, stage));
    QCOMPARE(modified->text(), QStringLiteral("変更あり"));
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QVERIFY(setup.Prompt.Errors.isEmpty());
    // Reloading the map reads the bytes as opened.
    Child<QTabWidget>(*form, "EditPageControl")
        ->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    setup.Prompt.YesNoAnswers = {true};
    Child<QPushButton>(*form, "BtnMapEditReload")->click();
    QCOMPARE(rom.Stage(0).Map()[3],
             static_cast<uint8_t>(
                 originalBytes[CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + 3]));

    // The chosen program is kept, quoted for the folder's space.
    ExitWithoutSaving(setup, *form);
    const QString ini = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    const QString stored =
        QStringLiteral("\n[Emulator]\nCommand=\"") + emulator + QStringLiteral("\" %f\n");
    QVERIFY2(ini.contains(stored), qPrintable(ini));
}

// A command that cannot start says why and offers the settings; declined, nothing changes.
void TestConveniences::testPlayFailure_data() {
    QTest::addColumn<QString>("program"); // WORK standing for the working folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("not found") << QStringLiteral("WORK/no such dir/emu")
                               << QStringLiteral("WORK/no such dir/emuが見つかりません。");
    QTest::newRow("name not found") << QStringLiteral("no-such-emulator")
                                    << QStringLiteral("no-such-emulatorが見つかりません。");
    QTest::newRow("not executable")
        << QStringLiteral("WORK/plain.txt")
        << QStringLiteral("WORK/plain.txtは実行できるファイルではありません。");
    QTest::newRow("a folder") << QStringLiteral("WORK")
                              << QStringLiteral("WORKは実行できるファイルではありません。");
    QTest::newRow("fails to start")
        << QStringLiteral("WORK/broken") << QStringLiteral("WORK/brokenの起動に失敗しました。");
}

void TestConveniences::testPlayFailure() {
    QFETCH(QString, program);
    QFETCH(QString, reason);
    EditorSetup setup;
    const QString work = QFileInfo(setup.WorkFile(QStringLiteral("plain.txt"))).absolutePath();
    program.replace(QStringLiteral("WORK"), work);
    reason.replace(QStringLiteral("WORK"), work);
    WriteFile(setup.WorkFile(QStringLiteral("plain.txt")), "text\n");
    // Executable, but no program the system can start.
    const QString broken = setup.WorkFile(QStringLiteral("broken"));
    WriteFile(broken, QByteArray(64, '\x7f'));
    QFile::setPermissions(broken, QFile::ReadOwner | QFile::ExeOwner);
    const QString original = setup.WriteCartridge(QStringLiteral("stage.nes"));
    const QString command = EmulatorCommandFor(program) + QStringLiteral(" --fast");
    WriteFile(setup.ProgramFile(IniName),
              (QStringLiteral("[Emulator]\nCommand=") + command + u'\n').toUtf8());

    auto form = setup.Start();
    form->OpenChosenFile(original);
    ChangeMapEntry(*form, 0, 0x11);
    setup.Prompt.Messages.clear();
    Child<QAction>(*form, "PlayInEmulator1")->trigger();
    QVERIFY(setup.Prompt.ProgramChoices.isEmpty());
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QCOMPARE(setup.Prompt.Questions,
             QStringList{command + QStringLiteral("を実行できませんでした。\n") + reason +
                         QStringLiteral("\n\n設定を開いてエミュレータを選び直しますか？")});
    QVERIFY(form->Flags().IsModified());
    ExitWithoutSaving(setup, *form);
    QVERIFY(QString::fromUtf8(ReadFile(setup.ProgramFile(IniName))).contains(command));
}

// Accepting the offer opens the settings at the emulator command, where a command can be
// tried; the command chosen there runs at the next F5.
void TestConveniences::failureLeadsToSettings() {
    EditorSetup setup;
    const QString emulatorFolder = setup.WorkFile(QStringLiteral("emu"));
    const QString emulator = WriteFakeEmulator(emulatorFolder);
    const QString original = setup.WriteCartridge(QStringLiteral("stage.nes"));
    WriteFile(setup.ProgramFile(IniName), "[Emulator]\nCommand=/no/such/emu %f\n");
    auto form = setup.Start();
    form->show();
    form->OpenChosenFile(original);

    setup.Prompt.YesNoAnswers = {true};
    QString focused, shown;
    WhenModalShows([&](QWidget *dialog) {
        auto *command = NamedChild<QLineEdit>(dialog, QStringLiteral("EditEmulatorCommand"));
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        shown = command->text();
        command->setText(EmulatorCommandFor(emulator));
        NamedChild<QPushButton>(dialog, QStringLiteral("BtnTryEmulator"))->click();
        NamedChild<QDialogButtonBox>(dialog, QString())->button(QDialogButtonBox::Ok)->click();
    });
    Child<QAction>(*form, "PlayInEmulator1")->trigger();
    QCOMPARE(focused, QStringLiteral("EditEmulatorCommand"));
    QCOMPARE(shown, QStringLiteral("/no/such/emu %f"));
    // The try button ran it on the test copy.
    QCOMPARE(EmulatorArguments(emulatorFolder).size(), 1);
    Child<QAction>(*form, "PlayInEmulator1")->trigger();
    QCOMPARE(EmulatorArguments(emulatorFolder).size(), 1);
    ExitWithoutSaving(setup, *form);
}

// The dialog's OK puts every value into force at once and the exit writes it to the key it
// always had; only the changed lines differ from a run without the dialog. Cancel changes
// nothing.
void TestConveniences::settingsDialog() {
    EditorSetup setup;
    const QString original = setup.WriteCartridge(QStringLiteral("stage.nes"));
    const auto run = [&](const std::function<void(TMainForm &)> &work) {
        auto form = setup.Start();
        form->show();
        form->OpenChosenFile(original);
        work(*form);
        form->close();
        return QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    };
    const QString unchanged = run([](TMainForm &) {});

    const auto openSettings = [](TMainForm &form, const std::function<void(QWidget *)> &edit,
                                 QDialogButtonBox::StandardButton button) {
        WhenModalShows([&](QWidget *dialog) {
            NamedChild<QSpinBox>(dialog, QStringLiteral("SpinTimerInterval"))->setValue(100);
            edit(dialog);
            NamedChild<QDialogButtonBox>(dialog, QString())->button(button)->click();
        });
        Child<QAction>(form, "Settings1")->trigger();
    };
    const auto changeAll = [](QWidget *dialog) {
        NamedChild<QCheckBox>(dialog, QStringLiteral("ChkMapSetGrid"))->setChecked(true);
        NamedChild<QCheckBox>(dialog, QStringLiteral("ChkUndoEnabled"))->setChecked(false);
        NamedChild<QLineEdit>(dialog, QStringLiteral("EditEmulatorCommand"))
            ->setText(QStringLiteral("myemu --fast %f"));
        auto *language = NamedChild<QComboBox>(dialog, QStringLiteral("CBLanguage"));
        language->setCurrentIndex(language->findData(QStringLiteral("en")));
    };
    const QString changed = run([&](TMainForm &form) {
        auto *timer = Child<QTimer>(form, "FrameTimer");
        auto *grid = Child<QCheckBox>(form, "ChkMapSetEditDrawGrid");
        setup.Prompt.Messages.clear();
        openSettings(form, changeAll, QDialogButtonBox::Cancel);
        QCOMPARE(timer->interval(), 16);
        QVERIFY(!grid->isChecked());
        QVERIFY(!form.findChild<TestPlay *>()->Command().contains(QStringLiteral("myemu")));
        QVERIFY(setup.Prompt.Messages.isEmpty());

        openSettings(form, changeAll, QDialogButtonBox::Ok);
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());
        QVERIFY(grid->isChecked());
        QVERIFY(!form.Document().IsUndoRecording());
        QCOMPARE(form.findChild<TestPlay *>()->Command(), QStringLiteral("myemu --fast %f"));
        // Said in the language chosen.
        QCOMPARE(setup.Prompt.Messages.size(), 1);
        QVERIFY(setup.Prompt.Messages[0].startsWith(QStringLiteral("The")));
        setup.Prompt.SaveAnswers = {SaveAnswer::No};
    });
    QString expected = unchanged;
    expected.replace(QStringLiteral("[MapSetEdit]\nGrid=0"), QStringLiteral("[MapSetEdit]\nGrid=1"))
        .replace(QStringLiteral("Interval=16"), QStringLiteral("Interval=100"))
        .replace(QStringLiteral("[Undo]\nEnabled=1"), QStringLiteral("[Undo]\nEnabled=0"))
        .replace(QStringLiteral("Command=\n"), QStringLiteral("Command=myemu --fast %f\n"))
        .replace(QStringLiteral("Language=ja"), QStringLiteral("Language=en"));
    QVERIFY(expected != unchanged);
    // The window's size follows the pages laid out so far, which the dialog's redraw changes;
    // every other line is compared.
    const auto withoutWindowSize = [](const QString &text) {
        QStringList lines = text.split(u'\n');
        lines.removeIf([](const QString &line) {
            return line.startsWith(QStringLiteral("Width=")) ||
                   line.startsWith(QStringLiteral("Height="));
        });
        return lines;
    };
    QCOMPARE(withoutWindowSize(changed), withoutWindowSize(expected));
}

void TestConveniences::fileKeys() {
    EditorSetup setup;
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    const auto form = setup.Start();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(setup.Prompt.OpenDialogs, 1);
    form->OpenChosenFile(path);

    ChangeMapEntry(*form, 0, 0x12);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!form->Flags().IsModified());
    QCOMPARE(static_cast<uint8_t>(
                 ReadFile(path)[CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + 3]),
             0x12);

    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(setup.Prompt.SaveDialogs, 1);

    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!Child<QTabWidget>(*form, "EditPageControl")->isVisible());

    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!form->isVisible());
}

void TestConveniences::recentFiles() {
    EditorSetup setup;
    const QString a = setup.WriteCartridge(QStringLiteral("a.nes"));
    const QString b = setup.WriteCartridge(QStringLiteral("b&c.nes"));
    auto form = setup.Start();
    QVERIFY(!Child<QMenu>(*form, "RecentFiles1")->isEnabled());
    form->OpenChosenFile(a);
    form->OpenChosenFile(b);
    form->OpenChosenFile(setup.WorkFile(QStringLiteral("missing.nes")));
    ExitWithoutSaving(setup, *form);

    // After a restart: newest first, an ampersand shown as itself.
    form = setup.Start();
    QCOMPARE(RecentCaptions(*form),
             (QStringList{QStringLiteral("&1 ") + QString(b).replace(u'&', QStringLiteral("&&")),
                          QStringLiteral("&2 ") + a}));
    Child<QMenu>(*form, "RecentFiles1")->actions()[1]->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(a));
    QCOMPARE(RecentCaptions(*form).constFirst(), QStringLiteral("&1 ") + a);

    // The same confirmation as the open dialog's choice.
    ChangeMapEntry(*form, 0, 0x13);
    setup.Prompt.SaveAnswers = {SaveAnswer::Cancel};
    Child<QMenu>(*form, "RecentFiles1")->actions()[1]->trigger();
    QCOMPARE(setup.Prompt.Questions.size(), 1);
    QCOMPARE(form->windowTitle(), TitleFor(a));

    // Saved as: listed first. A file gone: removed with a message, nothing asked.
    const QString saved = setup.WorkFile(QStringLiteral("saved.nes"));
    setup.Prompt.SaveFileNames = {saved};
    Child<QAction>(*form, "SaveAs1")->trigger();
    QVERIFY(QFile::remove(b));
    ChangeMapEntry(*form, 0, 0x15);
    setup.Prompt.Messages.clear();
    Child<QMenu>(*form, "RecentFiles1")->actions()[2]->trigger();
    QCOMPARE(
        setup.Prompt.Messages,
        QStringList{
            b + QStringLiteral("が見つかりませんでした。最近使ったファイルの一覧から外します。")});
    QCOMPARE(RecentCaptions(*form),
             (QStringList{QStringLiteral("&1 ") + saved, QStringLiteral("&2 ") + a}));
    QCOMPARE(setup.Prompt.Questions.size(), 1);
    ExitWithoutSaving(setup, *form);

    // Eight at most; empty and repeated entries of the file are skipped.
    QString ini = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QString list =
        QStringLiteral("[RecentFiles]\nFile1=") + a + QStringLiteral("\nFile2=\nFile3=") + a;
    for (int number = 4; number <= 8; ++number)
        list += QStringLiteral("\nFile%1=/gone/%1.nes").arg(number);
    ini.replace(QRegularExpression(QStringLiteral("\\[RecentFiles\\][^\\[]*")), list + u'\n');
    WriteFile(setup.ProgramFile(IniName), ini.toUtf8());
    form = setup.Start();
    QCOMPARE(RecentCaptions(*form).size(), 6);
    for (const QString &name :
         {QStringLiteral("x.nes"), QStringLiteral("y.nes"), QStringLiteral("z.nes")})
        form->OpenChosenFile(setup.WriteCartridge(name));
    const QStringList captions = RecentCaptions(*form);
    QCOMPARE(captions.size(), 8);
    QCOMPARE(captions.constFirst(),
             QStringLiteral("&1 ") + setup.WorkFile(QStringLiteral("z.nes")));
    QCOMPARE(captions.constLast(), QStringLiteral("&8 /gone/7.nes"));
}

// A stored command that splits into no program at all is as good as none: F5 asks for the
// emulator instead of failing every time.
void TestConveniences::emulatorCommandOfNothingIsAsked() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(IniName), "[Emulator]\nCommand=\"\"\n"));
    const QString original = setup.WriteCartridge(QStringLiteral("a.nes"));
    const auto form = setup.Start();
    form->OpenChosenFile(original);
    setup.Prompt.Messages.clear();
    setup.Prompt.FileNames = {std::nullopt};
    Child<QAction>(*form, "PlayInEmulator1")->trigger();
    // Asked with the emulators found on this machine's PATH, or with the file dialog when
    // there are none: either way once, and nothing fails.
    QCOMPARE(setup.Prompt.FileQuestions.size() + setup.Prompt.ProgramChoices.size(), 1);
    QVERIFY(setup.Prompt.Messages.isEmpty());
    ExitWithoutSaving(setup, *form);
}

void TestConveniences::droppedFile() {
    EditorSetup setup;
    const QString a = setup.WriteCartridge(QStringLiteral("a.nes"));
    const QString b = setup.WriteCartridge(QStringLiteral("b.nes"));
    const auto form = setup.Start();
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(a)});
    Drop(form.get(), one);
    QCOMPARE(form->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QTRY_COMPARE(form->windowTitle(), TitleFor(a));

    // Anything but one file is left alone: two files, a folder, text.
    QMimeData two, folder, text;
    two.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    folder.setUrls({QUrl::fromLocalFile(setup.WorkFile(QString()))});
    text.setText(b);
    auto *field = Child<QLineEdit>(*form, "EditPal0");
    for (QMimeData *data : {&two, &folder, &text})
        Drop(form.get(), *data);
    QCoreApplication::processEvents();
    QCOMPARE(form->windowTitle(), TitleFor(a));

    // Dropped on a text field, after the save confirmation.
    ChangeMapEntry(*form, 0, 0x14);
    const QString fieldText = field->text();
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(b)});
    Drop(field, other);
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QTRY_COMPARE(form->windowTitle(), TitleFor(b));
    QCOMPARE(setup.Prompt.Questions.size(), 1);
    QCOMPARE(field->text(), fieldText);
}

void TestConveniences::dialogFolders() {
    EditorSetup setup;
    QDir(setup.WorkFile(QString())).mkpath(QStringLiteral("in"));
    QDir(setup.WorkFile(QString())).mkpath(QStringLiteral("out"));
    const QString source = setup.WriteCartridge(QStringLiteral("in/a.nes"));
    const QString target = setup.WorkFile(QStringLiteral("out/b.nes"));
    auto form = setup.Start();
    setup.Prompt.OpenFileNames = {source, std::nullopt};
    Child<QAction>(*form, "Open1")->trigger();
    Child<QAction>(*form, "Open1")->trigger();
    setup.Prompt.SaveFileNames = {target, std::nullopt};
    Child<QAction>(*form, "SaveAs1")->trigger();
    Child<QAction>(*form, "SaveAs1")->trigger();
    const QString in = QFileInfo(source).absolutePath();
    const QString out = QFileInfo(target).absolutePath();
    QCOMPARE(setup.Prompt.DialogFolders, (QStringList{QString(), in, QString(), out}));
    ExitWithoutSaving(setup, *form);

    // Remembered across runs, forgotten when the folder is gone.
    form = setup.Start();
    Child<QAction>(*form, "Open1")->trigger();
    QVERIFY(QDir(in).removeRecursively());
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(setup.Prompt.DialogFolders.mid(4), (QStringList{in, QString()}));
}

void TestConveniences::windowPlacement_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("maximized");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto section = [](const QRect &rect, int maximized) {
        return QStringLiteral("[Window]\nLeft=%1\nTop=%2\nWidth=%3\nHeight=%4\nMaximized=%5\n")
            .arg(rect.left())
            .arg(rect.top())
            .arg(rect.width())
            .arg(rect.height())
            .arg(maximized);
    };
    const QRect fits(screen.left() + 10, screen.top() + 20, 300, 200);
    const QRect wide(fits.left(), fits.top(), screen.width() + 1, 200);
    const QRect away(-100000, fits.top(), 300, 200);
    const QRect empty(fits.left(), fits.top(), 0, 200);
    QTest::newRow("fits") << section(fits, 0) << fits << true << false;
    QTest::newRow("fits, maximised") << section(fits, 1) << fits << true << true;
    QTest::newRow("wider than the screen") << section(wide, 0) << wide << false << false;
    QTest::newRow("off every screen") << section(away, 0) << away << false << false;
    QTest::newRow("no size") << section(empty, 1) << empty << false << false;
    QTest::newRow("at the integer limit")
        << QStringLiteral("[Window]\nLeft=2147483647\nTop=2147483647\nWidth=2147483647\n"
                          "Height=2147483647\n")
        << QRect() << false << false;
    QTest::newRow("not numbers") << QStringLiteral(
                                        "[Window]\nLeft=a\nTop=b\nWidth=c\nHeight=d\nMaximized=1\n")
                                 << QRect() << false << false;
}

void TestConveniences::windowPlacement() {
    QFETCH(QString, section);
    QFETCH(QRect, saved);
    QFETCH(bool, restored);
    QFETCH(bool, maximized);
    EditorSetup setup;
    WriteFile(setup.ProgramFile(IniName), section.toUtf8());
    const auto form = setup.Start();
    QCOMPARE(form->geometry() == saved, restored);
    QCOMPARE(form->isMaximized(), maximized);
    if (!restored)
        QCOMPARE(form->size(), QSize(635, 701));

    // What is written at exit is read back as it was.
    form->show();
    const QRect normal = form->normalGeometry();
    form->close();
    const auto again = setup.Start();
    if (restored && !maximized)
        QCOMPARE(again->geometry(), normal);
    QCOMPARE(again->isMaximized(), maximized);
}

void TestConveniences::settingsAfterExistingSections() {
    EditorSetup setup;
    const QByteArray before = "[Mine]\nKey=1\n\n";
    WriteFile(setup.ProgramFile(IniName), before);
    auto form = setup.Start();
    form->show();
    form->close();

    // Behind the sections the editor always had, the four new ones, and nothing else.
    const QString after = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QVERIFY(after.startsWith(QString::fromUtf8(before)));
    const qsizetype added = after.indexOf(QStringLiteral("[Emulator]"));
    QVERIFY(added > after.indexOf(QStringLiteral("[Undo]\nEnabled=1\n\n")));
    const QRegularExpression sections(QStringLiteral(
        "^\\[Emulator\\]\nCommand=\n\n\\[RecentFiles\\]\n(File[1-8]=\n){8}\n"
        "\\[Folders\\]\nOpen=\nSave=\n\n\\[Window\\]\nLeft=-?\\d+\nTop=-?\\d+\nWidth=\\d+\n"
        "Height=\\d+\nMaximized=0\n\n$"));
    QVERIFY2(sections.match(after.mid(added)).hasMatch(), qPrintable(after));

    // A run that changes nothing leaves every line as it was.
    form = setup.Start();
    form->show();
    form->close();
    QCOMPARE(QString::fromUtf8(ReadFile(setup.ProgramFile(IniName))), after);
}

QTEST_MAIN(TestConveniences)
#include "tst_conveniences.moc"

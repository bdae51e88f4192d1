// The shell's GUI-free parts: the display settings, the name list files and the search for
// emulators.
#include "MyIniFiles.h"
#include "TestFiles.h"
#include "emulators.h"
#include "namelists.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ShiftJis(const QString &text) {
    QStringEncoder encode("Shift_JIS");
    return encode(text);
}

// Makes each of `entries` under `root`: "folder/name" an executable file, "-folder/name" a
// file that cannot be run, "folder/name/" a folder.
void MakeTree(const QString &root, const QStringList &entries) {
    for (QString entry : entries) {
        const bool executable = !entry.startsWith(u'-');
        entry.remove(0, executable ? 0 : 1);
        const QString path = QDir(root).filePath(entry);
        if (entry.endsWith(u'/')) {
            QDir().mkpath(path);
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteFile(path, "#!/bin/sh\n");
        QFile::setPermissions(path, executable ? QFile::ReadOwner | QFile::ExeOwner
                                               : QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace

class TestShellLists : public QObject {
    Q_OBJECT
private slots:
    void settingsRead_data();
    void settingsRead();
    void settingsWriteInOrder();
    void nameListLines_data();
    void nameListLines();
    void nameListMissingFile();
    void objectKindTexts();
    void emulatorsFound_data();
    void emulatorsFound();
    void programProblem_data();
    void programProblem();

private:
    QTemporaryDir Dir;
};

void TestShellLists::settingsRead_data() {
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<bool>("sort");
    QTest::addColumn<bool>("popup");
    QTest::addColumn<bool>("chipGrid");
    QTest::addColumn<bool>("mapSetGrid");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("undo");

    QTest::newRow("no file text") << QString() << true << true << false << false << 16 << true;
    QTest::newRow("all set the other way")
        << QStringLiteral("[ObjectEdit]\nSort=0\nPopup=0\n[32x32ChipEdit]\nGrid=1\n"
                          "[MapSetEdit]\nGrid=7\n[Timer]\nInterval=100\n[Undo]\nEnabled=0\n")
        << false << false << true << true << 100 << false;
    QTest::newRow("hexadecimal interval") << QStringLiteral("[Timer]\nInterval=$20\n") << true
                                          << true << false << false << 32 << true;
    QTest::newRow("zero interval kept")
        << QStringLiteral("[Timer]\nInterval=0\n") << true << true << false << false << 0 << true;
    QTest::newRow("negative interval kept")
        << QStringLiteral("[Timer]\nInterval=-5\n") << true << true << false << false << -5 << true;
    QTest::newRow("malformed values read as defaults")
        << QStringLiteral("[ObjectEdit]\nSort=yes\n[32x32ChipEdit]\nGrid=true\n"
                          "[Timer]\nInterval=fast\n[Undo]\nEnabled=\n")
        << true << true << false << false << 16 << true;
}

void TestShellLists::settingsRead() {
    QFETCH(QString, fileText);
    const QString path = Dir.filePath(QStringLiteral("read.ini"));
    QFile::remove(path);
    if (!fileText.isNull())
        QVERIFY(WriteFile(path, fileText.toUtf8()));

    const TMyMemIniFile file(path);
    const DisplaySettings settings = DisplaySettings::Read(file);
    QTEST(settings.SortObjectList, "sort");
    QTEST(settings.PopupHint, "popup");
    QTEST(settings.Chip32x32Grid, "chipGrid");
    QTEST(settings.MapSetGrid, "mapSetGrid");
    QTEST(static_cast<int>(settings.TimerInterval), "interval");
    QTEST(settings.UndoEnabled, "undo");
}

void TestShellLists::settingsWriteInOrder() {
    TMyMemIniFile file(Dir.filePath(QStringLiteral("never-written.ini")));
    DisplaySettings settings;
    settings.PopupHint = false;
    settings.MapSetGrid = true;
    settings.TimerInterval = 40;
    settings.Write(file);
    QCOMPARE(file.Text(), QStringLiteral("[ObjectEdit]\nSort=1\nPopup=0\n\n"
                                         "[32x32ChipEdit]\nGrid=0\n\n"
                                         "[MapSetEdit]\nGrid=1\n\n"
                                         "[Timer]\nInterval=40\n\n"
                                         "[Undo]\nEnabled=1\n\n"));
    QVERIFY(!QFile::exists(file.FileName()));
}

void TestShellLists::nameListLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("LF, final line ending")
        << QByteArray("a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("no final line ending")
        << QByteArray("a\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\n")
                          << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR on the last line")
        << QByteArray("a\r\nb\r") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("blank lines are entries")
        << QByteArray("\n\nc\n\n")
        << QStringList{QString(), QString(), QStringLiteral("c"), QString()};
    QTest::newRow("spaces are kept")
        << QByteArray(" x \t\n") << QStringList{QStringLiteral(" x \t")};
    QTest::newRow("a lone CR ends a line")
        << QByteArray("a\rb\r\r\nc")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    // U+001A is the decoder's substitute for a broken character.
    QTest::newRow("lead byte cut short at the end")
        << QByteArray("a\n\x82") << QStringList{QStringLiteral("a"), QString(QChar(0x1A))};
    QTest::newRow("Shift-JIS") << ShiftJis(QStringLiteral("1x ブロック\r\n敵・はねるボール\r\n"))
                               << QStringList{QStringLiteral("1x ブロック"),
                                              QStringLiteral("敵・はねるボール")};
}

void TestShellLists::nameListLines() {
    QFETCH(QByteArray, bytes);
    const QString path = Dir.filePath(QStringLiteral("names.txt"));
    QVERIFY(WriteFile(path, bytes));
    const std::optional<QStringList> lines = ReadNameList(path);
    QVERIFY(lines.has_value());
    QTEST(*lines, "lines");
}

void TestShellLists::nameListMissingFile() {
    QVERIFY(!ReadNameList(Dir.filePath(QStringLiteral("absent.txt"))).has_value());
    QVERIFY(!ReadNameList(Dir.path()).has_value());
}

void TestShellLists::objectKindTexts() {
    const QStringList none;
    QCOMPARE(ObjectKindText(none, 0x00), QStringLiteral("00"));
    QCOMPARE(ObjectKindText(none, 0x0A), QStringLiteral("0A"));
    QCOMPARE(ObjectKindText(none, 0xFF), QStringLiteral("FF"));

    const QStringList shortList = {QStringLiteral("なし"), QStringLiteral("敵・はねるボール")};
    QCOMPARE(ObjectKindText(shortList, 1), QStringLiteral("敵・はねるボール"));
    QCOMPARE(ObjectKindText(shortList, 2), QStringLiteral("02"));
    QCOMPARE(ObjectKindText(shortList, -1), QStringLiteral("-1"));

    const QStringList texts = ObjectKindTexts(shortList);
    QCOMPARE(texts.size(), ObjectKindCount);
    QCOMPARE(texts[0], QStringLiteral("なし"));
    QCOMPARE(texts[2], QStringLiteral("02"));
    QCOMPARE(texts[255], QStringLiteral("FF"));

    QStringList longList;
    for (int i = 0; i < 300; ++i)
        longList << QStringLiteral("line %1").arg(i);
    const QStringList capped = ObjectKindTexts(longList);
    QCOMPARE(capped.size(), ObjectKindCount);
    QCOMPARE(capped.last(), QStringLiteral("line 255"));
    QCOMPARE(ObjectKindText(longList, 256), QStringLiteral("100"));
}

void TestShellLists::emulatorsFound_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("found"); // name=program, ROOT standing for the tree
    QTest::newRow("on the path") << QStringList{QStringLiteral("bin/fceux")}
                                 << QStringList{QStringLiteral("fceux=fceux")};
    QTest::newRow("only in a game folder") << QStringList{QStringLiteral("games/fceux")}
                                           << QStringList{QStringLiteral("fceux=ROOT/games/fceux")};
    QTest::newRow("the path comes first")
        << QStringList{QStringLiteral("games/fceux"), QStringLiteral("bin/fceux")}
        << QStringList{QStringLiteral("fceux=fceux")};
    QTest::newRow("second game folder")
        << QStringList{QStringLiteral("localgames/mednafen")}
        << QStringList{QStringLiteral("mednafen=ROOT/localgames/mednafen")};
    QTest::newRow("known order") << QStringList{QStringLiteral("games/mednafen"),
                                                QStringLiteral("bin/nestopia"),
                                                QStringLiteral("games/fceux")}
                                 << QStringList{QStringLiteral("fceux=ROOT/games/fceux"),
                                                QStringLiteral("nestopia=nestopia"),
                                                QStringLiteral("mednafen=ROOT/games/mednafen")};
    QTest::newRow("cannot be run")
        << QStringList{QStringLiteral("-games/fceux"), QStringLiteral("-bin/nestopia")}
        << QStringList();
    QTest::newRow("a folder of that name")
        << QStringList{QStringLiteral("games/fceux/"), QStringLiteral("bin/nestopia/")}
        << QStringList();
    QTest::newRow("unknown program")
        << QStringList{QStringLiteral("bin/someplayer")} << QStringList();
}

void TestShellLists::emulatorsFound() {
    QFETCH(QStringList, entries);
    QFETCH(QStringList, found);
    QTemporaryDir root;
    MakeTree(root.path(), entries);
    QStringList names;
    for (const FoundEmulator &emulator : EmulatorSearch::Find(
             {root.filePath(QStringLiteral("bin"))},
             {root.filePath(QStringLiteral("games")), root.filePath(QStringLiteral("localgames"))}))
        names << emulator.Name + u'=' + emulator.Program;
    QCOMPARE(names, found.replaceInStrings(QStringLiteral("ROOT"), root.path()));
}

void TestShellLists::programProblem_data() {
    QTest::addColumn<QString>("program"); // ROOT standing for the tree
    QTest::addColumn<int>("problem");
    using Problem = EmulatorSearch::Problem;
    const auto row = [](const char *name, const char *program, Problem problem) {
        QTest::newRow(name) << QString::fromLatin1(program) << static_cast<int>(problem);
    };
    row("path to a program", "ROOT/bin/emu", Problem::None);
    row("name on the path", "emu", Problem::None);
    row("missing path", "ROOT/bin/none", Problem::NotFound);
    row("missing name", "none", Problem::NotFound);
    row("path to a plain file", "ROOT/bin/text", Problem::NotExecutable);
    row("plain file on the path", "text", Problem::NotExecutable);
    row("path to a folder", "ROOT/bin/dir", Problem::NotExecutable);
    row("name outside the path", "games", Problem::NotFound);
}

void TestShellLists::programProblem() {
    QFETCH(QString, program);
    QFETCH(int, problem);
    QTemporaryDir root;
    MakeTree(root.path(), {QStringLiteral("bin/emu"), QStringLiteral("-bin/text"),
                           QStringLiteral("bin/dir/"), QStringLiteral("games/games")});
    const EmulatorSearch::Problem found =
        EmulatorSearch::Check(program.replace(QStringLiteral("ROOT"), root.path()),
                              {root.filePath(QStringLiteral("bin"))});
    QCOMPARE(static_cast<int>(found), problem);
}

QTEST_GUILESS_MAIN(TestShellLists)
#include "tst_shell_lists.moc"

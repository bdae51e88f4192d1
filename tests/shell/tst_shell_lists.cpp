// The shell's GUI-free parts: the display settings and the name list files.
#include "MyIniFiles.h"
#include "TestFiles.h"
#include "namelists.h"
#include "settings.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ShiftJis(const QString &text) {
    QStringEncoder encode("Shift_JIS");
    return encode(text);
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

QTEST_GUILESS_MAIN(TestShellLists)
#include "tst_shell_lists.moc"

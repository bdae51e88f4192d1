#include "MyIniFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIni : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;

    QString WriteFile(const QString &name, const QByteArray &content) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) < 0)
            qFatal("cannot write the test file");
        return path;
    }

private slots:
    void readsAndStripsLines();
    void namesMatchWithoutCase();
    void writesInPlaceOrAppends();
    void integerAndBoolTexts_data();
    void integerAndBoolTexts();
    void hexTexts_data();
    void hexTexts();
    void writeHexWithoutPrefixOrLeadingZeros();
    void updateFileWritesTextAndReportsFailure();
    void foreignBytesAndLoneCarriageReturnsSurvive();
};

void TestIni::readsAndStripsLines() {
    const QString path = WriteFile(QStringLiteral("read.ini"),
                                   QByteArrayLiteral("before=dropped\r\n"
                                                     "[ First ]\r\n"
                                                     "  Key One =  value with  inner  blanks \t\r\n"
                                                     "; a comment\r\n"
                                                     "\r\n"
                                                     "   ;indented comment\r\n"
                                                     "just a line\r\n"
                                                     "equation = a = b\r\n"
                                                     "[Second]\n"
                                                     "\x01name\x02=\x03日本語\n"));
    const TMyMemIniFile ini(path);

    QCOMPARE(ini.FileName(), path);
    QVERIFY(!ini.ValueExists(QString(), QStringLiteral("before")));
    QCOMPARE(ini.ReadString(QStringLiteral("First"), QStringLiteral("Key One"), QString()),
             QStringLiteral("value with  inner  blanks"));
    QCOMPARE(ini.ReadString(QStringLiteral("First"), QStringLiteral("equation"), QString()),
             QStringLiteral("a = b"));
    QCOMPARE(ini.ReadString(QStringLiteral("Second"), QStringLiteral("name"), QString()),
             QStringLiteral("日本語"));
    QCOMPARE(ini.Text(), QStringLiteral("[First]\n"
                                        "Key One=value with  inner  blanks\n"
                                        "just a line\n"
                                        "equation=a = b\n"
                                        "\n"
                                        "[Second]\n"
                                        "name=日本語\n"
                                        "\n"));

    const TMyMemIniFile missing(Dir.filePath(QStringLiteral("absent.ini")));
    QCOMPARE(missing.Text(), QString());
    QCOMPARE(missing.ReadString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("d")),
             QStringLiteral("d"));
    QVERIFY(!missing.SectionExists(QStringLiteral("A")));
}

void TestIni::namesMatchWithoutCase() {
    // The byte order mark some editors put first is not part of the first section's name.
    const QString path =
        WriteFile(QStringLiteral("case.ini"),
                  QByteArrayLiteral("\xEF\xBB\xBF[MapSetEdit]\nGrid=1\n[mapsetedit]\nMore=2\n"));
    TMyMemIniFile ini(path);
    QVERIFY(ini.SectionExists(QStringLiteral("MAPSETEDIT")));
    QVERIFY(ini.ValueExists(QStringLiteral("mapSetEdit"), QStringLiteral("GRID")));
    QCOMPARE(ini.ReadInteger(QStringLiteral("MAPSETEDIT"), QStringLiteral("more"), 0), 2);
    QVERIFY(!ini.ValueExists(QStringLiteral("MapSetEdit"), QStringLiteral("Gri")));

    ini.WriteString(QStringLiteral("MAPSETEDIT"), QStringLiteral("GRID"), QStringLiteral("0"));
    QCOMPARE(ini.Text(), QStringLiteral("[MapSetEdit]\nGrid=0\nMore=2\n\n"));
}

void TestIni::writesInPlaceOrAppends() {
    const QString path = WriteFile(QStringLiteral("write.ini"),
                                   QByteArrayLiteral("[A]\nx=1\nfree text\ny=2\n[B]\nz=3\n"));
    TMyMemIniFile ini(path);
    ini.WriteString(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("10"));
    ini.WriteString(QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("new"));
    ini.WriteInteger(QStringLiteral("C"), QStringLiteral("n"), -42);
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("on"), true);
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("off"), false);

    QCOMPARE(ini.Text(), QStringLiteral("[A]\nx=10\nfree text\ny=2\nw=new\n\n"
                                        "[B]\nz=3\n\n"
                                        "[C]\nn=-42\non=1\noff=0\n\n"));
    QCOMPARE(ini.ReadBool(QStringLiteral("C"), QStringLiteral("on"), false), true);
    QCOMPARE(ini.ReadBool(QStringLiteral("C"), QStringLiteral("off"), true), false);
    // A line without "=" is not a key.
    QVERIFY(!ini.ValueExists(QStringLiteral("A"), QStringLiteral("free text")));
}

void TestIni::integerAndBoolTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("integer");
    QTest::addColumn<bool>("boolean");

    // Default 7 / true when the text does not parse.
    QTest::newRow("decimal") << QStringLiteral("100") << 100 << true;
    QTest::newRow("zero") << QStringLiteral("0") << 0 << false;
    QTest::newRow("negative") << QStringLiteral("-16") << -16 << true;
    QTest::newRow("dollar hex") << QStringLiteral("$1f") << 31 << true;
    QTest::newRow("0x hex") << QStringLiteral("0x10") << 16 << true;
    QTest::newRow("0X hex") << QStringLiteral("0X0") << 0 << false;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647 << true;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << int{INT32_MIN} << true;
    QTest::newRow("too large") << QStringLiteral("2147483648") << 7 << true;
    QTest::newRow("empty") << QString() << 7 << true;
    QTest::newRow("letters") << QStringLiteral("abc") << 7 << true;
    QTest::newRow("trailing junk") << QStringLiteral("12px") << 7 << true;
    QTest::newRow("bare minus") << QStringLiteral("-") << 7 << true;
    QTest::newRow("bare prefix") << QStringLiteral("$") << 7 << true;
    QTest::newRow("bad hex") << QStringLiteral("0xZZ") << 7 << true;
}

void TestIni::integerAndBoolTexts() {
    QFETCH(QString, text);
    QFETCH(int, integer);
    QFETCH(bool, boolean);
    TMyMemIniFile ini(Dir.filePath(QStringLiteral("none.ini")));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), text);
    QCOMPARE(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("k"), 7), integer);
    QCOMPARE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("k"), true), boolean);
    QCOMPARE(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("absent"), 7), 7);
}

void TestIni::hexTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    // Default 0x1234 when the text does not parse.
    QTest::newRow("upper") << QStringLiteral("A90") << 0xA90;
    QTest::newRow("lower") << QStringLiteral("a90") << 0xA90;
    QTest::newRow("leading zeros") << QStringLiteral("00012610") << 0x12610;
    QTest::newRow("all bits") << QStringLiteral("FFFFFFFF") << -1;
    QTest::newRow("too long") << QStringLiteral("100000000") << 0x1234;
    QTest::newRow("0x prefix") << QStringLiteral("0xA90") << 0x1234;
    QTest::newRow("dollar prefix") << QStringLiteral("$A90") << 0x1234;
    QTest::newRow("minus") << QStringLiteral("-1") << 0x1234;
    QTest::newRow("empty") << QString() << 0x1234;
    QTest::newRow("stray") << QStringLiteral("A9G") << 0x1234;
    QTest::newRow("inner blank") << QStringLiteral("A 90") << 0x1234;
    QTest::newRow("full-width digit") << QStringLiteral("１") << 0x1234;
}

void TestIni::hexTexts() {
    QFETCH(QString, text);
    QFETCH(int, value);
    TMyMemIniFile ini(Dir.filePath(QStringLiteral("none.ini")));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), text);
    QCOMPARE(ini.ReadHex(QStringLiteral("S"), QStringLiteral("k"), 0x1234), value);
    QCOMPARE(ini.ReadHex(QStringLiteral("S"), QStringLiteral("absent"), 0x1234), 0x1234);
}

void TestIni::writeHexWithoutPrefixOrLeadingZeros() {
    TMyMemIniFile ini(Dir.filePath(QStringLiteral("none.ini")));
    ini.WriteHex(QStringLiteral("H"), QStringLiteral("a"), 2704);
    ini.WriteHex(QStringLiteral("H"), QStringLiteral("b"), 75280);
    ini.WriteHex(QStringLiteral("H"), QStringLiteral("c"), 0);
    ini.WriteHex(QStringLiteral("H"), QStringLiteral("d"), -1);
    QCOMPARE(ini.Text(), QStringLiteral("[H]\na=A90\nb=12610\nc=0\nd=FFFFFFFF\n\n"));
    QCOMPARE(ini.ReadHex(QStringLiteral("H"), QStringLiteral("d"), 0), -1);
}

void TestIni::updateFileWritesTextAndReportsFailure() {
    const QString path = WriteFile(QStringLiteral("update.ini"),
                                   QByteArrayLiteral("; gone after the update\n[Keep]\nz=1\n"));
    TMyMemIniFile ini(path);
    ini.WriteString(QStringLiteral("Neu"), QStringLiteral("名前"), QStringLiteral("値"));
    QString error;
    QVERIFY(ini.UpdateFile(&error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QStringLiteral("[Keep]\nz=1\n\n[Neu]\n名前=値\n\n"));
    file.close();
    // Read back, the same content.
    QCOMPARE(TMyMemIniFile(path).Text(), ini.Text());

    const QString nowhere = Dir.filePath(QStringLiteral("no/such/folder/x.ini"));
    TMyMemIniFile unwritable(nowhere);
    unwritable.WriteInteger(QStringLiteral("S"), QStringLiteral("k"), 1);
    QVERIFY(!unwritable.UpdateFile(&error));
    QVERIFY2(error.startsWith(nowhere + QStringLiteral("を保存できませんでした。")),
             qPrintable(error));
    QVERIFY(!unwritable.UpdateFile());
}

void TestIni::foreignBytesAndLoneCarriageReturnsSurvive() {
    // A hand-edited file in Shift-JIS with old-style line ends: the section the program
    // does not know comes back byte for byte.
    const QString path =
        WriteFile(QStringLiteral("sjis.ini"), QByteArrayLiteral("[Names]\rboss=\x83\x7B\x83\x58\r"
                                                                "[Timer]\rInterval=16\r"));
    TMyMemIniFile ini(path);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Timer"), QStringLiteral("Interval"), 0), 16);
    ini.WriteInteger(QStringLiteral("Timer"), QStringLiteral("Interval"), 100);
    QVERIFY(ini.UpdateFile());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArrayLiteral("[Names]\nboss=\x83\x7B\x83\x58\n\n"
                                               "[Timer]\nInterval=100\n\n"));
}

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"

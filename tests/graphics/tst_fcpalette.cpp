#include "ScriptedPrompt.h"
#include "fcpalette.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFcPalette : public QObject {
    Q_OBJECT

private slots:
    void loadsEveryColourFromItsTriple();
    void refusesFiles_data();
    void refusesFiles();
    void highIndicesUseTheLowSixBits();

private:
    QString WriteTable(const QByteArray &bytes);
    QTemporaryDir Folder;
};

QString TestFcPalette::WriteTable(const QByteArray &bytes) {
    const QString path = Folder.filePath(QStringLiteral("fcpalette.pal"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the colour table");
    return path;
}

void TestFcPalette::loadsEveryColourFromItsTriple() {
    QByteArray bytes(FcPaletteData::FileSize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 11 + 5);
    bytes[3] = 0x27;
    bytes[4] = 0x1B;
    bytes[5] = static_cast<char>(0x8F);
    ScriptedPrompt prompt;
    const auto table = FcPaletteData::Load(WriteTable(bytes), prompt);

    QVERIFY(table);
    QVERIFY(prompt.Messages.isEmpty());
    QCOMPARE(table->Colour(1), 0x8F1B27u);
    for (int i = 0; i < FcPaletteData::ColourCount; ++i) {
        const auto byte = [&bytes](int k) { return static_cast<uint32_t>(uint8_t(bytes[k])); };
        QCOMPARE(table->Colour(i), byte(3 * i) | byte(3 * i + 1) << 8 | byte(3 * i + 2) << 16);
    }
    QCOMPARE(
        QByteArray(reinterpret_cast<const char *>(table->Bytes().data()), FcPaletteData::FileSize),
        bytes);
}

void TestFcPalette::refusesFiles_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("193 bytes") << 193 << QStringLiteral("のサイズが不正です");
    QTest::newRow("191 bytes") << 191 << QStringLiteral("のサイズが不正です");
    QTest::newRow("empty") << 0 << QStringLiteral("のサイズが不正です");
    QTest::newRow("missing") << -1 << QStringLiteral("が読み込めませんでした");
}

void TestFcPalette::refusesFiles() {
    QFETCH(int, size);
    QFETCH(QString, suffix);
    const QString path = size < 0 ? Folder.filePath(QStringLiteral("absent.pal"))
                                  : WriteTable(QByteArray(size, '\x10'));
    ScriptedPrompt prompt;

    QVERIFY(!FcPaletteData::Load(path, prompt));
    QCOMPARE(prompt.Messages, QStringList{path + suffix});
}

void TestFcPalette::highIndicesUseTheLowSixBits() {
    QByteArray bytes(FcPaletteData::FileSize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i);
    ScriptedPrompt prompt;
    const auto table = FcPaletteData::Load(WriteTable(bytes), prompt);
    QVERIFY(table);

    QCOMPARE(table->Colour(0x4F), table->Colour(0x0F));
    QCOMPARE(table->Colour(0xFF), table->Colour(0x3F));
    QCOMPARE(table->Colour(0x80), table->Colour(0x00));
    QCOMPARE(table->Colour(-1), table->Colour(0x3F));
}

QTEST_GUILESS_MAIN(TestFcPalette)
#include "tst_fcpalette.moc"

#include "MyIniFiles.h"
#include "address.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAddress : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    int FileNumber = 0;

    TMyMemIniFile IniWith(const QByteArray &content) {
        const QString path = Dir.filePath(QStringLiteral("a%1.ini").arg(++FileNumber));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0)
            qFatal("cannot write the test file");
        file.close();
        return TMyMemIniFile(path);
    }

private slots:
    void emptyFileGetsEveryDefault();
    void sharedStagesTakeTheChipOffsetsOfTheirSource();
    void shareChainsFollowTheAscendingPass();
    void handWrittenValues_data();
    void handWrittenValues();
    void shareValues_data();
    void shareValues();
    void animationOffsets();
};

void TestAddress::emptyFileGetsEveryDefault() {
    TMyMemIniFile ini = IniWith(QByteArray());
    const AddressData addresses(ini);

    QCOMPARE(addresses.TableOffset(StageTable::MapSet, 5), 0xF10 + 5 * 0x2000);
    QCOMPARE(addresses.TableOffset(StageTable::ObjectKind, 17), 0xE10 + 17 * 0x2000);
    QCOMPARE(ini.Text(), QStringLiteral("[LevelDataAddress]\n"
                                        "BGBank=A90\n"
                                        "Chip16x16=1B10\n"
                                        "ChipProperty=1F10\n"
                                        "Chip32x32=1710\n"
                                        "MapSet=F10\n"
                                        "Map=A10\n"
                                        "BGPalette=A92\n"
                                        "BGPaletteAnime=AA2\n"
                                        "ObjectScreen=B10\n"
                                        "ObjectX=C10\n"
                                        "ObjectY=D10\n"
                                        "ObjectKind=E10\n"
                                        "\n"
                                        "[ShareData]\n"
                                        "level.14=13\n"
                                        "level.16=13\n"
                                        "\n"
                                        "[Address]\n"
                                        "PaletteAnimationPointer=12610\n"
                                        "PaletteAnimationData=1261E\n"
                                        "PaletteAnimationPalette=1259E\n"
                                        "\n"));
}

void TestAddress::sharedStagesTakeTheChipOffsetsOfTheirSource() {
    TMyMemIniFile ini = IniWith(QByteArray());
    const AddressData addresses(ini);
    const StageTable shared[] = {StageTable::Chip16x16, StageTable::ChipProperty,
                                 StageTable::Chip32x32, StageTable::MapSet};
    const StageTable own[] = {StageTable::BGBank,       StageTable::Map,
                              StageTable::BGPalette,    StageTable::BGPaletteAnime,
                              StageTable::ObjectScreen, StageTable::ObjectX,
                              StageTable::ObjectY,      StageTable::ObjectKind};
    for (int stage : {14, 16}) {
        QCOMPARE(addresses.ShareSource(stage), 13);
        for (StageTable table : shared)
            QCOMPARE(addresses.TableOffset(table, stage), addresses.TableOffset(table, 13));
        for (StageTable table : own)
            QCOMPARE(addresses.TableOffset(table, stage),
                     TableInfo(table).DefaultOffset + stage * 0x2000);
    }
    QCOMPARE(addresses.TableOffset(StageTable::Chip16x16, 14), 0x1B10 + 13 * 0x2000);
    QCOMPARE(addresses.ShareSource(15), 15);
    QCOMPARE(addresses.TableOffset(StageTable::Chip16x16, 15), 0x1B10 + 15 * 0x2000);
}

void TestAddress::shareChainsFollowTheAscendingPass() {
    // Stage 2 names stage 5 before stage 5 is made to share stage 0, so stage 2 keeps
    // stage 5's own tables; stage 7 names stage 2 and gets what stage 2 holds.
    TMyMemIniFile ini =
        IniWith(QByteArrayLiteral("[ShareData]\nlevel.2=5\nlevel.5=0\nlevel.7=2\n"));
    const AddressData addresses(ini);
    const int32_t ownOfFive = 0xF10 + 5 * 0x2000;
    QCOMPARE(addresses.TableOffset(StageTable::MapSet, 2), ownOfFive);
    QCOMPARE(addresses.TableOffset(StageTable::MapSet, 5), 0xF10);
    QCOMPARE(addresses.TableOffset(StageTable::MapSet, 7), ownOfFive);
    QCOMPARE(addresses.ShareSource(2), 5);
    QCOMPARE(addresses.ShareSource(5), 0);
    QCOMPARE(addresses.ShareSource(7), 2);
}

void TestAddress::handWrittenValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<StageTable>("table");
    QTest::addColumn<int>("stage0");
    QTest::addColumn<QString>("written");

    QTest::newRow("lower case") << QByteArrayLiteral("BGBank=a90") << StageTable::BGBank << 0xA90
                                << QStringLiteral("A90");
    QTest::newRow("lower-case key")
        << QByteArrayLiteral("bgbank=ab0") << StageTable::BGBank << 0xAB0 << QStringLiteral("AB0");
    QTest::newRow("0x prefix") << QByteArrayLiteral("BGBank=0xA90") << StageTable::BGBank << 0xA90
                               << QStringLiteral("A90");
    QTest::newRow("moved") << QByteArrayLiteral("Map=1000") << StageTable::Map << 0x1000
                           << QStringLiteral("1000");
    QTest::newRow("past the buffer") << QByteArrayLiteral("MapSet=17FFFF") << StageTable::MapSet
                                     << 0xF10 << QStringLiteral("F10");
    QTest::newRow("last stage past the buffer")
        << QByteArrayLiteral("MapSet=15E000") << StageTable::MapSet << 0xF10
        << QStringLiteral("F10");
    QTest::newRow("last stage just fits")
        << QByteArrayLiteral("MapSet=15D840") << StageTable::MapSet << 0x15D840
        << QStringLiteral("15D840");
    QTest::newRow("negative") << QByteArrayLiteral("ObjectX=-10") << StageTable::ObjectX << 0xC10
                              << QStringLiteral("C10");
    QTest::newRow("negative bits") << QByteArrayLiteral("ObjectX=FFFFFFF0") << StageTable::ObjectX
                                   << 0xC10 << QStringLiteral("C10");
    QTest::newRow("empty") << QByteArrayLiteral("Chip32x32=") << StageTable::Chip32x32 << 0x1710
                           << QStringLiteral("1710");
    QTest::newRow("palette span fits")
        << QByteArrayLiteral("BGPalette=15DFE0") << StageTable::BGPalette << 0x15DFE0
        << QStringLiteral("15DFE0");
    QTest::newRow("palette span past") << QByteArrayLiteral("BGPalette=15DFE1")
                                       << StageTable::BGPalette << 0xA92 << QStringLiteral("A92");
}

void TestAddress::handWrittenValues() {
    QFETCH(QByteArray, line);
    QFETCH(StageTable, table);
    QFETCH(int, stage0);
    QFETCH(QString, written);
    TMyMemIniFile ini = IniWith(QByteArrayLiteral("[LevelDataAddress]\n") + line + '\n');
    const AddressData addresses(ini);
    QCOMPARE(addresses.TableOffset(table, 0), stage0);
    QCOMPARE(addresses.TableOffset(table, 12), stage0 + 12 * 0x2000);
    const QString key = QString::fromLatin1(TableInfo(table).Key);
    QCOMPARE(ini.ReadString(QStringLiteral("LevelDataAddress"), key, QString()), written);
    // Every table of every stage lies inside the buffer.
    for (int t = 0; t < StageTableCount; ++t) {
        const auto each = static_cast<StageTable>(t);
        for (int stage = 0; stage < StageCount; ++stage) {
            const int32_t offset = addresses.TableOffset(each, stage);
            QVERIFY(offset >= 0 && offset + TableInfo(each).Span <= ImageBufferSize);
        }
    }
}

void TestAddress::shareValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("written"); // null: the key is absent after resolution

    QTest::newRow("self by hand stays")
        << QByteArrayLiteral("level.3=3") << 3 << 3 << QStringLiteral("3");
    QTest::newRow("absent is not added") << QByteArray() << 3 << 3 << QString();
    QTest::newRow("absent default") << QByteArray() << 16 << 13 << QStringLiteral("13");
    QTest::newRow("other") << QByteArrayLiteral("level.4=1") << 4 << 1 << QStringLiteral("1");
    QTest::newRow("hex text") << QByteArrayLiteral("level.4=$1") << 4 << 1 << QStringLiteral("1");
    QTest::newRow("unshared by hand")
        << QByteArrayLiteral("level.14=14") << 14 << 14 << QStringLiteral("14");
    QTest::newRow("too high") << QByteArrayLiteral("level.3=99") << 3 << 3 << QStringLiteral("3");
    QTest::newRow("negative") << QByteArrayLiteral("level.5=-1") << 5 << 5 << QStringLiteral("5");
    QTest::newRow("18") << QByteArrayLiteral("level.14=18") << 14 << 13 << QStringLiteral("13");
    QTest::newRow("text") << QByteArrayLiteral("level.6=six") << 6 << 6 << QStringLiteral("6");
}

void TestAddress::shareValues() {
    QFETCH(QByteArray, line);
    QFETCH(int, stage);
    QFETCH(int, source);
    QFETCH(QString, written);
    TMyMemIniFile ini = IniWith(QByteArrayLiteral("[ShareData]\n") + line + '\n');
    const AddressData addresses(ini);
    QCOMPARE(addresses.ShareSource(stage), source);
    QCOMPARE(addresses.TableOffset(StageTable::Chip32x32, stage), 0x1710 + source * 0x2000);
    QCOMPARE(addresses.TableOffset(StageTable::Map, stage), 0xA10 + stage * 0x2000);
    const QString key = QStringLiteral("level.%1").arg(stage);
    QCOMPARE(ini.ValueExists(QStringLiteral("ShareData"), key), !written.isNull());
    if (!written.isNull())
        QCOMPARE(ini.ReadString(QStringLiteral("ShareData"), key, QString()), written);
}

void TestAddress::animationOffsets() {
    TMyMemIniFile ini = IniWith(QByteArrayLiteral("[Address]\n"
                                                  "PaletteAnimationPointer=20000\n"
                                                  "PaletteAnimationData=180040\n"
                                                  "PaletteAnimationPalette=xyz\n"));
    const AddressData addresses(ini);
    QCOMPARE(addresses.PaletteAnimationPointer(), 0x20000);
    QCOMPARE(addresses.PaletteAnimationData(), DefaultPaletteAnimationData);
    QCOMPARE(addresses.PaletteAnimationPalette(), DefaultPaletteAnimationPalette);
    QCOMPARE(ini.ReadString(QStringLiteral("Address"), QStringLiteral("PaletteAnimationData"),
                            QString()),
             QStringLiteral("1261E"));
    QCOMPARE(ini.ReadString(QStringLiteral("Address"), QStringLiteral("PaletteAnimationPalette"),
                            QString()),
             QStringLiteral("1259E"));
}

QTEST_GUILESS_MAIN(TestAddress)
#include "tst_address.moc"

#include "CartridgeBuilder.h"
#include "DemoCartridge.h"
#include "JapaneseFonts.h"
#include "ScriptedPrompt.h"
#include "StagePictures.h"
#include "TextReport.h"
#include "ToolDocument.h"
#include "fcpalette.h"
#include "patchformat.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

/// The tool's reports and pictures against a synthetic cartridge whose bytes are known,
/// and the exit statuses of the built program.
class TestQuartex3Tool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dumpShowsTheBytesPlaced_data();
    void dumpShowsTheBytesPlaced();
    void fullDumpListsEverySectionInOrder();
    void objectsFollowTheReadingRules_data();
    void objectsFollowTheReadingRules();
    void settingsFileMovesTablesAndStaysUntouched();
    void infoListsOffsetsAndSharing();
    void picturesShowTheDecodedTiles_data();
    void picturesShowTheDecodedTiles();
    void roomMarksItsObjects();
    void hostileBytesDrawDefinedPictures();
    void programWritesTheLibraryPicture();
    void programPatchesRoundTrip();
    void programTilesRoundTrip();
    void programBpsChecksItsBase();
    void stageMapIsTheRoomsSideBySide_data();
    void stageMapIsTheRoomsSideBySide();
    void exitStatuses_data();
    void exitStatuses();

private:
    QString PathOf(const QString &name) const { return Folder.filePath(name); }
    /// Opens an image with the tool's own loader; fails the test when it cannot.
    std::unique_ptr<ToolDocument> OpenDocument(const QString &path,
                                               const QString &settings = QString());
    QString WriteCartridge(const QString &name, const CartridgeBuilder &cartridge);

    QTemporaryDir Folder;
    CartridgeBuilder Cartridge;
    QString RomPath;
    QString ColourPath;
    std::unique_ptr<FcPaletteData> Colours;
};

namespace {

// Distinct colours for the 64 master indices, so that a wrong index shows.
QRgb MasterColour(int index) {
    return qRgb(4 * index, 255 - 4 * index, (index * 37) % 256);
}

bool IsSharedTable(StageTable table) {
    return table == StageTable::Chip16x16 || table == StageTable::ChipProperty ||
           table == StageTable::Chip32x32 || table == StageTable::MapSet;
}

// The cartridge byte that the model should read for `table` of `stage` at `index`, with the
// default sharing of stages 14 and 16.
uint8_t TableByte(const CartridgeBuilder &cartridge, StageTable table, int stage, int index) {
    const int source = IsSharedTable(table) && (stage == 14 || stage == 16) ? 13 : stage;
    return cartridge.Byte(CartridgeBuilder::DefaultOffset(table, source) + index);
}

QString HexLines(const QByteArray &bytes) {
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += 16)
        text += QString::fromLatin1(bytes.mid(at, 16).toHex(' ').toUpper()) + u'\n';
    return text;
}

/// Decodes the cartridge's pictures independently of the renderer, pixel by pixel, as
/// palette values 0..15 of one stage.
class ExpectedPixels {
public:
    ExpectedPixels(const CartridgeBuilder &cartridge, int stage, int paletteSet)
        : Cart(cartridge), Stage(stage), Set(paletteSet) {}

    int BankTile(int bankIndex, int tile, int x, int y) const {
        const int bank = TableByte(Cart, StageTable::BGBank, Stage, bankIndex);
        const int32_t address = CartridgeBuilder::ChrBase + 0x400 * bank + 16 * tile;
        const int bit = 7 - x;
        return ((Cart.Byte(address + y) >> bit) & 1) |
               (((Cart.Byte(address + y + 8) >> bit) & 1) << 1);
    }
    int Chip16(int chip, int x, int y) const {
        const int tile =
            TableByte(Cart, StageTable::Chip16x16, Stage, chip + 256 * ((y / 8) * 2 + x / 8));
        const int palette = TableByte(Cart, StageTable::ChipProperty, Stage, chip) & 3;
        return 4 * palette + BankTile(tile >= 0x80, tile & 0x7F, x % 8, y % 8);
    }
    int Chip32(int chip, int x, int y) const {
        const int quarter = (y / 16) * 2 + x / 16;
        return Chip16(TableByte(Cart, StageTable::Chip32x32, Stage, 4 * chip + quarter), x % 16,
                      y % 16);
    }
    int MapSet(int mapSet, int x, int y) const {
        const int cell = 64 * mapSet + 8 * (y / 32) + x / 32;
        return Chip32(TableByte(Cart, StageTable::MapSet, Stage, cell), x % 32, y % 32);
    }
    QRgb Colour(int value) const {
        const int32_t palette = CartridgeBuilder::DefaultOffset(StageTable::BGPalette, Stage);
        return MasterColour(Cart.Byte(palette + 20 * Set + value) & 63);
    }

private:
    const CartridgeBuilder &Cart;
    int Stage;
    int Set;
};

struct ProcessResult {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

ProcessResult RunTool(const QStringList &arguments, const QString &workingDirectory) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(QUARTEX3TOOL_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

std::unique_ptr<ToolDocument> TestQuartex3Tool::OpenDocument(const QString &path,
                                                             const QString &settings) {
    QString error;
    auto document = ToolDocument::Open(path, settings, error);
    if (!document)
        qWarning("cannot open %s: %s", qPrintable(path), qPrintable(error));
    return document;
}

QString TestQuartex3Tool::WriteCartridge(const QString &name, const CartridgeBuilder &cartridge) {
    const QString path = PathOf(name);
    if (!cartridge.WriteTo(path))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

void TestQuartex3Tool::initTestCase() {
    QVERIFY(Folder.isValid());
    InstallJapaneseFontSubstitutions(); // as the program does, so marker text matches
    RomPath = WriteCartridge(QStringLiteral("rom.nes"), Cartridge);

    QByteArray table;
    for (int i = 0; i < 64; ++i) {
        const QRgb colour = MasterColour(i);
        table.append(static_cast<char>(qRed(colour)));
        table.append(static_cast<char>(qGreen(colour)));
        table.append(static_cast<char>(qBlue(colour)));
    }
    ColourPath = PathOf(QStringLiteral("colours.pal"));
    QFile file(ColourPath);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
    file.close();
    ScriptedPrompt prompt;
    Colours = FcPaletteData::Load(ColourPath, prompt);
    QVERIFY(Colours);
}

void TestQuartex3Tool::dumpShowsTheBytesPlaced_data() {
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("expected");

    const auto span = [this](StageTable table, int stage, int length) {
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(static_cast<char>(TableByte(Cartridge, table, stage, i)));
        return bytes;
    };
    // Stage 14 takes its chip tables from stage 13 by default.
    for (int stage : {0, 5, 14, 17}) {
        const auto row = [&](const char *section, const QByteArray &bytes) {
            QTest::addRow("%s stage %d", section, stage)
                << stage << QString::fromLatin1(section) << HexLines(bytes);
        };
        row("bgbank", span(StageTable::BGBank, stage, 2));
        row("chip16", span(StageTable::Chip16x16, stage, 1024));
        row("chipprop", span(StageTable::ChipProperty, stage, 256));
        row("chip32", span(StageTable::Chip32x32, stage, 1024));
        row("mapset", span(StageTable::MapSet, stage, 2048));
        row("map", span(StageTable::Map, stage, 48));
        QByteArray palettes;
        QByteArray animes;
        for (int set = 0; set < PaletteSetCount; ++set) {
            palettes += span(StageTable::BGPalette, stage, 20 * set + 16).mid(20 * set);
            animes += span(StageTable::BGPaletteAnime, stage, 20 * set + 4).mid(20 * set);
        }
        row("palette", palettes);
        row("anime", animes);
    }
}

void TestQuartex3Tool::dumpShowsTheBytesPlaced() {
    QFETCH(int, stage);
    QFETCH(QString, section);
    QFETCH(QString, expected);

    const auto document = OpenDocument(RomPath);
    QVERIFY(document);
    QCOMPARE(TextReport::Dump(document->Rom().Stage(stage), {section}),
             u'[' + section + QStringLiteral("]\n") + expected);
}

void TestQuartex3Tool::fullDumpListsEverySectionInOrder() {
    const auto document = OpenDocument(RomPath);
    QVERIFY(document);
    const QString dump = TextReport::Dump(document->Rom().Stage(3), TextReport::DumpSections());
    QStringList headers;
    for (const QString &line : dump.split(u'\n'))
        if (line.startsWith(u'['))
            headers << line;
    QCOMPARE(headers, QStringList({QStringLiteral("[bgbank]"), QStringLiteral("[chip16]"),
                                   QStringLiteral("[chipprop]"), QStringLiteral("[chip32]"),
                                   QStringLiteral("[mapset]"), QStringLiteral("[map]"),
                                   QStringLiteral("[palette]"), QStringLiteral("[anime]"),
                                   QStringLiteral("[objects]")}));
    // 1 + 64 + 16 + 64 + 128 + 3 + 5 + 2 byte lines, 9 headers, one line per object.
    const auto objects = CartridgeBuilder::DefaultObjects(3);
    QCOMPARE(dump.count(u'\n'), 283 + 9 + static_cast<int>(objects.size()));
    // The selection order does not change the order of the sections.
    QCOMPARE(TextReport::Dump(document->Rom().Stage(3),
                              {QStringLiteral("map"), QStringLiteral("bgbank")}),
             TextReport::Dump(document->Rom().Stage(3), {QStringLiteral("bgbank")}) +
                 TextReport::Dump(document->Rom().Stage(3), {QStringLiteral("map")}));
}

void TestQuartex3Tool::objectsFollowTheReadingRules_data() {
    QTest::addColumn<QList<int>>("entries"); // room, X, Y, kind of each entry
    QTest::addColumn<int>("listed");         // how many leading entries are read

    QTest::newRow("grouped by room") << QList<int>{0, 0x10, 0x20, 0x30, 0,    0x11, 0x21, 0x31,
                                                   4, 0xF0, 0x08, 0xFF, 0x2F, 0x80, 0x80, 0x01}
                                     << 4;
    QTest::newRow("room out of order ends the list")
        << QList<int>{0, 1, 2, 3, 0, 4, 5, 6, 2, 7, 8, 9, 1, 10, 11, 12, 3, 13, 14, 15} << 3;
    QTest::newRow("end marker first") << QList<int>{} << 0;
    QTest::newRow("room 48 ends the list")
        << QList<int>{5, 1, 2, 3, 0x30, 4, 5, 6, 6, 7, 8, 9} << 1;
}

void TestQuartex3Tool::objectsFollowTheReadingRules() {
    QFETCH(QList<int>, entries);
    QFETCH(int, listed);

    CartridgeBuilder cartridge;
    std::vector<ObjectTableEntry> table;
    for (qsizetype i = 0; i + 3 < entries.size(); i += 4)
        table.push_back({entries[i], entries[i + 1], entries[i + 2], entries[i + 3]});
    cartridge.SetObjects(7, table);
    const auto document = OpenDocument(WriteCartridge(QStringLiteral("objects.nes"), cartridge));
    QVERIFY(document);

    QString expected = QStringLiteral("[objects]\n");
    for (int k = 0; k < listed; ++k)
        expected += QStringLiteral("%1 %2 %3 %4\n")
                        .arg(entries[4 * k], 2, 16, QLatin1Char('0'))
                        .arg(entries[4 * k + 1], 2, 16, QLatin1Char('0'))
                        .arg(entries[4 * k + 2], 2, 16, QLatin1Char('0'))
                        .arg(entries[4 * k + 3], 2, 16, QLatin1Char('0'))
                        .toUpper();
    QCOMPARE(TextReport::Dump(document->Rom().Stage(7), {QStringLiteral("objects")}), expected);
}

void TestQuartex3Tool::settingsFileMovesTablesAndStaysUntouched() {
    const QString settingsPath = PathOf(QStringLiteral("moved.ini"));
    const QByteArray settingsText = "; hand-written\n[LevelDataAddress]\nMap=A20\n"
                                    "[ShareData]\nlevel.2=1\nlevel.14=14\n";
    {
        QFile file(settingsPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settingsText);
    }
    const auto document = OpenDocument(RomPath, settingsPath);
    QVERIFY(document);

    QByteArray map;
    for (int i = 0; i < 48; ++i)
        map.append(static_cast<char>(Cartridge.Byte(0xA20 + 2 * StageStride + i)));
    QCOMPARE(TextReport::Dump(document->Rom().Stage(2), {QStringLiteral("map")}),
             QStringLiteral("[map]\n") + HexLines(map));
    // Stage 2 now shows stage 1's chips, and stage 14 its own.
    QCOMPARE(TextReport::Dump(document->Rom().Stage(2), {QStringLiteral("chipprop")}),
             TextReport::Dump(document->Rom().Stage(1), {QStringLiteral("chipprop")}));
    QByteArray ownProperties;
    for (int i = 0; i < 256; ++i)
        ownProperties.append(static_cast<char>(
            Cartridge.Byte(CartridgeBuilder::DefaultOffset(StageTable::ChipProperty, 14) + i)));
    QCOMPARE(TextReport::Dump(document->Rom().Stage(14), {QStringLiteral("chipprop")}),
             QStringLiteral("[chipprop]\n") + HexLines(ownProperties));

    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), settingsText);
}

void TestQuartex3Tool::infoListsOffsetsAndSharing() {
    const auto document = OpenDocument(RomPath);
    QVERIFY(document);
    const QStringList lines = TextReport::Info(document->Rom()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5 + 1 + 18);
    QCOMPARE(lines[0], QStringLiteral("file-size 060010"));
    QCOMPARE(lines[1], QStringLiteral("prg-units 10"));
    QCOMPARE(lines[2], QStringLiteral("chr-units 10"));
    QCOMPARE(lines[3], QStringLiteral("chr-base  040010"));
    QCOMPARE(lines[4], QStringLiteral("chr-pages 80"));
    QCOMPARE(lines[5].simplified().split(u' ').size(), 14);

    const QStringList stage0 = lines[6].simplified().split(u' ');
    QCOMPARE(
        stage0,
        QStringList({QStringLiteral("00"), QStringLiteral("000A90"), QStringLiteral("001B10"),
                     QStringLiteral("001F10"), QStringLiteral("001710"), QStringLiteral("000F10"),
                     QStringLiteral("000A10"), QStringLiteral("000A92"), QStringLiteral("000AA2"),
                     QStringLiteral("000B10"), QStringLiteral("000C10"), QStringLiteral("000D10"),
                     QStringLiteral("000E10"), QStringLiteral("00")}));
    // Stage 0E shares stage 0D's four chip tables and keeps its own others.
    const QStringList stage14 = lines[6 + 14].simplified().split(u' ');
    QCOMPARE(stage14[0], QStringLiteral("0E"));
    QCOMPARE(stage14[1], QStringLiteral("01CA90"));
    QCOMPARE(stage14[2], QStringLiteral("01BB10"));
    QCOMPARE(stage14[5], QStringLiteral("01AF10"));
    QCOMPARE(stage14[6], QStringLiteral("01CA10"));
    QCOMPARE(stage14[13], QStringLiteral("0D"));
    QCOMPARE(lines[6 + 17].simplified().split(u' ').last(), QStringLiteral("11"));

    // A trainer announced in the header moves the CHR base by its 512 bytes.
    CartridgeBuilder withTrainer = Cartridge;
    withTrainer.SetByte(6, 0x04);
    const auto trained = OpenDocument(WriteCartridge(QStringLiteral("trainer.nes"), withTrainer));
    QVERIFY(trained);
    QCOMPARE(TextReport::Info(trained->Rom()).split(u'\n')[3], QStringLiteral("chr-base  040210"));
}

void TestQuartex3Tool::picturesShowTheDecodedTiles_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("paletteSet");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("mapEntry"); // written into Map[number] first; -1 keeps the pattern

    QTest::newRow("room") << QStringLiteral("room") << 2 << 1 << 5 << 0x07;
    QTest::newRow("room with map entry above 31") << QStringLiteral("room") << 2 << 0 << 7 << 0xE5;
    QTest::newRow("map set of a sharing stage") << QStringLiteral("mapset") << 14 << 4 << 31 << -1;
    QTest::newRow("16x16 sheet") << QStringLiteral("sheet16") << 9 << 3 << 0 << -1;
    QTest::newRow("32x32 sheet") << QStringLiteral("sheet32") << 17 << 2 << 0 << -1;
    QTest::newRow("banks") << QStringLiteral("banks") << 6 << 1 << 0 << -1;
}

void TestQuartex3Tool::picturesShowTheDecodedTiles() {
    QFETCH(QString, picture);
    QFETCH(int, stage);
    QFETCH(int, paletteSet);
    QFETCH(int, number);
    QFETCH(int, mapEntry);

    CartridgeBuilder cartridge;
    if (mapEntry >= 0)
        cartridge.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, stage) + number,
                          static_cast<uint8_t>(mapEntry));
    const auto document = OpenDocument(WriteCartridge(QStringLiteral("picture.nes"), cartridge));
    QVERIFY(document);
    const StagePictures pictures(*Colours, document->Rom(), stage, paletteSet);
    const ExpectedPixels expected(cartridge, stage, paletteSet);

    QImage image;
    std::function<int(int, int)> value;
    if (picture == u"room") {
        image = pictures.Room(number, false);
        value = [&](int x, int y) { return expected.MapSet(mapEntry & 31, x, y); };
    } else if (picture == u"mapset") {
        image = pictures.MapSet(number);
        value = [&](int x, int y) { return expected.MapSet(number, x, y); };
    } else if (picture == u"sheet16") {
        image = pictures.Sheet16x16();
        value = [&](int x, int y) {
            return expected.Chip16((y / 16) * 16 + x / 16, x % 16, y % 16);
        };
    } else if (picture == u"sheet32") {
        image = pictures.Sheet32x32();
        value = [&](int x, int y) {
            return expected.Chip32((y / 32) * 16 + x / 32, x % 32, y % 32);
        };
    } else {
        image = pictures.Banks();
        value = [&](int x, int y) {
            return expected.BankTile(y / 64, 16 * ((y % 64) / 8) + x / 8, x % 8, y % 8);
        };
    }
    const QSize sizes[] = {{256, 256}, {512, 512}, {128, 128}};
    const QSize size = picture == u"sheet32" ? sizes[1] : picture == u"banks" ? sizes[2] : sizes[0];
    QCOMPARE(image.size(), size);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb want = expected.Colour(value(x, y));
            if (image.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(image.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
        }
    }
}

void TestQuartex3Tool::roomMarksItsObjects() {
    CartridgeBuilder cartridge;
    cartridge.SetObjects(4, {{3, 0x40, 0x50, 0x0A}, {3, 0xA0, 0x90, 0xC3}, {9, 0x20, 0x20, 1}});
    const auto document = OpenDocument(WriteCartridge(QStringLiteral("marks.nes"), cartridge));
    QVERIFY(document);
    const StagePictures pictures(*Colours, document->Rom(), 4, 0);
    const QImage plain = pictures.Room(3, false);
    const QImage marked = pictures.Room(3, true);

    const QRgb white = qRgb(255, 255, 255);
    for (const QPoint centre : {QPoint(0x40, 0x50), QPoint(0xA0, 0x90)}) {
        QCOMPARE(marked.pixel(centre + QPoint(-8, -8)), white);
        QCOMPARE(marked.pixel(centre + QPoint(7, 7)), white);
        QCOMPARE(marked.pixel(centre + QPoint(7, -8)), white);
    }
    // The object of room 9 is not drawn here; far from every marker the room is unchanged.
    QCOMPARE(marked.pixel(0x20 - 8, 0x20 - 8), plain.pixel(0x20 - 8, 0x20 - 8));
    QCOMPARE(marked.copy(0, 0xC0, 256, 64), plain.copy(0, 0xC0, 256, 64));
    QVERIFY(marked != plain);
}

void TestQuartex3Tool::hostileBytesDrawDefinedPictures() {
    CartridgeBuilder cartridge;
    cartridge.SetByte(4, 0xFF); // PRG units: the CHR base lies far beyond the image
    cartridge.SetByte(6, 0x04); // and a trainer moves it further still
    const int stage = 5;
    const int32_t banks = CartridgeBuilder::DefaultOffset(StageTable::BGBank, stage);
    cartridge.SetByte(banks, 0xFF);
    cartridge.SetByte(banks + 1, 0xFF);
    const int32_t palette = CartridgeBuilder::DefaultOffset(StageTable::BGPalette, stage);
    for (int i = 0; i < 16; ++i)
        cartridge.SetByte(palette + i, 0xFF);
    cartridge.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, stage) + 0x2F, 0xFF);
    const auto document = OpenDocument(WriteCartridge(QStringLiteral("hostile.nes"), cartridge));
    QVERIFY(document);

    const StagePictures pictures(*Colours, document->Rom(), stage, 0);
    // Entry FF shows map set 1F; all CHR reads fall outside the image and read as zero, so
    // every pixel has colour 0 of its palette: master colour 3F.
    const QImage room = pictures.Room(0x2F, false);
    QCOMPARE(room, pictures.MapSet(31));
    QCOMPARE(room.pixel(100, 100), MasterColour(0x3F));
    QCOMPARE(pictures.Banks().pixel(127, 127), MasterColour(0x3F));
    QCOMPARE(pictures.Sheet16x16().size(), QSize(256, 256));
    QCOMPARE(pictures.Sheet32x32().pixel(511, 511), MasterColour(0x3F));
}

void TestQuartex3Tool::programWritesTheLibraryPicture() {
    const QString out = PathOf(QStringLiteral("room.png"));
    const ProcessResult run = RunTool(
        {QStringLiteral("render"), RomPath, QStringLiteral("--stage"), QStringLiteral("0"),
         QStringLiteral("--room"), QStringLiteral("2"), QStringLiteral("--objects"),
         QStringLiteral("--palette-set"), QStringLiteral("3"), QStringLiteral("--out"), out},
        Folder.path());
    // Without --colors the colour table is fcpalette.pal in the working directory.
    QCOMPARE(run.Status, 1);
    QVERIFY(QFile::copy(ColourPath, PathOf(QStringLiteral("fcpalette.pal"))));
    const ProcessResult second = RunTool(
        {QStringLiteral("render"), RomPath, QStringLiteral("--stage"), QStringLiteral("0"),
         QStringLiteral("--room"), QStringLiteral("2"), QStringLiteral("--objects"),
         QStringLiteral("--palette-set"), QStringLiteral("3"), QStringLiteral("--out"), out},
        Folder.path());
    QVERIFY(QFile::remove(PathOf(QStringLiteral("fcpalette.pal"))));
    QCOMPARE(second.Status, 0);
    QVERIFY(second.Err.isEmpty());

    const auto document = OpenDocument(RomPath);
    QVERIFY(document);
    const QImage expected = StagePictures(*Colours, document->Rom(), 0, 3).Room(2, true);
    const QImage written(out);
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), expected);
}

void TestQuartex3Tool::programPatchesRoundTrip() {
    CartridgeBuilder edited;
    for (int32_t at : {0x20, 0xA90, 0x1B10, 0x40000, 0x5FFFF})
        edited.SetByte(at, static_cast<uint8_t>(edited.Byte(at) ^ 0x5A));
    edited.Bytes().replace(0x30000, 500, QByteArray(500, '\x33'));
    edited.Bytes().append(QByteArray(100, '\x01'));
    const QString editedPath = WriteCartridge(QStringLiteral("edited.nes"), edited);
    const QString patch = PathOf(QStringLiteral("round.ips"));
    const QString result = PathOf(QStringLiteral("result.nes"));

    QCOMPARE(RunTool({QStringLiteral("ips"), RomPath, editedPath, patch}, Folder.path()).Status, 0);
    QCOMPARE(RunTool({QStringLiteral("apply-ips"), RomPath, patch, result}, Folder.path()).Status,
             0);
    QFile file(result);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == edited.Bytes());
    QVERIFY(QFileInfo(patch).size() < 1000);

    // Back again: the shorter image, through the truncation length.
    const QString back = PathOf(QStringLiteral("back.ips"));
    const QString restored = PathOf(QStringLiteral("restored.nes"));
    QCOMPARE(RunTool({QStringLiteral("ips"), editedPath, RomPath, back}, Folder.path()).Status, 0);
    QCOMPARE(
        RunTool({QStringLiteral("apply-ips"), editedPath, back, restored}, Folder.path()).Status,
        0);
    QFile restoredFile(restored);
    QVERIFY(restoredFile.open(QIODevice::ReadOnly));
    QVERIFY(restoredFile.readAll() == Cartridge.Bytes());
}

void TestQuartex3Tool::programTilesRoundTrip() {
    const QString png = PathOf(QStringLiteral("window.png"));
    const QString same = PathOf(QStringLiteral("same.nes"));
    const QString changed = PathOf(QStringLiteral("changed.nes"));
    QCOMPARE(RunTool({QStringLiteral("chr-export"), RomPath, QStringLiteral("--window"),
                      QStringLiteral("0A"), png},
                     Folder.path())
                 .Status,
             0);
    QCOMPARE(RunTool({QStringLiteral("chr-import"), RomPath, QStringLiteral("--window"),
                      QStringLiteral("0A"), png, same},
                     Folder.path())
                 .Status,
             0);
    QFile sameFile(same);
    QVERIFY(sameFile.open(QIODevice::ReadOnly));
    QVERIFY(sameFile.readAll() == Cartridge.Bytes());

    // One pixel of window tile 0x21 drawn in another colour: exactly that tile changes.
    QImage picture(png);
    QCOMPARE(picture.size(), QSize(128, 64));
    const QPoint pixel(8 * 1 + 6, 8 * 2 + 7);
    picture.setPixel(pixel, (picture.pixelIndex(pixel) + 1) % 4);
    QVERIFY(picture.save(png));
    QCOMPARE(RunTool({QStringLiteral("chr-import"), RomPath, QStringLiteral("--window"),
                      QStringLiteral("0A"), png, changed},
                     Folder.path())
                 .Status,
             0);
    QFile changedFile(changed);
    QVERIFY(changedFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = changedFile.readAll();
    const int32_t tile = CartridgeBuilder::ChrBase + 0x400 * 0x0A + 16 * 0x21;
    QCOMPARE(bytes.size(), Cartridge.Bytes().size());
    for (qsizetype at = 0; at < bytes.size(); ++at)
        if (bytes[at] != Cartridge.Bytes()[at])
            QVERIFY2(at == tile + 7 || at == tile + 15, qPrintable(QString::number(at, 16)));
    QVERIFY(bytes != Cartridge.Bytes());
}

void TestQuartex3Tool::programBpsChecksItsBase() {
    CartridgeBuilder edited;
    edited.SetByte(0x1B10, static_cast<uint8_t>(edited.Byte(0x1B10) ^ 0x5A));
    edited.Bytes().replace(0x30000, 500, Cartridge.Bytes().mid(0x8000, 500));
    const QString editedPath = WriteCartridge(QStringLiteral("bps-edited.nes"), edited);
    const QString patch = PathOf(QStringLiteral("levels.bps"));
    const QString result = PathOf(QStringLiteral("bps-result.nes"));
    QCOMPARE(RunTool({QStringLiteral("bps"), RomPath, editedPath, patch,
                      QStringLiteral("--metadata"), QStringLiteral("レベル v2")},
                     Folder.path())
                 .Status,
             0);
    QVERIFY(QFileInfo(patch).size() < 100);
    // Chosen by its header, whatever the name says.
    const QString renamed = PathOf(QStringLiteral("levels.ips"));
    QVERIFY(QFile::copy(patch, renamed));
    QCOMPARE(RunTool({QStringLiteral("apply"), RomPath, renamed, result}, Folder.path()).Status, 0);
    QFile file(result);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == edited.Bytes());

    const ProcessResult info = RunTool({QStringLiteral("patch-info"), patch}, Folder.path());
    QCOMPARE(info.Status, 0);
    QVERIFY2(info.Out.startsWith("BPS, ") &&
                 info.Out.contains(QStringLiteral("metadata: レベル v2").toUtf8()),
             info.Out.constData());

    // Applied to the edited image instead of the original: both checksums named, no file.
    const QString never = PathOf(QStringLiteral("never.nes"));
    const ProcessResult wrong =
        RunTool({QStringLiteral("apply-bps"), editedPath, patch, never}, Folder.path());
    QCOMPARE(wrong.Status, 1);
    const QByteArray expectedCrc = Crc32Text(Crc32(Cartridge.Bytes())).toLatin1();
    const QByteArray actualCrc = Crc32Text(Crc32(edited.Bytes())).toLatin1();
    QVERIFY2(wrong.Err.contains(expectedCrc) && wrong.Err.contains(actualCrc),
             wrong.Err.constData());
    QVERIFY(!QFile::exists(never));
}

void TestQuartex3Tool::stageMapIsTheRoomsSideBySide_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("objects");
    QTest::newRow("one row") << QStringList() << 48 << false;
    QTest::newRow("1 column") << QStringList{QStringLiteral("--columns"), QStringLiteral("1"),
                                             QStringLiteral("--objects")}
                              << 1 << true;
    QTest::newRow("8 columns") << QStringList{QStringLiteral("--columns"), QStringLiteral("8"),
                                              QStringLiteral("--objects")}
                               << 8 << true;
}

void TestQuartex3Tool::stageMapIsTheRoomsSideBySide() {
    QFETCH(QStringList, options);
    QFETCH(int, columns);
    QFETCH(bool, objects);
    const QString demoPath = PathOf(QStringLiteral("demo.nes"));
    QFile demo(demoPath);
    const QByteArray demoBytes = MakeDemoCartridge();
    QVERIFY(demo.open(QIODevice::WriteOnly) && demo.write(demoBytes) == demoBytes.size());
    demo.close();
    const QString out = PathOf(QStringLiteral("stagemap.png"));
    const ProcessResult run =
        RunTool(QStringList{QStringLiteral("render"), demoPath, QStringLiteral("--stage"),
                            QStringLiteral("0"), QStringLiteral("--colors"), ColourPath,
                            QStringLiteral("--stage-map"), QStringLiteral("--out"), out} +
                    options,
                Folder.path());
    QVERIFY2(run.Status == 0, run.Err.constData());

    const auto document = OpenDocument(demoPath);
    QVERIFY(document);
    const StagePictures pictures(*Colours, document->Rom(), 0, 0);
    const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
    const int rows = (48 + columns - 1) / columns;
    QCOMPARE(written.size(), QSize(256 * columns, 256 * rows));
    for (int room = 0; room < 48; ++room) {
        const QImage placed =
            written.copy(256 * (room % columns), 256 * (room / columns), 256, 256);
        QVERIFY2(placed == pictures.Room(room, objects), qPrintable(QString::number(room)));
    }
}

void TestQuartex3Tool::exitStatuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");

    // Files the rows refer to by name, in the test folder (the working directory).
    const auto write = [this](const QString &name, const QByteArray &bytes) {
        QFile file(PathOf(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qWarning("cannot write %s", qPrintable(name));
    };
    QByteArray badHeader = Cartridge.Bytes();
    badHeader[3] = 'X';
    write(QStringLiteral("badheader.nes"), badHeader);
    write(QStringLiteral("tiny.nes"), QByteArray("NES\x1A", 4));
    write(QStringLiteral("cut.ips"), QByteArray("PATCH\x00\x00\x10\x00\x08\x01", 11));
    write(QStringLiteral("copy.nes"), Cartridge.Bytes());
    QImage small(128, 56, QImage::Format_Indexed8);
    small.setColorCount(4);
    small.fill(0);
    small.save(PathOf(QStringLiteral("small.png")));
    write(QStringLiteral("cut.bps"), QByteArray("BPS1\x80\x80\x80", 7) + QByteArray(11, '\0'));

    // Each row's command line, split at spaces; the files live in the working directory.
    const auto line = [](const char *text) { return QString::fromLatin1(text).split(u' '); };
    const auto render = [&](const char *picture) {
        return line("render rom.nes --stage 1 --colors colours.pal --out row.png") +
               QString::fromLatin1(picture).split(u' ', Qt::SkipEmptyParts);
    };

    QTest::newRow("help") << line("help") << 0;
    QTest::newRow("info") << line("info rom.nes") << 0;
    QTest::newRow("dump one table") << line("dump rom.nes --stage 11 --table map") << 0;
    QTest::newRow("render room") << render("--room 2F --objects") << 0;
    QTest::newRow("render stage map") << render("--stage-map --columns 30 --objects") << 0;
    QTest::newRow("ips") << line("ips rom.nes copy.nes row.ips") << 0;
    QTest::newRow("bps") << line("bps rom.nes copy.nes row.bps --metadata x") << 0;
    QTest::newRow("apply by header") << line("apply rom.nes row.bps row.nes") << 0;

    QTest::newRow("no command") << QStringList() << 2;
    QTest::newRow("unknown command") << line("frobnicate rom.nes") << 2;
    QTest::newRow("info without ROM") << line("info") << 2;
    QTest::newRow("info with two ROMs") << line("info rom.nes rom.nes") << 2;
    QTest::newRow("unknown option") << line("info rom.nes --verbose") << 2;
    QTest::newRow("dump without stage") << line("dump rom.nes") << 2;
    QTest::newRow("stage without value") << line("dump rom.nes --stage") << 2;
    QTest::newRow("stage not hexadecimal") << line("dump rom.nes --stage 1g") << 2;
    QTest::newRow("unknown table") << line("dump rom.nes --stage 0 --table maps") << 2;
    QTest::newRow("render without picture") << render("") << 2;
    QTest::newRow("render two pictures") << render("--sheet16 --banks") << 2;
    QTest::newRow("objects without room") << render("--mapset 1 --objects") << 2;
    QTest::newRow("columns without stage map") << render("--banks --columns 8") << 2;
    QTest::newRow("render without out") << line("render rom.nes --stage 1 --banks") << 2;
    QTest::newRow("ips with two files") << line("ips rom.nes copy.nes") << 2;
    QTest::newRow("palette and grey") << line("chr-export rom.nes row.png --palette 1 --grey") << 2;
    QTest::newRow("stage without palette") << line("chr-export rom.nes row.png --stage 1") << 2;

    QTest::newRow("missing ROM") << line("info absent.nes") << 1;
    QTest::newRow("bad header") << line("info badheader.nes") << 1;
    QTest::newRow("file too short") << line("dump tiny.nes --stage 0") << 1;
    QTest::newRow("missing settings") << line("info rom.nes --settings absent.ini") << 1;
    QTest::newRow("stage out of range") << line("dump rom.nes --stage 12") << 1;
    QTest::newRow("room out of range") << render("--room 30") << 1;
    QTest::newRow("map set out of range") << render("--mapset 20") << 1;
    QTest::newRow("no columns") << render("--stage-map --columns 0") << 1;
    QTest::newRow("too many columns") << render("--stage-map --columns 31") << 1;
    QTest::newRow("palette set out of range") << render("--sheet32 --palette-set 5") << 1;
    QTest::newRow("missing colour table")
        << line("render rom.nes --stage 0 --banks --colors absent.pal --out row.png") << 1;
    QTest::newRow("unwritable picture")
        << line("render rom.nes --stage 0 --banks --colors colours.pal --out absent/row.png") << 1;
    QTest::newRow("missing original") << line("ips absent.nes rom.nes row.ips") << 1;
    QTest::newRow("truncated patch") << line("apply-ips rom.nes cut.ips never.nes") << 1;
    QTest::newRow("missing patch") << line("apply-ips rom.nes absent.ips never.nes") << 1;
    QTest::newRow("window outside the CHR data")
        << line("chr-export rom.nes --window 7F row.png") << 1;
    QTest::newRow("tile picture not a PNG")
        << line("chr-import rom.nes --window 0 cut.ips never.nes") << 1;
    QTest::newRow("tile picture of another size")
        << line("chr-import rom.nes --window 0 small.png never.nes") << 1;
    QTest::newRow("bps for another image") << line("apply-bps tiny.nes row.bps never.nes") << 1;
    QTest::newRow("ips given as bps") << line("apply-bps rom.nes row.ips never.nes") << 1;
    QTest::newRow("neither format") << line("apply rom.nes tiny.nes never.nes") << 1;
    QTest::newRow("damaged bps") << line("apply rom.nes cut.bps never.nes") << 1;
}

void TestQuartex3Tool::exitStatuses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);

    const ProcessResult run = RunTool(arguments, Folder.path());
    QCOMPARE(run.Status, status);
    if (status == 0) {
        QVERIFY2(run.Err.isEmpty(), run.Err.constData());
        return;
    }
    // One clear line on the error stream, nothing on the output, no file half written.
    QVERIFY(run.Out.isEmpty());
    QVERIFY2(run.Err.startsWith("quartex3tool: "), run.Err.constData());
    QCOMPARE(run.Err.count('\n'), 1);
    QVERIFY(run.Err.endsWith('\n'));
    QVERIFY(!QFile::exists(PathOf(QStringLiteral("never.nes"))));
}

QTEST_MAIN(TestQuartex3Tool)
#include "tst_quartex3tool.moc"

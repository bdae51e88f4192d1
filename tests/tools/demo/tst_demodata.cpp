#include "CartridgeBuilder.h"
#include "ColourTable.h"
#include "DemoCartridge.h"
#include "DemoViewer.h"
#include "GeneratorMain.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "TileArt.h"
#include "ViewerProgram.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Rgb {
    int Red, Green, Blue;
    int Brightness() const { return 299 * Red + 587 * Green + 114 * Blue; }
};

Rgb ColourOf(const QByteArray &table, int index) {
    return {static_cast<uint8_t>(table[3 * index]), static_cast<uint8_t>(table[3 * index + 1]),
            static_cast<uint8_t>(table[3 * index + 2])};
}

uint8_t At(const QByteArray &image, int32_t offset) {
    return static_cast<uint8_t>(image[offset]);
}

/// The demo cartridge opened as the editor opens it.
struct OpenedDemo {
    OpenedDemo() {
        Settings = std::make_unique<TMyMemIniFile>(Dir.filePath(QStringLiteral("none.ini")));
        Document = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Prompt);
        const QString path = Dir.filePath(QStringLiteral("demo.nes"));
        Opened = RunGenerator({QStringLiteral("demorom"), path}, Image) == GeneratorSucceeded &&
                 Document->Open(path);
    }

    QByteArray Image = MakeDemoCartridge();
    QTemporaryDir Dir;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    ScriptedPrompt Prompt;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<RomImageData> Document;
    bool Opened = false;
};

int32_t ChrBase(const QByteArray &image) {
    return 16 + 0x4000 * At(image, 4);
}

bool TileIsBlank(const QByteArray &image, uint8_t bankByte, int tileInBank) {
    const int32_t start = ChrBase(image) + 0x400 * bankByte + 16 * tileInBank;
    for (int i = 0; i < 16; ++i)
        if (At(image, start + i) != 0)
            return false;
    return true;
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT

private slots:
    void colourTableShape();
    void colourTableHues_data();
    void colourTableHues();
    void tileEncoding();
    void generatorExitStatus_data();
    void generatorExitStatus();
    void cartridgeHeaderAndDeterminism();
    void cartridgeOpensInTheEditor();
    void sharedStagesUseStage13Chips();
    void paletteAnimationTables();
    void chipsShowDrawnTiles();
    void stagesLookDifferent();
    void viewerBankHoldsNoTable();
    void markerTilesLieOutsideEveryStageWindow();
};

void TestDemoData::colourTableShape() {
    const QByteArray table = MakeColourTable();
    QCOMPARE(table.size(), 192);
    QCOMPARE(MakeColourTable(), table);

    // Hues 14 and 15 are black at every level; hue 13 at level 1 is the black level itself.
    for (int level = 0; level < 4; ++level)
        for (const int hue : {0x0E, 0x0F}) {
            const Rgb c = ColourOf(table, 16 * level + hue);
            QVERIFY2(c.Red == 0 && c.Green == 0 && c.Blue == 0,
                     qPrintable(QString::number(16 * level + hue, 16)));
        }
    // Hues 0 and 13 carry no colour: grey.
    for (const int index : {0x00, 0x10, 0x20, 0x30, 0x2D, 0x3D}) {
        const Rgb c = ColourOf(table, index);
        QVERIFY2(c.Red == c.Green && c.Green == c.Blue, qPrintable(QString::number(index, 16)));
    }
    const Rgb white = ColourOf(table, 0x30);
    QVERIFY(white.Red >= 230 && white.Green >= 230 && white.Blue >= 230);
    QVERIFY(ColourOf(table, 0x0F).Brightness() < ColourOf(table, 0x30).Brightness());
    // Every hue brightens level by level.
    for (int hue = 0; hue <= 12; ++hue)
        for (int level = 0; level < 3; ++level)
            QVERIFY2(ColourOf(table, 16 * level + hue).Brightness() <=
                         ColourOf(table, 16 * (level + 1) + hue).Brightness(),
                     qPrintable(QStringLiteral("hue %1 level %2").arg(hue).arg(level)));
}

void TestDemoData::colourTableHues_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<char>("strongest");
    QTest::newRow("sky blue 21") << 0x21 << 'b';
    QTest::newRow("deep blue 01") << 0x01 << 'b';
    QTest::newRow("red 16") << 0x16 << 'r';
    QTest::newRow("orange 27") << 0x27 << 'r';
    QTest::newRow("green 2A") << 0x2A << 'g';
    QTest::newRow("green 19") << 0x19 << 'g';
    QTest::newRow("magenta 24 has little green") << 0x24 << 'm';
}

void TestDemoData::colourTableHues() {
    QFETCH(int, index);
    QFETCH(char, strongest);
    const Rgb c = ColourOf(MakeColourTable(), index);
    switch (strongest) {
    case 'r':
        QVERIFY(c.Red > c.Green && c.Red > c.Blue);
        break;
    case 'g':
        QVERIFY(c.Green > c.Red && c.Green > c.Blue);
        break;
    case 'b':
        QVERIFY(c.Blue > c.Red && c.Blue > c.Green);
        break;
    default:
        QVERIFY(c.Green < c.Red && c.Green < c.Blue);
    }
}

void TestDemoData::tileEncoding() {
    // Colour 1 in the leftmost pixel sets bit 7 of plane 0, colour 2 in the rightmost bit 0
    // of plane 1; colour 3 sets both planes.
    constexpr std::string_view Art[] = {"1......2", "", "...3....", "", "", "", "", "3"};
    const std::array<uint8_t, 16> bytes = EncodeTile(TileFromArt(Art));
    const std::array<uint8_t, 16> expected = {0x80, 0, 0x10, 0, 0, 0, 0, 0x80,
                                              0x01, 0, 0x10, 0, 0, 0, 0, 0x80};
    QCOMPARE(bytes, expected);
}

void TestDemoData::generatorExitStatus_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("written");
    QTest::newRow("one output file")
        << QStringList{QStringLiteral("gen"), QStringLiteral("out.bin")} << 0 << true;
    QTest::newRow("no argument") << QStringList{QStringLiteral("gen")} << 2 << false;
    QTest::newRow("two arguments")
        << QStringList{QStringLiteral("gen"), QStringLiteral("out.bin"), QStringLiteral("x")} << 2
        << false;
    QTest::newRow("an option, not a file name")
        << QStringList{QStringLiteral("gen"), QStringLiteral("--help")} << 2 << false;
    QTest::newRow("folder that does not exist")
        << QStringList{QStringLiteral("gen"), QStringLiteral("missing/out.bin")} << 1 << false;
}

void TestDemoData::generatorExitStatus() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(bool, written);
    QTemporaryDir dir;
    for (int i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(u'-'))
            arguments[i] = dir.filePath(arguments[i]);
    const QByteArray bytes("\x01\x02\x00\x03", 4);
    QCOMPARE(RunGenerator(arguments, bytes), status);
    const QString output = dir.filePath(QStringLiteral("out.bin"));
    QCOMPARE(QFile::exists(output), written);
    QVERIFY(!QFile::exists(QStringLiteral("--help")));
    if (written)
        QCOMPARE(ReadFile(output), bytes);
}

void TestDemoData::cartridgeHeaderAndDeterminism() {
    const QByteArray image = MakeDemoCartridge();
    QCOMPARE(image.size(), 393232);
    QCOMPARE(image.size(), DemoCartridgeSize);
    QCOMPARE(image.left(16), QByteArray("NES\x1A\x10\x10\x40\0\0\0\0\0\0\0\0\0", 16));
    QCOMPARE(MakeDemoCartridge(), image);
}

void TestDemoData::cartridgeOpensInTheEditor() {
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    QVERIFY(demo.Prompt.Messages.isEmpty());
    const int chrPages = demo.Document->ChrPageCount();
    QCOMPARE(chrPages, 128);

    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = demo.Document->Stage(stage);
        const QByteArray name = QByteArray("stage ") + QByteArray::number(stage);

        // Objects: grouped by room, all read back before the end marker.
        const int32_t screens = CartridgeBuilder::DefaultOffset(StageTable::ObjectScreen, stage);
        int entries = 0;
        while (entries < ObjectTableSize && At(demo.Image, screens + entries) != 0xFF)
            ++entries;
        QVERIFY2(entries > 0 && entries <= 127, name.constData());
        QCOMPARE(data.ObjectTotal(), entries);
        for (int room = 0; room < RoomCount; ++room)
            for (const ObjectNode &object : data.ObjectList(room)) {
                QVERIFY2(object.X >= 8 && object.X <= 247, name.constData());
                QVERIFY2(object.Y >= 8 && object.Y <= 247, name.constData());
                QVERIFY2(object.Kind >= 0 && object.Kind < 0x40, name.constData());
            }

        for (int set = 0; set < PaletteSetCount; ++set) {
            for (const uint8_t colour : data.BGPalette(set))
                QVERIFY2(colour < 0x40, name.constData());
            for (const uint8_t slot : data.BGPaletteAnime(set))
                QVERIFY2(slot == 0 || (slot >= 0x80 && slot < 0x80 + 14), name.constData());
        }
        for (const uint8_t bank : data.BGBank())
            QVERIFY2(bank <= chrPages - 2, name.constData());
        for (const uint8_t set : data.Map())
            QVERIFY2(set < 32, name.constData());
    }
}

void TestDemoData::sharedStagesUseStage13Chips() {
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    const StageData &source = demo.Document->Stage(13);
    for (const int stage : {14, 16}) {
        const StageData &sharing = demo.Document->Stage(stage);
        QCOMPARE(sharing.Chip16x16(), source.Chip16x16());
        QCOMPARE(sharing.ChipProperty(), source.ChipProperty());
        QCOMPARE(sharing.Chip32x32(), source.Chip32x32());
        QCOMPARE(sharing.MapSet(), source.MapSet());
        // Their own chip places in the image are left alone.
        for (const StageTable table : {StageTable::Chip16x16, StageTable::ChipProperty,
                                       StageTable::Chip32x32, StageTable::MapSet}) {
            const QByteArray own = demo.Image.mid(CartridgeBuilder::DefaultOffset(table, stage),
                                                  TableInfo(table).Span);
            QCOMPARE(own, QByteArray(TableInfo(table).Span, '\0'));
        }
        // Their own tables are their own.
        QVERIFY(sharing.BGPalette(0) != source.BGPalette(0) || sharing.BGBank() != source.BGBank());
    }
    QVERIFY(std::any_of(source.Chip16x16().begin(), source.Chip16x16().end(),
                        [](uint8_t tile) { return tile != 0; }));
}

void TestDemoData::paletteAnimationTables() {
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    const QByteArray &image = demo.Image;
    const AddressData &addresses = demo.Document->Addresses();
    const int32_t pointers = addresses.PaletteAnimationPointer();
    const int32_t records = addresses.PaletteAnimationData();
    const int32_t triples = addresses.PaletteAnimationPalette();
    const int pointerCount = records - pointers;
    QCOMPARE(pointerCount, 14);

    // The records follow one another from offset 0; every pointer lands on one's start.
    int lastPointer = 0;
    for (int i = 0; i < pointerCount; ++i)
        lastPointer = std::max<int>(lastPointer, At(image, pointers + i));
    QSet<int> starts;
    for (int start = 0; start <= lastPointer; start += 3 + At(image, records + start) + 1)
        starts.insert(start);
    QVERIFY(starts.size() >= 2);
    for (int i = 0; i < pointerCount; ++i)
        QVERIFY2(starts.contains(At(image, pointers + i)), qPrintable(QString::number(i)));

    int cycling = 0;
    for (const int start : starts) {
        const int32_t record = records + start;
        const int last = At(image, record);
        QVERIFY(At(image, record + 2) + 2 < 16); // the three entries lie in one set
        QSet<QByteArray> frames;
        for (int f = 0; f <= last; ++f) {
            const int triple = At(image, record + 3 + f);
            QVERIFY(triple < 38);
            const QByteArray colours = image.mid(triples + 3 * triple, 3);
            for (const char colour : colours)
                QVERIFY(static_cast<uint8_t>(colour) < 0x40);
            frames.insert(colours);
        }
        if (frames.size() > 1)
            ++cycling;
    }
    QVERIFY(cycling >= 2);

    // Where a set animates, it starts with the animation's first colours, and several
    // stages animate.
    int animatedStages = 0;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = demo.Document->Stage(stage);
        bool animated = false;
        for (int set = 0; set < PaletteSetCount; ++set)
            for (const uint8_t slot : data.BGPaletteAnime(set)) {
                if (!(slot & 0x80))
                    continue;
                animated = true;
                const int32_t record = records + At(image, pointers + (slot & 0x7F));
                const int entry = At(image, record + 2);
                const int triple = At(image, record + 3);
                for (int k = 0; k < 3; ++k)
                    QCOMPARE(data.BGPalette(set)[static_cast<size_t>(entry + k)],
                             At(image, triples + 3 * triple + k));
            }
        animatedStages += animated ? 1 : 0;
    }
    QVERIFY(animatedStages >= 2);
}

void TestDemoData::chipsShowDrawnTiles() {
    // Every tile that a map set shows, other than the blank tile 0, has art in the stage's
    // banks: a chip pointing at an undrawn tile would show as a hole.
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = demo.Document->Stage(stage);
        QSet<uint8_t> chips32(data.MapSet().begin(), data.MapSet().end());
        for (const uint8_t chip32 : chips32)
            for (int q = 0; q < 4; ++q) {
                const uint8_t chip16 = data.Chip32x32()[static_cast<size_t>(4 * chip32 + q)];
                for (int t = 0; t < 4; ++t) {
                    const uint8_t tile = data.Chip16x16()[static_cast<size_t>(chip16 + 256 * t)];
                    if (tile == 0)
                        continue;
                    const uint8_t bank = data.BGBank()[tile < 0x80 ? 0 : 1];
                    QVERIFY2(!TileIsBlank(demo.Image, bank, tile & 0x7F),
                             qPrintable(QStringLiteral("stage %1 tile %2").arg(stage).arg(tile)));
                }
            }
    }
}

void TestDemoData::stagesLookDifferent() {
    // Switching stage must visibly change something: bank or daytime colours differ.
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    QSet<QByteArray> looks;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = demo.Document->Stage(stage);
        QByteArray look(reinterpret_cast<const char *>(data.BGPalette(0).data()), 16);
        look.append(static_cast<char>(data.BGBank()[1]));
        looks.insert(look);
    }
    QCOMPARE(looks.size(), StageCount);
}

void TestDemoData::viewerBankHoldsNoTable() {
    const QByteArray image = MakeDemoCartridge();
    const int32_t bankStart = 16 + ViewerProgramBank * ProgramBankSize;
    const int32_t bankEnd = bankStart + ProgramBankSize;
    const std::span<const uint8_t> program = ViewerProgram();
    QCOMPARE(image.mid(bankStart, ProgramBankSize),
             QByteArray(reinterpret_cast<const char *>(program.data()), ProgramBankSize));
    // The reset vector, in the bank's last bytes, points into the bank at $E000.
    const int reset = At(image, bankEnd - 4) | At(image, bankEnd - 3) << 8;
    QVERIFY(reset >= 0xE000 && reset < 0xFFFA);

    const auto outsideBank = [&](int32_t first, int32_t end) {
        return end <= bankStart || first >= bankEnd;
    };
    for (int stage = 0; stage < StageCount; ++stage)
        for (int t = 0; t < StageTableCount; ++t) {
            const StageTableInfo &info = TableInfo(static_cast<StageTable>(t));
            const int32_t first = info.DefaultOffset + StageStride * stage;
            QVERIFY2(outsideBank(first, first + info.Span), info.Key);
        }
    // The animation records start 256 bytes at most behind their base and are short.
    QVERIFY(outsideBank(DefaultPaletteAnimationPalette, DefaultPaletteAnimationData + 0x200));
}

void TestDemoData::markerTilesLieOutsideEveryStageWindow() {
    OpenedDemo demo;
    QVERIFY(demo.Opened);
    const QByteArray markers = DrawMarkerTiles();
    QCOMPARE(markers.size(), 0x800);
    QCOMPARE(demo.Image.mid(ChrBase(demo.Image) + 0x400 * MarkerTilePage, markers.size()), markers);
    // Every marker tile has its outline drawn.
    for (int tile = 0; tile < 0x22; tile = tile == 0x1F ? 0x20 : tile + 1)
        QVERIFY(!TileIsBlank(demo.Image, MarkerTilePage, tile));
    for (int stage = 0; stage < StageCount; ++stage)
        for (const uint8_t bank : demo.Document->Stage(stage).BGBank())
            QVERIFY(bank + 1 < MarkerTilePage);
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"

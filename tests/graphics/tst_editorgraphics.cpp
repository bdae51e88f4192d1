#include "GraphicsFixture.h"
#include "JapaneseFonts.h"

#include <QPainter>
#include <QTest>
#include <stdexcept>

namespace {

using Tile = std::array<uint8_t, 16>;

void WriteTile(ImageBuffer &image, int64_t address, const Tile &bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + address);
}

int64_t TileAddress(const EditorGraphics &graphics, const std::array<uint8_t, 2> &banks, int tile) {
    return graphics.ChrBase() + 0x400 * banks[tile >> 7] + 16 * (tile & 0x7F);
}

QImage Picture(int width, int height, QRgb colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

constexpr QRgb Black = 0xFF000000;
constexpr QRgb Grey = 0xFF808080;

PaletteSet DistinctPalette() {
    PaletteSet colours{};
    for (int i = 0; i < 16; ++i)
        colours[i] = static_cast<uint8_t>(0x30 + i);
    return colours;
}

enum class Mark { Frame16, Cursor24, Cursor32, Marker };

} // namespace

class TestEditorGraphics : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tileDecodesBothPlanes();
    void banksSelectTheTileWindows();
    void chrBaseFollowsTheHeader_data();
    void chrBaseFollowsTheHeader();
    void chipSheetHoldsEveryDecodedChip();
    void tileTableHoldsBareColourNumbers();
    void chip32x32SheetIsComposedFrom16x16Squares();
    void picturesAreCopiedFromTheChipSheet();
    void palettesComeFromTheColourTable();
    void animationCyclesThroughItsFrames();
    void animationHoldsEachFrameForItsWait();
    void unanimatedSlotsNeverChange();
    void hostileImagesReadNothingOutsideTheBuffer();
    void animationTablesAtTheEndOfTheBuffer();
    void gridLinesStopBeforeTheEdges_data();
    void gridLinesStopBeforeTheEdges();
    void outlinesIncludeBothCorners_data();
    void outlinesIncludeBothCorners();
    void objectMarkerWritesTheKindInHex();
};

void TestEditorGraphics::initTestCase() {
    // As at start-up: the marker font name maps to an installed Japanese font.
    InstallJapaneseFontSubstitutions();
}

void TestEditorGraphics::tileDecodesBothPlanes() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    const std::array<uint8_t, 2> banks{3, 9};
    Tile bytes{};
    bytes[0] = 0x80;
    bytes[8] = 0x01;
    WriteTile(fixture.Image(), TileAddress(graphics, banks, 5), bytes);
    // The renderer draws the tiles as loaded: they are read again from the changed image.
    fixture.Document().ReloadTiles();
    IndexedBitmap surface(8, 8);

    for (int palette : {2, 6}) { // only the low two bits of a palette number count
        graphics.DrawTile(surface, banks, palette, 5, 0, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int expected = y == 0 && x == 0 ? 9 : y == 0 && x == 7 ? 10 : 8;
                QCOMPARE(surface.Row(y)[x], expected);
            }
    }
}

void TestEditorGraphics::banksSelectTheTileWindows() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    const int64_t chr = graphics.ChrBase();
    Tile lowPlane{}, highPlane{}, bothPlanes{};
    for (int row = 0; row < 8; ++row) {
        lowPlane[row] = 0xFF;
        highPlane[row + 8] = 0xFF;
        bothPlanes[row] = bothPlanes[row + 8] = 0xFF;
    }
    WriteTile(fixture.Image(), chr + 0x1000, lowPlane);
    WriteTile(fixture.Image(), chr + 0x1800, highPlane);
    WriteTile(fixture.Image(), chr + 0x1810, bothPlanes);
    WriteTile(fixture.Image(), chr + 0x1000 + 0x7F0, highPlane);
    fixture.Document().ReloadTiles();
    IndexedBitmap surface(32, 8);

    const std::array<uint8_t, 2> banks{4, 6};
    graphics.DrawTile(surface, banks, 0, 0x00, 0, 0);
    graphics.DrawTile(surface, banks, 0, 0x80, 8, 0);
    graphics.DrawTile(surface, banks, 0, 0x81, 16, 0);
    graphics.DrawTile(surface, banks, 0, 0x7F, 24, 0);

    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x)
            QCOMPARE(surface.Row(y)[x], (std::array{1, 2, 3, 2}[x / 8]));
}

void TestEditorGraphics::chrBaseFollowsTheHeader_data() {
    QTest::addColumn<int>("prgUnits");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("chrBase");
    QTest::newRow("16 units") << 16 << 0x00 << 16 + 16 * 0x4000;
    QTest::newRow("8 units") << 8 << 0x00 << 16 + 8 * 0x4000;
    QTest::newRow("8 units, trainer") << 8 << 0x04 << 16 + 512 + 8 * 0x4000;
    QTest::newRow("other flag bits only") << 8 << 0xFB << 16 + 8 * 0x4000;
    QTest::newRow("no PRG, trainer and mirroring") << 0 << 0x05 << 16 + 512;
    QTest::newRow("255 units: outside the buffer") << 255 << 0x04 << 16 + 512 + 255 * 0x4000;
}

void TestEditorGraphics::chrBaseFollowsTheHeader() {
    QFETCH(int, prgUnits);
    QFETCH(int, flags);
    QFETCH(int, chrBase);
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    ImageBuffer &image = fixture.Image();
    image[4] = static_cast<uint8_t>(prgUnits);
    image[6] = static_cast<uint8_t>(flags);

    graphics.LocateChr();

    QCOMPARE(graphics.ChrBase(), chrBase);
    // Tile 1 of bank 2 is drawn from there; beyond the buffer it reads as colour 0.
    const int64_t address = int64_t{chrBase} + 0x800 + 16;
    const bool inside = address + 16 <= int64_t{ImageBufferSize};
    if (inside)
        WriteTile(image, address, Tile{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    fixture.Document().ReloadTiles();
    IndexedBitmap surface(8, 8);
    surface.Fill(0, 0, 8, 8, 0xEE);
    graphics.DrawTile(surface, {2, 0}, 1, 0x01, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            QCOMPARE(surface.Row(y)[x], inside ? 5 : 4);
}

void TestEditorGraphics::chipSheetHoldsEveryDecodedChip() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    StageData &stage = fixture.Document().Stage(2);
    QVERIFY(stage.SetChipProperty(7, 0x53));
    IndexedBitmap &sheet = graphics.Chip16x16Sheet();

    graphics.BuildChip16x16Sheet(sheet, stage.BGBank(), stage.Chip16x16(), stage.ChipProperty());

    for (int chip = 0; chip < 256; ++chip) {
        const int palette = stage.ChipProperty()[chip] & 3;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int quarter = (y / 8) * 2 + x / 8;
                const int tile = stage.Chip16x16()[chip + 256 * quarter];
                const int64_t address = TileAddress(graphics, stage.BGBank(), tile);
                const int expected =
                    4 * palette + ColourNumber(fixture.Image(), address, x % 8, y % 8);
                QCOMPARE(sheet.Row(16 * (chip / 16) + y)[16 * (chip % 16) + x], expected);
            }
    }
    for (int y = 16 * 0; y < 16; ++y)
        for (int x = 16 * 7; x < 16 * 8; ++x)
            QVERIFY(sheet.Row(y)[x] >= 12 && sheet.Row(y)[x] <= 15); // property 0x53: palette 3
}

void TestEditorGraphics::tileTableHoldsBareColourNumbers() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    IndexedBitmap table(128, 128);

    graphics.DrawTileTable(table, 12, 0);
    graphics.DrawTileTable(table, 100, 64);

    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const int bank = y < 64 ? 12 : 100;
            const int tile = (y % 64) / 8 * 16 + x / 8;
            const int64_t address = graphics.ChrBase() + 0x400 * bank + 16 * tile;
            QCOMPARE(table.Row(y)[x], ColourNumber(fixture.Image(), address, x % 8, y % 8));
        }
}

void TestEditorGraphics::chip32x32SheetIsComposedFrom16x16Squares() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    const StageData &stage = fixture.Document().Stage(5);
    graphics.BuildChip16x16Sheet(graphics.Chip16x16Sheet(), stage.BGBank(), stage.Chip16x16(),
                                 stage.ChipProperty());
    const IndexedBitmap &small = graphics.Chip16x16Sheet();
    IndexedBitmap &sheet = graphics.Chip32x32Sheet();
    const auto composedFrom = [&](const Chip32x32Table &table, int chip) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const int m = table[4 * chip + (y / 16) * 2 + x / 16];
                if (sheet.Row(32 * (chip / 16) + y)[32 * (chip % 16) + x] !=
                    small.Row(16 * (m / 16) + y % 16)[16 * (m % 16) + x % 16])
                    return false;
            }
        return true;
    };

    graphics.BuildChip32x32Sheet(sheet, stage.Chip32x32());
    for (int chip = 0; chip < 256; ++chip)
        QVERIFY2(composedFrom(stage.Chip32x32(), chip), qPrintable(QString::number(chip)));

    Chip32x32Table edited = stage.Chip32x32();
    edited[4 * 0x21 + 3] = 0x42;
    edited[4 * 0x22] = static_cast<uint8_t>(edited[4 * 0x22] + 1); // not recomposed
    graphics.UpdateChip32x32InSheet(sheet, edited, 0x21);
    QVERIFY(composedFrom(edited, 0x21));
    QVERIFY(composedFrom(stage.Chip32x32(), 0x22));
}

void TestEditorGraphics::picturesAreCopiedFromTheChipSheet() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    const StageData &stage = fixture.Document().Stage(0);
    graphics.SetStagePalette(stage.BGPalette(0));
    graphics.Chip16x16Sheet().SetPalette(graphics.StagePalette());
    graphics.BuildChip16x16Sheet(graphics.Chip16x16Sheet(), stage.BGBank(), stage.Chip16x16(),
                                 stage.ChipProperty());
    graphics.SyncChip32x32SheetPalette();
    graphics.BuildChip32x32Sheet(graphics.Chip32x32Sheet(), stage.Chip32x32());
    const IndexedBitmap &sheet = graphics.Chip32x32Sheet();
    const auto sheetColour = [&sheet](int x, int y) { return sheet.PaletteEntry(sheet.Row(y)[x]); };
    const uint8_t *mapSet = stage.MapSet().data() + 64 * 3;

    QImage map = Picture(256, 256, Grey);
    graphics.DrawMapSet(map, mapSet);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int chip = mapSet[(y / 32) * 8 + x / 32];
            QCOMPARE(map.pixel(x, y),
                     sheetColour(32 * (chip % 16) + x % 32, 32 * (chip / 16) + y % 32));
        }

    QImage table = Picture(256, 256, Grey);
    graphics.ShowChip32x32Sheet(table);
    QImage band = Picture(512, 256, Grey);
    graphics.ShowChip32x32Sheet(band);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            QCOMPARE(table.pixel(x, y), sheetColour(2 * x, 2 * y));
            QCOMPARE(band.pixel(2 * x, y), sheetColour(2 * x, 2 * y));
            QCOMPARE(band.pixel(2 * x + 1, y), sheetColour(2 * x + 1, 2 * y));
        }

    QImage enlarged = Picture(80, 80, Grey);
    graphics.DrawChip32x32(enlarged, 0x9C, 8, 16, 64, 64);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= 8 && x < 72 && y >= 16 && y < 80;
            QCOMPARE(enlarged.pixel(x, y),
                     inside ? sheetColour(32 * 0xC + (x - 8) / 2, 32 * 0x9 + (y - 16) / 2) : Grey);
        }
}

void TestEditorGraphics::palettesComeFromTheColourTable() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    PaletteSet colours = DistinctPalette();
    colours[3] = 0x4F; // no such master colour: its low six bits count
    colours[9] = 0xC2;

    graphics.SetStagePalette(colours);
    graphics.SetStagePaletteEntry(12, 0x7A);

    for (int entry = 0; entry < 16; ++entry) {
        const int index = entry == 12 ? 0x3A : colours[entry] & 0x3F;
        QCOMPARE(graphics.GetStagePaletteColour(entry), MasterColour(index));
        QCOMPARE(graphics.StagePalette()[entry], MasterColour(index));
    }
    for (const IndexedBitmap::Palette *palette :
         {&graphics.StagePalette(), &graphics.MasterPalette()}) {
        QCOMPARE((*palette)[EditorGraphics::FrameEntry], 0xFFFF00FFu);
        QCOMPARE((*palette)[EditorGraphics::LineEntry], 0xFFFFFFFFu);
    }
    QVERIFY(graphics.CreateStageBitmap(384, 24).GetPalette() == graphics.StagePalette());
    QVERIFY(graphics.Chip16x16Sheet().GetPalette() != graphics.StagePalette());
    graphics.SyncChip32x32SheetPalette();
    QVERIFY(graphics.Chip32x32Sheet().GetPalette() == graphics.StagePalette());

    IndexedBitmap strip = graphics.CreatePaletteBitmap(384, 96);
    QCOMPARE(strip.Width(), 384);
    QCOMPARE(strip.Height(), 96);
    for (int colour = 0; colour < 64; ++colour)
        EditorGraphics::FillPictureRect(strip, (colour % 16) * 24, (colour / 16) * 24, 24, 24,
                                        static_cast<uint8_t>(colour));
    QImage picture = Picture(384, 96, Grey);
    strip.CopyToPicture(picture, 0, 0, 384, 96, 0, 0);
    for (int colour = 0; colour < 64; ++colour)
        QCOMPARE(picture.pixel((colour % 16) * 24 + 23, (colour / 16) * 24 + 11),
                 MasterColour(colour));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, graphics.SetStagePaletteEntry(256, 0));
}

void TestEditorGraphics::animationCyclesThroughItsFrames() {
    CartridgeBuilder cartridge;
    cartridge.SetColourTriple(20, 0x01, 0x02, 0x03);
    cartridge.SetColourTriple(21, 0x11, 0x12, 0x13);
    cartridge.SetColourTriple(22, 0x21, 0x22, 0x4F);
    cartridge.SetAnimationRecord(5, 0, 4, {20, 21, 22});
    cartridge.SetColourTriple(30, 0x05, 0x06, 0x07);
    cartridge.SetAnimationRecord(9, 0, 254, {30}); // entries 254, 255 and 0
    GraphicsFixture fixture{cartridge};
    EditorGraphics &graphics = fixture.Graphics();
    const PaletteSet colours = DistinctPalette();
    graphics.SetStagePalette(colours);
    const std::array<std::array<int, 3>, 3> frames{
        {{0x01, 0x02, 0x03}, {0x11, 0x12, 0x13}, {0x21, 0x22, 0x0F}}};

    for (int tick = 0; tick < 7; ++tick) {
        QVERIFY(graphics.StepPaletteAnimation({0x00, 0x85, 0x00, 0x89}));
        for (int entry = 0; entry < 16; ++entry) {
            int index = colours[entry];
            if (entry >= 4 && entry <= 6)
                index = frames[tick % 3][entry - 4];
            if (entry == 0)
                index = 0x07;
            QCOMPARE(graphics.GetStagePaletteColour(entry), MasterColour(index));
        }
        QCOMPARE(graphics.GetStagePaletteColour(254), MasterColour(0x05));
        QCOMPARE(graphics.GetStagePaletteColour(255), MasterColour(0x06));
    }

    graphics.ResetPaletteAnimation();
    graphics.SetStagePalette(colours);
    QVERIFY(graphics.StepPaletteAnimation({0x85, 0x00, 0x00, 0x00}));
    QCOMPARE(graphics.GetStagePaletteColour(4), MasterColour(0x01));
}

void TestEditorGraphics::animationHoldsEachFrameForItsWait() {
    CartridgeBuilder cartridge;
    cartridge.SetColourTriple(10, 0x0A, 0x0B, 0x0C);
    cartridge.SetColourTriple(11, 0x1A, 0x1B, 0x1C);
    cartridge.SetAnimationRecord(6, 2, 8, {10, 11});
    GraphicsFixture fixture{cartridge};
    EditorGraphics &graphics = fixture.Graphics();
    const PaletteSet colours = DistinctPalette();
    graphics.SetStagePalette(colours);
    const std::array<uint8_t, 4> selectors{0x00, 0x00, 0x86, 0x00};
    const auto entry8 = [&graphics]() { return graphics.GetStagePaletteColour(8); };

    for (int round = 0; round < 2; ++round) {
        // The first W + 1 = 3 ticks after a reset keep the set's own colours.
        QVERIFY(!graphics.StepPaletteAnimation(selectors));
        QVERIFY(!graphics.StepPaletteAnimation(selectors));
        QCOMPARE(entry8(), MasterColour(colours[8]));
        QVERIFY(graphics.StepPaletteAnimation(selectors));
        QCOMPARE(entry8(), MasterColour(0x0A));
        QVERIFY(!graphics.StepPaletteAnimation(selectors));
        QVERIFY(!graphics.StepPaletteAnimation(selectors));
        QCOMPARE(entry8(), MasterColour(0x0A));
        QVERIFY(graphics.StepPaletteAnimation(selectors));
        QCOMPARE(entry8(), MasterColour(0x1A));
        QCOMPARE(graphics.GetStagePaletteColour(10), MasterColour(0x1C));
        graphics.ResetPaletteAnimation();
        graphics.SetStagePalette(colours);
    }
}

void TestEditorGraphics::unanimatedSlotsNeverChange() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    graphics.SetStagePalette(DistinctPalette());
    const IndexedBitmap::Palette before = graphics.StagePalette();

    for (int tick = 0; tick < 10; ++tick)
        QVERIFY(!graphics.StepPaletteAnimation({0x00, 0x01, 0x7F, 0x45}));
    QVERIFY(graphics.StagePalette() == before);
}

void TestEditorGraphics::hostileImagesReadNothingOutsideTheBuffer() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    ImageBuffer &image = fixture.Image();
    const StageData &stage = fixture.Document().Stage(0);
    image[4] = 0xFF;
    image[5] = 0x01;
    graphics.LocateChr();
    IndexedBitmap &sheet = graphics.Chip16x16Sheet();

    graphics.BuildChip16x16Sheet(sheet, {0xFF, 0xFF}, stage.Chip16x16(), stage.ChipProperty());
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            QCOMPARE(sheet.Row(y)[x], 4 * (stage.ChipProperty()[(y / 16) * 16 + x / 16] & 3));

    // With 95 PRG units the last 16 bytes of the buffer are tile 2 of bank 16; tile 3 lies
    // wholly behind the buffer.
    image[4] = 95;
    graphics.LocateChr();
    QCOMPARE(graphics.ChrBase() + 0x400 * 16 + 16 * 3, ImageBufferSize);
    Tile last{};
    last.fill(0xFF);
    WriteTile(image, ImageBufferSize - 16, last);
    IndexedBitmap surface(16, 8);
    graphics.DrawTile(surface, {16, 0}, 0, 2, 0, 0);
    graphics.DrawTile(surface, {16, 0}, 0, 3, 8, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(surface.Row(y)[x], x < 8 ? 3 : 0);

    // Tiles drawn partly off a surface are clipped.
    graphics.DrawTile(surface, {16, 0}, 1, 2, 12, -5);
    QCOMPARE(surface.Row(2)[15], 7);
    QCOMPARE(surface.Row(3)[15], 0);
}

void TestEditorGraphics::animationTablesAtTheEndOfTheBuffer() {
    // Pointer table, records and triples in the last three bytes: every read past them
    // must yield 0. Pointer entry 0x7F is behind the buffer (offset 0), so the record is
    // {L = 0, W = 0, E = behind (0)}, its frame byte behind (triple 0), and triple 0 is the
    // bytes 0x21, 0x00, 0x00.
    GraphicsFixture fixture{CartridgeBuilder(),
                            QStringLiteral("[Address]\nPaletteAnimationPointer=18003F\n"
                                           "PaletteAnimationData=18003E\n"
                                           "PaletteAnimationPalette=18003D\n")};
    EditorGraphics &graphics = fixture.Graphics();
    ImageBuffer &image = fixture.Image();
    image[ImageBufferSize - 3] = 0x21;
    image[ImageBufferSize - 2] = 0x00;
    image[ImageBufferSize - 1] = 0x00;
    graphics.SetStagePalette(DistinctPalette());

    for (int tick = 0; tick < 3; ++tick) {
        QVERIFY(graphics.StepPaletteAnimation({0xFF, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(graphics.GetStagePaletteColour(0), MasterColour(0x21));
        QCOMPARE(graphics.GetStagePaletteColour(1), MasterColour(0x00));
        QCOMPARE(graphics.GetStagePaletteColour(2), MasterColour(0x00));
        QCOMPARE(graphics.GetStagePaletteColour(3), MasterColour(0x33));
    }
}

void TestEditorGraphics::gridLinesStopBeforeTheEdges_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("map set page") << QSize(256, 256) << 32 << 32;
    QTest::newRow("32x32 chip view") << QSize(512, 256) << 32 << 32;
    QTest::newRow("uneven") << QSize(100, 60) << 24 << 25;
}

void TestEditorGraphics::gridLinesStopBeforeTheEdges() {
    QFETCH(QSize, size);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QImage picture = Picture(size.width(), size.height(), Black);

    EditorGraphics::DrawGrid(picture, dx, dy);

    int horizontalLines = 0;
    int lastLine = -1;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            QCOMPARE(picture.pixel(x, y),
                     x % dx == 0 || y % dy == 0 ? EditorGraphics::LineColour : Black);
        if (y % dy == 0) {
            ++horizontalLines;
            lastLine = y;
        }
    }
    if (size == QSize(256, 256)) {
        QCOMPARE(horizontalLines, 8);
        QCOMPARE(lastLine, 224);
    }

    QImage untouched = Picture(8, 8, Black);
    EditorGraphics::DrawGrid(untouched, 0, -3);
    QCOMPARE(untouched, Picture(8, 8, Black));
}

void TestEditorGraphics::outlinesIncludeBothCorners_data() {
    QTest::addColumn<int>("mark");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRect>("outline");
    QTest::addColumn<QRgb>("colour");
    const QRgb magenta = EditorGraphics::FrameColour;
    const QRgb white = EditorGraphics::LineColour;
    const auto frame = int(Mark::Frame16);
    QTest::newRow("frame") << frame << QPoint(10, 20) << QRect(10, 20, 16, 16) << magenta;
    QTest::newRow("frame over the right")
        << frame << QPoint(56, -4) << QRect(56, -4, 16, 16) << magenta;
    QTest::newRow("cursor 24") << int(Mark::Cursor24) << QPoint(30, 30) << QRect(18, 18, 24, 24)
                               << white;
    QTest::newRow("cursor 32 at a corner")
        << int(Mark::Cursor32) << QPoint(0, 63) << QRect(-16, 47, 32, 32) << white;
    QTest::newRow("marker outline")
        << int(Mark::Marker) << QPoint(40, 9) << QRect(32, 1, 16, 16) << white;
}

void TestEditorGraphics::outlinesIncludeBothCorners() {
    QFETCH(int, mark);
    QFETCH(QPoint, at);
    QFETCH(QRect, outline);
    QFETCH(QRgb, colour);
    QImage picture = Picture(64, 64, Black);

    switch (Mark(mark)) {
    case Mark::Frame16:
        EditorGraphics::DrawFrame(picture, at.x(), at.y(), 16);
        break;
    case Mark::Cursor24:
        EditorGraphics::DrawCursor24(picture, at.x(), at.y());
        break;
    case Mark::Cursor32:
        EditorGraphics::DrawCursor32(picture, at.x(), at.y());
        break;
    case Mark::Marker:
        EditorGraphics::DrawObjectMarker(picture, at.x(), 0x3C, at.y());
        break;
    }

    // The text of a marker stays inside its outline.
    const QRect interior = outline.adjusted(1, 1, -1, -1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (Mark(mark) == Mark::Marker && interior.contains(x, y))
                continue;
            const bool onOutline = outline.contains(x, y) && !interior.contains(x, y);
            QCOMPARE(picture.pixel(x, y), onOutline ? colour : Black);
        }

    QImage indexed(8, 8, QImage::Format_Indexed8);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EditorGraphics::DrawFrame(indexed, 0, 0, 4));
}

void TestEditorGraphics::objectMarkerWritesTheKindInHex() {
    const auto marked = [](uint8_t kind) {
        QImage picture = Picture(64, 64, Grey);
        EditorGraphics::DrawObjectMarker(picture, 30, kind, 30);
        return picture;
    };
    const QImage ten = marked(10);
    const QRect inside(23, 23, 14, 14);

    int white = 0, dark = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = ten.pixel(x, y);
            white += pixel == 0xFFFFFFFF;
            dark += qGray(pixel) < 64;
        }
    QVERIFY(white > 0);
    QVERIFY(dark > 0);
    QCOMPARE(ten.pixel(23, 23), Grey); // text starts at (x - 6, y - 6)
    QCOMPARE(ten.pixel(22, 22), 0xFFFFFFFFu);
    QCOMPARE(ten.pixel(37, 37), 0xFFFFFFFFu);
    QCOMPARE(ten.pixel(38, 38), Grey);
    // The dark pixels are the text "0A", drawn here in black from the text's corner in the
    // marker's font: decimal "10", lower-case "0a" or "A0" would give other pixels.
    QImage expected(inside.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(1, 1, inside.width(), inside.height()), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("0A"));
    painter.end();
    int ink = 0;
    for (int y = 0; y < inside.height(); ++y)
        for (int x = 0; x < inside.width(); ++x) {
            const bool expectedInk = expected.pixel(x, y) == 0xFF000000;
            ink += expectedInk;
            QCOMPARE(ten.pixel(inside.left() + x, inside.top() + y) == 0xFF000000, expectedInk);
        }
    QVERIFY(ink > 0);
    QCOMPARE(ten, marked(10));

    QImage corner = Picture(16, 16, Grey);
    EditorGraphics::DrawObjectMarker(corner, 0, 0xFF, 0);
    EditorGraphics::DrawObjectMarker(corner, 20, 0xFF, 20);
    QCOMPARE(corner.pixel(7, 7), 0xFFFFFFFFu);
    QCOMPARE(corner.pixel(12, 12), 0xFFFFFFFFu);
}

QTEST_MAIN(TestEditorGraphics)
#include "tst_editorgraphics.moc"

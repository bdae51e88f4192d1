// The stage overview picture following the model: after any edit it equals a picture drawn
// afresh, and exactly the rooms the edit touched are drawn again.
#include "GraphicsFixture.h"
#include "JapaneseFonts.h"
#include "StageOverview.h"

#include <QTest>
#include <functional>
#include <set>

namespace {

enum class Edit {
    MapEntry,
    MapSetCell,
    Chip32x32Quarter,
    Chip16x16Tile,
    ChipProperty,
    Bank,
    Object,
    ObjectMoved,
    ObjectKind,
    Palette,
    Stage
};

constexpr int EditedRoom = 5;

std::set<int> AllRooms() {
    std::set<int> rooms;
    for (int room = 0; room < RoomCount; ++room)
        rooms.insert(room);
    return rooms;
}

// The rooms of `stage` whose map set holds a 32x32 chip for which `uses` is true.
std::set<int> RoomsShowing(const StageData &stage, const std::function<bool(uint8_t)> &uses) {
    std::set<int> rooms;
    for (int room = 0; room < RoomCount; ++room) {
        const int mapSet = stage.Map()[room] & 31;
        for (int cell = 0; cell < 64; ++cell)
            if (uses(stage.MapSet()[64 * mapSet + cell]))
                rooms.insert(room);
    }
    return rooms;
}

QImage Fresh(const FcPaletteData &colours, const RomImageData &document, int stage,
             const IndexedBitmap::Palette &palette, int columns) {
    StageOverviewPicture picture(colours, document);
    picture.SetColumns(columns);
    picture.SetObjectsShown(true);
    picture.Follow(stage, palette);
    return picture.WholePicture();
}

} // namespace

class TestStageOverview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallJapaneseFontSubstitutions(); }
    void followRedrawsTheTouchedRooms_data();
    void followRedrawsTheTouchedRooms();
    void colourNotShownChangesNoRoom();
    void renderShowsTheZoomedPicture();
    void wholeStageFitsTheArea_data();
    void wholeStageFitsTheArea();
    void layoutHoldsEveryRoom_data();
    void layoutHoldsEveryRoom();
};

void TestStageOverview::followRedrawsTheTouchedRooms_data() {
    QTest::addColumn<Edit>("edit");
    QTest::newRow("map entry") << Edit::MapEntry;
    QTest::newRow("map set cell") << Edit::MapSetCell;
    QTest::newRow("32x32 chip quarter") << Edit::Chip32x32Quarter;
    QTest::newRow("16x16 chip tile") << Edit::Chip16x16Tile;
    QTest::newRow("chip property") << Edit::ChipProperty;
    QTest::newRow("background bank") << Edit::Bank;
    QTest::newRow("object") << Edit::Object;
    QTest::newRow("object moved") << Edit::ObjectMoved;
    QTest::newRow("object kind") << Edit::ObjectKind;
    QTest::newRow("palette") << Edit::Palette;
    QTest::newRow("stage") << Edit::Stage;
}

void TestStageOverview::followRedrawsTheTouchedRooms() {
    QFETCH(Edit, edit);
    GraphicsFixture fixture{CartridgeBuilder()};
    const FcPaletteData &colours = fixture.Colours();
    EditorGraphics &graphics = fixture.Graphics();
    StageData &stage = fixture.Document().Stage(0);
    graphics.SetStagePalette(stage.BGPalette(0));
    IndexedBitmap::Palette palette = graphics.StagePalette();
    constexpr int Columns = 8;

    StageOverviewPicture overview(colours, fixture.Document());
    overview.SetColumns(Columns);
    overview.SetObjectsShown(true);
    overview.Follow(0, palette);
    const QImage before = overview.WholePicture();

    int shownStage = 0;
    std::set<int> touched;
    const uint8_t chip32 = stage.MapSet()[64 * (stage.Map()[EditedRoom] & 31)];
    const uint8_t chip16 = stage.Chip32x32()[4 * chip32];
    const auto uses16 = [&](uint8_t chip) {
        for (int quarter = 0; quarter < 4; ++quarter)
            if (stage.Chip32x32()[4 * chip + quarter] == chip16)
                return true;
        return false;
    };
    switch (edit) {
    case Edit::MapEntry:
        QVERIFY(stage.SetMapEntry(EditedRoom, (stage.Map()[EditedRoom] + 1) & 31));
        touched = {EditedRoom};
        break;
    case Edit::MapSetCell: {
        const int mapSet = stage.Map()[EditedRoom] & 31;
        QVERIFY(stage.SetMapSetEntry(64 * mapSet + 9, stage.MapSet()[64 * mapSet + 9] ^ 1));
        for (int room = 0; room < RoomCount; ++room)
            if ((stage.Map()[room] & 31) == mapSet)
                touched.insert(room);
        break;
    }
    case Edit::Chip32x32Quarter:
        QVERIFY(stage.SetChip32x32Entry(4 * chip32 + 1, stage.Chip32x32()[4 * chip32 + 1] ^ 1));
        touched = RoomsShowing(stage, [&](uint8_t chip) { return chip == chip32; });
        break;
    case Edit::Chip16x16Tile:
        QVERIFY(stage.SetChip16x16Tile(chip16 + 512, stage.Chip16x16()[chip16 + 512] ^ 1));
        touched = RoomsShowing(stage, uses16);
        break;
    case Edit::ChipProperty:
        QVERIFY(stage.SetChipProperty(chip16, stage.ChipProperty()[chip16] ^ 1));
        touched = RoomsShowing(stage, uses16);
        break;
    case Edit::Bank:
        QVERIFY(stage.SetBGBank(0, stage.BGBank()[0] ^ 1));
        touched = AllRooms();
        break;
    case Edit::Object:
        stage.AddObject(EditedRoom, 0x80, 0x70, 0x42);
        touched = {EditedRoom};
        break;
    case Edit::ObjectMoved:
        QVERIFY(!stage.ObjectList(EditedRoom).empty());
        stage.ObjectList(EditedRoom).back().X += 0x20;
        touched = {EditedRoom};
        break;
    case Edit::ObjectKind:
        QVERIFY(!stage.ObjectList(EditedRoom).empty());
        stage.ObjectList(EditedRoom).back().Kind ^= 1;
        touched = {EditedRoom};
        break;
    case Edit::Palette:
        palette[0] = qRgb(1, 2, 3);
        touched = AllRooms();
        break;
    case Edit::Stage:
        shownStage = 1;
        touched = AllRooms();
        break;
    }
    QVERIFY(touched.size() < AllRooms().size() || edit == Edit::Bank || edit == Edit::Palette ||
            edit == Edit::Stage);

    const std::vector<int> redrawn = overview.Follow(shownStage, palette);
    QCOMPARE(std::set<int>(redrawn.begin(), redrawn.end()), touched);
    const QImage after = overview.WholePicture();
    QCOMPARE(after, Fresh(colours, fixture.Document(), shownStage, palette, Columns));
    // Every room the edit changed on screen was among those drawn again.
    const StageOverviewLayout layout(Columns);
    for (int room = 0; room < RoomCount; ++room) {
        const QRect rect = layout.RoomRect(room);
        if (before.copy(rect) != after.copy(rect))
            QVERIFY2(touched.count(room), qPrintable(QString::number(room)));
    }
    QVERIFY(after != before);
    QVERIFY(overview.Follow(shownStage, palette).empty());
}

void TestStageOverview::colourNotShownChangesNoRoom() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    graphics.SetStagePalette(fixture.Document().Stage(0).BGPalette(0));
    IndexedBitmap::Palette palette = graphics.StagePalette();
    StageOverviewPicture overview(fixture.Colours(), fixture.Document());
    overview.SetObjectsShown(true);
    overview.Follow(0, palette);
    const QImage before = overview.WholePicture();

    // Tile pixels are palette number x 4 + colour: entry 16 and above never show.
    palette[16] = qRgb(9, 8, 7);
    QVERIFY(overview.Follow(0, palette).empty());
    QCOMPARE(overview.WholePicture(), before);
    // The marker colours stay whatever the stage palette holds at their entries.
    palette[254] = qRgb(1, 1, 1);
    palette[255] = qRgb(2, 2, 2);
    QVERIFY(overview.Follow(0, palette).empty());
    QCOMPARE(overview.WholePicture(),
             Fresh(fixture.Colours(), fixture.Document(), 0, palette, RoomCount));
}

void TestStageOverview::renderShowsTheZoomedPicture() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    graphics.SetStagePalette(fixture.Document().Stage(0).BGPalette(0));
    StageOverviewPicture overview(fixture.Colours(), fixture.Document());
    overview.SetColumns(5);
    overview.Follow(0, graphics.StagePalette());
    const QImage whole = overview.WholePicture();
    constexpr QRgb Background = 0xFF102030u;

    // Scrolled to the last rows: rooms, the empty end of the last row, and beyond the edges.
    const QPoint origin(600, 1700);
    QImage target(400, 300, QImage::Format_RGB32);
    overview.Render(target, origin, 75, Background);
    for (const QPoint pixel : {QPoint(0, 0), QPoint(37, 5), QPoint(9, 200), QPoint(399, 299)}) {
        const QPoint source((origin.x() + pixel.x()) * 100 / 75,
                            (origin.y() + pixel.y()) * 100 / 75);
        const QRgb expected = whole.rect().contains(source) ? whole.pixel(source) : Background;
        QCOMPARE(target.pixel(pixel), expected);
    }
    QCOMPARE(target.pixel(9, 200), qRgb(0, 0, 0));
    overview.Render(target, QPoint(0, 0), 100, Background);
    QCOMPARE(target, whole.copy(0, 0, 400, 300));
}

void TestStageOverview::wholeStageFitsTheArea_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("zoom");
    // One row of 48 rooms is 12288 x 256 at 100 %.
    QTest::newRow("one row, exactly a quarter") << 48 << QSize(3072, 64) << 25;
    QTest::newRow("one row, a pixel short of half") << 48 << QSize(6143, 1000) << 25;
    QTest::newRow("one row, exactly half") << 48 << QSize(6144, 128) << 50;
    // Eight to a row: 2048 x 1536.
    QTest::newRow("eight to a row, exactly full size") << 8 << QSize(2048, 1536) << 100;
    QTest::newRow("eight to a row, a pixel too low") << 8 << QSize(2048, 1535) << 75;
    QTest::newRow("five to a row, last row part empty") << 5 << QSize(640, 1280) << 50;
    // Nothing fits: the smallest zoom, the bars scroll the rest.
    QTest::newRow("too small") << 48 << QSize(800, 600) << 25;
    QTest::newRow("empty") << 1 << QSize(0, 0) << 25;
}

void TestStageOverview::wholeStageFitsTheArea() {
    QFETCH(int, columns);
    QFETCH(QSize, area);
    QFETCH(int, zoom);
    QCOMPARE(StageOverviewLayout(columns).ZoomToFit(area, {25, 50, 75, 100, 150, 200, 300, 400}),
             zoom);
}

void TestStageOverview::layoutHoldsEveryRoom_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("one row") << 48 << 1;
    QTest::newRow("5, not dividing 48") << 5 << 10;
    QTest::newRow("7, not dividing 48") << 7 << 7;
    QTest::newRow("8") << 8 << 6;
    QTest::newRow("one column") << 1 << 48;
}

// Every room has its own square inside the picture and is found there; right of the last
// column and past the last room is no room.
void TestStageOverview::layoutHoldsEveryRoom() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    const StageOverviewLayout layout(columns);
    QCOMPARE(layout.Rows(), rows);
    const QRect picture(QPoint(0, 0), layout.PictureSize());
    QCOMPARE(picture.size(), QSize(256 * columns, 256 * rows));
    for (int room = 0; room < RoomCount; ++room) {
        const QRect rect = layout.RoomRect(room);
        QVERIFY(picture.contains(rect));
        QCOMPARE(layout.RoomAt(rect.topLeft()), room);
        QCOMPARE(layout.RoomAt(rect.bottomRight()), room);
    }
    QCOMPARE(layout.RoomAt(QPoint(picture.width(), 10)), -1);
    QCOMPARE(layout.RoomAt(QPoint(picture.width() + 300, picture.height() - 1)), -1);
    QCOMPARE(layout.RoomAt(QPoint(-1, 0)), -1);
    QCOMPARE(layout.RoomAt(QPoint(0, picture.height())), -1);
    const int empty = columns * rows - RoomCount;
    if (empty > 0)
        QCOMPARE(layout.RoomAt(QPoint(picture.width() - 1, picture.height() - 1)), -1);
}

QTEST_MAIN(TestStageOverview)
#include "tst_stageoverview.moc"

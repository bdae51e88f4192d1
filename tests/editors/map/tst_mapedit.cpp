#include "EditorPageFixture.h"
#include "map/mapedit.h"
#include "map/mappage.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {
constexpr int MapCategory = 9;

/// Stage 0's rooms show map sets 0..31 and again from 0, so every stored entry is a valid
/// map set unless a test says otherwise.
CartridgeBuilder ValidMapBuilder() {
    CartridgeBuilder builder;
    for (int room = 0; room < RoomCount; ++room)
        builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + room,
                        static_cast<uint8_t>((room * 3) % 32));
    return builder;
}

/// The map page as the main window sets it up, on an opened synthetic image.
class MapPageBench : public EditorPageFixture {
public:
    explicit MapPageBench(const CartridgeBuilder &builder = ValidMapBuilder())
        : EditorPageFixture(builder), Controls(BuildMapPage(&Page, &StatusPanel)),
          Controller(Document(), Flags(), Graphics(), Prompt()) {
        Controller.SetControls(Controls);
        ForwardMapPageEvents(Controls, Controller);
        SelectStage(0);
        ShowPage(QSize(635, 680));
    }

    /// A stage change as the main window makes it: sheets of the new stage, then Refresh.
    void SelectStage(int stage) {
        PrepareStage(stage, SheetsRebuilt::Both);
        Controller.Refresh();
    }

    QScrollBar *RoomBar() { return Find<QScrollBar>(QStringLiteral("ScrBarMap")); }
    QScrollBar *MapSetBar(int n) {
        return Find<QScrollBar>(QStringLiteral("ScrbarEditMapPage%1").arg(n));
    }
    QLabel *RoomsLabel() { return Find<QLabel>(QStringLiteral("LblMapPage")); }
    QLabel *MapSetLabel(int n) { return Find<QLabel>(QStringLiteral("LblMapVal%1").arg(n)); }
    TImageEx *RoomImage(int n) { return Find<TImageEx>(QStringLiteral("ImgEditMapPage%1").arg(n)); }
    bool MapFlag() { return EditFlag(EditArea::Map); }

    /// The room picture map set `mapSet` should give, drawn from the current sheet.
    QImage PictureOf(int mapSet) {
        QImage picture(256, 256, QImage::Format_RGB32);
        picture.fill(Qt::black);
        Graphics().DrawMapSet(picture, Stage().MapSet().data() + 64 * mapSet);
        return picture;
    }

    /// Both rooms, bars and labels show rooms `first` and `first` + 1 of the current stage.
    void VerifyShowsRooms(int first) {
        QCOMPARE(RoomsLabel()->text(), Hex2(first) + QStringLiteral("-") + Hex2(first + 1));
        for (int n = 0; n < 2; ++n) {
            const int entry = Stage().Map()[first + n];
            QCOMPARE(MapSetLabel(n)->text(), Hex2(entry));
            QCOMPARE(MapSetBar(n)->value(), entry % 32);
            QVERIFY(RoomImage(n)->Picture() == PictureOf(entry % 32));
        }
    }

    MapEditControls Controls;
    MapEditClass Controller;
};
} // namespace

class TestMapEdit : public QObject {
    Q_OBJECT
private slots:
    void pageControls();
    void scrollingRoomsShowsThemAndRecordsNothing();
    void choosingMapSetsRecordsEachDistinctPosition();
    void valuesOutsideTheirRanges();
    void entriesAboveLastMapSetStayInsideTheTable();
    void reloadEmptiesWholeHistoryAndKeepsFlags();
    void paletteTickRecoloursRooms();
};

void TestMapEdit::pageControls() {
    MapPageBench bench;
    QVERIFY(bench.Page.findChild<QGroupBox *>()->title() == QStringLiteral("マップ編集"));
    QCOMPARE(bench.RoomBar()->minimum(), 0);
    QCOMPARE(bench.RoomBar()->maximum(), 46);
    for (int n = 0; n < 2; ++n) {
        QCOMPARE(bench.RoomImage(n)->Tag(), n);
        QCOMPARE(bench.RoomImage(n)->Picture().size(), QSize(256, 256));
        QCOMPARE(bench.MapSetBar(n)->minimum(), 0);
        QCOMPARE(bench.MapSetBar(n)->maximum(), 31);
    }
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnMapEditReload"))->text(),
             QStringLiteral("再読み込み"));
    QCOMPARE(bench.Controls.StatusPanel, &bench.StatusPanel);
    bench.VerifyShowsRooms(0);
}

void TestMapEdit::scrollingRoomsShowsThemAndRecordsNothing() {
    MapPageBench bench;
    for (int first : {5, 46, 0, 17}) {
        bench.RoomBar()->setValue(first);
        bench.VerifyShowsRooms(first);
    }
    QTest::keyClick(bench.RoomBar(), Qt::Key_End);
    QCOMPARE(bench.RoomsLabel()->text(), QStringLiteral("2E-2F"));
    bench.VerifyShowsRooms(46);
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.MapFlag());

    // A stage change goes back to the first two rooms of the new stage.
    CartridgeBuilder builder = ValidMapBuilder();
    for (int room = 0; room < RoomCount; ++room)
        builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, 3) + room,
                        static_cast<uint8_t>(31 - room % 32));
    MapPageBench other(builder);
    other.RoomBar()->setValue(20);
    other.SelectStage(3);
    QCOMPARE(other.RoomBar()->value(), 0);
    other.VerifyShowsRooms(0);
    QCOMPARE(other.MapSetLabel(0)->text(), QStringLiteral("1F"));
}

void TestMapEdit::choosingMapSetsRecordsEachDistinctPosition() {
    MapPageBench bench;
    bench.RoomBar()->setValue(10);
    const uint8_t original = bench.Stage().Map()[11];
    const int other = (original + 7) % 32;

    // There and back: two steps, both undone restore the entry and the bar follows on
    // activation.
    bench.MapSetBar(1)->setValue(other);
    QCOMPARE(bench.Stage().Map()[11], uint8_t(other));
    QCOMPARE(bench.MapSetLabel(1)->text(), Hex2(other));
    QVERIFY(bench.RoomImage(1)->Picture() == bench.PictureOf(other));
    QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップの編集"));
    QVERIFY(bench.MapFlag());
    bench.MapSetBar(1)->setValue(original);
    QCOMPARE(bench.Stage().Map()[11], original);

    QCOMPARE(bench.Stage().Undo(), uint8_t(MapCategory));
    QCOMPARE(bench.Stage().Map()[11], uint8_t(other));
    QCOMPARE(bench.Stage().Undo(), uint8_t(MapCategory));
    QCOMPARE(bench.Stage().Map()[11], original);
    QVERIFY(!bench.Stage().CanUndo());
    bench.Stage().Redo();
    bench.Controller.PageActivated();
    QCOMPARE(bench.MapSetBar(1)->value(), other);
    QCOMPARE(bench.MapSetLabel(1)->text(), Hex2(other));
    QVERIFY(bench.RoomImage(1)->Picture() == bench.PictureOf(other));
    QCOMPARE(bench.RoomsLabel()->text(), QStringLiteral("0A-0B"));
    // Activation only shows the entries: nothing was written.
    QVERIFY(bench.Stage().CanRedo());

    // A drag writes every distinct position it passes through, each its own step.
    bench.Stage().ClearHistory();
    QScrollBar *bar = bench.MapSetBar(0);
    const int start = bar->value();
    bar->setSliderDown(true);
    for (int position : {start + 1, start + 2, start + 2, start + 3})
        bar->setSliderPosition(position % 32);
    bar->setSliderDown(false);
    QCOMPARE(bench.Stage().Map()[10], uint8_t((start + 3) % 32));
    int steps = 0;
    while (bench.Stage().CanUndo()) {
        bench.Stage().Undo();
        ++steps;
    }
    QCOMPARE(steps, 3);
    QCOMPARE(bench.Stage().Map()[10], uint8_t(start));
}

void TestMapEdit::valuesOutsideTheirRanges() {
    MapPageBench bench;
    // Notifications that change nothing record nothing and flag nothing.
    const uint8_t entry = bench.Stage().Map()[0];
    bench.MapSetBar(0)->setValue(entry);
    bench.Controller.SetRoomMapSet(0, entry);
    bench.Controller.SetRoomMapSet(2, 5);
    bench.Controller.SetRoomMapSet(-1, 5);
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.MapFlag());
    QCOMPARE(bench.Stage().Map()[0], entry);

    bench.Controller.SetRoomMapSet(1, 200);
    QCOMPARE(bench.Stage().Map()[1], uint8_t{31});
    bench.Controller.SetRoomMapSet(1, -4);
    QCOMPARE(bench.Stage().Map()[1], uint8_t{0});

    bench.Controller.ScrollRooms(99);
    bench.VerifyShowsRooms(46);
    bench.Controller.ScrollRooms(-3);
    bench.VerifyShowsRooms(0);
}

void TestMapEdit::entriesAboveLastMapSetStayInsideTheTable() {
    CartridgeBuilder builder = ValidMapBuilder();
    const int32_t map = CartridgeBuilder::DefaultOffset(StageTable::Map, 0);
    builder.SetByte(map + 0, 0x25);
    builder.SetByte(map + 1, 0xFF);
    builder.SetByte(map + 47, 0x20);
    MapPageBench bench(builder);

    // Stored values stay visible; the pictures and bars use map sets 05, 1F and 00.
    QCOMPARE(bench.MapSetLabel(0)->text(), QStringLiteral("25"));
    QCOMPARE(bench.MapSetLabel(1)->text(), QStringLiteral("FF"));
    bench.VerifyShowsRooms(0);
    QCOMPARE(bench.MapSetBar(0)->value(), 5);
    QVERIFY(bench.RoomImage(1)->Picture() == bench.PictureOf(31));
    bench.RoomBar()->setValue(46);
    QCOMPARE(bench.MapSetLabel(1)->text(), QStringLiteral("20"));
    QVERIFY(bench.RoomImage(1)->Picture() == bench.PictureOf(0));
    QVERIFY(!bench.Stage().CanUndo());

    // Choosing a map set writes a valid entry.
    bench.RoomBar()->setValue(0);
    bench.MapSetBar(0)->setValue(6);
    QCOMPARE(bench.Stage().Map()[0], uint8_t{6});
    QCOMPARE(bench.MapSetLabel(0)->text(), QStringLiteral("06"));
}

void TestMapEdit::reloadEmptiesWholeHistoryAndKeepsFlags() {
    MapPageBench bench;
    const std::array<uint8_t, RoomCount> stored = bench.Stage().Map();
    bench.RoomBar()->setValue(4);
    bench.MapSetBar(0)->setValue((stored[4] + 1) % 32);
    bench.Stage().SetChip16x16Tile(3, static_cast<uint8_t>(bench.Stage().Chip16x16()[3] + 1));
    bench.Stage().SetPaletteEntry(2,
                                  static_cast<uint8_t>((bench.Stage().BGPalette(0)[2] + 1) % 64));
    bench.Stage().Undo();
    QVERIFY(bench.Stage().CanRedo());
    auto *reload = bench.Find<QPushButton>(QStringLiteral("BtnMapEditReload"));
    const QString question =
        QStringLiteral("このステージのマップデータを読み込み直します。よろしいですか？");

    bench.Prompt().YesNoAnswers = {false};
    QTest::mouseClick(reload, Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, QStringList{question});
    QVERIFY(bench.Stage().CanUndo());
    QCOMPARE(bench.Stage().Map()[4], uint8_t((stored[4] + 1) % 32));
    QCOMPARE(bench.RoomBar()->value(), 4);

    bench.Prompt().YesNoAnswers = {true};
    QTest::mouseClick(reload, Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions.size(), 2);
    QVERIFY(bench.Stage().Map() == stored);
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.Stage().CanRedo());
    QVERIFY(bench.MapFlag());
    QCOMPARE(bench.RoomBar()->value(), 0);
    bench.VerifyShowsRooms(0);
}

void TestMapEdit::paletteTickRecoloursRooms() {
    MapPageBench bench;
    const QImage before = bench.RoomImage(0)->Picture();
    PaletteSet shifted = bench.Stage().BGPalette(0);
    for (uint8_t &colour : shifted)
        colour = static_cast<uint8_t>((colour + 9) % 64);
    bench.Graphics().SetStagePalette(shifted);
    // Until the tick reaches the page, the pictures keep the old colours.
    QVERIFY(bench.RoomImage(0)->Picture() == before);
    bench.Controller.RedrawForPalette();
    QVERIFY(bench.RoomImage(0)->Picture() != before);
    bench.VerifyShowsRooms(0);
    QVERIFY(!bench.Stage().CanUndo());
}

QTEST_MAIN(TestMapEdit)
#include "tst_mapedit.moc"

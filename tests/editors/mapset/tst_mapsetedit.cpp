#include "EditorPageFixture.h"
#include "mapset/MapSetEditGridForm.h"
#include "mapset/mapsetedit.h"
#include "mapset/mapsetpage.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {
/// A point inside cell `cell` of a page image.
QPoint CellPoint(int cell) {
    return QPoint((cell % 8) * 32 + 7, (cell / 8) * 32 + 9);
}

/// The map set page as the main window sets it up, on an opened synthetic image.
class MapSetPageBench : public EditorPageFixture {
public:
    MapSetPageBench()
        : EditorPageFixture(CartridgeBuilder()), GridForm(Prompt()), ReportWindow(Prompt()),
          Controls(BuildMapSetPage(&Page, &StatusPanel, &GridForm, &ReportWindow)),
          Controller(Document(), Flags(), Graphics(), Prompt()) {
        Controller.SetControls(Controls);
        ForwardMapSetPageEvents(Controls, Controller);
        PrepareStage(0, SheetsRebuilt::Both);
        Controller.Refresh();
        ShowPage(QSize(635, 640));
    }

    TImageEx *PageImage(int n) {
        return Find<TImageEx>(QStringLiteral("ImgEditMapSetPage%1").arg(n));
    }
    TImageEx *Table() { return Find<TImageEx>(QStringLiteral("Img32x32ChipTable")); }
    QLabel *Label(const QString &name) { return Find<QLabel>(name); }
    QScrollBar *Bar(const QString &name) { return Find<QScrollBar>(name); }
    uint8_t MapSetByte(int mapSet, int cell) { return Stage().MapSet()[mapSet * 64 + cell]; }
    bool MapSetFlag() { return EditFlag(EditArea::MapSet); }

    QImage ChipPicture(int chip, int size) {
        QImage picture(size, size, QImage::Format_RGB32);
        Graphics().DrawChip32x32(picture, static_cast<uint8_t>(chip), 0, 0, size, size);
        return picture;
    }
    QImage MapSetPicture(int mapSet) {
        QImage picture(256, 256, QImage::Format_RGB32);
        Graphics().DrawMapSet(picture, Stage().MapSet().data() + mapSet * 64);
        return picture;
    }
    /// The inside of a page cell, without the one-pixel border a hover frame may cover.
    QImage CellInside(int page, int cell) {
        return PageImage(page)->Picture().copy((cell % 8) * 32 + 1, (cell / 8) * 32 + 1, 30, 30);
    }
    /// A chip whose picture differs from the one of `chip`.
    int OtherLookingChip(int chip) {
        for (int other = 0; other < 256; ++other)
            if (ChipPicture(other, 32) != ChipPicture(chip, 32))
                return other;
        qFatal("all chips look alike");
    }

    TMapSetEditGridForm GridForm;
    TShowUnusedChipNumForm ReportWindow;
    MapSetEditControls Controls;
    MapSetEditClass Controller;
};
} // namespace

class TestMapSetEdit : public QObject {
    Q_OBJECT
private slots:
    void pageControls();
    void paintingWritesOnlyChanges();
    void rightClickPicksChipAndShowsStructure();
    void copyAndPasteWholeMapSets();
    void editShowsOnBothPagesOfOneMapSet();
    void scrollingMovesBothPages_data();
    void scrollingMovesBothPages();
    void hoverStatusAndFrames();
    void pointerOutsideImagesGivesNoCell();
    void gridLinesFollowCheckBox();
    void gridDialogFromShiftClick_data();
    void gridDialogFromShiftClick();
    void reload_data();
    void reload();
    void duplicateReplacement();
    void activationShowsChipPickedElsewhere();
};

void TestMapSetEdit::pageControls() {
    MapSetPageBench bench;
    for (int n = 0; n < 2; ++n) {
        QCOMPARE(bench.PageImage(n)->Tag(), n);
        QCOMPARE(bench.PageImage(n)->Picture().size(), QSize(256, 256));
        QScrollBar *chooser = bench.Bar(QStringLiteral("ScrBarSelectPage%1").arg(n));
        QCOMPARE(chooser->maximum(), 31);
        QCOMPARE(chooser->value(), n);
        QCOMPARE(chooser->property("Tag").toInt(), n);
        QCOMPARE(bench.Label(QStringLiteral("LblMapSetPage%1").arg(n))->text(), Hex2(n));
        QCOMPARE(bench.PageImage(n)->Picture(), bench.MapSetPicture(n));
    }
    QCOMPARE(bench.Bar(QStringLiteral("ScrBarMapSet"))->maximum(), 30);
    QCOMPARE(bench.Table()->Picture().size(), QSize(256, 256));
    QCOMPARE(bench.Find<TImageEx>(QStringLiteral("ImgSelect32x32Chip"))->Picture(),
             bench.ChipPicture(0, 64));
    QCOMPARE(bench.Find<QCheckBox>(QStringLiteral("ChkMapSetEditDrawGrid"))->text(),
             QStringLiteral("グリッド線の描画"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("Button3"))->text(),
             QStringLiteral("再読み込み"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnReplaceMapSetChip"))->text(),
             QStringLiteral("重複チップを置換"));
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(),
             QStringLiteral("00"));
    // The table shows chip 0x21 halved at column 1, row 2.
    QCOMPARE(bench.Table()->Picture().copy(16, 32, 16, 16), bench.ChipPicture(0x21, 16));
}

void TestMapSetEdit::paintingWritesOnlyChanges() {
    MapSetPageBench bench;
    const int cell = 9;
    const int chip = bench.OtherLookingChip(bench.MapSetByte(0, cell));
    Click(bench.Table(), QPoint((chip % 16) * 16 + 3, (chip / 16) * 16 + 3), Qt::LeftButton);
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(), Hex2(chip));

    Click(bench.PageImage(0), CellPoint(cell), Qt::LeftButton);
    QCOMPARE(bench.MapSetByte(0, cell), chip);
    QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップセットの編集"));
    QVERIFY(bench.MapSetFlag());
    QCOMPARE(bench.CellInside(0, cell), bench.ChipPicture(chip, 32).copy(1, 1, 30, 30));
    QVERIFY(HasFramePixel(bench.PageImage(0)->Picture()));

    // The same chip again: nothing recorded, nothing flagged.
    bench.Stage().ClearHistory();
    bench.Flags().ClearAll();
    Click(bench.PageImage(0), CellPoint(cell), Qt::LeftButton);
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.MapSetFlag());
}

void TestMapSetEdit::rightClickPicksChipAndShowsStructure() {
    MapSetPageBench bench;
    bench.Controller.SetPageMapSet(1, 7);
    const int cell = 45;
    const int chip = bench.MapSetByte(7, cell);
    Click(bench.PageImage(1), CellPoint(cell), Qt::RightButton);
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(), Hex2(chip));
    QCOMPARE(bench.Find<TImageEx>(QStringLiteral("ImgSelect32x32Chip"))->Picture(),
             bench.ChipPicture(chip, 64));
    for (int q = 0; q < 4; ++q) {
        const uint8_t part = bench.Stage().Chip32x32()[chip * 4 + q];
        QCOMPARE(bench.Label(QStringLiteral("LblMapSetStructChipIndex%1").arg(q))->text(),
                 Hex2(part));
        QCOMPARE(bench.Label(QStringLiteral("LblMapSetStructChipProperty%1").arg(q))->text(),
                 bench.Document().ChipAttributeName(bench.Stage().ChipProperty()[part]));
    }
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.MapSetFlag());
}

void TestMapSetEdit::copyAndPasteWholeMapSets() {
    MapSetPageBench bench;
    // Nothing copied yet: the buffer holds 64 zeros.
    Click(bench.PageImage(0), CellPoint(0), Qt::LeftButton, Qt::ControlModifier);
    for (int cell = 0; cell < 64; ++cell)
        QCOMPARE(bench.MapSetByte(0, cell), 0);
    QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップセットの編集(貼り付け)"));
    QVERIFY(bench.MapSetFlag());
    QCOMPARE(bench.PageImage(0)->Picture(), bench.MapSetPicture(0));

    bench.Stage().ClearHistory();
    bench.Flags().ClearAll();
    Click(bench.PageImage(0), CellPoint(5), Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(!bench.Stage().CanUndo());
    QVERIFY(!bench.MapSetFlag());

    // Ctrl+right copies map set 1 without recording; a refresh keeps the copy.
    Click(bench.PageImage(1), CellPoint(5), Qt::RightButton, Qt::ControlModifier);
    QVERIFY(!bench.Stage().CanUndo());
    bench.Controller.Refresh();
    Click(bench.PageImage(0), CellPoint(5), Qt::LeftButton, Qt::ControlModifier);
    for (int cell = 0; cell < 64; ++cell)
        QCOMPARE(bench.MapSetByte(0, cell), bench.MapSetByte(1, cell));
    QCOMPARE(bench.PageImage(0)->Picture(), bench.PageImage(1)->Picture());
    QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップセットの編集(貼り付け)"));
}

// Both pages may show one map set: whichever page an edit is made on, both show it.
void TestMapSetEdit::editShowsOnBothPagesOfOneMapSet() {
    MapSetPageBench bench;
    bench.Controller.SetPageMapSet(1, 0);
    const int chip = bench.OtherLookingChip(bench.MapSetByte(0, 9));
    bench.Controller.SelectChip(chip);
    Move(bench.PageImage(1), CellPoint(9), Qt::LeftButton);
    Click(bench.PageImage(0), CellPoint(9), Qt::LeftButton);
    QCOMPARE(bench.MapSetByte(0, 9), chip);
    QCOMPARE(bench.CellInside(1, 9), bench.ChipPicture(chip, 32).copy(1, 1, 30, 30));
    // The frame on the other page is drawn again over the new chip.
    QCOMPARE(bench.PageImage(1)->Picture().pixel(1 * 32, 1 * 32), Magenta);
    Leave(bench.PageImage(1));
    QCOMPARE(bench.PageImage(1)->Picture(), bench.MapSetPicture(0));

    // Map set 5 pasted over map set 0 on the right page.
    bench.Controller.SetPageMapSet(1, 5);
    Click(bench.PageImage(1), CellPoint(0), Qt::RightButton, Qt::ControlModifier);
    bench.Controller.SetPageMapSet(1, 0);
    Click(bench.PageImage(1), CellPoint(0), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップセットの編集(貼り付け)"));
    Leave(bench.PageImage(0));
    QCOMPARE(bench.PageImage(0)->Picture(), bench.MapSetPicture(5));

    // A grid edit confirmed from the left page.
    const uint8_t typed = static_cast<uint8_t>(bench.MapSetByte(0, 0) + 1);
    QTimer::singleShot(0, &bench.GridForm, [&] {
        QTest::keyClicks(bench.GridForm.findChild<QTableWidget *>(QStringLiteral("SGridMapSetEdit")),
                         Hex2(typed));
        bench.GridForm.findChild<QPushButton *>(QStringLiteral("BtnGridEditOK"))->click();
    });
    Click(bench.PageImage(0), CellPoint(0), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(bench.MapSetByte(0, 0), typed);
    Leave(bench.PageImage(1));
    QCOMPARE(bench.PageImage(1)->Picture(), bench.MapSetPicture(0));
}

void TestMapSetEdit::scrollingMovesBothPages_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("scrollTo");
    QTest::addColumn<int>("shownLeft");
    QTest::addColumn<int>("shownRight");
    QTest::newRow("keeps the distance") << 5 << 9 << 3 << 3 << 7;
    QTest::newRow("right page stops at 31") << 0 << 1 << 30 << 30 << 31;
    QTest::newRow("right page stops at 1") << 2 << 2 << 0 << 0 << 1;
}

void TestMapSetEdit::scrollingMovesBothPages() {
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, scrollTo);
    QFETCH(int, shownLeft);
    QFETCH(int, shownRight);
    MapSetPageBench bench;
    QScrollBar *both = bench.Bar(QStringLiteral("ScrBarMapSet"));
    std::array<QScrollBar *, 2> choosers{bench.Bar(QStringLiteral("ScrBarSelectPage0")),
                                         bench.Bar(QStringLiteral("ScrBarSelectPage1"))};
    both->setValue(left);
    choosers[1]->setValue(right);
    // Choosing one page leaves the other page and the common bar alone.
    QCOMPARE(both->value(), left);
    QCOMPARE(choosers[0]->value(), left);
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetPage1"))->text(), Hex2(right));

    both->setValue(scrollTo);
    const std::array<int, 2> shown{shownLeft, shownRight};
    for (int n = 0; n < 2; ++n) {
        QCOMPARE(bench.Label(QStringLiteral("LblMapSetPage%1").arg(n))->text(), Hex2(shown[n]));
        QCOMPARE(choosers[n]->value(), shown[n]);
        QCOMPARE(bench.PageImage(n)->Picture(), bench.MapSetPicture(shown[n]));
        QCOMPARE(bench.Controller.CellValue(n, 63), bench.MapSetByte(shown[n], 63));
    }
}

void TestMapSetEdit::hoverStatusAndFrames() {
    MapSetPageBench bench;
    bench.Stage().SetMapSetEntry(1 * 64 + 0x1A, 0x05);
    bench.Controller.RedrawPages();
    TImageEx *page = bench.PageImage(1);
    Move(page, QPoint(2 * 32 + 31, 3 * 32), Qt::LeftButton);
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("Index:1A(2,3) 32x32チップNo:05"));
    QCOMPARE(page->Picture().pixel(2 * 32, 3 * 32), Magenta);
    Move(page, CellPoint(0), Qt::LeftButton);
    QCOMPARE(page->Picture().pixel(2 * 32, 3 * 32), bench.ChipPicture(5, 32).pixel(0, 0));
    QCOMPARE(page->Picture().pixel(0, 0), Magenta);
    Leave(page);
    QVERIFY(bench.StatusPanel.text().isEmpty());
    QVERIFY(!HasFramePixel(page->Picture()));

    Move(bench.Table(), QPoint(1 * 16 + 15, 1 * 16), Qt::LeftButton);
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("32x32チップNo:11"));
    QCOMPARE(bench.Table()->Picture().pixel(16, 16), Magenta);
    Move(bench.Table(), QPoint(200, 250), Qt::LeftButton);
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("32x32チップNo:FC"));
    QCOMPARE(bench.Table()->Picture().copy(16, 16, 16, 16), bench.ChipPicture(0x11, 16));
    Leave(bench.Table());
    QVERIFY(bench.StatusPanel.text().isEmpty());
    QVERIFY(!HasFramePixel(bench.Table()->Picture()));
}

void TestMapSetEdit::pointerOutsideImagesGivesNoCell() {
    MapSetPageBench bench;
    const MapSetTable before = bench.Stage().MapSet();
    Move(bench.PageImage(0), CellPoint(3), Qt::LeftButton);
    const QString cellText = bench.StatusPanel.text();
    const QImage framed = bench.PageImage(0)->Picture().copy();
    QVERIFY(HasFramePixel(framed));
    Move(bench.Table(), QPoint(5 * 16 + 3, 3), Qt::LeftButton);
    const QString chipText = bench.StatusPanel.text();
    const QImage tableFramed = bench.Table()->Picture().copy();
    // Positions a held button can deliver are ignored: the hover frame and the status text
    // stay, and a press there does nothing.
    for (const QPoint at : {QPoint(-1, 5), QPoint(5, -1), QPoint(256, 5), QPoint(5, 256)}) {
        Move(bench.PageImage(0), CellPoint(3), Qt::LeftButton);
        Move(bench.PageImage(0), at, Qt::LeftButton);
        QCOMPARE(bench.StatusPanel.text(), cellText);
        QCOMPARE(bench.PageImage(0)->Picture(), framed);
        Click(bench.PageImage(0), at, Qt::LeftButton);
        Click(bench.PageImage(0), at, Qt::RightButton);
        QCOMPARE(bench.PageImage(0)->Picture(), framed);
        Move(bench.Table(), QPoint(5 * 16 + 3, 3), Qt::LeftButton);
        Move(bench.Table(), at, Qt::LeftButton);
        QCOMPARE(bench.StatusPanel.text(), chipText);
        QCOMPARE(bench.Table()->Picture(), tableFramed);
        Click(bench.Table(), at, Qt::LeftButton);
    }
    QCOMPARE(bench.Stage().MapSet(), before);
    QVERIFY(!bench.Stage().CanUndo());
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(),
             QStringLiteral("00"));
    // The leave, once it comes, takes the frames and the text away.
    Leave(bench.PageImage(0));
    Leave(bench.Table());
    QVERIFY(bench.StatusPanel.text().isEmpty());
    QVERIFY(!HasFramePixel(bench.PageImage(0)->Picture()));
    QVERIFY(!HasFramePixel(bench.Table()->Picture()));
}

void TestMapSetEdit::gridLinesFollowCheckBox() {
    MapSetPageBench bench;
    auto *grid = bench.Find<QCheckBox>(QStringLiteral("ChkMapSetEditDrawGrid"));
    const QImage &picture = bench.PageImage(0)->Picture();
    grid->click();
    for (int n = 0; n < 8; ++n) {
        QCOMPARE(picture.pixel(n * 32, 17), White);
        QCOMPARE(picture.pixel(17, n * 32), White);
    }
    QVERIFY(picture.pixel(255, 17) != White);
    // The hover keeps the lines: restoring a cell draws them again.
    Move(bench.PageImage(0), CellPoint(9), Qt::LeftButton);
    Leave(bench.PageImage(0));
    QCOMPARE(picture.pixel(32, 40), White);
    grid->click();
    QCOMPARE(picture, bench.MapSetPicture(0));
}

void TestMapSetEdit::gridDialogFromShiftClick_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("typeNewValue");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("changed");
    QTest::newRow("typed and confirmed") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
                                         << QStringLiteral("BtnGridEditOK") << true;
    QTest::newRow("shift and ctrl, confirmed unchanged")
        << (Qt::ShiftModifier | Qt::ControlModifier) << false << QStringLiteral("BtnGridEditOK")
        << false;
    QTest::newRow("typed and cancelled") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
                                         << QStringLiteral("BtnGridEditCancel") << false;
}

void TestMapSetEdit::gridDialogFromShiftClick() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, typeNewValue);
    QFETCH(QString, button);
    QFETCH(bool, changed);
    MapSetPageBench bench;
    bench.Controller.SetPageMapSet(1, 0x12);
    const uint8_t old = bench.MapSetByte(0x12, 0);
    const uint8_t typed = static_cast<uint8_t>(old + 1);
    QString caption;
    QString shownCell;
    QTimer::singleShot(0, &bench.GridForm, [&] {
        caption = bench.GridForm.windowTitle();
        auto *table = bench.GridForm.findChild<QTableWidget *>(QStringLiteral("SGridMapSetEdit"));
        shownCell = table->item(0, 0)->text();
        if (typeNewValue)
            QTest::keyClicks(table, Hex2(typed));
        bench.GridForm.findChild<QPushButton *>(button)->click();
    });
    Click(bench.PageImage(1), CellPoint(10), Qt::LeftButton, modifiers);

    QCOMPARE(caption, QStringLiteral("マップセット(番号12)の編集"));
    QCOMPARE(shownCell, Hex2(old));
    QCOMPARE(bench.MapSetByte(0x12, 0), changed ? typed : old);
    QCOMPARE(bench.Stage().CanUndo(), changed);
    QCOMPARE(bench.MapSetFlag(), changed);
    if (changed) {
        QCOMPARE(bench.Stage().UndoName(), QStringLiteral("マップセットの編集(グリッド編集)"));
        QCOMPARE(bench.PageImage(1)->Picture(), bench.MapSetPicture(0x12));
    }
}

void TestMapSetEdit::reload_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void TestMapSetEdit::reload() {
    QFETCH(bool, answer);
    MapSetPageBench bench;
    const MapSetTable original = bench.Stage().MapSet();
    bench.Controller.SelectChip(static_cast<uint8_t>(original[2] + 1));
    Click(bench.PageImage(0), CellPoint(2), Qt::LeftButton);
    Click(bench.PageImage(0), CellPoint(4), Qt::LeftButton, Qt::ControlModifier);
    bench.Document().Undo();
    bench.Controller.PageActivated(); // as the main window does after an undo
    QVERIFY(bench.Stage().CanRedo());
    const MapSetTable edited = bench.Stage().MapSet();
    QVERIFY(edited != original);

    bench.Prompt().YesNoAnswers = {answer};
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions,
             QStringList{QStringLiteral(
                 "このステージのマップセットデータを読み込み直します。よろしいですか？")});
    QCOMPARE(bench.Stage().MapSet(), answer ? original : edited);
    QCOMPARE(bench.Stage().CanUndo(), !answer);
    QCOMPARE(bench.Stage().CanRedo(), !answer);
    QVERIFY(bench.MapSetFlag());
    QCOMPARE(bench.PageImage(0)->Picture(), bench.MapSetPicture(0));
}

void TestMapSetEdit::duplicateReplacement() {
    MapSetPageBench bench;
    StageData &stage = bench.Stage();
    std::array<uint8_t, 4> chip5{};
    std::copy_n(stage.Chip32x32().begin() + 5 * 4, 4, chip5.begin());
    stage.PasteChip32x32(0x0A * 4, chip5);
    stage.PasteChip32x32(0x1B * 4, chip5);
    stage.SetMapSetEntry(3, 0x0A);
    stage.SetMapSetEntry(70, 0x1B);
    // A step undone waits on the redo list.
    stage.SetMapSetEntry(100, static_cast<uint8_t>(stage.MapSet()[100] + 1));
    bench.Document().Undo();
    const MapSetTable before = stage.MapSet();
    auto *replace = bench.Find<QPushButton>(QStringLiteral("BtnReplaceMapSetChip"));
    auto *ok = bench.ReportWindow.findChild<QPushButton *>(QStringLiteral("BtnReplaceMapSetChips"));

    // Cancelled: nothing changes.
    QTimer::singleShot(0, &bench.ReportWindow, [&] { bench.ReportWindow.reject(); });
    replace->click();
    QCOMPARE(stage.MapSet(), before);
    QVERIFY(stage.CanUndo());
    QVERIFY(stage.CanRedo());
    QVERIFY(!bench.MapSetFlag());
    QVERIFY(ok->isHidden());

    QTimer::singleShot(0, &bench.ReportWindow, [&] { ok->click(); });
    replace->click();
    QCOMPARE(stage.MapSet()[3], 0x05);
    QCOMPARE(stage.MapSet()[70], 0x05);
    int changedEntries = 0;
    for (int i = 0; i < 2048; ++i)
        changedEntries += stage.MapSet()[i] != before[i];
    QCOMPARE(bench.Prompt().Messages.last(),
             QString::number(changedEntries) + QStringLiteral("個のチップを置換しました"));
    QVERIFY(bench.MapSetFlag());
    QVERIFY(!stage.CanUndo());
    QVERIFY(!stage.CanRedo());
    QCOMPARE(bench.PageImage(0)->Picture(), bench.MapSetPicture(0));

    // A second run finds the same groups but nothing left to replace.
    // A block write always records, even of the bytes already there.
    std::array<uint8_t, 64> firstMapSet{};
    std::copy_n(stage.MapSet().begin(), 64, firstMapSet.begin());
    stage.PasteMapSetBlock(0, firstMapSet);
    bench.Flags().ClearAll();
    QTimer::singleShot(0, &bench.ReportWindow, [&] { ok->click(); });
    replace->click();
    QCOMPARE(bench.Prompt().Messages.last(), QStringLiteral("0個のチップを置換しました"));
    QVERIFY(!bench.MapSetFlag());
    QVERIFY(stage.CanUndo());
}

void TestMapSetEdit::activationShowsChipPickedElsewhere() {
    MapSetPageBench bench;
    auto *preview = bench.Find<TImageEx>(QStringLiteral("ImgSelect32x32Chip"));
    bench.Controller.SetSelectedChip(0x33);
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(),
             QStringLiteral("00"));
    bench.Controller.PageActivated();
    QCOMPARE(bench.Label(QStringLiteral("LblMapSetSelect32x32ChipIndex"))->text(),
             QStringLiteral("33"));
    QCOMPARE(preview->Picture(), bench.ChipPicture(0x33, 64));

    // An undone paint shows after activation; a palette tick keeps the hover frame.
    Click(bench.PageImage(0), CellPoint(12), Qt::LeftButton);
    bench.Document().Undo();
    bench.Controller.PageActivated();
    QCOMPARE(bench.PageImage(0)->Picture(), bench.MapSetPicture(0));
    Move(bench.PageImage(0), CellPoint(12), Qt::LeftButton);
    const QImage beforeTick = bench.PageImage(0)->Picture();
    for (int entry = 0; entry < 16; ++entry)
        bench.Graphics().SetStagePaletteEntry(entry, static_cast<uint8_t>(0x3F - entry));
    bench.Controller.RedrawForPalette();
    QVERIFY(bench.PageImage(0)->Picture() != beforeTick);
    QCOMPARE(bench.PageImage(0)->Picture().pixel(4 * 32, 1 * 32), Magenta);
    QCOMPARE(preview->Picture(), bench.ChipPicture(0x33, 64));
}

QTEST_MAIN(TestMapSetEdit)
#include "tst_mapsetedit.moc"

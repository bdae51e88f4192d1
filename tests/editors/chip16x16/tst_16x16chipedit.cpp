#include "Chip16x16PageBench.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <QRadioButton>
#include <QTimer>

using namespace Chip16x16Test;

class TestChip16x16Edit : public QObject {
    Q_OBJECT
private slots:
    void pageControlsAfterRefresh();
    void bankTableSelectsTileAndCyclesPalette();
    void puttingTilesAndPicking();
    void copyAndPaste();
    void radioGroupsSetAttributeAndPalette();
    void radioGroupsKeepTheVariantBits();
    void typedProperty_data();
    void typedProperty();
    void bankScrollRedrawsAndFlags();
    void bankScrollRange_data();
    void bankScrollRange();
    void bankBarPageActionsMoveOneBank_data();
    void bankBarPageActionsMoveOneBank();
    void bankByteBeyondTheBarsRangeStays();
    void hoverAndStatusTexts();
    void pointerOutsideImagesGivesNoCell();
    void reloadAndActivation();
    void reportsOfUnusedNumbers();
};

void TestChip16x16Edit::pageControlsAfterRefresh() {
    Chip16x16PageBench bench;
    QCOMPARE(bench.BankTable()->Picture().size(), QSize(256, 256));
    QCOMPARE(bench.ChipView()->Picture().size(), QSize(256, 256));
    QCOMPARE(bench.EditedChip()->Picture().size(), QSize(64, 64));
    QCOMPARE(bench.TilePreview()->Picture().size(), QSize(32, 32));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("Button1"))->text(),
             QStringLiteral("再読み込み"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnUnusedTileChk"))->text(),
             QStringLiteral("未使用タイル番号表示"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnUnused16x16ChipChk"))->text(),
             QStringLiteral("未使用チップ番号表示"));
    auto *attributes = bench.Find<QGroupBox>(QStringLiteral("RGChipPropertySelect"));
    QCOMPARE(attributes->title(), QStringLiteral("チップ属性"));
    QCOMPARE(attributes->findChildren<QRadioButton *>().size(), 16);
    QCOMPARE(bench.Controls.ChipPropertyItems[6]->text(), QStringLiteral("6x 背景裏に隠れる"));
    QCOMPARE(bench.Controls.ChipPropertyItems[15]->text(), QStringLiteral("Fx トゲ"));
    QCOMPARE(bench.Controls.ChipPropertyGroup->id(bench.Controls.ChipPropertyItems[9]), 9);
    auto *palettes = bench.Find<QGroupBox>(QStringLiteral("RGPaletteSelect"));
    QCOMPARE(palettes->title(), QStringLiteral("使用パレット"));
    for (int p = 0; p < 4; ++p)
        QCOMPARE(bench.Controls.PaletteGroup->button(p)->text(), QStringLiteral("x%1").arg(p));
    for (int bank = 0; bank < 2; ++bank) {
        QScrollBar *bar = bench.BankBar(bank);
        QCOMPARE(bar->property("Tag").toInt(), bank);
        QCOMPARE(bar->pageStep(), 1);
        QCOMPARE(bar->maximum(), 126); // 16 character units: 128 pages
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->value(), int(bench.Stage().BGBank()[bank]));
        QCOMPARE(bench.Label(QStringLiteral("LblBGBank%1").arg(bank))->text(),
                 Hex2(bench.Stage().BGBank()[bank]));
    }

    // Chip 0 and tile 0 are selected; every picture shows the tables in the stage colours.
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("00"));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("00"));
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Label(QStringLiteral("LblSelectChipTile%1").arg(q))->text(),
                 Hex2(bench.Tile(q, 0)));
    const uint8_t property = bench.Property(0);
    QCOMPARE(bench.PropertyEdit()->text(), Hex2(property));
    QCOMPARE(bench.PropertyEdit()->maxLength(), 2);
    QCOMPARE(bench.Controls.ChipPropertyGroup->checkedId(), property >> 4);
    QCOMPARE(bench.Controls.PaletteGroup->checkedId(), property & 3);
    for (const int chip : {0x00, 0x37, 0xFF})
        QVERIFY(bench.ChipViewShows(chip));
    QVERIFY(bench.EditedChipShows(0));
    for (const uint8_t tile : {0x00, 0x5C, 0x80, 0xFF})
        QVERIFY(bench.BankTableShows(tile, 0));
    QVERIFY(bench.TilePreviewShows(0, 0));
    for (int entry = 0; entry < 16; ++entry) {
        QFrame *panel = bench.Find<QFrame>(QStringLiteral("PanelPaletteColor%1").arg(entry));
        QCOMPARE(panel->size(), QSize(16, 16));
        QCOMPARE(panel->palette().color(QPalette::Window).rgb(),
                 bench.StageColour(entry / 4, entry % 4));
    }
}

void TestChip16x16Edit::bankTableSelectsTileAndCyclesPalette() {
    Chip16x16PageBench bench;
    bench.ClickBankTable(0x9B, Qt::LeftButton);
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("9B"));
    QVERIFY(bench.TilePreviewShows(0x9B, 0));

    for (const int palette : {1, 2, 3, 0}) {
        bench.ClickBankTable(0x10, Qt::RightButton);
        QVERIFY(bench.BankTableShows(0x44, palette));
        QVERIFY(bench.TilePreviewShows(0x9B, palette));
    }
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("9B"));
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.ChipFlag());
}

void TestChip16x16Edit::puttingTilesAndPicking() {
    Chip16x16PageBench bench;
    bench.ClickChipView(0x42, Qt::LeftButton);
    Leave(bench.ChipView());
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("42"));
    QVERIFY(bench.EditedChipShows(0x42));

    // The tile the quadrant already holds: nothing recorded, nothing flagged.
    const uint8_t held = bench.Tile(2, 0x42);
    bench.ClickBankTable(held, Qt::LeftButton);
    bench.ClickQuadrant(2, Qt::LeftButton);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.ChipFlag());

    const uint8_t tile = static_cast<uint8_t>(held ^ 0x81);
    bench.ClickBankTable(tile, Qt::LeftButton);
    bench.ClickQuadrant(2, Qt::LeftButton);
    QCOMPARE(bench.Tile(2, 0x42), tile);
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipTile2"))->text(), Hex2(tile));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("16x16チップの編集"));
    QVERIFY(bench.ChipFlag());
    QVERIFY(bench.ChipViewShows(0x42));
    // The edited chip shows the new tile under the quadrant's hover frame.
    QCOMPARE(bench.EditedChip()->Picture().pixel(0, 32), Magenta);
    QCOMPARE(bench.EditedChip()->Picture().pixel(5, 37), bench.ChipPixel(0x42, 1, 9));
    Leave(bench.EditedChip());
    QVERIFY(bench.EditedChipShows(0x42));

    // Picks: the edited chip's quadrant 1, then quadrant 3 of chip 0x17 in the chip view.
    bench.ClickQuadrant(1, Qt::RightButton);
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(),
             Hex2(bench.Tile(1, 0x42)));
    bench.ClickChipView(0x17, Qt::RightButton, {}, 3);
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(),
             Hex2(bench.Tile(3, 0x17)));
    QVERIFY(bench.TilePreviewShows(bench.Tile(3, 0x17), 0));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("42"));

    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip16x16Tile});
    QVERIFY(!bench.Document().CanUndo());
    QCOMPARE(bench.Tile(2, 0x42), held);
}

void TestChip16x16Edit::copyAndPaste() {
    Chip16x16PageBench bench;
    // A paste before any copy writes four zero tiles and property 00.
    bench.ClickChipView(0x31, Qt::LeftButton, Qt::ControlModifier);
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Tile(q, 0x31), uint8_t{0});
    QCOMPARE(bench.Property(0x31), uint8_t{0});
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("16x16チップの編集(貼り付け)"));
    QVERIFY(bench.ChipFlag());
    Leave(bench.ChipView());
    QVERIFY(bench.ChipViewShows(0x31));
    bench.Stage().ClearHistory();

    bench.ClickChipView(0x05, Qt::RightButton, Qt::ControlModifier);
    QVERIFY(!bench.Document().CanUndo());
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("00"));
    bench.ClickChipView(0x20, Qt::LeftButton); // the pasted chip is the selected one
    bench.ClickChipView(0x20, Qt::LeftButton, Qt::ControlModifier);
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Tile(q, 0x20), bench.Tile(q, 0x05));
    QCOMPARE(bench.Property(0x20), bench.Property(0x05));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("16x16チップの編集(貼り付け)"));
    // The frame of the chip under the pointer survives the redraw.
    QCOMPARE(bench.ChipView()->Picture().pixel(0, 32), Magenta);
    Leave(bench.ChipView());
    QVERIFY(bench.ChipViewShows(0x20));
    QVERIFY(bench.EditedChipShows(0x20));
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Label(QStringLiteral("LblSelectChipTile%1").arg(q))->text(),
                 Hex2(bench.Tile(q, 0x05)));
    QCOMPARE(bench.PropertyEdit()->text(), Hex2(bench.Property(0x05)));
    QCOMPARE(bench.Controls.ChipPropertyGroup->checkedId(), bench.Property(0x05) >> 4);
    QCOMPARE(bench.Controls.PaletteGroup->checkedId(), bench.Property(0x05) & 3);

    // A second identical paste records nothing.
    bench.ClickChipView(0x20, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip16x16Paste});
    QVERIFY(!bench.Document().CanUndo());
}

void TestChip16x16Edit::radioGroupsSetAttributeAndPalette() {
    CartridgeBuilder builder;
    builder.SetByte(ChipPropertyOffset(0x24), 0x13);
    Chip16x16PageBench bench(builder);
    bench.ClickChipView(0x24, Qt::LeftButton);
    Leave(bench.ChipView());
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipProperty"))->text(),
             QStringLiteral("(10 + 3)"));

    // The item already checked changes nothing.
    QTest::mouseClick(bench.Controls.ChipPropertyItems[1], Qt::LeftButton);
    QVERIFY(!bench.Document().CanUndo());

    QTest::mouseClick(bench.Controls.ChipPropertyItems[6], Qt::LeftButton);
    QCOMPARE(bench.Property(0x24), uint8_t{0x63});
    QCOMPARE(bench.PropertyEdit()->text(), QStringLiteral("63"));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipProperty"))->text(),
             QStringLiteral("(60 + 3)"));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("16x16チップの編集(属性・パレット)"));
    QVERIFY(bench.ChipFlag());
    QVERIFY(bench.Controls.ChipPropertyItems[6]->hasFocus());

    QAbstractButton *palette1 = bench.Controls.PaletteGroup->button(1);
    QTest::mouseClick(palette1, Qt::LeftButton);
    QCOMPARE(bench.Property(0x24), uint8_t{0x61});
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipProperty"))->text(),
             QStringLiteral("(60 + 1)"));
    QVERIFY(bench.ChipViewShows(0x24));
    QVERIFY(bench.EditedChipShows(0x24));
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChipProperty});
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChipProperty});
    QVERIFY(!bench.Document().CanUndo());
    QCOMPARE(bench.Property(0x24), uint8_t{0x13});
}

// Bits 3-2 name a variant of the attribute: neither choice may drop them.
void TestChip16x16Edit::radioGroupsKeepTheVariantBits() {
    Chip16x16PageBench bench;
    bench.ClickChipView(0x24, Qt::LeftButton);
    TypeInto(bench.PropertyEdit(), QStringLiteral("1E"));

    // On the round mark: the item is wider than its short name, which alone takes clicks.
    QRadioButton *itemA = bench.Controls.ChipPropertyItems[0xA];
    QTest::mouseClick(itemA, Qt::LeftButton, {}, QPoint(6, itemA->height() / 2));
    QCOMPARE(bench.Property(0x24), uint8_t{0xAE});
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipProperty"))->text(),
             QStringLiteral("(AC + 2)"));
    QTest::mouseClick(bench.Controls.PaletteGroup->button(1), Qt::LeftButton);
    QCOMPARE(bench.Property(0x24), uint8_t{0xAD});
    QCOMPARE(bench.PropertyEdit()->text(), QStringLiteral("AD"));
}

void TestChip16x16Edit::typedProperty_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("0C on 00") << 0x00 << QStringLiteral("0C") << 0x0C << QStringLiteral("(0C + 0)")
                              << true;
    QTest::newRow("lower case") << 0x00 << QStringLiteral("f7") << 0xF7
                                << QStringLiteral("(F4 + 3)") << true;
    QTest::newRow("same value") << 0xAB << QStringLiteral("ab") << 0xAB
                                << QStringLiteral("(A8 + 3)") << false;
    QTest::newRow("not hexadecimal")
        << 0x52 << QStringLiteral("zz") << 0x52 << QStringLiteral("(50 + 2)") << false;
    QTest::newRow("sign") << 0x52 << QStringLiteral("-1") << 0x52 << QStringLiteral("(50 + 2)")
                          << false;
    QTest::newRow("blank") << 0x52 << QStringLiteral(" 1") << 0x52 << QStringLiteral("(50 + 2)")
                           << false;
}

void TestChip16x16Edit::typedProperty() {
    QFETCH(int, stored);
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(QString, shown);
    QFETCH(bool, recorded);
    CartridgeBuilder builder;
    builder.SetByte(ChipPropertyOffset(0x66), static_cast<uint8_t>(stored));
    Chip16x16PageBench bench(builder);
    bench.ClickChipView(0x66, Qt::LeftButton);
    Leave(bench.ChipView());

    TypeInto(bench.PropertyEdit(), typed);

    QCOMPARE(int(bench.Property(0x66)), expected);
    QCOMPARE(bench.PropertyEdit()->text(), Hex2(expected));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipProperty"))->text(), shown);
    QCOMPARE(bench.Controls.ChipPropertyGroup->checkedId(), expected >> 4);
    QCOMPARE(bench.Controls.PaletteGroup->checkedId(), expected & 3);
    QCOMPARE(bench.Document().CanUndo(), recorded);
    QCOMPARE(bench.ChipFlag(), recorded);
    if (recorded)
        QCOMPARE(bench.Document().UndoName(), QStringLiteral("16x16チップの編集(属性・パレット)"));
    QVERIFY(bench.ChipViewShows(0x66));
    QVERIFY(bench.EditedChipShows(0x66));
}

void TestChip16x16Edit::bankScrollRedrawsAndFlags() {
    Chip16x16PageBench bench;
    const auto [bank0Chip, bank1Chip] = ChipsByBank(bench.Stage());
    QVERIFY(bank0Chip >= 0 && bank1Chip >= 0);
    const uint8_t bank0 = bench.Stage().BGBank()[0];
    QVERIFY(bench.Stage().BGBank()[1] != 0x3A);
    const QImage tableBefore = bench.BankTable()->Picture().copy();
    const QImage chipBefore =
        bench.ChipView()->Picture().copy((bank0Chip % 16) * 16, (bank0Chip / 16) * 16, 16, 16);
    const QImage usingBank1Before =
        bench.ChipView()->Picture().copy((bank1Chip % 16) * 16, (bank1Chip / 16) * 16, 16, 16);
    bench.ClickChipView(bank1Chip, Qt::LeftButton);
    Leave(bench.ChipView());

    bench.BankBar(1)->setSliderPosition(0x3A);

    QCOMPARE(bench.Stage().BGBank()[1], uint8_t{0x3A});
    QCOMPARE(bench.Stage().BGBank()[0], bank0);
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank1"))->text(), QStringLiteral("3A"));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("BGバンクの変更"));
    QVERIFY(bench.ChipFlag());
    QCOMPARE(bench.BankTable()->Picture().copy(0, 0, 256, 128), tableBefore.copy(0, 0, 256, 128));
    QVERIFY(bench.BankTable()->Picture().copy(0, 128, 256, 128) !=
            tableBefore.copy(0, 128, 256, 128));
    QVERIFY(bench.BankTableShows(0x80, 0));
    QVERIFY(bench.BankTableShows(0xF1, 0));
    QCOMPARE(bench.ChipView()->Picture().copy((bank0Chip % 16) * 16, (bank0Chip / 16) * 16, 16, 16),
             chipBefore);
    QVERIFY(bench.ChipView()->Picture().copy((bank1Chip % 16) * 16, (bank1Chip / 16) * 16, 16,
                                             16) != usingBank1Before);
    QVERIFY(bench.ChipViewShows(bank1Chip));
    QVERIFY(bench.EditedChipShows(bank1Chip));
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryBGBank});
    QVERIFY(!bench.Document().CanUndo());

    // One click on the bar's arrow is one scroll event: one step, one record.
    QScrollBar *bar0 = bench.BankBar(0);
    QTest::mouseClick(bar0, Qt::LeftButton, {}, QPoint(bar0->width() - 4, bar0->height() / 2));
    QCOMPARE(bench.Stage().BGBank()[0], uint8_t(bank0 + 1));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("BGバンクの変更"));
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryBGBank});
    QVERIFY(!bench.Document().CanUndo());

    // A step at the end of the bar leaves the bank as it was and records nothing, but
    // still counts as a bank choice.
    bench.BankBar(0)->setSliderPosition(126);
    bench.Stage().ClearHistory();
    bench.Flags().ClearAll();
    bench.BankBar(0)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bench.Stage().BGBank()[0], uint8_t{126});
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(bench.ChipFlag());

    // Positions set from code are no scroll events.
    bench.Flags().ClearAll();
    bench.Controller.PageActivated();
    bench.BankBar(0)->setValue(3);
    QCOMPARE(bench.Stage().BGBank()[0], uint8_t{126});
    QVERIFY(!bench.ChipFlag());
}

void TestChip16x16Edit::bankScrollRange_data() {
    QTest::addColumn<int>("chrUnits");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("one unit") << 1 << 6 << true;
    QTest::newRow("32 units, 256 KB") << 32 << 254 << true;
    QTest::newRow("33 units") << 33 << 255 << true;
    QTest::newRow("255 units") << 255 << 255 << true;
    QTest::newRow("no character data") << 0 << 0 << false;
}

void TestChip16x16Edit::bankScrollRange() {
    QFETCH(int, chrUnits);
    QFETCH(int, maximum);
    QFETCH(bool, enabled);
    Chip16x16PageBench bench;
    bench.Controller.SetBGBankScrollRange(chrUnits * 8);
    for (int bank = 0; bank < 2; ++bank) {
        QCOMPARE(bench.BankBar(bank)->maximum(), maximum);
        QCOMPARE(bench.BankBar(bank)->isEnabled(), enabled);
    }
    QVERIFY(!bench.ChipFlag());
    if (!enabled)
        return;
    // The last position is a bank byte like any other.
    bench.BankBar(1)->setSliderPosition(maximum);
    QCOMPARE(int(bench.Stage().BGBank()[1]), maximum);
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank1"))->text(), Hex2(maximum));
}

namespace {
/// The middle of the part `part` of a scroll bar as its style lays it out.
QPoint ScrollBarPart(QScrollBar *bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    if (option.orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

void Wheel(QScrollBar *bar, int angle, Qt::KeyboardModifiers modifiers) {
    const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
    QWheelEvent event(at, bar->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &event);
}

enum class PageAction { TrackAfterThumb, TrackBeforeThumb, PageUp, PageDown, Wheel, CtrlWheel };
} // namespace

void TestChip16x16Edit::bankBarPageActionsMoveOneBank_data() {
    QTest::addColumn<PageAction>("action");
    QTest::addColumn<int>("step");
    QTest::newRow("track after the thumb") << PageAction::TrackAfterThumb << 1;
    QTest::newRow("track before the thumb") << PageAction::TrackBeforeThumb << -1;
    QTest::newRow("PageUp") << PageAction::PageUp << -1;
    QTest::newRow("PageDown") << PageAction::PageDown << 1;
    QTest::newRow("wheel") << PageAction::Wheel << -1;
    QTest::newRow("Ctrl+wheel") << PageAction::CtrlWheel << 1;
}

void TestChip16x16Edit::bankBarPageActionsMoveOneBank() {
    QFETCH(PageAction, action);
    QFETCH(int, step);
    CartridgeBuilder builder;
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGBank, 0) + 1, 0x40);
    Chip16x16PageBench bench(builder);
    QScrollBar *bar = bench.BankBar(1);
    switch (action) {
    case PageAction::TrackAfterThumb:
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          ScrollBarPart(bar, QStyle::SC_ScrollBarAddPage));
        break;
    case PageAction::TrackBeforeThumb:
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          ScrollBarPart(bar, QStyle::SC_ScrollBarSubPage));
        break;
    case PageAction::PageUp:
        QTest::keyClick(bar, Qt::Key_PageUp);
        break;
    case PageAction::PageDown:
        QTest::keyClick(bar, Qt::Key_PageDown);
        break;
    case PageAction::Wheel:
        Wheel(bar, 120, {});
        break;
    case PageAction::CtrlWheel:
        Wheel(bar, -120, Qt::ControlModifier);
        break;
    }
    QCOMPARE(int(bench.Stage().BGBank()[1]), 0x40 + step);
    QCOMPARE(bar->value(), 0x40 + step);
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank1"))->text(), Hex2(0x40 + step));
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryBGBank});
    QVERIFY(!bench.Document().CanUndo());
}

// An image may hold fewer banks than a stage's byte names: the bar reaches up to the byte,
// so that an arrow click steps from it instead of pulling it down to the image's last bank.
void TestChip16x16Edit::bankByteBeyondTheBarsRangeStays() {
    CartridgeBuilder builder;
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGBank, 0), 0xF0);
    Chip16x16PageBench bench(builder);
    QScrollBar *bar = bench.BankBar(0);
    QCOMPARE(bar->maximum(), 0xF0);
    QCOMPARE(bar->value(), 0xF0);
    QCOMPARE(bench.BankBar(1)->maximum(), 0x7E);
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank0"))->text(), QStringLiteral("F0"));

    // The right arrow at the byte: the byte stays, like any step at the end of a bar.
    QTest::mouseClick(bar, Qt::LeftButton, {}, ScrollBarPart(bar, QStyle::SC_ScrollBarAddLine));
    QCOMPARE(bench.Stage().BGBank()[0], uint8_t{0xF0});
    QVERIFY(!bench.Document().CanUndo());

    QTest::mouseClick(bar, Qt::LeftButton, {}, ScrollBarPart(bar, QStyle::SC_ScrollBarSubLine));
    QCOMPARE(bench.Stage().BGBank()[0], uint8_t{0xEF});
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank0"))->text(), QStringLiteral("EF"));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("BGバンクの変更"));

    // Shown again after the undo, as the main window does: the bar is back at the byte.
    bench.Document().Undo();
    bench.Controller.PageActivated();
    QCOMPARE(bar->value(), 0xF0);
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank0"))->text(), QStringLiteral("F0"));

    // Another stage with bytes inside the image gets the image's range back.
    bench.PrepareStage(1, SheetsRebuilt::None);
    bench.Controller.Refresh();
    QCOMPARE(bar->maximum(), 0x7E);
    QCOMPARE(bar->value(), int(bench.Stage().BGBank()[0]));
}

void TestChip16x16Edit::hoverAndStatusTexts() {
    Chip16x16PageBench bench;
    TImageEx *view = bench.ChipView();
    QTest::mouseMove(view, QPoint(250, 17));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("16x16チップNo:1F"));
    QCOMPARE(view->Picture().pixel(240, 16), Magenta);
    QCOMPARE(view->Picture().pixel(255, 31), Magenta);
    QCOMPARE(view->Picture().pixel(247, 23), bench.ChipPixel(0x1F, 7, 7));
    QTest::mouseMove(view, QPoint(3, 40));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("16x16チップNo:20"));
    QVERIFY(bench.ChipViewShows(0x1F));
    QCOMPARE(view->Picture().pixel(0, 32), Magenta);
    Leave(view);
    QCOMPARE(bench.StatusPanel.text(), QString());
    QVERIFY(!HasFramePixel(view->Picture()));

    TImageEx *table = bench.BankTable();
    QTest::mouseMove(table, QPoint(16 * 10 + 3, 16 * 12 + 15));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("タイルNo:CA"));
    QCOMPARE(table->Picture().pixel(160, 192), Magenta);
    // A redraw for new colours, as by the animation, recolours every picture and panel
    // and keeps the frame under the pointer.
    bench.UsePaletteSet(1);
    bench.Controller.RedrawForPalette();
    QCOMPARE(table->Picture().pixel(175, 207), Magenta);
    QTest::mouseMove(table, QPoint(0, 0));
    QVERIFY(bench.BankTableShows(0xCA, 0));
    QVERIFY(bench.TilePreviewShows(0, 0));
    QVERIFY(bench.ChipViewShows(0x1F));
    QVERIFY(bench.EditedChipShows(0));
    for (int entry = 0; entry < 16; ++entry)
        QCOMPARE(bench.Find<QFrame>(QStringLiteral("PanelPaletteColor%1").arg(entry))
                     ->palette()
                     .color(QPalette::Window)
                     .rgb(),
                 bench.StageColour(entry / 4, entry % 4));
    Leave(table);
    QVERIFY(!HasFramePixel(table->Picture()));
    QCOMPARE(bench.StatusPanel.text(), QString());

    TImageEx *edited = bench.EditedChip();
    QTest::mouseMove(edited, QPoint(40, 10));
    QCOMPARE(edited->Picture().pixel(32, 0), Magenta);
    QCOMPARE(edited->Picture().pixel(63, 31), Magenta);
    QTest::mouseMove(edited, QPoint(10, 40));
    QCOMPARE(edited->Picture().pixel(0, 63), Magenta);
    QCOMPARE(edited->Picture().pixel(32, 0), bench.ChipPixel(0, 8, 0));
    Leave(edited);
    QVERIFY(bench.EditedChipShows(0));
}

void TestChip16x16Edit::pointerOutsideImagesGivesNoCell() {
    Chip16x16PageBench bench;
    const Chip16x16Table tiles = bench.Stage().Chip16x16();
    const ChipPropertyTable properties = bench.Stage().ChipProperty();
    bench.ClickChipView(0x10, Qt::LeftButton);
    bench.ClickBankTable(0x33, Qt::LeftButton);
    bench.ClickChipView(0x10, Qt::RightButton, Qt::ControlModifier);
    for (TImageEx *image : {bench.BankTable(), bench.ChipView(), bench.EditedChip()}) {
        const int size = image->Picture().width();
        for (const QPoint outside : {QPoint(-1, 5), QPoint(size, 5), QPoint(5, -1), QPoint(5, size),
                                     QPoint(-4000, 9000), QPoint(9000, -4000)}) {
            Move(image, QPoint(size - 1, size - 1), Qt::LeftButton);
            Move(image, outside, Qt::LeftButton);
            QVERIFY(!HasFramePixel(image->Picture()));
            QCOMPARE(bench.StatusPanel.text(), QString());
            for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
                for (const Qt::KeyboardModifiers modifiers :
                     {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)})
                    Press(image, outside, button, modifiers);
        }
    }
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("10"));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("33"));
    QVERIFY(bench.Stage().Chip16x16() == tiles);
    QVERIFY(bench.Stage().ChipProperty() == properties);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.ChipFlag());
    QVERIFY(bench.BankTableShows(0x00, 0));
}

void TestChip16x16Edit::reloadAndActivation() {
    Chip16x16PageBench bench;
    const Chip16x16Table tiles = bench.Stage().Chip16x16();
    const std::array<uint8_t, 2> banks = bench.Stage().BGBank();
    bench.ClickChipView(0x05, Qt::RightButton, Qt::ControlModifier);
    bench.ClickChipView(0x07, Qt::LeftButton);
    bench.ClickChipView(0x07, Qt::LeftButton, Qt::ControlModifier);
    bench.BankBar(0)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(bench.Stage().SetMapEntry(0, uint8_t(bench.Stage().Map()[0] + 1)));
    Leave(bench.ChipView());

    // Undo as the main window runs it: the model steps back, the page activation shows it.
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryMapEntry});
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryBGBank});
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip16x16Paste});
    bench.Controller.PageActivated();
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("07"));
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Label(QStringLiteral("LblSelectChipTile%1").arg(q))->text(),
                 Hex2(tiles[q * 256 + 7]));
    QCOMPARE(bench.Label(QStringLiteral("LblBGBank0"))->text(), Hex2(banks[0]));
    QCOMPARE(bench.BankBar(0)->value(), int(banks[0]));
    QVERIFY(bench.ChipViewShows(0x07));
    QVERIFY(bench.EditedChipShows(0x07));
    QVERIFY(bench.BankTableShows(0x12, 0));
    QCOMPARE(bench.Document().Redo(), uint8_t{CategoryChip16x16Paste});

    const QString question =
        QStringLiteral("このステージのチップ・BGバンクを読み込み直します。よろしいですか？");
    auto *reload = bench.Find<QPushButton>(QStringLiteral("Button1"));
    bench.Prompt().YesNoAnswers = {false};
    QTest::mouseClick(reload, Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, QStringList{question});
    QVERIFY(bench.Stage().Chip16x16() != tiles);
    QVERIFY(bench.Document().CanUndo());

    bench.ClickBankTable(0x21, Qt::LeftButton);
    bench.ClickBankTable(0x21, Qt::RightButton);
    bench.Prompt().YesNoAnswers = {true};
    QTest::mouseClick(reload, Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, (QStringList{question, question}));
    QVERIFY(bench.Stage().Chip16x16() == tiles);
    QVERIFY(bench.Stage().BGBank() == banks);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.Document().CanRedo());
    QVERIFY(bench.ChipFlag());
    QCOMPARE(bench.Label(QStringLiteral("LblSelectChipIndex"))->text(), QStringLiteral("00"));
    QCOMPARE(bench.Label(QStringLiteral("LblSelectBGBankTileIndex"))->text(), QStringLiteral("00"));
    QVERIFY(bench.BankTableShows(0x21, 0));
    QVERIFY(bench.ChipViewShows(0x07));

    // The copy buffer survives the reload: chip 05's content pastes again.
    bench.ClickChipView(0x07, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(bench.Tile(3, 0x07), tiles[3 * 256 + 5]);
}

void TestChip16x16Edit::reportsOfUnusedNumbers() {
    CartridgeBuilder builder;
    // Tile 00 and 16x16 chip 35 are used nowhere.
    const int32_t chips = CartridgeBuilder::DefaultOffset(StageTable::Chip16x16, 0);
    const int32_t chips32 = CartridgeBuilder::DefaultOffset(StageTable::Chip32x32, 0);
    for (int i = 0; i < 1024; ++i) {
        builder.SetByte(chips + i, static_cast<uint8_t>(1 + i % 255));
        builder.SetByte(chips32 + i, static_cast<uint8_t>(i % 256 == 0x35 ? 0x34 : i % 256));
    }
    Chip16x16PageBench bench(builder);
    struct Expected {
        QString Button, Caption, Heading, Number;
    };
    const Expected reports[] = {
        {QStringLiteral("BtnUnusedTileChk"), QStringLiteral("未使用タイル番号"),
         QStringLiteral("16x16チップに使用されてないタイル番号は"), QStringLiteral("00")},
        {QStringLiteral("BtnUnused16x16ChipChk"), QStringLiteral("未使用16x16チップ番号"),
         QStringLiteral("32x32チップに使用されてない16x16チップ番号は"), QStringLiteral("35")}};
    for (const Expected &report : reports) {
        bool modal = false;
        QString caption;
        QString heading;
        QString list;
        QTimer::singleShot(0, this, [&] {
            TShowUnusedChipNumForm &window = bench.ReportWindow;
            modal = window.isVisible() && window.isModal();
            caption = window.windowTitle();
            heading = window.findChild<QLabel *>(QStringLiteral("LblMessage"))->text();
            list = window.findChild<QPlainTextEdit *>(QStringLiteral("MemoUnusedChipNum"))
                       ->toPlainText();
            window.reject();
        });
        QTest::mouseClick(bench.Find<QPushButton>(report.Button), Qt::LeftButton);
        QVERIFY(modal);
        QCOMPARE(caption, report.Caption);
        QCOMPARE(heading, report.Heading);
        QCOMPARE(list.trimmed(), report.Number);
    }
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.ChipFlag());
}

QTEST_MAIN(TestChip16x16Edit)
#include "tst_16x16chipedit.moc"

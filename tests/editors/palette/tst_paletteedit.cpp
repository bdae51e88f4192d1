#include "AnimationTimer.h"
#include "EditorPageFixture.h"
#include "UpDown.h"
#include "palette/paletteedit.h"
#include "palette/palettepage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {
/// True when the 24 x 24 cell at (x0, y0) is one solid colour.
bool CellIs(const QImage &picture, int x0, int y0, QRgb colour) {
    for (int y = y0; y < y0 + 24; ++y)
        for (int x = x0; x < x0 + 24; ++x)
            if (picture.pixel(x, y) != colour)
                return false;
    return true;
}

/// The palette page as the main window sets it up, on an opened synthetic image.
class PalettePageBench : public EditorPageFixture {
public:
    explicit PalettePageBench(const CartridgeBuilder &builder = CartridgeBuilder())
        : EditorPageFixture(builder), Controls(BuildPalettePage(&Page, &FrameTimer)),
          Controller(Document(), Flags(), Graphics(), Prompt()) {
        FrameTimer.setInterval(16); // the main window's default
        Controller.SetControls(Controls);
        ForwardPalettePageEvents(Controls, Controller);
        Document().SetCurrentStage(0);
        Controller.Refresh();
        Graphics().ResetPaletteAnimation();
        ShowPage(QSize(635, 680));
    }

    QLineEdit *EditPal(int e) { return Find<QLineEdit>(QStringLiteral("EditPal%1").arg(e)); }
    QLineEdit *EditAnimePal(int k) {
        return Find<QLineEdit>(QStringLiteral("EditAnimePal%1").arg(k));
    }
    TImageEx *PalView(int n) { return Find<TImageEx>(QStringLiteral("ImgPalView%1").arg(n)); }
    TImageEx *AnimePal(int n) { return Find<TImageEx>(QStringLiteral("ImgAnimePal%1").arg(n)); }
    TImageEx *ColorTable() { return Find<TImageEx>(QStringLiteral("ImgColorTable")); }
    QLabel *SelectedColourLabel() { return Find<QLabel>(QStringLiteral("LblSelectColor")); }
    QComboBox *SetSelector() { return Find<QComboBox>(QStringLiteral("CBSelectPaletteSet")); }
    bool PaletteFlag() { return EditFlag(EditArea::Palette); }

    /// Selects a colour the way the user does: a left click on its colour-table cell.
    void SelectColour(int colour) {
        QTest::mouseClick(ColorTable(), Qt::LeftButton, {},
                          QPoint((colour % 16) * 24 + 5, (colour / 16) * 24 + 5));
    }

    AnimationTimer FrameTimer;
    PaletteEditControls Controls;
    PaletteEditClass Controller;
};
} // namespace

class TestPaletteEdit : public QObject {
    Q_OBJECT
private slots:
    void pageControls();
    void typedPaletteEntryIsStored_data();
    void typedPaletteEntryIsStored();
    void malformedPaletteEntryIsRestored_data();
    void malformedPaletteEntryIsRestored();
    void stripLeftClickWritesSelectedColour();
    void stripOtherButtonPicksColour();
    void colourTableSelectsWithLeftButtonOnly();
    void animationSlotInput_data();
    void animationSlotInput();
    void arrowsStepThroughAcceptedValues_data();
    void arrowsStepThroughAcceptedValues();
    void paletteSetFallsBackOnlyOnStageChange();
    void reloadEmptiesWholeHistoryAndKeepsFlags_data();
    void reloadEmptiesWholeHistoryAndKeepsFlags();
    void animationTickRecoloursStrips();
    void pointerOutsideImagesGivesNoCell();
    void hoverFramesCellAndLeaveRestores();
};

void TestPaletteEdit::pageControls() {
    PalettePageBench bench;
    QCOMPARE(bench.SetSelector()->count(), 5);
    QCOMPARE(bench.SetSelector()->itemText(4), QStringLiteral("定義4"));
    QCOMPARE(bench.SelectedColourLabel()->text(), QStringLiteral("00"));
    for (int n = 0; n < 4; ++n) {
        QCOMPARE(bench.PalView(n)->Tag(), n);
        QCOMPARE(bench.PalView(n)->Picture().size(), QSize(96, 24));
        QCOMPARE(bench.AnimePal(n)->Picture().size(), QSize(96, 24));
        auto *upDown = bench.Find<TUpDown>(QStringLiteral("UDAnimePal%1").arg(n));
        QCOMPARE(upDown->Tag(), n);
        QCOMPARE(upDown->Position(), 1);
    }
    QCOMPARE(bench.ColorTable()->Picture().size(), QSize(384, 96));
    QCOMPARE(bench.Find<TImageEx>(QStringLiteral("ImgSelectColor"))->Picture().size(),
             QSize(32, 32));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnPaletteReload"))->text(),
             QStringLiteral("再読み込み"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnAnimationPaletteReload"))->text(),
             QStringLiteral("再読み込み"));

    // After the refresh the page shows set 0 of stage 0: texts, strips and the colour table.
    const PaletteSet &set = bench.Stage().BGPalette(0);
    for (int e = 0; e < 16; ++e) {
        QCOMPARE(bench.EditPal(e)->text(), Hex2(set[e]));
        QCOMPARE(bench.EditPal(e)->maxLength(), 2);
        QVERIFY(CellIs(bench.PalView(e / 4)->Picture(), (e % 4) * 24, 0, MasterColour(set[e])));
        QVERIFY(CellIs(bench.AnimePal(e / 4)->Picture(), (e % 4) * 24, 0, MasterColour(set[e])));
    }
    for (int k = 0; k < 4; ++k)
        QCOMPARE(bench.EditAnimePal(k)->text(), Hex2(bench.Stage().BGPaletteAnime(0)[k]));
    for (int c = 0; c < 64; ++c)
        QVERIFY(
            CellIs(bench.ColorTable()->Picture(), (c % 16) * 24, (c / 16) * 24, MasterColour(c)));
}

void TestPaletteEdit::typedPaletteEntryIsStored_data() {
    QTest::addColumn<int>("set");
    QTest::newRow("set 0") << 0;
    QTest::newRow("set 2") << 2;
}

void TestPaletteEdit::typedPaletteEntryIsStored() {
    QFETCH(int, set);
    PalettePageBench bench;
    bench.SetSelector()->setCurrentIndex(set);
    QVERIFY(bench.Stage().BGPalette(set)[4] != 0x3F);

    TypeInto(bench.EditPal(4), QStringLiteral("3f"));

    QCOMPARE(bench.Stage().BGPalette(set)[4], uint8_t{0x3F});
    QCOMPARE(bench.EditPal(4)->text(), QStringLiteral("3F"));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("パレットの編集"));
    QVERIFY(bench.PaletteFlag());
    QVERIFY(CellIs(bench.PalView(1)->Picture(), 0, 0, MasterColour(0x3F)));
    QVERIFY(CellIs(bench.AnimePal(1)->Picture(), 0, 0, MasterColour(0x3F)));
    // Exactly one step, and it restores the entry.
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryPaletteEntry});
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(bench.Stage().BGPalette(set)[4] != 0x3F);
}

void TestPaletteEdit::malformedPaletteEntryIsRestored_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("beyond the colours") << QStringLiteral("40");
    QTest::newRow("highest byte") << QStringLiteral("FF");
    QTest::newRow("not hexadecimal") << QStringLiteral("zz");
    QTest::newRow("half hexadecimal") << QStringLiteral("1g");
    QTest::newRow("sign") << QStringLiteral("-1");
    QTest::newRow("blank") << QStringLiteral(" 1");
}

void TestPaletteEdit::malformedPaletteEntryIsRestored() {
    QFETCH(QString, typed);
    PalettePageBench bench;
    const uint8_t stored = bench.Stage().BGPalette(0)[7];

    TypeInto(bench.EditPal(7), typed);

    QCOMPARE(bench.EditPal(7)->text(), Hex2(stored));
    QCOMPARE(bench.Stage().BGPalette(0)[7], stored);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.PaletteFlag());
    QVERIFY(CellIs(bench.PalView(1)->Picture(), 3 * 24, 0, MasterColour(stored)));
}

void TestPaletteEdit::stripLeftClickWritesSelectedColour() {
    PalettePageBench bench;
    const uint8_t stored = bench.Stage().BGPalette(0)[5];

    // Entry 5 is the second cell of the second strip.
    bench.SelectColour(stored);
    QTest::mouseClick(bench.PalView(1), Qt::LeftButton, {}, QPoint(30, 10));
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.PaletteFlag());

    const int other = (stored + 1) % 0x40;
    bench.SelectColour(other);
    QTest::mouseClick(bench.PalView(1), Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(bench.Stage().BGPalette(0)[5], uint8_t(other));
    QCOMPARE(bench.EditPal(5)->text(), Hex2(other));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("パレットの編集"));
    QVERIFY(bench.PaletteFlag());
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryPaletteEntry});
    QVERIFY(!bench.Document().CanUndo());
}

void TestPaletteEdit::stripOtherButtonPicksColour() {
    CartridgeBuilder builder;
    // Entry 6 of set 0 holds a byte beyond the colour table, as an image may.
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGPalette, 0) + 6, 0x4A);
    PalettePageBench bench(builder);
    QCOMPARE(bench.EditPal(6)->text(), QStringLiteral("4A"));
    QVERIFY(CellIs(bench.PalView(1)->Picture(), 2 * 24, 0, MasterColour(0x0A)));

    QTest::mouseClick(bench.PalView(1), Qt::RightButton, {}, QPoint(2 * 24 + 5, 5));
    QCOMPARE(bench.SelectedColourLabel()->text(), QStringLiteral("0F"));

    const uint8_t entry9 = bench.Stage().BGPalette(0)[9];
    QTest::mouseClick(bench.PalView(2), Qt::MiddleButton, {}, QPoint(24 + 5, 5));
    QCOMPARE(bench.SelectedColourLabel()->text(), Hex2(entry9));
    const QImage &swatch = bench.Find<TImageEx>(QStringLiteral("ImgSelectColor"))->Picture();
    QCOMPARE(swatch.pixel(0, 0), MasterColour(entry9));
    QCOMPARE(swatch.pixel(31, 31), MasterColour(entry9));
    QVERIFY(!bench.Document().CanUndo());
}

void TestPaletteEdit::colourTableSelectsWithLeftButtonOnly() {
    PalettePageBench bench;
    QTest::mouseClick(bench.ColorTable(), Qt::LeftButton, {}, QPoint(5 * 24 + 3, 2 * 24 + 20));
    QCOMPARE(bench.SelectedColourLabel()->text(), QStringLiteral("25"));
    const QImage &swatch = bench.Find<TImageEx>(QStringLiteral("ImgSelectColor"))->Picture();
    QCOMPARE(swatch.pixel(0, 0), MasterColour(0x25));
    QCOMPARE(swatch.pixel(31, 31), MasterColour(0x25));

    QTest::mouseClick(bench.ColorTable(), Qt::RightButton, {}, QPoint(15 * 24 + 3, 3 * 24 + 3));
    QCOMPARE(bench.SelectedColourLabel()->text(), QStringLiteral("25"));
    QCOMPARE(swatch.pixel(16, 16), MasterColour(0x25));
    // Nor does it move the hover frame.
    QVERIFY(CellIs(bench.ColorTable()->Picture(), 15 * 24, 3 * 24, MasterColour(0x3F)));
}

void TestPaletteEdit::animationSlotInput_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    // Stage 0, set 0 holds 80 00 00 83.
    QTest::newRow("7F refused") << 1 << QStringLiteral("7F") << false;
    QTest::newRow("01 refused") << 1 << QStringLiteral("01") << false;
    QTest::newRow("not hexadecimal") << 1 << QStringLiteral("8x") << false;
    QTest::newRow("00 accepted") << 0 << QStringLiteral("00") << true;
    QTest::newRow("80 accepted") << 1 << QStringLiteral("80") << true;
    QTest::newRow("c3 accepted") << 1 << QStringLiteral("c3") << true;
    QTest::newRow("FF accepted") << 1 << QStringLiteral("FF") << true;
}

void TestPaletteEdit::animationSlotInput() {
    QFETCH(int, slot);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    PalettePageBench bench;
    const uint8_t stored = bench.Stage().BGPaletteAnime(0)[slot];

    TypeInto(bench.EditAnimePal(slot), typed);

    if (accepted) {
        const uint8_t value = uint8_t(typed.toUInt(nullptr, 16));
        QCOMPARE(bench.Stage().BGPaletteAnime(0)[slot], value);
        QCOMPARE(bench.EditAnimePal(slot)->text(), typed.toUpper());
        QCOMPARE(bench.Document().UndoName(), QStringLiteral("パレットアニメの編集"));
        QVERIFY(bench.PaletteFlag());
        QVERIFY(bench.FrameTimer.isActive());
    } else {
        QCOMPARE(bench.Stage().BGPaletteAnime(0)[slot], stored);
        QCOMPARE(bench.EditAnimePal(slot)->text(), Hex2(stored));
        QVERIFY(!bench.Document().CanUndo());
        QVERIFY(!bench.PaletteFlag());
    }
}

void TestPaletteEdit::arrowsStepThroughAcceptedValues_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");
    QTest::newRow("00 up") << QStringLiteral("00") << true << QStringLiteral("80");
    QTest::newRow("FF up") << QStringLiteral("FF") << true << QStringLiteral("00");
    QTest::newRow("C4 up") << QStringLiteral("C4") << true << QStringLiteral("C5");
    QTest::newRow("80 down") << QStringLiteral("80") << false << QStringLiteral("00");
    QTest::newRow("00 down") << QStringLiteral("00") << false << QStringLiteral("FF");
    QTest::newRow("C4 down") << QStringLiteral("C4") << false << QStringLiteral("C3");
}

void TestPaletteEdit::arrowsStepThroughAcceptedValues() {
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, expected);
    PalettePageBench bench;
    TypeInto(bench.EditAnimePal(2), start);
    auto *upDown = bench.Find<TUpDown>(QStringLiteral("UDAnimePal2"));
    int clicks = 0;
    connect(upDown, &TUpDown::Click, this, [&clicks] { ++clicks; });

    QTest::mouseClick(up ? upDown->UpButton() : upDown->DownButton(), Qt::LeftButton);

    QCOMPARE(bench.EditAnimePal(2)->text(), expected);
    QCOMPARE(bench.Stage().BGPaletteAnime(0)[2], uint8_t(expected.toUInt(nullptr, 16)));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("パレットアニメの編集"));
    QCOMPARE(upDown->Position(), 1);
    QCOMPARE(clicks, 0);
}

void TestPaletteEdit::paletteSetFallsBackOnlyOnStageChange() {
    PalettePageBench bench;
    bench.SetSelector()->setCurrentIndex(3);
    QCOMPARE(bench.Controller.SelectedPaletteSet(), 3);
    QCOMPARE(bench.EditPal(2)->text(), Hex2(bench.Stage().BGPalette(3)[2]));
    const uint8_t original = bench.Stage().BGPalette(3)[2];
    QVERIFY(original != 0x3F);
    TypeInto(bench.EditPal(2), QStringLiteral("3F"));
    QCOMPARE(bench.Stage().BGPalette(3)[2], uint8_t{0x3F});

    // Undo as the main window runs it: the palette category re-applies the set.
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryPaletteEntry});
    bench.Controller.CBSelectPaletteSetChange();
    QCOMPARE(bench.SetSelector()->currentIndex(), 3);
    QCOMPARE(bench.EditPal(2)->text(), Hex2(original));
    QVERIFY(CellIs(bench.PalView(0)->Picture(), 2 * 24, 0, MasterColour(original)));
    QVERIFY(CellIs(bench.AnimePal(0)->Picture(), 2 * 24, 0, MasterColour(original)));

    bench.Document().SetCurrentStage(1);
    bench.Controller.Refresh();
    QCOMPARE(bench.SetSelector()->currentIndex(), 0);
    QCOMPARE(bench.Controller.SelectedPaletteSet(), 0);
    for (int e = 0; e < 16; ++e)
        QCOMPARE(bench.EditPal(e)->text(), Hex2(bench.Document().Stage(1).BGPalette(0)[e]));
    QCOMPARE(bench.Graphics().GetStagePaletteColour(2),
             MasterColour(bench.Document().Stage(1).BGPalette(0)[2]));
}

void TestPaletteEdit::reloadEmptiesWholeHistoryAndKeepsFlags_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("animation");
    QTest::newRow("palettes") << QStringLiteral("BtnPaletteReload")
                              << QStringLiteral(
                                     "このステージのパレットを読み込み直します。よろしいですか？")
                              << false;
    QTest::newRow("animation slots")
        << QStringLiteral("BtnAnimationPaletteReload")
        << QStringLiteral(
               "このステージのアニメーションパレットを読み込み直します。よろしいですか？")
        << true;
}

void TestPaletteEdit::reloadEmptiesWholeHistoryAndKeepsFlags() {
    QFETCH(QString, button);
    QFETCH(QString, question);
    QFETCH(bool, animation);
    PalettePageBench bench;
    QLineEdit *edit = animation ? bench.EditAnimePal(1) : bench.EditPal(4);
    const QString original = edit->text();
    const QString changed = animation ? QStringLiteral("9A") : QStringLiteral("3F");
    QVERIFY(original != changed);

    QVERIFY(bench.Stage().SetMapEntry(0, uint8_t(bench.Stage().Map()[0] + 1)));
    TypeInto(edit, changed);
    TypeInto(animation ? bench.EditAnimePal(2) : bench.EditPal(5),
             animation ? QStringLiteral("80") : QStringLiteral("01"));
    QCOMPARE(bench.Document().Undo(),
             uint8_t(animation ? CategoryPaletteAnimeEntry : CategoryPaletteEntry));
    QVERIFY(bench.Document().CanUndo());
    QVERIFY(bench.Document().CanRedo());

    bench.Prompt().YesNoAnswers = {false};
    QTest::mouseClick(bench.Find<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, QStringList{question});
    QCOMPARE(edit->text(), changed);
    QVERIFY(bench.Document().CanUndo());

    bench.Prompt().YesNoAnswers = {true};
    QTest::mouseClick(bench.Find<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, (QStringList{question, question}));
    QCOMPARE(edit->text(), original);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.Document().CanRedo());
    QVERIFY(bench.PaletteFlag());
}

void TestPaletteEdit::animationTickRecoloursStrips() {
    CartridgeBuilder builder;
    // Animation 5: wait 0, entries 1..3, three frames.
    builder.SetAnimationRecord(5, 0, 1, {10, 11, 12});
    builder.SetColourTriple(10, 0x30, 0x31, 0x32);
    builder.SetColourTriple(11, 0x2A, 0x2B, 0x2C);
    builder.SetColourTriple(12, 0x11, 0x12, 0x13);
    const int32_t selectors = CartridgeBuilder::DefaultOffset(StageTable::BGPaletteAnime, 0);
    builder.SetByte(selectors, 0x85);
    for (int slot = 1; slot < 4; ++slot)
        builder.SetByte(selectors + slot, 0x00);
    PalettePageBench bench(builder);
    const QImage &strip = bench.AnimePal(0)->Picture();
    const PaletteSet &set = bench.Stage().BGPalette(0);
    QCOMPARE(strip.pixel(24 + 12, 12), MasterColour(set[1]));

    for (const int first : {0x30, 0x2A, 0x11, 0x30}) {
        QVERIFY(bench.Controller.AnimationTick());
        bench.Controller.RedrawForPalette();
        QVERIFY(CellIs(strip, 24, 0, MasterColour(first)));
        QVERIFY(CellIs(strip, 48, 0, MasterColour(first + 1)));
        QVERIFY(CellIs(strip, 72, 0, MasterColour(first + 2)));
        QVERIFY(CellIs(strip, 0, 0, MasterColour(set[0])));
    }

    // Switching the slot off restores the set's own colours and stops the animation.
    TypeInto(bench.EditAnimePal(0), QStringLiteral("00"));
    QVERIFY(CellIs(strip, 24, 0, MasterColour(set[1])));
    QVERIFY(!bench.Controller.AnimationTick());
}

void TestPaletteEdit::pointerOutsideImagesGivesNoCell() {
    PalettePageBench bench;
    const PaletteSet before = bench.Stage().BGPalette(0);
    TImageEx *strip = bench.PalView(3);

    Press(strip, QPoint(10, 10), Qt::RightButton);
    const QString picked = bench.SelectedColourLabel()->text();
    QCOMPARE(picked, Hex2(before[12]));
    for (const QPoint outside : {QPoint(-1, 10), QPoint(96, 10), QPoint(50, -3), QPoint(50, 24),
                                 QPoint(-400, 900), QPoint(5000, -5000)}) {
        Move(strip, outside, Qt::LeftButton);
        QVERIFY(!HasFramePixel(strip->Picture()));
        Press(strip, outside, Qt::LeftButton);
        Press(strip, outside, Qt::RightButton);
    }
    TImageEx *table = bench.ColorTable();
    for (const QPoint outside :
         {QPoint(-1, 0), QPoint(384, 50), QPoint(200, 96), QPoint(-9999, 9999)}) {
        Move(table, outside, Qt::LeftButton);
        QVERIFY(!HasFramePixel(table->Picture()));
        Press(table, outside, Qt::LeftButton);
    }
    // The last cell still counts as inside.
    Move(table, QPoint(383, 95), Qt::LeftButton);
    QCOMPARE(table->Picture().pixel(383, 95), Magenta);

    QCOMPARE(bench.SelectedColourLabel()->text(), picked);
    QVERIFY(bench.Stage().BGPalette(0) == before);
    QVERIFY(!bench.Document().CanUndo());
}

void TestPaletteEdit::hoverFramesCellAndLeaveRestores() {
    PalettePageBench bench;
    TImageEx *table = bench.ColorTable();
    QTest::mouseMove(table, QPoint(2 * 24 + 10, 24 + 10)); // colour 0x12
    QCOMPARE(table->Picture().pixel(2 * 24, 24), Magenta);
    QCOMPARE(table->Picture().pixel(2 * 24 + 23, 24 + 23), Magenta);
    QCOMPARE(table->Picture().pixel(2 * 24 + 10, 24 + 10), MasterColour(0x12));

    QTest::mouseMove(table, QPoint(3 * 24 + 10, 24 + 10)); // colour 0x13
    QVERIFY(CellIs(table->Picture(), 2 * 24, 24, MasterColour(0x12)));
    QCOMPARE(table->Picture().pixel(3 * 24, 24), Magenta);
    Leave(table);
    QVERIFY(!HasFramePixel(table->Picture()));

    TImageEx *strip = bench.PalView(2);
    const uint8_t entry9 = bench.Stage().BGPalette(0)[9];
    QTest::mouseMove(strip, QPoint(24 + 10, 10));
    QCOMPARE(strip->Picture().pixel(24, 0), Magenta);
    QCOMPARE(strip->Picture().pixel(24 + 10, 10), MasterColour(entry9));
    // Writing a colour into the cell under the pointer keeps its frame.
    const int written = (entry9 + 7) % 0x40;
    bench.SelectColour(written);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(24 + 10, 10));
    QCOMPARE(strip->Picture().pixel(24, 0), Magenta);
    QCOMPARE(strip->Picture().pixel(24 + 10, 10), MasterColour(written));
    Leave(strip);
    QVERIFY(!HasFramePixel(strip->Picture()));
    QVERIFY(CellIs(strip->Picture(), 24, 0, MasterColour(written)));
}

QTEST_MAIN(TestPaletteEdit)
#include "tst_paletteedit.moc"

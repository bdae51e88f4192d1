#include "chip32x32/32x32chipedit.h"
#include "EditorPageFixture.h"
#include "UpDown.h"
#include "chip32x32/32x32chippage.h"
#include "chipusage.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
/// The 32x32 chip page as the main window sets it up, on an opened synthetic image, with
/// the shared 16x16 sheet built as the 16x16 page leaves it.
class Chip32x32PageBench : public EditorPageFixture {
public:
    explicit Chip32x32PageBench(const CartridgeBuilder &builder = CartridgeBuilder())
        : EditorPageFixture(builder), ReportWindow(Prompt()),
          Controls(BuildChip32x32Page(&Page, &StatusPanel, &ReportWindow)),
          Controller(Document(), Flags(), Graphics(), Prompt()) {
        Controller.SetControls(Controls);
        ForwardChip32x32PageEvents(Controls, Controller);
        Controller.SetMapSetChipSink([this](int chip) { SinkChips << chip; });
        SelectStage(0);
        ShowPage(QSize(635, 660));
    }

    void SelectStage(int stage) {
        PrepareStage(stage, SheetsRebuilt::Chip16x16);
        Controller.Refresh();
    }

    TImageEx *View() { return Controls.ImgEdit32x32ChipView; }
    TImageEx *Table() { return Controls.Img16x16ChipTable; }
    TImageEx *EditedChip() { return Controls.ImgEdit32x32Chip; }
    uint8_t Entry(int chip, int quadrant) { return Stage().Chip32x32()[chip * 4 + quadrant]; }
    bool ChipFlag() { return EditFlag(EditArea::Chip32x32); }

    /// Colour of a pixel of a chip sheet in the stage palette: what the page must show.
    QRgb SheetColour(const IndexedBitmap &sheet, int x, int y) {
        return Graphics().StagePalette()[sheet.Row(y)[x]];
    }
    /// True when the size x size square of `picture` at (px, py) shows the square of the
    /// 16x16 sheet at chip `chip16x16`, each sheet pixel as `factor` x `factor` pixels.
    bool ShowsSmallChip(const QImage &picture, int px, int py, int chip16x16, int factor = 1) {
        const IndexedBitmap &sheet = Graphics().Chip16x16Sheet();
        for (int y = 0; y < 16 * factor; ++y)
            for (int x = 0; x < 16 * factor; ++x)
                if (picture.pixel(px + x, py + y) !=
                    SheetColour(sheet, (chip16x16 % 16) * 16 + x / factor,
                                (chip16x16 / 16) * 16 + y / factor))
                    return false;
        return true;
    }
    /// True when the picture square at (px, py) shows the current composition of `chip`.
    bool ShowsChip(const QImage &picture, int px, int py, int chip, int factor = 1) {
        for (int q = 0; q < 4; ++q)
            if (!ShowsSmallChip(picture, px + (q % 2) * 16 * factor, py + (q / 2) * 16 * factor,
                                Entry(chip, q), factor))
                return false;
        return true;
    }

    void ClickView(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(View(), button, modifiers, at);
    }
    /// Makes `chip16x16` the brush by a click on the table, then moves off the table.
    void ChooseBrush(int chip16x16) {
        QTest::mouseClick(Table(), Qt::LeftButton, {},
                          QPoint((chip16x16 % 16) * 16 + 3, (chip16x16 / 16) * 16 + 3));
        Leave(Table());
    }
    /// Makes `chip` of the shown half the edited chip by a plain click on the view.
    void EditChip(int chip) {
        ClickView(QPoint((chip % 16) * 32 + 3, ((chip % 128) / 16) * 32 + 3));
        Leave(View());
    }
    void ShowHalf(int half) {
        auto *upDown = Controls.UDChange32x32ChipView;
        QTest::mouseClick(half == 0 ? upDown->UpButton() : upDown->DownButton(), Qt::LeftButton);
    }

    TShowUnusedChipNumForm ReportWindow;
    Chip32x32EditControls Controls;
    Chip32x32EditClass Controller;
    QList<int> SinkChips;
};

/// Chip 0 made of 16x16 chips 10..13, whose properties have names of their own.
CartridgeBuilder NamedCompositionImage() {
    CartridgeBuilder builder;
    const int32_t chips = CartridgeBuilder::DefaultOffset(StageTable::Chip32x32, 0);
    const int32_t properties = CartridgeBuilder::DefaultOffset(StageTable::ChipProperty, 0);
    const uint8_t names[4] = {0x60, 0xF0, 0xD4, 0x00};
    for (int q = 0; q < 4; ++q) {
        builder.SetByte(chips + q, static_cast<uint8_t>(0x10 + q));
        builder.SetByte(properties + 0x10 + q, names[q]);
    }
    return builder;
}
} // namespace

class TestChip32x32Edit : public QObject {
    Q_OBJECT
private slots:
    void pageControlsAfterRefresh();
    void halfSwitchAndPlainClick();
    void shiftPaint_data();
    void shiftPaint();
    void copyAndPaste();
    void editedChipAndPicks();
    void gridStaysOverRedrawnChip();
    void hoverTextsAndFrames();
    void pointerOutsideImagesGivesNoChip();
    void reloadEmptiesHistoryAndKeepsFlag();
    void undoShownByActivationAndPaletteRedraw();
    void reportButtons_data();
    void reportButtons();
};

void TestChip32x32Edit::pageControlsAfterRefresh() {
    Chip32x32PageBench bench(NamedCompositionImage());
    QCOMPARE(bench.View()->Picture().size(), QSize(512, 256));
    QCOMPARE(bench.Table()->Picture().size(), QSize(256, 256));
    QCOMPARE(bench.EditedChip()->Picture().size(), QSize(64, 64));
    QCOMPARE(bench.Controls.ImgSelect16x16Chip->Picture().size(), QSize(32, 32));
    auto *upDown = bench.Find<TUpDown>(QStringLiteral("UDChange32x32ChipView"));
    QCOMPARE(upDown->Min(), 0);
    QCOMPARE(upDown->Max(), 1);
    QCOMPARE(upDown->Position(), 1);
    QCOMPARE(bench.Find<QCheckBox>(QStringLiteral("Chk32x32ChipEditDrawGrid"))->text(),
             QStringLiteral("グリッド線の描画"));
    const QStringList buttons = {QStringLiteral("Button2"), QStringLiteral("BtnUnused32x32ChipChk"),
                                 QStringLiteral("BtnOverlap32x32ChipChk")};
    const QStringList captions = {QStringLiteral("再読み込み"),
                                  QStringLiteral("未使用チップ番号表示"),
                                  QStringLiteral("重複チップ番号表示")};
    for (int b = 0; b < buttons.size(); ++b)
        QCOMPARE(bench.Find<QPushButton>(buttons[b])->text(), captions[b]);

    QCOMPARE(bench.Controls.LblEdit32x32ChipView->text(), QStringLiteral("00-7F"));
    QCOMPARE(bench.Controls.LblSelect32x32ChipIndex->text(), QStringLiteral("00"));
    const QStringList names = {QStringLiteral("6x 前景"), QStringLiteral("Fxトゲ"),
                               QStringLiteral("Dx ダメージ床"), QStringLiteral("0x 背景")};
    for (int q = 0; q < 4; ++q) {
        QCOMPARE(bench.Find<QLabel>(QStringLiteral("LblStructChipIndex%1").arg(q))->text(),
                 Hex2(0x10 + q));
        QCOMPARE(bench.Find<QLabel>(QStringLiteral("LblStructChipProperty%1").arg(q))->text(),
                 names[q]);
    }
    QCOMPARE(bench.Controls.LblSelect16x16ChipIndex->text(), QStringLiteral("00"));
    QCOMPARE(bench.Controls.LblSelect16x16ChipProperty->text(),
             bench.Document().ChipAttributeName(bench.Stage().ChipProperty()[0]));

    for (const int chip : {0x00, 0x13, 0x7F})
        QVERIFY(bench.ShowsChip(bench.View()->Picture(), (chip % 16) * 32, (chip / 16) * 32, chip));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0, 2));
    QVERIFY(bench.ShowsSmallChip(bench.Controls.ImgSelect16x16Chip->Picture(), 0, 0, 0, 2));
    for (const int chip16x16 : {0x00, 0x5A, 0xFF})
        QVERIFY(bench.ShowsSmallChip(bench.Table()->Picture(), (chip16x16 % 16) * 16,
                                     (chip16x16 / 16) * 16, chip16x16));
}

void TestChip32x32Edit::halfSwitchAndPlainClick() {
    Chip32x32PageBench bench;
    const QImage before = bench.View()->Picture();
    bench.ShowHalf(0);
    QCOMPARE(bench.Controller.ShownHalf(), 0);
    QCOMPARE(bench.View()->Picture(), before);
    QCOMPARE(bench.Controls.LblEdit32x32ChipView->text(), QStringLiteral("00-7F"));

    bench.ShowHalf(1);
    QCOMPARE(bench.Controls.LblEdit32x32ChipView->text(), QStringLiteral("80-FF"));
    QCOMPARE(bench.Controls.UDChange32x32ChipView->Position(), 1);
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 0, 0, 0x80));
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 480, 224, 0xFF));

    bench.ClickView(QPoint(40, 70));
    QCOMPARE(bench.Controller.EditedChip(), 0xA1);
    QCOMPARE(bench.SinkChips, QList<int>{0xA1});
    QCOMPARE(bench.Controls.LblSelect32x32ChipIndex->text(), QStringLiteral("A1"));
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Controls.LblStructChipIndex[q]->text(), Hex2(bench.Entry(0xA1, q)));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0xA1, 2));
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.ChipFlag());

    // Both arrows keep working after any number of presses.
    bench.ShowHalf(0);
    QCOMPARE(bench.Controls.LblEdit32x32ChipView->text(), QStringLiteral("00-7F"));
    bench.ShowHalf(1);
    QCOMPARE(bench.Controller.ShownHalf(), 1);

    // A stage change goes back to the first half, chip 0 and brush 0.
    bench.SelectStage(2);
    QCOMPARE(bench.Controller.ShownHalf(), 0);
    QCOMPARE(bench.Controller.EditedChip(), 0);
    QCOMPARE(bench.Controls.LblEdit32x32ChipView->text(), QStringLiteral("00-7F"));
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 0, 0, 0x00));
}

void TestChip32x32Edit::shiftPaint_data() {
    QTest::addColumn<int>("edited");
    QTest::addColumn<int>("chip");
    QTest::addColumn<int>("quadrant");
    QTest::addColumn<bool>("sameBrush");
    QTest::newRow("into the edited chip") << 0x21 << 0x21 << 3 << false;
    QTest::newRow("into another chip") << 0x05 << 0x21 << 1 << false;
    QTest::newRow("with the chip it holds") << 0x21 << 0x21 << 2 << true;
}

void TestChip32x32Edit::shiftPaint() {
    QFETCH(int, edited);
    QFETCH(int, chip);
    QFETCH(int, quadrant);
    QFETCH(bool, sameBrush);
    Chip32x32PageBench bench;
    const uint8_t held = bench.Entry(chip, quadrant);
    const int brush = sameBrush ? held : (held + 0x33) % 256;
    bench.EditChip(edited);
    bench.ChooseBrush(brush);
    const QStringList labelsBefore = {
        bench.Controls.LblStructChipIndex[0]->text(), bench.Controls.LblStructChipIndex[1]->text(),
        bench.Controls.LblStructChipIndex[2]->text(), bench.Controls.LblStructChipIndex[3]->text()};

    const QPoint at((chip % 16) * 32 + (quadrant % 2) * 16 + 4,
                    (chip / 16) * 32 + (quadrant / 2) * 16 + 4);
    bench.ClickView(at, Qt::LeftButton, Qt::ShiftModifier);
    Leave(bench.View());

    QCOMPARE(int(bench.Entry(chip, quadrant)), brush);
    QCOMPARE(bench.Controller.EditedChip(), edited);
    QCOMPARE(bench.SinkChips, QList<int>{edited}); // only the click that chose it
    if (sameBrush) {
        QVERIFY(!bench.Document().CanUndo());
        QVERIFY(!bench.ChipFlag());
        return;
    }
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("32x32チップの編集"));
    QVERIFY(bench.ChipFlag());
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), (chip % 16) * 32, (chip / 16) * 32, chip));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, edited, 2));
    if (chip == edited)
        QCOMPARE(bench.Controls.LblStructChipIndex[quadrant]->text(), Hex2(brush));
    else
        for (int q = 0; q < 4; ++q)
            QCOMPARE(bench.Controls.LblStructChipIndex[q]->text(), labelsBefore[q]);

    // Exactly one step, and it restores the entry.
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip32x32Entry});
    QVERIFY(!bench.Document().CanUndo());
    QCOMPARE(bench.Entry(chip, quadrant), held);
}

void TestChip32x32Edit::copyAndPaste() {
    Chip32x32PageBench bench;
    // A paste before any copy writes the zeroed buffer.
    bench.ClickView(QPoint(5 * 32 + 3, 3), Qt::LeftButton, Qt::ControlModifier);
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Entry(5, q), uint8_t{0});
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("32x32チップの編集(貼り付け)"));
    QVERIFY(bench.ChipFlag());
    Leave(bench.View());
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 5 * 32, 0, 5));
    QVERIFY(bench.SinkChips.isEmpty());

    // Pasting what the chip already holds records nothing.
    bench.ClickView(QPoint(5 * 32 + 3, 3), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip32x32Paste});
    QVERIFY(!bench.Document().CanUndo());

    // Ctrl before Shift: Ctrl + Shift + left pastes the copied chip.
    const std::array<uint8_t, 4> source = {bench.Entry(0x17, 0), bench.Entry(0x17, 1),
                                           bench.Entry(0x17, 2), bench.Entry(0x17, 3)};
    bench.ClickView(QPoint(7 * 32 + 20, 32 + 20), Qt::RightButton, Qt::ControlModifier);
    QVERIFY(!bench.Document().CanUndo());
    bench.EditChip(0x29);
    bench.ClickView(QPoint(9 * 32 + 20, 2 * 32 + 20), Qt::LeftButton,
                    Qt::ControlModifier | Qt::ShiftModifier);
    Leave(bench.View());
    for (int q = 0; q < 4; ++q) {
        QCOMPARE(bench.Entry(0x29, q), source[q]);
        QCOMPARE(bench.Controls.LblStructChipIndex[q]->text(), Hex2(source[q]));
    }
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 9 * 32, 2 * 32, 0x29));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0x29, 2));

    // The buffer survives a stage change.
    bench.SelectStage(3);
    bench.ClickView(QPoint(3, 3), Qt::LeftButton, Qt::ControlModifier);
    for (int q = 0; q < 4; ++q)
        QCOMPARE(bench.Entry(0, q), source[q]);
    QVERIFY(bench.Flags().EditFlag(EditArea::Chip32x32, 3));
}

void TestChip32x32Edit::editedChipAndPicks() {
    Chip32x32PageBench bench;
    bench.EditChip(0x42);
    const uint8_t held = bench.Entry(0x42, 3);
    const int brush = (held + 1) % 256;
    bench.ChooseBrush(brush);
    QCOMPARE(bench.Controls.LblSelect16x16ChipIndex->text(), Hex2(brush));
    QCOMPARE(bench.Controls.LblSelect16x16ChipProperty->text(),
             bench.Document().ChipAttributeName(bench.Stage().ChipProperty()[brush]));
    QVERIFY(bench.ShowsSmallChip(bench.Controls.ImgSelect16x16Chip->Picture(), 0, 0, brush, 2));

    // Other buttons on the table do nothing.
    QTest::mouseClick(bench.Table(), Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(bench.Controller.Brush(), brush);

    // A left click on the enlarged chip puts the brush into its quadrant.
    QTest::mouseClick(bench.EditedChip(), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(int(bench.Entry(0x42, 3)), brush);
    QCOMPARE(bench.Controls.LblStructChipIndex[3]->text(), Hex2(brush));
    QCOMPARE(bench.Document().UndoName(), QStringLiteral("32x32チップの編集"));
    QVERIFY(bench.ChipFlag());
    QVERIFY(HasFramePixel(bench.EditedChip()->Picture()));
    Leave(bench.EditedChip());
    QVERIFY(!HasFramePixel(bench.EditedChip()->Picture()));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0x42, 2));
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 2 * 32, 4 * 32, 0x42));

    // Right clicks pick: on the enlarged chip and on the view.
    QTest::mouseClick(bench.EditedChip(), Qt::RightButton, {}, QPoint(40, 5));
    QCOMPARE(int(bench.Controller.Brush()), int(bench.Entry(0x42, 1)));
    bench.ClickView(QPoint(3 * 32 + 2, 5 * 32 + 20), Qt::RightButton);
    QCOMPARE(int(bench.Controller.Brush()), int(bench.Entry(0x53, 2)));
    QCOMPARE(bench.Controls.LblSelect16x16ChipIndex->text(), Hex2(bench.Entry(0x53, 2)));
    // A middle click does nothing.
    bench.ClickView(QPoint(3, 3), Qt::MiddleButton);
    QCOMPARE(int(bench.Controller.Brush()), int(bench.Entry(0x53, 2)));
    QCOMPARE(bench.Controller.EditedChip(), 0x42);
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip32x32Entry});
    QVERIFY(!bench.Document().CanUndo());
}

void TestChip32x32Edit::gridStaysOverRedrawnChip() {
    Chip32x32PageBench bench;
    auto *grid = bench.Controls.Chk32x32ChipEditDrawGrid;
    grid->setChecked(true);
    const QImage &view = bench.View()->Picture();
    for (const QPoint line : {QPoint(0, 10), QPoint(32, 40), QPoint(100, 64), QPoint(480, 250)})
        QCOMPARE(view.pixel(line), White);

    // Painted through the enlarged chip, so no hover frame lies over the redrawn square.
    bench.EditChip(0x11);
    bench.ChooseBrush((bench.Entry(0x11, 0) + 7) % 256);
    QTest::mouseClick(bench.EditedChip(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(bench.Document().CanUndo());
    QCOMPARE(view.pixel(32, 40), White);
    QCOMPARE(view.pixel(40, 32), White);
    QCOMPARE(view.pixel(63, 63), bench.SheetColour(bench.Graphics().Chip32x32Sheet(), 63, 63));

    grid->setChecked(false);
    QVERIFY(bench.ShowsChip(view, 32, 32, 0x11));
    QVERIFY(bench.ShowsChip(view, 0, 0, 0x00));
}

void TestChip32x32Edit::hoverTextsAndFrames() {
    Chip32x32PageBench bench;
    const QImage &view = bench.View()->Picture();
    // The half switched by the keyboard while the pointer rests on the view: the chip now
    // under the pointer is framed at once.
    Move(bench.View(), QPoint(5, 5));
    bench.ShowHalf(1);
    QCOMPARE(view.pixel(0, 0), Magenta);
    QCOMPARE(view.pixel(31, 31), Magenta);
    QCOMPARE(view.pixel(16, 16), bench.SheetColour(bench.Graphics().Chip32x32Sheet(), 16, 272));
    Move(bench.View(), QPoint(500, 250));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("32x32チップNo:FF"));
    QCOMPARE(view.pixel(480, 224), Magenta);
    QCOMPARE(view.pixel(511, 255), Magenta);
    Move(bench.View(), QPoint(5, 5));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("32x32チップNo:80"));
    QVERIFY(bench.ShowsChip(view, 480, 224, 0xFF));
    Leave(bench.View());
    QCOMPARE(bench.StatusPanel.text(), QString());
    QVERIFY(!HasFramePixel(view));

    Move(bench.Table(), QPoint(20, 40));
    QCOMPARE(bench.StatusPanel.text(), QStringLiteral("16x16チップNo:21"));
    QCOMPARE(bench.Table()->Picture().pixel(16, 32), Magenta);
    Leave(bench.Table());
    QCOMPARE(bench.StatusPanel.text(), QString());
    QVERIFY(!HasFramePixel(bench.Table()->Picture()));

    Move(bench.EditedChip(), QPoint(10, 50));
    QCOMPARE(bench.EditedChip()->Picture().pixel(0, 32), Magenta);
    QCOMPARE(bench.EditedChip()->Picture().pixel(31, 63), Magenta);
    Leave(bench.EditedChip());
    QVERIFY(!HasFramePixel(bench.EditedChip()->Picture()));
}

void TestChip32x32Edit::pointerOutsideImagesGivesNoChip() {
    Chip32x32PageBench bench;
    bench.ChooseBrush(0x99);
    const auto table = bench.Stage().Chip32x32();
    const QList<QPoint> outside = {QPoint(-1, 10),  QPoint(512, 10),   QPoint(10, -1),
                                   QPoint(10, 256), QPoint(-400, 900), QPoint(5000, -5000)};
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier)})
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            for (const QPoint at : outside)
                for (QWidget *image : {static_cast<QWidget *>(bench.View()),
                                       static_cast<QWidget *>(bench.EditedChip()),
                                       static_cast<QWidget *>(bench.Table())}) {
                    Click(image, at, button, modifiers);
                }
    QVERIFY(bench.Stage().Chip32x32() == table);
    QVERIFY(!bench.Document().CanUndo());
    QCOMPARE(bench.Controller.Brush(), 0x99);
    QCOMPARE(bench.Controller.EditedChip(), 0);
    QVERIFY(bench.SinkChips.isEmpty());

    // A move outside while a button is held counts as leaving.
    Move(bench.View(), QPoint(10, 10), Qt::LeftButton);
    QVERIFY(HasFramePixel(bench.View()->Picture()));
    for (const QPoint at : outside) {
        Move(bench.View(), at, Qt::LeftButton);
        QVERIFY(!HasFramePixel(bench.View()->Picture()));
        QCOMPARE(bench.StatusPanel.text(), QString());
    }
    Move(bench.Table(), QPoint(10, 10), Qt::LeftButton);
    Move(bench.Table(), QPoint(256, 10), Qt::LeftButton);
    QVERIFY(!HasFramePixel(bench.Table()->Picture()));
    Move(bench.EditedChip(), QPoint(10, 10), Qt::LeftButton);
    Move(bench.EditedChip(), QPoint(10, 64), Qt::LeftButton);
    QVERIFY(!HasFramePixel(bench.EditedChip()->Picture()));
}

void TestChip32x32Edit::reloadEmptiesHistoryAndKeepsFlag() {
    Chip32x32PageBench bench;
    const QString question =
        QStringLiteral("このステージの32x32チップデータを読み込み直します。よろしいですか？");
    const uint8_t original = bench.Entry(0x30, 0);
    bench.ChooseBrush((original + 1) % 256);
    bench.ClickView(QPoint(3, 3 * 32 + 3), Qt::LeftButton, Qt::ShiftModifier);
    bench.ClickView(QPoint(19, 3 * 32 + 3), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip32x32Entry});
    QVERIFY(bench.Document().CanRedo());
    bench.EditChip(0x30);

    bench.Prompt().YesNoAnswers = {false};
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("Button2")), Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, QStringList{question});
    QCOMPARE(int(bench.Entry(0x30, 0)), (original + 1) % 256);
    QVERIFY(bench.Document().CanUndo());

    bench.Prompt().YesNoAnswers = {true};
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("Button2")), Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions, (QStringList{question, question}));
    QCOMPARE(bench.Entry(0x30, 0), original);
    QVERIFY(!bench.Document().CanUndo());
    QVERIFY(!bench.Document().CanRedo());
    QVERIFY(bench.ChipFlag());
    QCOMPARE(bench.Controller.EditedChip(), 0);
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 0, 3 * 32, 0x30));
}

void TestChip32x32Edit::undoShownByActivationAndPaletteRedraw() {
    Chip32x32PageBench bench;
    bench.EditChip(0x12);
    const uint8_t original = bench.Entry(0x12, 0);
    bench.ChooseBrush((original + 5) % 256);
    QTest::mouseClick(bench.EditedChip(), Qt::LeftButton, {}, QPoint(5, 5));
    Leave(bench.EditedChip());

    QCOMPARE(bench.Document().Undo(), uint8_t{CategoryChip32x32Entry});
    bench.Controller.PageActivated();
    QCOMPARE(bench.Controls.LblStructChipIndex[0]->text(), Hex2(original));
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 2 * 32, 32, 0x12));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0x12, 2));

    // An animation tick recolours every picture; the hover frame stays.
    Move(bench.View(), QPoint(100, 100));
    const int index = bench.Graphics().Chip32x32Sheet().Row(0)[0];
    bench.Graphics().SetStagePaletteEntry(index, 0x3E);
    bench.Controller.RedrawForPalette();
    QCOMPARE(bench.View()->Picture().pixel(0, 0), MasterColour(0x3E));
    QVERIFY(bench.ShowsChip(bench.View()->Picture(), 0, 0, 0x00));
    QVERIFY(bench.ShowsSmallChip(bench.Table()->Picture(), 0, 0, 0x00));
    QVERIFY(bench.ShowsChip(bench.EditedChip()->Picture(), 0, 0, 0x12, 2));
    QVERIFY(bench.ShowsSmallChip(bench.Controls.ImgSelect16x16Chip->Picture(), 0, 0,
                                 bench.Controller.Brush(), 2));
    QCOMPARE(bench.View()->Picture().pixel(96, 96), Magenta);
}

void TestChip32x32Edit::reportButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<bool>("duplicates");
    QTest::newRow("unused") << QStringLiteral("BtnUnused32x32ChipChk")
                            << QStringLiteral("未使用32x32チップ番号")
                            << QStringLiteral("マップセットに使用されてない32x32チップ番号は")
                            << false;
    QTest::newRow("duplicates") << QStringLiteral("BtnOverlap32x32ChipChk")
                                << QStringLiteral("重複チップの置換")
                                << QStringLiteral("重複定義されている32x32チップ番号は") << true;
}

void TestChip32x32Edit::reportButtons() {
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, heading);
    QFETCH(bool, duplicates);
    CartridgeBuilder builder;
    const int32_t chips = CartridgeBuilder::DefaultOffset(StageTable::Chip32x32, 0);
    for (const int chip : {0x05, 0x0A, 0x1B})
        for (int q = 0; q < 4; ++q)
            builder.SetByte(chips + chip * 4 + q, static_cast<uint8_t>(0xE0 + q));
    Chip32x32PageBench bench(builder);
    const QString expected =
        duplicates ? ListDuplicate32x32Chips(bench.Stage()) : ListUnused32x32Chips(bench.Stage());
    if (duplicates)
        QVERIFY(expected.startsWith(QStringLiteral("05 0A 1B \r\n")));

    QString shownCaption;
    QString shownHeading;
    QString shownList;
    QTimer::singleShot(0, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        shownCaption = dialog->windowTitle();
        shownHeading = dialog->findChild<QLabel *>(QStringLiteral("LblMessage"))->text();
        shownList =
            dialog->findChild<QPlainTextEdit *>(QStringLiteral("MemoUnusedChipNum"))->toPlainText();
        dialog->close();
    });
    QTest::mouseClick(bench.Find<QPushButton>(button), Qt::LeftButton);

    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownHeading, heading);
    QCOMPARE(
        shownList.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
        QString(expected).remove(QLatin1Char('\r')).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    QVERIFY(!bench.Document().CanUndo());
}

QTEST_MAIN(TestChip32x32Edit)
#include "tst_32x32chipedit.moc"

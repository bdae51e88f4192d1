#include "EditorPageFixture.h"
#include "PictureFile.h"
#include "tilepixels.h"
#include "tiles/tileedit.h"
#include "tiles/tilepage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Zoom = TileEditClass::EditZoom;

/// The tile page over an opened synthetic image, stage 0 shown. Every stage's two windows
/// lie apart from every other stage's, so only the windows a test shares are shared.
struct TilePageBench : EditorPageFixture {
    explicit TilePageBench(const CartridgeBuilder &cartridge = CartridgeBuilder())
        : EditorPageFixture(cartridge), Controller(Document(), Flags(), Graphics(), Prompt()) {
        Controls = BuildTilePage(&Page);
        Controller.SetControls(Controls);
        ForwardTilePageEvents(Controls, Controller);
        for (int stage = 0; stage < StageCount; ++stage) {
            Document().Stage(stage).SetBGBank(0, static_cast<uint8_t>(4 * stage));
            Document().Stage(stage).SetBGBank(1, static_cast<uint8_t>(4 * stage + 2));
        }
        PrepareStage(0, SheetsRebuilt::None);
        Controller.Refresh();
    }
    ChrTiles &Tiles() { return Document().Tiles(); }
    /// The CHR tile the page's entry `index` shows.
    int ChrTile(int index) {
        return Tiles().WindowTile(Stage().BGBank()[index / 128], index % 128);
    }
    void SelectTile(int index) {
        Click(Controls.ImgTileTable, QPoint(16 * (index % 16) + 3, 16 * (index / 16) + 3),
              Qt::LeftButton);
    }
    void ChooseColour(int colour) {
        Click(Controls.ImgTileColor, QPoint(32 * colour + 5, 5), Qt::LeftButton);
    }
    static QPoint At(int x, int y) { return QPoint(Zoom * x + Zoom / 2, Zoom * y + Zoom / 2); }

    TileEditClass Controller;
    TileEditControls Controls;
};

} // namespace

class TestTileEdit : public QObject {
    Q_OBJECT

private slots:
    void dragDrawsALineAsOneStep();
    void rightButtonPicksTheColour();
    void tileCommands_data();
    void tileCommands();
    void copyAndPasteAsText();
    void sharedWindowIsMentionedOncePerLoad();
    void imageWithoutChrDisablesThePage();
    void importIsOneStepAndRefusalsChangeNothing();
};

void TestTileEdit::dragDrawsALineAsOneStep() {
    TilePageBench bench;
    bench.SelectTile(0x85);
    QCOMPARE(bench.Controller.SelectedTile(), 0x85);
    const int tile = bench.ChrTile(0x85);
    QCOMPARE(tile, bench.Tiles().WindowTile(2, 5));
    const TileData before = bench.Tiles().TileBytes(tile);
    bench.ChooseColour(3);
    Press(bench.Controls.ImgEditTile, TilePageBench::At(0, 0), Qt::LeftButton);
    // One move across the whole tile, and beyond it: the line between has no gaps.
    Move(bench.Controls.ImgEditTile, TilePageBench::At(7, 7) + QPoint(3 * Zoom, 3 * Zoom),
         Qt::LeftButton);
    QTest::mouseRelease(bench.Controls.ImgEditTile, Qt::LeftButton, {}, QPoint(0, 0));
    const TileData after = bench.Tiles().TileBytes(tile);
    for (int k = 0; k < 8; ++k)
        QCOMPARE(TilePixels::Pixel(after, k, k), 3);
    QVERIFY(bench.Flags().ChrFlag());
    QCOMPARE(bench.Tiles().Undo(), ChrTiles::CategoryTileEdit);
    QCOMPARE(bench.Tiles().TileBytes(tile), before);
    QVERIFY(!bench.Tiles().CanUndo());
    // Moves after the release draw nothing.
    Move(bench.Controls.ImgEditTile, TilePageBench::At(2, 5), Qt::NoButton);
    QCOMPARE(bench.Tiles().TileBytes(tile), before);
}

void TestTileEdit::rightButtonPicksTheColour() {
    TilePageBench bench;
    const TileData tile = bench.Tiles().TileBytes(bench.ChrTile(0));
    for (int x = 0; x < 8; ++x) {
        Click(bench.Controls.ImgEditTile, TilePageBench::At(x, 2), Qt::RightButton);
        QCOMPARE(bench.Controller.SelectedColour(), TilePixels::Pixel(tile, x, 2));
    }
    QVERIFY(!bench.Tiles().CanUndo());
}

void TestTileEdit::tileCommands_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("transform");
    QTest::newRow("flip horizontally") << QStringLiteral("BtnTileFlipH") << 0;
    QTest::newRow("flip vertically") << QStringLiteral("BtnTileFlipV") << 1;
    QTest::newRow("rotate") << QStringLiteral("BtnTileRotate") << 2;
    QTest::newRow("clear") << QStringLiteral("BtnTileClear") << 3;
    QTest::newRow("fill with the button") << QStringLiteral("BtnTileFill") << 4;
    QTest::newRow("fill with Shift") << QString() << 4;
}

void TestTileEdit::tileCommands() {
    QFETCH(QString, button);
    QFETCH(int, transform);
    TilePageBench bench;
    bench.SelectTile(0x13);
    const int tile = bench.ChrTile(0x13);
    const TileData before = bench.Tiles().TileBytes(tile);
    TileData expected{};
    switch (transform) {
    case 0:
        expected = TilePixels::FlippedHorizontally(before);
        break;
    case 1:
        expected = TilePixels::FlippedVertically(before);
        break;
    case 2:
        expected = TilePixels::Rotated(before);
        break;
    case 3:
        break;
    default:
        expected = before;
        TilePixels::FloodFill(expected, 4, 4, 2);
        break;
    }
    bench.ChooseColour(2);
    if (!button.isEmpty())
        bench.Find<QPushButton>(button)->click();
    if (transform == 4)
        Click(bench.Controls.ImgEditTile, TilePageBench::At(4, 4), Qt::LeftButton,
              button.isEmpty() ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(bench.Tiles().TileBytes(tile), expected);
    QCOMPARE(bench.Tiles().CanUndo(), expected != before);
    // The edit view and the window table (tile 13 at 2x, inside its frame) show the tile as
    // it is now.
    const QRgb shown = bench.Controls.ImgEditTile->Picture().pixel(TilePageBench::At(0, 7));
    QCOMPARE(shown, bench.Graphics().GetStagePaletteColour(TilePixels::Pixel(expected, 0, 7)));
    const QRgb inTable = bench.Controls.ImgTileTable->Picture().pixel(2 * (8 * 3 + 1), 2 * (8 + 6));
    QCOMPARE(inTable, bench.Graphics().GetStagePaletteColour(TilePixels::Pixel(expected, 1, 6)));
}

void TestTileEdit::copyAndPasteAsText() {
    TilePageBench bench;
    const TileData source = bench.Tiles().TileBytes(bench.ChrTile(0x40));
    bench.SelectTile(0x40);
    bench.Controls.BtnTileCopy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), TilePixels::ClipboardText(source));
    bench.SelectTile(0xC1);
    bench.Controls.BtnTilePaste->click();
    QCOMPARE(bench.Tiles().TileBytes(bench.ChrTile(0xC1)), source);

    QGuiApplication::clipboard()->setText(QStringLiteral("0123"));
    bench.SelectTile(0xC2);
    const TileData kept = bench.Tiles().TileBytes(bench.ChrTile(0xC2));
    bench.Controls.BtnTilePaste->click();
    QCOMPARE(bench.Tiles().TileBytes(bench.ChrTile(0xC2)), kept);
    QCOMPARE(bench.Prompt().Messages.last(), QStringLiteral("クリップボードにタイルがありません"));
}

void TestTileEdit::sharedWindowIsMentionedOncePerLoad() {
    TilePageBench bench;
    // Stage 3 shows stage 0's window 0 as its window 1; window 1 of stage 0 is its own.
    bench.Document().Stage(3).SetBGBank(1, 0);
    bench.Controller.Refresh();
    bench.SelectTile(0x90);
    bench.Controls.BtnTileClear->click();
    bench.Controls.BtnTileFlipH->click();
    QVERIFY(bench.Prompt().Messages.isEmpty());

    bench.SelectTile(0x05);
    bench.Controls.BtnTileRotate->click();
    bench.Controls.BtnTileClear->click();
    QCOMPARE(bench.Prompt().Messages,
             QStringList{QStringLiteral("このタイルはステージ 03 でも表示されます。"
                                        "タイルの変更はそれらのステージにも表れます。")});
    bench.Prompt().YesNoAnswers.push_back(true);
    bench.Controls.BtnTileReload->click();
    bench.Controls.BtnTileClear->click();
    QCOMPARE(bench.Prompt().Messages.size(), 2);
}

void TestTileEdit::imageWithoutChrDisablesThePage() {
    CartridgeBuilder noChr;
    noChr.SetByte(5, 0);
    TilePageBench bench(noChr);
    QVERIFY(!bench.Controls.Content->isEnabled());
    QVERIFY(bench.Controls.LblTileNoChr->isVisibleTo(&bench.Page));
    Click(bench.Controls.ImgEditTile, TilePageBench::At(1, 1), Qt::LeftButton);
    QVERIFY(!bench.Flags().IsModified());
}

void TestTileEdit::importIsOneStepAndRefusalsChangeNothing() {
    TilePageBench bench;
    bench.SelectTile(0x81);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tiles.png"));
    bench.Prompt().FileNames.push_back(path);
    bench.Controls.BtnTileExport->click();
    QImage picture(path);
    QCOMPARE(picture.size(), QSize(128, 64));
    QCOMPARE(picture.pixelIndex(8, 0),
             TilePixels::Pixel(bench.Tiles().TileBytes(bench.ChrTile(0x81)), 0, 0));

    // Tiles 0x80 and 0x8F drawn differently in the file: one step changes both.
    picture.setPixel(0, 0, (picture.pixelIndex(0, 0) + 1) % 4);
    picture.setPixel(127, 7, (picture.pixelIndex(127, 7) + 2) % 4);
    QVERIFY(picture.save(path));
    bench.Prompt().FileNames.push_back(path);
    bench.Controls.BtnTileImport->click();
    QCOMPARE(bench.Tiles().LastChangedTiles(),
             (std::vector<int>{bench.ChrTile(0x80), bench.ChrTile(0x8F)}));
    QCOMPARE(bench.Tiles().UndoName(), QStringLiteral("タイルの読み込み"));
    bench.Tiles().Undo();
    QVERIFY(!bench.Tiles().CanUndo());

    picture.setColorCount(8);
    picture.setPixel(9, 3, 6);
    QVERIFY(picture.save(path));
    bench.Prompt().FileNames.push_back(path);
    bench.Controls.BtnTileImport->click();
    QCOMPARE(bench.Prompt().Messages.last(),
             path + QStringLiteral(
                        "を読み込めませんでした: (9, 3)の画素の色番号6は0から3ではありません"));
    QVERIFY(!bench.Tiles().CanUndo());
}

QTEST_MAIN(TestTileEdit)
#include "tst_tileedit.moc"

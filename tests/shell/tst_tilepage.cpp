#include "EditorSetup.h"
#include "ImageEx.h"
#include "TImageExInput.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "tilepixels.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTabWidget>
#include <QTest>

namespace {

/// Draws one pixel, (0, 0), of the top-left tile of stage 0's chip 0 on the tile page in
/// another colour; returns that tile's number in the CHR data.
int DrawOnePixel(TMainForm &form) {
    RomImageData &rom = form.Document();
    Child<QTabWidget>(form, "EditPageControl")->setCurrentIndex(TilePage);
    const int index = rom.Stage(0).Chip16x16()[0];
    Click(Child<TImageEx>(form, "ImgTileTable"),
          QPoint(16 * (index % 16) + 1, 16 * (index / 16) + 1), Qt::LeftButton);
    const int tile = rom.Tiles().WindowTile(rom.Stage(0).BGBank()[index / 128], index % 128);
    const int colour = (TilePixels::Pixel(rom.Tiles().TileBytes(tile), 0, 0) + 1) % 4;
    Click(Child<TImageEx>(form, "ImgTileColor"), QPoint(32 * colour + 4, 4), Qt::LeftButton);
    Click(Child<TImageEx>(form, "ImgEditTile"), QPoint(2, 2), Qt::LeftButton);
    return tile;
}

// The 16x16 chip page's chip table, drawn anew as the page's activation draws it (choosing
// the page that is already active would not).
QImage ChipView(TMainForm &form) {
    Child<QTabWidget>(form, "EditPageControl")->setCurrentIndex(Chip16x16Page);
    form.EditPageControlChange();
    return Child<TImageEx>(form, "ImgEdit16x16ChipView")->Picture();
}

} // namespace

/// The tile page inside the main window: its edits reach every page and the file, and the
/// Edit menu works on the tiles' history while it is active.
class TestTilePage : public QObject {
    Q_OBJECT

private slots:
    void editShowsEverywhereAndUndoesFromTheEditMenu();
    void saveChangesOnlyTheEditedTile();
    void copyAndPasteKeysActOnlyOnTheTilePage();
};

void TestTilePage::editShowsEverywhereAndUndoesFromTheEditMenu() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    // Sixteen different colours, so that every changed colour number shows, and no
    // animation to change them while the test runs.
    for (int entry = 0; entry < 16; ++entry)
        form->Document().Stage(0).SetPaletteEntry(entry, static_cast<uint8_t>(0x10 + entry));
    for (int slot = 0; slot < 4; ++slot)
        form->Document().Stage(0).SetPaletteAnimeEntry(slot, 0);
    form->CBSelectPaletteSetChange();
    const QImage before = ChipView(*form);
    // A stage edit first: the tile page's Edit menu must not reach it.
    form->Document().Stage(0).SetMapEntry(3, 0x1F);

    DrawOnePixel(*form);
    form->Edit1Click();
    QCOMPARE(Child<QAction>(*form, "Undo1")->text(), QStringLiteral("元に戻す(&U) - タイルの編集"));
    QVERIFY(ChipView(*form).pixel(0, 0) != before.pixel(0, 0));

    Child<QTabWidget>(*form, "EditPageControl")->setCurrentIndex(TilePage);
    QTest::keyClick(Child<TImageEx>(*form, "ImgEditTile"), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!form->Document().Tiles().CanUndo());
    QCOMPARE(form->Document().Stage(0).Map()[3], uint8_t{0x1F});
    QCOMPARE(ChipView(*form), before);
    // Elsewhere the menu works on the stage's history again.
    form->Edit1Click();
    QCOMPARE(Child<QAction>(*form, "Undo1")->text(), QStringLiteral("元に戻す(&U) - マップの編集"));
}

void TestTilePage::saveChangesOnlyTheEditedTile() {
    EditorSetup setup;
    const auto form = setup.Start();
    const CartridgeBuilder cartridge;
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"), cartridge);
    form->OpenChosenFile(path);
    const int tile = DrawOnePixel(*form);
    QVERIFY(form->Flags().IsModified());
    form->Save1Click();
    const QByteArray saved = ReadFile(path);
    QCOMPARE(saved.size(), cartridge.Bytes().size());
    const int32_t start = form->Document().Tiles().TileOffset(tile);
    for (qsizetype at = 0; at < saved.size(); ++at)
        if (saved[at] != cartridge.Bytes()[at])
            QVERIFY2(at >= start && at < start + TileByteCount, qPrintable(QString::number(at)));
    QVERIFY(saved != cartridge.Bytes());
    QVERIFY(!form->Flags().IsModified());
}

void TestTilePage::copyAndPasteKeysActOnlyOnTheTilePage() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    pages->setCurrentIndex(MapPage);
    QTest::keyClick(pages, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));

    pages->setCurrentIndex(TilePage);
    QTest::keyClick(pages, Qt::Key_C, Qt::ControlModifier);
    RomImageData &rom = form->Document();
    const int first = rom.Tiles().WindowTile(rom.Stage(0).BGBank()[0], 0);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             TilePixels::ClipboardText(rom.Tiles().TileBytes(first)));
}

QTEST_MAIN(TestTilePage)
#include "tst_tilepage.moc"

#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "chrtiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "tilepixels.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

/// An opened synthetic image and its borrowed parts.
struct Fixture {
    Fixture() {
        Settings = std::make_unique<TMyMemIniFile>(Dir.filePath(QStringLiteral("none.ini")));
        Document = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Prompt);
    }
    bool Open(const QByteArray &bytes) {
        const QString path = Dir.filePath(QStringLiteral("image.nes"));
        return WriteFile(path, bytes) && Document->Open(path);
    }
    QByteArray Saved() {
        const QString path = Dir.filePath(QStringLiteral("saved.nes"));
        return Document->Save(path) ? ReadFile(path) : QByteArray();
    }
    ChrTiles &Tiles() { return Document->Tiles(); }

    QTemporaryDir Dir;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    ScriptedPrompt Prompt;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<RomImageData> Document;
};

TileData Filled(uint8_t value) {
    TileData tile;
    tile.fill(value);
    return tile;
}

void PutTile(QByteArray &bytes, int32_t offset, const TileData &tile) {
    for (int k = 0; k < TileByteCount; ++k)
        bytes[offset + k] = static_cast<char>(tile[k]);
}

// Rows of colour digits, top first, as a tile.
TileData Drawn(const QString &rows) {
    return TilePixels::FromClipboardText(rows).value();
}

} // namespace

class TestChrTiles : public QObject {
    Q_OBJECT

private slots:
    void saveWritesOnlyChangedTiles();
    void undoneEditIsSavedUndone();
    void keepingBothWritesTheChangedTiles();
    void editedImageCarriesTilesAndReloadForgetsThem();
    void historyStepsAndNames();
    void strokeJoinsOneStep();
    void tileRange_data();
    void tileRange();
    void lineHasNoGaps_data();
    void lineHasNoGaps();
    void floodFillStopsAtOtherColours();
    void flipsAndRotation();
    void clipboardText_data();
    void clipboardText();
};

void TestChrTiles::saveWritesOnlyChangedTiles() {
    Fixture fixture;
    CartridgeBuilder builder;
    QVERIFY(fixture.Open(builder.Bytes()));
    QVERIFY(fixture.Tiles().SetTile(5, Filled(0xA5)));
    fixture.Flags.SetChrFlag(true);
    QVERIFY(fixture.Flags.IsModified());
    // A byte poked into tile 7 behind the model's back survives only if tile 7 is not
    // written: the model still holds its old bytes.
    const int32_t tile7 = CartridgeBuilder::ChrBase + 7 * TileByteCount;
    fixture.Document->Image()[tile7] ^= 0xFF;

    const QByteArray saved = fixture.Saved();
    PutTile(builder.Bytes(), CartridgeBuilder::ChrBase + 5 * TileByteCount, Filled(0xA5));
    builder.SetByte(tile7, builder.Byte(tile7) ^ 0xFF);
    QCOMPARE(saved, builder.Bytes());
    QVERIFY(!fixture.Flags.ChrFlag());
    QVERIFY(!fixture.Tiles().IsTileChanged(5));
    QVERIFY(!fixture.Tiles().CanUndo());
}

// Saving over another program's changes writes the tiles drawn here and keeps every other
// byte of the file, the other program's tiles among them; a tile both changed is named.
void TestChrTiles::keepingBothWritesTheChangedTiles() {
    Fixture fixture;
    const CartridgeBuilder builder;
    QVERIFY(fixture.Open(builder.Bytes()));
    QVERIFY(fixture.Tiles().SetTile(5, Filled(0xA5)));
    QVERIFY(fixture.Tiles().SetTile(9, Filled(0x5A)));
    fixture.Flags.SetChrFlag(true);

    QByteArray other = builder.Bytes();
    const int32_t tile5 = CartridgeBuilder::ChrBase + 5 * TileByteCount;
    const int32_t tile6 = CartridgeBuilder::ChrBase + 6 * TileByteCount;
    for (int32_t at : {0x40, tile5 + 3, tile6})
        other[at] = static_cast<char>(other[at] ^ 0x0F);
    const QString path = fixture.Dir.filePath(QStringLiteral("image.nes"));
    QVERIFY(WriteFile(path, other));

    QVERIFY(fixture.Document->SaveKeepingOtherChanges());
    QByteArray expected = other;
    PutTile(expected, tile5, Filled(0xA5));
    PutTile(expected, CartridgeBuilder::ChrBase + 9 * TileByteCount, Filled(0x5A));
    QCOMPARE(ReadFile(path), expected);
    QCOMPARE(fixture.Prompt.Messages.size(), 1);
    QVERIFY2(fixture.Prompt.Messages[0].endsWith(QStringLiteral("CHRデータのタイル 1個")),
             qPrintable(fixture.Prompt.Messages[0]));
    QVERIFY(!fixture.Flags.ChrFlag());
    QCOMPARE(TileData(fixture.Tiles().TileBytes(6))[0], uint8_t(other[tile6]));
}

void TestChrTiles::undoneEditIsSavedUndone() {
    Fixture fixture;
    const CartridgeBuilder builder;
    QVERIFY(fixture.Open(builder.Bytes()));
    QVERIFY(fixture.Tiles().SetTile(300, Filled(0x11)));
    fixture.Flags.SetChrFlag(true);
    // A byte poked into the image in memory shows whether the undone tile is written at all:
    // it stays marked as changed, so the save writes its old bytes back over the poke.
    fixture.Document->Image()[CartridgeBuilder::ChrBase + 300 * TileByteCount] = 0x11;
    QCOMPARE(fixture.Tiles().Undo(), ChrTiles::CategoryTileEdit);
    QVERIFY(fixture.Tiles().IsTileChanged(300));
    QCOMPARE(fixture.Saved(), builder.Bytes());
}

void TestChrTiles::editedImageCarriesTilesAndReloadForgetsThem() {
    Fixture fixture;
    CartridgeBuilder builder;
    QVERIFY(fixture.Open(builder.Bytes()));
    const TileData original = fixture.Tiles().TileBytes(9);
    QVERIFY(fixture.Tiles().SetTile(9, Filled(0x3C)));
    fixture.Flags.SetChrFlag(true);

    const QByteArray edited = fixture.Document->EditedImage().value();
    QCOMPARE(static_cast<uint8_t>(edited[CartridgeBuilder::ChrBase + 9 * TileByteCount]),
             uint8_t{0x3C});
    QCOMPARE(fixture.Document->Image()[CartridgeBuilder::ChrBase + 9 * TileByteCount], original[0]);

    fixture.Document->ReloadTiles();
    QCOMPARE(fixture.Tiles().TileBytes(9), original);
    QVERIFY(!fixture.Tiles().CanUndo());
    QVERIFY(!fixture.Tiles().IsTileChanged(9));
    fixture.Document->Close();
    QCOMPARE(fixture.Tiles().TileCount(), 0);
}

void TestChrTiles::historyStepsAndNames() {
    Fixture fixture;
    QVERIFY(fixture.Open(CartridgeBuilder().Bytes()));
    ChrTiles &tiles = fixture.Tiles();
    const TileData tile2 = tiles.TileBytes(2);
    QVERIFY(tiles.SetTile(1, Filled(0x01)));
    QVERIFY(!tiles.SetTile(1, Filled(0x01)));
    // An import is one step, of the tiles it really changed.
    QCOMPARE(tiles.SetTiles({{2, tile2}, {3, Filled(0x03)}, {4, Filled(0x04)}, {99999, {}}}), 2);
    QCOMPARE(tiles.UndoName(), QStringLiteral("タイルの読み込み"));
    QCOMPARE(tiles.Undo(), ChrTiles::CategoryTileImport);
    QCOMPARE(tiles.LastChangedTiles(), (std::vector<int>{3, 4}));
    QCOMPARE(tiles.TileBytes(2), tile2);
    QCOMPARE(tiles.UndoName(), QStringLiteral("タイルの編集"));
    QCOMPARE(tiles.RedoName(), QStringLiteral("タイルの読み込み"));
    QCOMPARE(tiles.Redo(), ChrTiles::CategoryTileImport);
    QCOMPARE(tiles.TileBytes(4), Filled(0x04));
    QCOMPARE(tiles.Undo(), ChrTiles::CategoryTileImport);
    QCOMPARE(tiles.Undo(), ChrTiles::CategoryTileEdit);
    QCOMPARE(tiles.Undo(), CategoryNothingApplied);
    // The stage histories are not the tiles'.
    QVERIFY(!fixture.Document->CanRedo());

    fixture.Document->SetUndoRecording(false);
    QVERIFY(tiles.SetTile(1, Filled(0x77)));
    QVERIFY(!tiles.CanUndo());
    QVERIFY(!tiles.CanRedo());
}

void TestChrTiles::strokeJoinsOneStep() {
    Fixture fixture;
    QVERIFY(fixture.Open(CartridgeBuilder().Bytes()));
    ChrTiles &tiles = fixture.Tiles();
    const TileData before = tiles.TileBytes(6);
    QVERIFY(tiles.SetTile(6, Filled(0x10)));
    QVERIFY(tiles.SetTile(6, Filled(0x20), true));
    QVERIFY(tiles.SetTile(6, Filled(0x30), true));
    // A stroke on another tile starts a step of its own.
    QVERIFY(tiles.SetTile(8, Filled(0x40), true));
    tiles.Undo();
    tiles.Undo();
    QCOMPARE(tiles.TileBytes(6), before);
    QVERIFY(!tiles.CanUndo());
}

void TestChrTiles::tileRange_data() {
    QTest::addColumn<int>("chrUnits");
    QTest::addColumn<int>("cutAfter"); // CHR bytes kept of the file, -1 for all
    QTest::addColumn<bool>("trainer");
    QTest::addColumn<int>("tileCount");
    QTest::addColumn<int>("lastWholeWindow"); // highest bank byte whose 128 tiles exist

    QTest::newRow("all CHR") << 16 << -1 << false << 8192 << 0x7E;
    QTest::newRow("no CHR") << 0 << -1 << false << 0 << -1;
    QTest::newRow("image ends inside a tile") << 16 << 0x1008 << false << 256 << 2;
    QTest::newRow("image ends on a window") << 16 << 0x800 << false << 128 << 0;
    QTest::newRow("trainer before the PRG data") << 16 << -1 << true << 8192 << 0x7E;
}

void TestChrTiles::tileRange() {
    QFETCH(int, chrUnits);
    QFETCH(int, cutAfter);
    QFETCH(bool, trainer);
    QFETCH(int, tileCount);
    QFETCH(int, lastWholeWindow);
    CartridgeBuilder builder;
    QByteArray bytes = builder.Bytes();
    bytes[5] = static_cast<char>(chrUnits);
    if (trainer) {
        bytes[6] = static_cast<char>(bytes[6] | 0x04);
        bytes.insert(16, QByteArray(512, '\x5A'));
    }
    const int32_t base = CartridgeBuilder::ChrBase + (trainer ? 512 : 0);
    if (cutAfter >= 0)
        bytes.truncate(base + cutAfter);
    Fixture fixture;
    QVERIFY(fixture.Open(bytes));
    const ChrTiles &tiles = fixture.Tiles();
    QCOMPARE(tiles.TileCount(), tileCount);
    QCOMPARE(tiles.Base(), base);
    int last = -1;
    for (int bank = 0; bank < 256; ++bank)
        if (tiles.WindowTile(static_cast<uint8_t>(bank), WindowTileCount - 1) >= 0)
            last = bank;
    QCOMPARE(last, lastWholeWindow);
    if (tileCount > 0)
        QCOMPARE(tiles.Tile(tileCount - 1)[0],
                 static_cast<uint8_t>(bytes[base + (tileCount - 1) * TileByteCount]));
    QCOMPARE(tiles.TileAtOffset(base + int64_t{TileByteCount} * tileCount), -1);
    QCOMPARE(tiles.TileAtOffset(base + 1), -1);
}

void TestChrTiles::lineHasNoGaps_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one pixel") << QPoint(3, 3) << QPoint(3, 3)
                               << "00000000\n00000000\n00000000\n00030000\n"
                                  "00000000\n00000000\n00000000\n00000000";
    QTest::newRow("steep, backwards") << QPoint(1, 7) << QPoint(3, 0)
                                      << "00030000\n00030000\n00300000\n00300000\n"
                                         "00300000\n00300000\n03000000\n03000000";
    QTest::newRow("from far outside") << QPoint(-100, 2) << QPoint(2, 2)
                                      << "00000000\n00000000\n33300000\n00000000\n"
                                         "00000000\n00000000\n00000000\n00000000";
}

void TestChrTiles::lineHasNoGaps() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, expected);
    TileData tile{};
    TilePixels::DrawLine(tile, from.x(), from.y(), to.x(), to.y(), 3);
    QCOMPARE(tile, Drawn(expected));
}

void TestChrTiles::floodFillStopsAtOtherColours() {
    TileData tile = Drawn(QStringLiteral("00100000\n00100000\n11100000\n00000000\n"
                                         "00000000\n00000000\n00000002\n00000020"));
    TilePixels::FloodFill(tile, 0, 0, 2);
    TilePixels::FloodFill(tile, 7, 7, 3);
    QCOMPARE(tile, Drawn(QStringLiteral("22100000\n22100000\n11100000\n00000000\n"
                                        "00000000\n00000000\n00000002\n00000023")));
}

void TestChrTiles::flipsAndRotation() {
    const TileData tile = Drawn(QStringLiteral("12000000\n30000000\n00000000\n00000000\n"
                                               "00000000\n00000000\n00000000\n00000000"));
    QCOMPARE(TilePixels::FlippedHorizontally(tile),
             Drawn(QStringLiteral("00000021\n00000003\n00000000\n00000000\n"
                                  "00000000\n00000000\n00000000\n00000000")));
    QCOMPARE(TilePixels::FlippedVertically(tile),
             Drawn(QStringLiteral("00000000\n00000000\n00000000\n00000000\n"
                                  "00000000\n00000000\n30000000\n12000000")));
    QCOMPARE(TilePixels::Rotated(tile),
             Drawn(QStringLiteral("00000031\n00000002\n00000000\n00000000\n"
                                  "00000000\n00000000\n00000000\n00000000")));
}

void TestChrTiles::clipboardText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const QString rows = QStringLiteral("01230123\n");
    QTest::newRow("eight rows") << rows.repeated(8) << true;
    QTest::newRow("CRLF, blank lines, spaces")
        << (QStringLiteral("\r\n  01230123 \r\n").repeated(8)) << true;
    QTest::newRow("seven rows") << rows.repeated(7) << false;
    QTest::newRow("nine rows") << rows.repeated(9) << false;
    QTest::newRow("colour 4") << rows.repeated(7) + QStringLiteral("01240123") << false;
    QTest::newRow("short row") << rows.repeated(7) + QStringLiteral("0123012") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestChrTiles::clipboardText() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const std::optional<TileData> tile = TilePixels::FromClipboardText(text);
    QCOMPARE(tile.has_value(), accepted);
    if (tile)
        QCOMPARE(TilePixels::ClipboardText(*tile), QStringLiteral("01230123\n").repeated(8));
}

QTEST_GUILESS_MAIN(TestChrTiles)
#include "tst_chrtiles.moc"

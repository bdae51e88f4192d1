#include "CartridgeBuilder.h"
#include "GraphicsFixture.h"
#include "PictureFile.h"
#include "tilepicture.h"

#include <QBuffer>
#include <QTest>

namespace {

const TilePicture::Colours Palette = {qRgb(10, 20, 30), qRgb(200, 0, 0), qRgb(0, 200, 0),
                                      qRgb(0, 0, 200)};

std::vector<int> Window(const ChrTiles &tiles, uint8_t bank) {
    std::vector<int> numbers;
    for (int index = 0; index < WindowTileCount; ++index)
        numbers.push_back(tiles.WindowTile(bank, index));
    return numbers;
}

QByteArray Encoded(const QImage &image) {
    return PngBytes(image);
}

} // namespace

/// Tiles written as a picture file and read back: the layout, the colours, and every way a
/// picture can be refused.
class TestTilePicture : public QObject {
    Q_OBJECT

private slots:
    void pictureReadsBackToTheSameTiles();
    void fullColourPictureIsMatchedExactly();
    void refusals_data();
    void refusals();
};

void TestTilePicture::pictureReadsBackToTheSameTiles() {
    GraphicsFixture fixture{CartridgeBuilder()};
    const ChrTiles &tiles = fixture.Document().Tiles();
    const std::vector<int> numbers = Window(tiles, 6);
    const QImage picture = TilePicture::Picture(tiles, numbers, Palette);
    QCOMPARE(picture.size(), QSize(128, 64));
    QCOMPARE(picture.format(), QImage::Format_Indexed8);
    QCOMPARE(picture.colorTable(), QList<QRgb>(Palette.begin(), Palette.end()));
    // Tile 17 of the window is the second row's second tile; pixel (3, 5) of it.
    const int64_t address = tiles.TileOffset(numbers[17]);
    QCOMPARE(picture.pixelIndex(8 + 3, 8 + 5), ColourNumber(fixture.Image(), address, 3, 5));

    const TilePicture::ReadResult read = TilePicture::Read(Encoded(picture), 128, Palette);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    for (int k = 0; k < WindowTileCount; ++k)
        QCOMPARE(read.Tiles[k], tiles.TileBytes(numbers[k]));
}

void TestTilePicture::fullColourPictureIsMatchedExactly() {
    GraphicsFixture fixture{CartridgeBuilder()};
    const ChrTiles &tiles = fixture.Document().Tiles();
    const std::vector<int> numbers = Window(tiles, 0);
    const QImage rgb =
        TilePicture::Picture(tiles, numbers, Palette).convertToFormat(QImage::Format_RGB32);
    const TilePicture::ReadResult read = TilePicture::Read(Encoded(rgb), 128, Palette);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Tiles[127], tiles.TileBytes(numbers[127]));
    // Greys, as a grey picture file stores them, map to the four greys.
    const QImage grey = TilePicture::Picture(tiles, numbers, TilePicture::Greys())
                            .convertToFormat(QImage::Format_Grayscale8);
    const TilePicture::ReadResult greyRead =
        TilePicture::Read(Encoded(grey), 128, TilePicture::Greys());
    QVERIFY2(greyRead.Ok(), qPrintable(greyRead.Error));
    QCOMPARE(greyRead.Tiles[40], tiles.TileBytes(numbers[40]));
}

void TestTilePicture::refusals_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");

    QImage indexed(128, 64, QImage::Format_Indexed8);
    indexed.setColorCount(8);
    indexed.fill(3);
    indexed.setPixel(100, 40, 4);
    indexed.setPixel(5, 41, 7);
    QTest::newRow("index above 3")
        << Encoded(indexed) << QStringLiteral("(100, 40)の画素の色番号4は0から3ではありません");

    QImage rgb(128, 64, QImage::Format_RGB32);
    rgb.fill(Palette[2]);
    rgb.setPixel(0, 63, qRgb(200, 0, 1));
    QTest::newRow("colour off by one")
        << Encoded(rgb) << QStringLiteral("(0, 63)の画素の色はパレットの4色のどれでもありません");
    QImage translucent(128, 64, QImage::Format_ARGB32);
    translucent.fill(Palette[1]);
    translucent.setPixel(127, 0, qRgba(200, 0, 0, 128));
    QTest::newRow("translucent pixel")
        << Encoded(translucent)
        << QStringLiteral("(127, 0)の画素の色はパレットの4色のどれでもありません");
    QImage tall(128, 72, QImage::Format_Indexed8);
    tall.setColorCount(4);
    tall.fill(0);
    QTest::newRow("one tile row too many")
        << Encoded(tall) << QStringLiteral("画像の大きさが128 x 64ではありません(128 x 72)");
    QTest::newRow("not a picture") << QByteArray("\x89PNG\r\n\x1A\n garbage", 16)
                                   << QStringLiteral("PNG画像として読めませんでした");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("PNG画像として読めませんでした");
}

void TestTilePicture::refusals() {
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    const TilePicture::ReadResult read = TilePicture::Read(file, 128, Palette);
    QCOMPARE(read.Error, error);
    QVERIFY(read.Tiles.empty());
}

QTEST_MAIN(TestTilePicture)
#include "tst_tilepicture.moc"

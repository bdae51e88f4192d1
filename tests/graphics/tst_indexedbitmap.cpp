#include "IndexedBitmap.h"

#include <QTest>
#include <climits>
#include <stdexcept>

namespace {

constexpr QRgb Sentinel = 0xFF123456;

// A bitmap whose pixel (x, y) is (x + 16 y) mod 256 and whose palette entry i is a colour
// that names i, so a picture pixel tells which source pixel it came from.
IndexedBitmap NumberedBitmap(int width, int height) {
    IndexedBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Row(y)[x] = static_cast<uint8_t>(x + 16 * y);
    for (int i = 0; i < 256; ++i)
        bitmap.SetPaletteEntry(i, qRgb(i, 255 - i, 7));
    return bitmap;
}

QRgb ColourOf(int sourceX, int sourceY) {
    const int i = (sourceX + 16 * sourceY) & 0xFF;
    return qRgb(i, 255 - i, 7);
}

QImage Picture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Sentinel);
    return picture;
}

} // namespace

class TestIndexedBitmap : public QObject {
    Q_OBJECT

private slots:
    void paletteEntriesOutsideTheRangeAreRefused();
    void rowsOutsideTheBitmapAreRefused();
    void fillIsClipped_data();
    void fillIsClipped();
    void copyFromIsClippedToBothBitmaps();
    void copyWithinOneBitmapKeepsOverlappingRows();
    void copiesToPictures_data();
    void copiesToPictures();
    void picturesMustHave32BitPixels();
};

void TestIndexedBitmap::paletteEntriesOutsideTheRangeAreRefused() {
    IndexedBitmap bitmap(4, 4);
    bitmap.SetPaletteEntry(0, qRgb(1, 2, 3));
    bitmap.SetPaletteEntry(255, 0x00445566); // no alpha given: kept opaque
    const IndexedBitmap::Palette before = bitmap.GetPalette();

    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.SetPaletteEntry(256, 0xFFFFFFFF));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.SetPaletteEntry(-1, 0xFFFFFFFF));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.PaletteEntry(256));
    QVERIFY(bitmap.GetPalette() == before);
    QCOMPARE(bitmap.PaletteEntry(0), qRgb(1, 2, 3));
    QCOMPARE(bitmap.PaletteEntry(255), 0xFF445566u);
    QCOMPARE(bitmap.PaletteEntry(17), 0xFF000000u);

    IndexedBitmap other;
    other.SetPalette(before);
    QVERIFY(other.GetPalette() == before);
}

void TestIndexedBitmap::rowsOutsideTheBitmapAreRefused() {
    IndexedBitmap bitmap(384, 24);
    QCOMPARE(bitmap.Width(), 384);
    QCOMPARE(bitmap.Height(), 24);
    bitmap.Row(23)[383] = 9;
    QCOMPARE(std::as_const(bitmap).Row(23)[383], 9);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.Row(24));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.Row(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, std::as_const(bitmap).Row(24));

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bitmap.SetSize(-1, 4));
    QCOMPARE(bitmap.Width(), 384);
    bitmap.SetSize(8, 8);
    QCOMPARE(bitmap.Row(7)[7], 0);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bitmap.Row(8));
}

void TestIndexedBitmap::fillIsClipped_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("filled");
    QTest::newRow("inside") << 2 << 3 << 4 << 2 << QRect(2, 3, 4, 2);
    QTest::newRow("over the top-left") << -2 << -3 << 4 << 5 << QRect(0, 0, 2, 2);
    QTest::newRow("over the bottom-right") << 6 << 7 << 10 << 10 << QRect(6, 7, 2, 1);
    QTest::newRow("huge") << INT_MIN << INT_MIN << INT_MAX << INT_MAX << QRect();
    QTest::newRow("everything") << -5 << -5 << INT_MAX << INT_MAX << QRect(0, 0, 8, 8);
    QTest::newRow("outside") << 8 << 0 << 4 << 4 << QRect();
    QTest::newRow("negative size") << 2 << 2 << -3 << 4 << QRect();
}

void TestIndexedBitmap::fillIsClipped() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRect, filled);
    IndexedBitmap bitmap(8, 8);

    bitmap.Fill(x, y, width, height, 7);

    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            QCOMPARE(bitmap.Row(row)[column], filled.contains(column, row) ? 7 : 0);
}

void TestIndexedBitmap::copyFromIsClippedToBothBitmaps() {
    const IndexedBitmap source = NumberedBitmap(16, 16);
    IndexedBitmap target(8, 8);
    target.Fill(0, 0, 8, 8, 0xEE);

    // Source starts 2 left of and 1 above its bitmap, target 5 right: a 4 x 3 overlap.
    target.CopyFrom(source, -2, -1, 9, 4, 3, 0);

    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool copied = x >= 5 && y >= 1 && y < 4;
            QCOMPARE(target.Row(y)[x], copied ? source.Row(y - 1)[x - 5] : 0xEE);
        }
}

void TestIndexedBitmap::copyWithinOneBitmapKeepsOverlappingRows() {
    IndexedBitmap bitmap = NumberedBitmap(16, 16);
    const IndexedBitmap original = bitmap;

    bitmap.CopyFrom(bitmap, 0, 0, 16, 8, 1, 2);

    for (int y = 2; y < 10; ++y)
        for (int x = 1; x < 16; ++x)
            QCOMPARE(bitmap.Row(y)[x], original.Row(y - 2)[x - 1]);
    QCOMPARE(bitmap.Row(1)[5], original.Row(1)[5]);
}

void TestIndexedBitmap::copiesToPictures_data() {
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QRect>("target");
    // The bitmap is 16 x 16, the picture 40 x 30.
    const QString unscaled = QStringLiteral("1:1");
    const QString enlarged = QStringLiteral("enlarged");
    const QString scaled = QStringLiteral("scaled");
    QTest::newRow("1:1") << unscaled << QRect(4, 2, 8, 6) << QRect(10, 20, 8, 6);
    QTest::newRow("enlarged 4 times") << enlarged << QRect(8, 8, 8, 6) << QRect(2, 0, 32, 24);
    QTest::newRow("halved") << scaled << QRect(0, 0, 16, 16) << QRect(5, 5, 8, 8);
    QTest::newRow("rows halved only") << scaled << QRect(0, 0, 16, 16) << QRect(0, 0, 16, 8);
    QTest::newRow("over the left and top")
        << unscaled << QRect(0, 0, 16, 16) << QRect(-3, -5, 16, 16);
    QTest::newRow("over the right and bottom")
        << unscaled << QRect(0, 0, 16, 16) << QRect(30, 25, 16, 16);
    QTest::newRow("beyond the bitmap") << unscaled << QRect(12, 13, 8, 8) << QRect(0, 0, 8, 8);
    QTest::newRow("before the bitmap") << unscaled << QRect(-4, -2, 8, 8) << QRect(2, 1, 8, 8);
    QTest::newRow("enlarged off the picture")
        << enlarged << QRect(0, 0, 16, 16) << QRect(-10, 3, 48, 48);
    QTest::newRow("far away") << scaled << QRect(0, 0, 8, 8)
                              << QRect(INT_MAX - 20, INT_MIN + 20, 8, 8);
}

void TestIndexedBitmap::copiesToPictures() {
    QFETCH(QString, copy);
    QFETCH(QRect, source);
    QFETCH(QRect, target);
    const IndexedBitmap bitmap = NumberedBitmap(16, 16);
    QImage picture = Picture(40, 30);

    if (copy == QStringLiteral("1:1"))
        bitmap.CopyToPicture(picture, source.x(), source.y(), source.width(), source.height(),
                             target.x(), target.y());
    else if (copy == QStringLiteral("enlarged"))
        bitmap.CopyToPicture(picture, source.x(), source.y(), source.width(), source.height(),
                             target.x(), target.y(), target.width() / source.width());
    else
        bitmap.CopyToPictureScaled(picture, source.x(), source.y(), source.width(), source.height(),
                                   target.x(), target.y(), target.width(), target.height());

    // Nearest neighbour: each target pixel shows the source pixel its position scales to;
    // a pixel off the target or with a source off the bitmap is left alone.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int64_t i = int64_t{x} - target.x();
            const int64_t j = int64_t{y} - target.y();
            const int64_t sourceX = source.x() + i * source.width() / target.width();
            const int64_t sourceY = source.y() + j * source.height() / target.height();
            const bool copied = i >= 0 && j >= 0 && i < target.width() && j < target.height() &&
                                sourceX >= 0 && sourceX < 16 && sourceY >= 0 && sourceY < 16;
            QCOMPARE(picture.pixel(x, y), copied ? ColourOf(int(sourceX), int(sourceY)) : Sentinel);
        }
}

void TestIndexedBitmap::picturesMustHave32BitPixels() {
    const IndexedBitmap bitmap = NumberedBitmap(8, 8);
    QImage indexed(8, 8, QImage::Format_Indexed8);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             bitmap.CopyToPicture(indexed, 0, 0, 8, 8, 0, 0));
    QImage none;
    bitmap.CopyToPicture(none, 0, 0, 8, 8, 0, 0);
    QVERIFY(none.isNull());
}

QTEST_GUILESS_MAIN(TestIndexedBitmap)
#include "tst_indexedbitmap.moc"

#include "tilepicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <algorithm>

namespace TilePicture {

namespace {

int PictureHeight(int tileCount) {
    return (tileCount + TilesPerRow - 1) / TilesPerRow * 8;
}

// The colour number of every pixel, row by row, or the reason one has none.
struct PixelNumbers {
    std::vector<uint8_t> Values;
    QString Error;
};

PixelNumbers ByIndex(const QImage &image) {
    PixelNumbers numbers;
    numbers.Values.reserve(static_cast<size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int index = image.pixelIndex(x, y);
            if (index > 3) {
                numbers.Error = QCoreApplication::translate(
                                    "TilePicture", "(%1, %2)の画素の色番号%3は0から3ではありません")
                                    .arg(x)
                                    .arg(y)
                                    .arg(index);
                return numbers;
            }
            numbers.Values.push_back(static_cast<uint8_t>(index));
        }
    }
    return numbers;
}

PixelNumbers ByColour(const QImage &source, const Colours &colours) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    PixelNumbers numbers;
    numbers.Values.reserve(static_cast<size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const auto match = std::find(colours.begin(), colours.end(), row[x] | 0xFF000000u);
            if (qAlpha(row[x]) != 0xFF || match == colours.end()) {
                numbers.Error =
                    QCoreApplication::translate(
                        "TilePicture", "(%1, %2)の画素の色はパレットの4色のどれでもありません")
                        .arg(x)
                        .arg(y);
                return numbers;
            }
            numbers.Values.push_back(static_cast<uint8_t>(match - colours.begin()));
        }
    }
    return numbers;
}

bool IsIndexed(QImage::Format format) {
    return format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
           format == QImage::Format_MonoLSB;
}

} // namespace

Colours Greys() {
    return {qRgb(0x00, 0x00, 0x00), qRgb(0x55, 0x55, 0x55), qRgb(0xAA, 0xAA, 0xAA),
            qRgb(0xFF, 0xFF, 0xFF)};
}

QImage Picture(const ChrTiles &tiles, const std::vector<int> &numbers, const Colours &colours) {
    QImage image(Width, PictureHeight(static_cast<int>(numbers.size())), QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    image.fill(0);
    for (size_t k = 0; k < numbers.size(); ++k) {
        if (numbers[k] < 0)
            continue;
        const uint8_t *bytes = tiles.Tile(numbers[k]);
        const int left = 8 * static_cast<int>(k % TilesPerRow);
        const int top = 8 * static_cast<int>(k / TilesPerRow);
        for (int row = 0; row < 8; ++row) {
            uchar *line = image.scanLine(top + row) + left;
            for (int column = 0; column < 8; ++column) {
                const int bit = 7 - column;
                line[column] = static_cast<uchar>(((bytes[row] >> bit) & 1) |
                                                  (((bytes[row + 8] >> bit) & 1) << 1));
            }
        }
    }
    return image;
}

ReadResult Read(const QByteArray &fileBytes, int tileCount, const Colours &colours) {
    ReadResult result;
    // Bytes that do not even start like a PNG never reach the decoder, which would report
    // them on the error stream besides refusing them.
    if (!fileBytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1A\n"))) {
        result.Error = QCoreApplication::translate("TilePicture", "PNG画像として読めませんでした");
        return result;
    }
    QByteArray bytes = fileBytes;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, "png");
    // The size is checked from the header before any pixel is decoded, so no file can make
    // the reader allocate more than one small picture.
    const QSize size = reader.size();
    const int height = PictureHeight(tileCount);
    if (!reader.canRead() || !size.isValid()) {
        result.Error = QCoreApplication::translate("TilePicture", "PNG画像として読めませんでした");
        return result;
    }
    if (size != QSize(Width, height)) {
        result.Error = QCoreApplication::translate("TilePicture",
                                                   "画像の大きさが%1 x %2ではありません(%3 x %4)")
                           .arg(Width)
                           .arg(height)
                           .arg(size.width())
                           .arg(size.height());
        return result;
    }
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size) {
        result.Error = QCoreApplication::translate("TilePicture", "PNG画像として読めませんでした");
        return result;
    }
    const PixelNumbers numbers =
        IsIndexed(image.format()) ? ByIndex(image) : ByColour(image, colours);
    if (!numbers.Error.isEmpty()) {
        result.Error = numbers.Error;
        return result;
    }
    result.Tiles.resize(static_cast<size_t>(tileCount));
    for (int k = 0; k < tileCount; ++k) {
        TileData &tile = result.Tiles[static_cast<size_t>(k)];
        const int left = 8 * (k % TilesPerRow);
        const int top = 8 * (k / TilesPerRow);
        for (int row = 0; row < 8; ++row) {
            const uint8_t *values = numbers.Values.data() + (top + row) * Width + left;
            for (int column = 0; column < 8; ++column) {
                const int bit = 7 - column;
                tile[row] |= static_cast<uint8_t>((values[column] & 1) << bit);
                tile[row + 8] |= static_cast<uint8_t>(((values[column] >> 1) & 1) << bit);
            }
        }
    }
    return result;
}

std::vector<TileChange> Changes(const std::vector<int> &numbers,
                                const std::vector<TileData> &read) {
    std::vector<TileChange> changes;
    const size_t count = std::min(numbers.size(), read.size());
    for (size_t k = 0; k < count; ++k)
        if (numbers[k] >= 0)
            changes.push_back({numbers[k], read[k]});
    return changes;
}

} // namespace TilePicture

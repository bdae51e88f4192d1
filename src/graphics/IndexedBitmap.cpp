#include "IndexedBitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace {

constexpr QRgb Opaque = 0xFF000000u;

// Clips a one-dimensional copy of `length` items from `from` to `to` so that the source
// stays inside 0..sourceSize and the destination inside 0..targetSize. Works in 64 bits so
// that no caller value can overflow; false when nothing is left.
bool ClipSpan(int64_t &from, int64_t &to, int64_t &length, int64_t sourceSize, int64_t targetSize) {
    if (from < 0) {
        to -= from;
        length += from;
        from = 0;
    }
    if (to < 0) {
        from -= to;
        length += to;
        to = 0;
    }
    length = std::min({length, sourceSize - from, targetSize - to});
    return length > 0;
}

} // namespace

IndexedBitmap::Palette IndexedBitmap::OpaqueBlackPalette() {
    Palette palette;
    palette.fill(Opaque);
    return palette;
}

IndexedBitmap::IndexedBitmap(int width, int height) {
    SetSize(width, height);
}

void IndexedBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw std::invalid_argument("IndexedBitmap::SetSize: negative size");
    Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    W = width;
    H = height;
}

void IndexedBitmap::SetPaletteEntry(int index, QRgb colour) {
    if (index < 0 || index > 255)
        throw std::out_of_range("IndexedBitmap::SetPaletteEntry: index outside 0..255");
    Colours[static_cast<size_t>(index)] = colour | Opaque;
}

QRgb IndexedBitmap::PaletteEntry(int index) const {
    if (index < 0 || index > 255)
        throw std::out_of_range("IndexedBitmap::PaletteEntry: index outside 0..255");
    return Colours[static_cast<size_t>(index)];
}

void IndexedBitmap::SetPalette(const Palette &palette) {
    std::transform(palette.begin(), palette.end(), Colours.begin(),
                   [](QRgb colour) { return colour | Opaque; });
}

uint8_t *IndexedBitmap::Row(int y) {
    if (y < 0 || y >= H)
        throw std::out_of_range("IndexedBitmap::Row: row outside the bitmap");
    return Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(W);
}

const uint8_t *IndexedBitmap::Row(int y) const {
    if (y < 0 || y >= H)
        throw std::out_of_range("IndexedBitmap::Row: row outside the bitmap");
    return Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(W);
}

void IndexedBitmap::Fill(int x, int y, int width, int height, uint8_t index) {
    // Clipping a fill is clipping a copy from an unbounded source.
    int64_t fromX = 0, toX = x, spanX = width;
    int64_t fromY = 0, toY = y, spanY = height;
    if (!ClipSpan(fromX, toX, spanX, INT64_MAX / 4, W) ||
        !ClipSpan(fromY, toY, spanY, INT64_MAX / 4, H))
        return;
    for (int64_t row = toY; row < toY + spanY; ++row)
        std::memset(Row(static_cast<int>(row)) + toX, index, static_cast<size_t>(spanX));
}

void IndexedBitmap::CopyFrom(const IndexedBitmap &source, int sx, int sy, int w, int h, int dx,
                             int dy) {
    int64_t fromX = sx, toX = dx, spanX = w;
    int64_t fromY = sy, toY = dy, spanY = h;
    if (!ClipSpan(fromX, toX, spanX, source.W, W) || !ClipSpan(fromY, toY, spanY, source.H, H))
        return;
    // Within one bitmap the rows may overlap: walk them so that no row is overwritten
    // before it has been read.
    const bool upward = &source == this && toY > fromY;
    const uint8_t *from = source.Pixels.data() + fromY * source.W + fromX;
    uint8_t *to = Pixels.data() + toY * W + toX;
    for (int64_t k = 0; k < spanY; ++k) {
        const int64_t line = upward ? spanY - 1 - k : k;
        std::memmove(to + line * W, from + line * source.W, static_cast<size_t>(spanX));
    }
}

void IndexedBitmap::CopyToPicture(QImage &picture, int sx, int sy, int w, int h, int dx, int dy,
                                  int factor) const {
    if (factor <= 0)
        return;
    const auto scaled = [factor](int length) {
        return static_cast<int>(std::min<int64_t>(int64_t{length} * factor, INT_MAX));
    };
    CopyToPictureScaled(picture, sx, sy, w, h, dx, dy, scaled(w), scaled(h));
}

void IndexedBitmap::CopyToPictureScaled(QImage &picture, int sx, int sy, int sw, int sh, int dx,
                                        int dy, int dw, int dh) const {
    if (picture.isNull() || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    if (picture.depth() != 32)
        throw std::invalid_argument("IndexedBitmap::CopyToPictureScaled: not a 32-bit picture");

    // Destination columns i and rows j (relative to dx, dy) that lie on the picture.
    const int64_t firstColumn = std::max<int64_t>(0, -int64_t{dx});
    const int64_t endColumn = std::min<int64_t>(dw, int64_t{picture.width()} - dx);
    const int64_t firstLine = std::max<int64_t>(0, -int64_t{dy});
    const int64_t endLine = std::min<int64_t>(dh, int64_t{picture.height()} - dy);
    if (firstColumn >= endColumn || firstLine >= endLine)
        return;

    // The source column of every destination column, worked out once per copy. The
    // mapping never decreases, so the columns with a source inside the bitmap are one run.
    const bool unscaledColumns = sw == dw;
    std::vector<int> sourceColumns;
    int64_t runBegin = endColumn;
    int64_t runEnd = firstColumn;
    for (int64_t i = firstColumn; i < endColumn; ++i) {
        const int64_t column = sx + i * sw / dw;
        if (column < 0)
            continue;
        if (column >= W)
            break;
        runBegin = std::min(runBegin, i);
        runEnd = i + 1;
        if (!unscaledColumns)
            sourceColumns.push_back(static_cast<int>(column));
    }
    if (runBegin >= runEnd)
        return;
    const size_t runLength = static_cast<size_t>(runEnd - runBegin);

    uchar *const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    const QRgb *const palette = Colours.data();
    const QRgb *previousTarget = nullptr;
    int64_t previousSourceLine = -1;
    for (int64_t j = firstLine; j < endLine; ++j) {
        const int64_t line = sy + j * sh / dh;
        if (line < 0 || line >= H)
            continue;
        QRgb *target = reinterpret_cast<QRgb *>(bits + (dy + j) * stride) + dx + runBegin;
        if (line == previousSourceLine) {
            // An enlarged row repeats the row above it.
            std::memcpy(target, previousTarget, runLength * sizeof(QRgb));
        } else if (unscaledColumns) {
            const uint8_t *source = Row(static_cast<int>(line)) + sx + runBegin;
            for (size_t k = 0; k < runLength; ++k)
                target[k] = palette[source[k]];
        } else {
            const uint8_t *source = Row(static_cast<int>(line));
            for (size_t k = 0; k < runLength; ++k)
                target[k] = palette[source[sourceColumns[k]]];
        }
        previousTarget = target;
        previousSourceLine = line;
    }
}

#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

/// An off-screen bitmap of one byte per pixel, each an index into its 256-entry palette.
///
/// Copies between bitmaps are row copies of indices; copies onto a picture (a
/// `QImage::Format_RGB32` shown by an image control) turn each index into its palette
/// colour, 1:1, enlarged by a whole factor, or halved.
class IndexedBitmap {
public:
    using Palette = std::array<QRgb, 256>;

    IndexedBitmap() = default;
    IndexedBitmap(int width, int height);

    /// Sets the pixel area; the new pixels are 0.
    void SetSize(int width, int height);
    int Width() const { return W; }
    int Height() const { return H; }

    /// Throws std::out_of_range for an index outside 0..255; nothing changes then.
    void SetPaletteEntry(int index, QRgb colour);
    QRgb PaletteEntry(int index) const;
    const Palette &GetPalette() const { return Colours; }
    void SetPalette(const Palette &palette) { Colours = palette; }

    /// The `Width()` pixel bytes of row y; throws std::out_of_range for a row outside.
    uint8_t *Row(int y);
    const uint8_t *Row(int y) const;

    /// Sets every pixel of the rectangle (clipped to the bitmap) to `index`.
    void Fill(int x, int y, int width, int height, uint8_t index);

    /// Copies a w x h rectangle of indices from `source`, clipped to both bitmaps.
    void CopyFrom(const IndexedBitmap &source, int sx, int sy, int w, int h, int dx, int dy);

    /// Draws the rectangle (sx, sy, w, h) onto `picture` at (dx, dy), each source pixel as a
    /// `factor` x `factor` block in its palette colour; clipped to the picture.
    void CopyToPicture(QImage &picture, int sx, int sy, int w, int h, int dx, int dy,
                       int factor = 1) const;
    /// Draws the rectangle (sx, sy, w, h), w and h even, onto `picture` at half size,
    /// keeping the top-left pixel of each 2 x 2 block.
    void CopyToPictureHalved(QImage &picture, int sx, int sy, int w, int h, int dx,
                             int dy) const;

private:
    int W = 0;
    int H = 0;
    std::vector<uint8_t> Pixels;
    Palette Colours{};
};

#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

/// An off-screen bitmap of one byte per pixel, each an index into its 256-entry palette.
///
/// Copies between bitmaps are row copies of indices; copies onto a picture (a 32-bit
/// `QImage`, `QImage::Format_RGB32`, shown by an image control) turn each index into its
/// palette colour, 1:1, enlarged by a whole factor, or scaled to any rectangle (the 512 x 512
/// chip sheet is shown halved that way).
/// Every fill and copy is clipped: nothing outside either bitmap or the picture is touched.
/// Owns its pixels and palette.
class IndexedBitmap {
public:
    using Palette = std::array<QRgb, 256>;

    IndexedBitmap() = default;
    IndexedBitmap(int width, int height);

    /// Sets the pixel area; every pixel becomes 0. Throws std::invalid_argument for a
    /// negative size, leaving the bitmap as it was.
    void SetSize(int width, int height);
    int Width() const { return W; }
    int Height() const { return H; }

    /// Throws std::out_of_range for an index outside 0..255; nothing changes then.
    /// Colours are kept opaque (alpha 0xFF), as the pictures they end up on have no
    /// transparency.
    void SetPaletteEntry(int index, QRgb colour);
    /// Throws std::out_of_range for an index outside 0..255.
    QRgb PaletteEntry(int index) const;
    const Palette &GetPalette() const { return Colours; }
    void SetPalette(const Palette &palette);

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
    /// Draws the rectangle (sx, sy, sw, sh) scaled onto the rectangle (dx, dy, dw, dh) of
    /// `picture`: destination pixel (dx + i, dy + j) takes the colour of source pixel
    /// (sx + i·sw/dw, sy + j·sh/dh). Destination pixels whose source lies outside the
    /// bitmap, and pixels outside the picture, are left alone.
    /// Throws std::invalid_argument when the picture is not 32 bits a pixel.
    void CopyToPictureScaled(QImage &picture, int sx, int sy, int sw, int sh, int dx, int dy,
                             int dw, int dh) const;

private:
    static Palette OpaqueBlackPalette();

    int W = 0;
    int H = 0;
    std::vector<uint8_t> Pixels;
    Palette Colours = OpaqueBlackPalette();
};

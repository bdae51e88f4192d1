#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

/// An 8x8 tile as colour numbers 0..3, row by row.
using TilePixels = std::array<uint8_t, 64>;

/// The colour of pixel (x, y) of ASCII art given row by row: '1'..'3' are those colours,
/// any other character and any pixel outside the rows colour 0.
int ArtColour(std::span<const std::string_view> rows, int x, int y);

/// Reads a tile from ASCII art: eight rows of eight characters, '.' for colour 0.
TilePixels TileFromArt(std::span<const std::string_view> rows);

/// Paints a tile by asking `colourAt(x, y)` (x, y = 0..7) for the colour of each pixel.
template <class ColourAt> TilePixels PaintTile(ColourAt colourAt) {
    TilePixels pixels{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels[8 * y + x] = static_cast<uint8_t>(colourAt(x, y) & 3);
    return pixels;
}

/// The 16 bytes the console reads for a tile: plane 0 (colour bit 0) in bytes 0..7,
/// plane 1 (colour bit 1) in bytes 8..15, one byte per row, the leftmost pixel in bit 7.
std::array<uint8_t, 16> EncodeTile(const TilePixels &pixels);

/// A small deterministic hash of a pixel position and a seed, for speckles and noise that
/// must come out the same on every run and every platform.
uint32_t PixelHash(int x, int y, uint32_t seed);

/// A 2 KB window of 128 tiles, filled by the drawing code of one bank.
///
/// Owns the encoded bytes; tiles never put stay blank (colour 0).
class TileBank {
public:
    static constexpr int TileCount = 128;
    static constexpr int ByteSize = TileCount * 16;

    TileBank();

    void Put(int tile, const TilePixels &pixels);

    /// Paints a picture `tilesWide` x `tilesHigh` tiles large from `colourAt(x, y)` in
    /// picture pixels and puts its tiles row by row from `firstTile` on.
    template <class ColourAt>
    void PutPicture(int firstTile, int tilesWide, int tilesHigh, ColourAt colourAt) {
        for (int row = 0; row < tilesHigh; ++row)
            for (int column = 0; column < tilesWide; ++column)
                Put(firstTile + row * tilesWide + column,
                    PaintTile([&](int x, int y) { return colourAt(8 * column + x, 8 * row + y); }));
    }

    const QByteArray &Bytes() const { return Data; }

private:
    QByteArray Data;
};

#pragma once

#include "chrtiles.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <vector>

/// Tiles as a picture file and back: 16 tiles a row, 8 pixels a tile, each pixel the tile's
/// colour number 0..3. Written as an indexed picture whose four colours are the chosen
/// palette's; read either by index or, for a full-colour picture, by matching each pixel to
/// exactly one of the four colours, never to the nearest.
namespace TilePicture {

using Colours = std::array<QRgb, 4>;
inline constexpr int TilesPerRow = 16;
inline constexpr int Width = TilesPerRow * 8;

/// Four greys from black (colour 0) to white (colour 3).
Colours Greys();

/// The tiles `numbers` in order; a number of -1 shows as colour 0. The picture is `Width`
/// wide and 8 pixels high per started row of 16 tiles.
QImage Picture(const ChrTiles &tiles, const std::vector<int> &numbers, const Colours &colours);

/// The result of reading a picture: the tiles in picture order, or the reason for refusing.
struct ReadResult {
    std::vector<TileData> Tiles;
    QString Error;
    bool Ok() const { return Error.isEmpty(); }
};

/// Reads a picture file of `tileCount` tiles (a multiple of 16) laid out as `Picture`
/// writes them. An indexed picture is read by index, any index above 3 refused; any other
/// picture by matching `colours` (the lowest colour number wins where two are equal). The
/// first offending pixel is named, row by row from the top left.
ReadResult Read(const QByteArray &fileBytes, int tileCount, const Colours &colours);

/// The tiles `numbers` changes to: `read` paired with them, leaving out -1.
std::vector<TileChange> Changes(const std::vector<int> &numbers, const std::vector<TileData> &read);

} // namespace TilePicture

#pragma once

#include "chrtiles.h"

#include <QString>
#include <optional>

/// Drawing on one tile's 16 bytes: pixels are colour numbers 0..3 at (x, y), 0..7 each,
/// bit 7 - x of plane byte y (low bit) and of byte y + 8 (high bit). Positions outside the
/// tile change nothing and read as colour 0.
namespace TilePixels {

int Pixel(const TileData &tile, int x, int y);
void SetPixel(TileData &tile, int x, int y, int colour);
/// Every pixel of the straight line from (x0, y0) to (x1, y1), both ends included and no
/// gaps between, whatever the distance; the part outside the tile is left out.
void DrawLine(TileData &tile, int x0, int y0, int x1, int y1, int colour);
/// The area of (x, y)'s colour reachable through side-by-side neighbours takes `colour`.
void FloodFill(TileData &tile, int x, int y, int colour);
TileData FlippedHorizontally(const TileData &tile);
TileData FlippedVertically(const TileData &tile);
/// Turned a quarter clockwise.
TileData Rotated(const TileData &tile);

/// The tile as clipboard text: eight lines of eight colour digits, top row first.
QString ClipboardText(const TileData &tile);
/// A tile from clipboard text as `ClipboardText` writes it; blank lines and spaces around
/// a line are ignored. Nothing for any other text.
std::optional<TileData> FromClipboardText(const QString &text);

} // namespace TilePixels

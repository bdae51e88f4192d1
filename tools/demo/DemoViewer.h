#pragma once

#include <QByteArray>
#include <cstdint>

/// iNES header byte 6 of the demo cartridge: the board with 8 KB program banks and 1 KB
/// character banks, which the viewer needs to show any stage's two tile windows.
inline constexpr uint8_t DemoMapperByte = 0x40;

/// The 8 KB program bank that holds the viewer: the last one, which that board keeps at
/// $E000 from power-on. No table lies there at its default offset.
inline constexpr int ViewerProgramBank = 31;
inline constexpr int ProgramBankSize = 0x2000;

/// The 1 KB character page where the viewer's marker sprites begin (2 KB); the viewer's
/// own source names the same page.
inline constexpr int MarkerTilePage = 126;

/// The sprite tiles of an object marker: tiles 0x00..0x0F are the upper left corner with
/// the kind's high hexadecimal digit, 0x10..0x1F the upper right corner with the low digit,
/// 0x20 and 0x21 the lower corners. 2 KB of character data.
QByteArray DrawMarkerTiles();

/// Puts the viewer program into its bank and the marker tiles into their pages of an image
/// laid out like the demo cartridge (16 program units).
void WriteViewer(QByteArray &image);

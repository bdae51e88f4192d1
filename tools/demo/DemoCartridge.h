#pragma once

#include <QByteArray>

/// Size of the demo cartridge image: the 16-byte header, 16 units of 16 KB program data and
/// 16 units of 8 KB character data.
inline constexpr int DemoCartridgeSize = 16 + 16 * 0x4000 + 16 * 0x2000;

/// A complete demo cartridge image: every stage's tables at the default offsets (stages 14
/// and 16 on stage 13's chips and map sets), the palette animation tables, the tile art and
/// the stage viewer program that shows them on the console. The same bytes on every call.
QByteArray MakeDemoCartridge();

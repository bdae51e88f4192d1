#pragma once

#include <QByteArray>
#include <cstdint>

/// Tile numbers of the common bank, shown as tiles 0x00..0x7F by every demo stage.
/// Colour numbers are meant for the sky palette (0 background, 1 deep sky or shade,
/// 2 cloud white and lettering, 3 stars and lamp light) or, for water, the water palette.
namespace CommonTile {
inline constexpr uint8_t Empty = 0x00;
/// Ordered dithers of colour 1 over the background, from light to dense.
inline constexpr uint8_t SkyLight = 0x01;
inline constexpr uint8_t SkyMedium = 0x02;
inline constexpr uint8_t SkyDense = 0x03;
/// A 32x16 cloud: tiles 0x08..0x0B on top, 0x0C..0x0F below.
inline constexpr uint8_t Cloud = 0x08;
/// Digits 0..9 at 0x10..0x19, the letters of `Letters` from 0x1A on.
inline constexpr uint8_t Digit0 = 0x10;
inline constexpr uint8_t FirstLetter = 0x1A;
inline constexpr char Letters[] = "ABCDEFGST";
inline constexpr uint8_t WaterSurface = 0x28;
inline constexpr uint8_t WaterBody = 0x29;
inline constexpr uint8_t WaterBubbles = 0x2A;
inline constexpr uint8_t StarSmall = 0x2B;
inline constexpr uint8_t StarBig = 0x2C;
/// A 16x16 round sun or moon: 0x30, 0x31 on top, 0x32, 0x33 below.
inline constexpr uint8_t Orb = 0x30;
/// A 16x16 hanging lamp, same arrangement.
inline constexpr uint8_t Lamp = 0x34;
} // namespace CommonTile

/// Tile numbers of a terrain bank, shown as tiles 0x80..0xFF. Every terrain style draws
/// the same pieces at the same numbers, so a stage changes its look by its bank byte alone.
/// Colours are meant for the earth palette (1 dark, 2 main, 3 light) or, for grass and
/// bushes, the plant palette.
namespace TerrainTile {
/// 16x16 pieces, four tiles each: top-left, top-right, bottom-left, bottom-right.
inline constexpr uint8_t Block = 0x80;
inline constexpr uint8_t Earth = 0x84;
inline constexpr uint8_t Grass = 0x88;
inline constexpr uint8_t Wall = 0x8C;
/// Left and right rail of a 16-pixel ladder; the same pair repeats on every row.
inline constexpr uint8_t LadderLeft = 0x90;
inline constexpr uint8_t LadderRight = 0x91;
/// A 16x8 ledge: left and right tile.
inline constexpr uint8_t LedgeLeft = 0x92;
inline constexpr uint8_t LedgeRight = 0x93;
/// A pipe 32 pixels wide: its flanged top is 4 x 2 tiles (0x94..0x97 over 0x98..0x9B),
/// its shaft one row of four tiles (0x9C..0x9F) that repeats downwards.
inline constexpr uint8_t PipeRim = 0x94;
inline constexpr uint8_t PipeShaft = 0x9C;
/// A 32x16 bush: 0xA0..0xA3 over 0xA4..0xA7.
inline constexpr uint8_t Bush = 0xA0;
} // namespace TerrainTile

/// The three looks of a terrain bank.
enum class TerrainStyle { Meadow, Rock, Works };

/// The common bank: 2048 bytes of CHR data.
QByteArray DrawCommonBank();
/// One terrain bank: 2048 bytes of CHR data.
QByteArray DrawTerrainBank(TerrainStyle style);

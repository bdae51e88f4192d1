#pragma once

#include <array>
#include <cstdint>
#include <string_view>

/// The 16x16 chips of every demo stage, by number.
namespace Chip16 {
enum : uint8_t {
    Sky,
    GradientTop,
    GradientBottom,
    CloudLeft,
    CloudRight,
    StarsA,
    StarsB,
    Orb,
    Lamp,
    Block,
    Earth,
    Grass,
    Wall,
    Ladder,
    LadderTop,
    Ledge,
    /// A ledge in front of a wall: the wall shows beneath its plank.
    WallLedge,
    PipeRimLeft,
    PipeRimRight,
    PipeShaftLeft,
    PipeShaftRight,
    BushLeft,
    BushRight,
    WaterTop,
    WaterDeep,
    /// Four chips of sign lettering (Sign .. Sign + 3), two characters each on their
    /// upper half.
    Sign,
};
} // namespace Chip16

/// The 32x32 chips of every demo stage, by number.
namespace Chip32 {
enum : uint8_t {
    Sky,
    Gradient,
    Cloud,
    CloudLow,
    Stars,
    Orb,
    Lamp,
    GroundTop,
    Earth,
    Block,
    Wall,
    Ledge,
    Ladder,
    LadderLedge,
    WallLadder,
    WallLedge,
    WallLadderLedge,
    PipeTop,
    PipeShaft,
    Bush,
    WaterTop,
    WaterDeep,
    /// Two chips (Sign, Sign + 1) carrying the eight characters of the sign.
    Sign,
};
} // namespace Chip32

/// Chip attributes (high nibble of a property byte) the demo uses.
namespace ChipAttribute {
inline constexpr uint8_t Background = 0;
inline constexpr uint8_t Solid = 1;
inline constexpr uint8_t Ladder = 2;
inline constexpr uint8_t LadderTop = 4;
inline constexpr uint8_t Water = 8;
} // namespace ChipAttribute

/// Palette numbers of the demo's chips.
namespace ChipPalette {
inline constexpr uint8_t Sky = 0;
inline constexpr uint8_t Earth = 1;
inline constexpr uint8_t Plant = 2;
inline constexpr uint8_t Pool = 3;
} // namespace ChipPalette

/// One stage's chip tables, laid out as in the image: tile numbers in four planes of 256
/// (quarter q of chip n at n + 256 q), one property byte per 16x16 chip, and four 16x16
/// chip numbers per 32x32 chip.
struct ChipTables {
    std::array<uint8_t, 1024> Chip16x16{};
    std::array<uint8_t, 256> ChipProperty{};
    std::array<uint8_t, 1024> Chip32x32{};
};

/// The chip tables of a stage whose sign reads `signText` (up to eight characters: digits,
/// the letters of the common bank, spaces). Chips beyond the catalogue stay plain sky.
ChipTables MakeChipTables(std::string_view signText);

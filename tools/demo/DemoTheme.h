#pragma once

#include "DemoTiles.h"

#include <cstdint>

/// What fills the pools of a stage: the chips are the same, only the pool palette differs.
enum class PoolLiquid { Water, Lava };

/// Which kinds of room dominate a stage's map sets.
enum class RoomMix { Fields, Waterways, Caverns, Fortress, Skyway };

/// The look of one demo stage: terrain bank, colour hues and room mix.
struct StageTheme {
    TerrainStyle Style;
    uint8_t EarthHue; ///< hue (low nibble of a colour index) of blocks and earth
    uint8_t PlantHue; ///< hue of grass, bushes and pipes
    PoolLiquid Liquid;
    RoomMix Mix;
};

/// The theme of stage 0..17; no two stages look alike.
const StageTheme &ThemeOf(int stage);

/// The background bank byte of the common bank (tiles 0x00..0x7F of every stage).
inline constexpr uint8_t CommonBankByte = 0;
/// The background bank byte that shows `style` as tiles 0x80..0xFF.
uint8_t TerrainBankByte(TerrainStyle style);

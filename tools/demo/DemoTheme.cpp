#include "DemoTheme.h"

#include <array>

namespace {

using enum TerrainStyle;
using enum PoolLiquid;
using enum RoomMix;

// Stages 14 and 16 show stage 13's rooms (they share its chips and map sets), so their
// mix is never used; their bank and colours still set them apart.
constexpr std::array<StageTheme, 18> Themes = {{
    {Meadow, 0x07, 0x0A, Water, Fields},
    {Meadow, 0x06, 0x09, Water, Waterways},
    {Rock, 0x00, 0x0B, Water, Caverns},
    {Works, 0x0C, 0x0A, Water, Fortress},
    {Meadow, 0x08, 0x0A, Water, Skyway},
    {Rock, 0x06, 0x0B, Lava, Caverns},
    {Works, 0x03, 0x0C, Water, Fortress},
    {Meadow, 0x04, 0x09, Water, Fields},
    {Rock, 0x07, 0x0A, Lava, Waterways},
    {Works, 0x00, 0x01, Water, Skyway},
    {Meadow, 0x0B, 0x0A, Water, Waterways},
    {Rock, 0x02, 0x0C, Water, Fortress},
    {Works, 0x05, 0x0A, Lava, Caverns},
    {Rock, 0x08, 0x0A, Water, Fields},
    {Works, 0x01, 0x0B, Water, Fields},
    {Meadow, 0x0C, 0x0B, Water, Skyway},
    {Meadow, 0x06, 0x09, Lava, Fields},
    {Works, 0x06, 0x0C, Lava, Caverns},
}};

} // namespace

const StageTheme &ThemeOf(int stage) {
    return Themes[static_cast<size_t>(stage)];
}

uint8_t TerrainBankByte(TerrainStyle style) {
    // Each bank byte counts 1 KB, a bank is 2 KB: the common bank takes bytes 0 and 1.
    switch (style) {
    case Rock:
        return 4;
    case Works:
        return 6;
    case Meadow:
        break;
    }
    return 2;
}

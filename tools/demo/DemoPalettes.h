#pragma once

#include "DemoTheme.h"

#include <QByteArray>
#include <array>
#include <cstdint>

/// The palette animations of the demo, by record number (the low seven bits of an
/// animated slot).
enum class DemoAnimation : uint8_t {
    WaterShimmer,
    LavaGlow,
    StarTwinkle,
    LampBlink,
    Caustics,
    NightWater,
};

/// The five palette sets of a stage: day, dusk, night, cave and underwater, 16 colour
/// indices each (palette p colour c at entry 4 p + c), all below 0x40. Entries that an
/// animation of the set replaces start as the animation's first frame.
std::array<std::array<uint8_t, 16>, 5> MakePaletteSets(const StageTheme &theme);

/// The four animation slots of each of the five sets: 0x80 | record number, or 0x00.
std::array<std::array<uint8_t, 4>, 5> MakeAnimationSlots(const StageTheme &theme);

/// The three global animation tables at their default offsets, written into `image`:
/// the 14-entry pointer table, the records (last frame, wait, first entry, frames) and the
/// colour triples (at most 38).
void WritePaletteAnimationTables(QByteArray &image);

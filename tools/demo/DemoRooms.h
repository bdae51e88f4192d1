#pragma once

#include "DemoTheme.h"

#include <array>
#include <cstdint>
#include <vector>

/// One stage's 32 map sets as laid out in the image: map set m is bytes 64 m .. 64 m + 63,
/// row by row, each byte a 32x32 chip number of `Chip32`.
using MapSetBytes = std::array<uint8_t, 2048>;

/// The map sets of a stage with its own chips. Map set 0 is the sign room; the others are
/// rooms of the kinds the theme's mix favours.
MapSetBytes MakeMapSets(int stage, const StageTheme &theme);

/// The map set number (0..31) of each of the 48 rooms. A stage that shows another stage's
/// map sets (`ownMapSets` false) does not open with that stage's sign room.
std::array<uint8_t, 48> MakeMap(int stage, bool ownMapSets);

/// One object as the image's table stores it.
struct DemoObject {
    uint8_t Room, X, Y, Kind;
};

/// The objects of a stage, grouped by ascending room and sorted by X within a room: at most
/// 127, X and Y within 8..247, kinds 0x00..0x3F. Walkers stand on floors of the room's map
/// set, fliers hover in its open sky.
std::vector<DemoObject> MakeObjects(int stage, const std::array<uint8_t, 48> &map,
                                    const MapSetBytes &mapSets);

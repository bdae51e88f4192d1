#pragma once

#include <QString>

class StageData;

// How a stage's graphics tables use each other. Lists are texts of two-digit hexadecimal
// numbers, each followed by one space, one line per row of 16 numbers (or per group), every
// line ending with CR LF; an empty text when there is nothing to list.

/// Tiles 00..FF that no 16x16 chip uses.
QString ListUnusedTiles(const StageData &stage);
/// 16x16 chips that no 32x32 chip uses.
QString ListUnused16x16Chips(const StageData &stage);
/// 32x32 chips that no map set uses (all 32 map sets count).
QString ListUnused32x32Chips(const StageData &stage);
/// Groups of identical 32x32 chips, each under its smallest member: "05 0A 1B \r\n".
QString ListDuplicate32x32Chips(const StageData &stage);
/// The same groups as a replacement preview: "05 <- 0A 1B \r\n".
QString ListDuplicateChips(const StageData &stage);
/// Makes every map set entry that holds a later member of a group hold the group's smallest
/// member; returns how many entries changed. Writes the table directly and records nothing:
/// the caller flags the stage and clears its history when the count is above 0.
int ReplaceDuplicateChips(StageData &stage);

#pragma once

class EditorGraphics;
class StageData;

/// Gives the shared 16x16 chip sheet the current stage palette and builds all 256 chips of
/// `stage` into it. The 16x16 page does this on activation; the main window also does it
/// before the 32x32, map set, map and object pages activate, since they draw from the sheet.
void RebuildChip16x16Sheet(EditorGraphics &graphics, const StageData &stage);

/// Gives the shared 32x32 chip sheet the current stage palette and composes all 256 chips
/// of `stage` from the 16x16 sheet, which must be current.
void RebuildChip32x32Sheet(EditorGraphics &graphics, const StageData &stage);

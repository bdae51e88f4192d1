#include "chipsheets.h"

#include "editdata.h"
#include "graphics.h"

void RebuildChip16x16Sheet(EditorGraphics &graphics, const StageData &stage) {
    IndexedBitmap &sheet = graphics.Chip16x16Sheet();
    sheet.SetPalette(graphics.StagePalette());
    graphics.BuildChip16x16Sheet(sheet, stage.BGBank(), stage.Chip16x16(), stage.ChipProperty());
}

void RebuildChip32x32Sheet(EditorGraphics &graphics, const StageData &stage) {
    IndexedBitmap &sheet = graphics.Chip32x32Sheet();
    sheet.SetPalette(graphics.StagePalette());
    graphics.BuildChip32x32Sheet(sheet, stage.Chip32x32());
}

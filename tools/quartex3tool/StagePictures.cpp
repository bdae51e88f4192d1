#include "StagePictures.h"

#include "StageOverview.h"
#include "fileio.h"

#include <stdexcept>

namespace {

constexpr int MapSetSize = 64;
constexpr int MapSetMask = StagePictures::MapSetCount - 1;

int CheckedIndex(int value, int count) {
    if (value < 0 || value >= count)
        throw std::out_of_range("stage or palette set number out of range");
    return value;
}

QImage Picture(int width, int height) {
    return QImage(width, height, QImage::Format_RGB32);
}

} // namespace

StagePictures::StagePictures(const FcPaletteData &colours, const RomImageData &rom, int stage,
                             int paletteSet)
    : Colours(colours), Rom(rom), StageNumber(CheckedIndex(stage, StageCount)),
      Stage(rom.Stage(StageNumber)), Graphics(colours, rom) {
    CheckedIndex(paletteSet, PaletteSetCount);
    Graphics.LocateChr();
    Graphics.SetStagePalette(Stage.BGPalette(paletteSet));
    IndexedBitmap &sheet16 = Graphics.Chip16x16Sheet();
    sheet16.SetPalette(Graphics.StagePalette());
    Graphics.BuildChip16x16Sheet(sheet16, Stage.BGBank(), Stage.Chip16x16(), Stage.ChipProperty());
    Graphics.SyncChip32x32SheetPalette();
    Graphics.BuildChip32x32Sheet(Graphics.Chip32x32Sheet(), Stage.Chip32x32());
}

QImage StagePictures::Room(int room, bool objects) const {
    QImage picture = Picture(256, 256);
    Graphics.DrawRoom(picture, Stage, room, objects);
    return picture;
}

QImage StagePictures::MapSet(int mapSet) const {
    if (mapSet < 0 || mapSet > MapSetMask)
        throw std::out_of_range("map set number outside 0..31");
    QImage picture = Picture(256, 256);
    Graphics.DrawMapSet(picture, Stage.MapSet().data() + MapSetSize * mapSet);
    return picture;
}

QImage StagePictures::Sheet16x16() const {
    QImage picture = Picture(256, 256);
    Graphics.Chip16x16Sheet().CopyToPicture(picture, 0, 0, 256, 256, 0, 0);
    return picture;
}

QImage StagePictures::Sheet32x32() const {
    QImage picture = Picture(512, 512);
    Graphics.ShowChip32x32Sheet(picture);
    return picture;
}

QImage StagePictures::Banks() const {
    IndexedBitmap surface = Graphics.CreateStageBitmap(128, 128);
    Graphics.DrawTileTable(surface, Stage.BGBank()[0], 0);
    Graphics.DrawTileTable(surface, Stage.BGBank()[1], 64);
    QImage picture = Picture(128, 128);
    surface.CopyToPicture(picture, 0, 0, 128, 128, 0, 0);
    return picture;
}

QImage StagePictures::StageMap(int columns, bool objects) const {
    StageOverviewPicture overview(Colours, Rom);
    overview.SetColumns(columns);
    overview.SetObjectsShown(objects);
    overview.Follow(StageNumber, Graphics.StagePalette());
    return overview.WholePicture();
}

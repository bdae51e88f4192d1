// Edits of the stage tables: a script of recording setter calls (stage switches, positions
// and values from the bytes, undo and redo between them) on the demo cartridge. Undoing
// everything must give back the tables as opened, redoing everything the edited ones, and
// the saved file must open to tables that encode to exactly its bytes.
#include "DemoCartridge.h"
#include "FuzzDocument.h"
#include "FuzzSupport.h"

namespace {

void RunStep(RomImageData &rom, FuzzInput &input) {
    StageData &stage = rom.CurrentStageData();
    switch (input.Byte() % 15) {
    case CategoryChip16x16Tile:
        stage.SetChip16x16Tile(input.Int16(), input.Byte());
        break;
    case CategoryChipProperty:
        stage.SetChipProperty(input.Int16(), input.Byte());
        break;
    case CategoryChip16x16Paste:
        stage.PasteChip16x16(input.Int16(), input.Block<5>());
        break;
    case CategoryBGBank:
        stage.SetBGBank(input.Int16(), input.Byte());
        break;
    case CategoryChip32x32Entry:
        stage.SetChip32x32Entry(input.Int16(), input.Byte());
        break;
    case CategoryChip32x32Paste:
        stage.PasteChip32x32(input.Int16(), input.Block<4>());
        break;
    case CategoryMapSetEntry:
        stage.SetMapSetEntry(input.Int16(), input.Byte());
        break;
    case CategoryMapSetPaste:
        stage.PasteMapSetBlock(input.Int16(), input.Block<64>());
        break;
    case CategoryMapSetGridEdit:
        stage.GridEditMapSetBlock(input.Int16(), input.Block<64>());
        break;
    case CategoryMapEntry:
        stage.SetMapEntry(input.Int16(), input.Byte());
        break;
    case CategoryPaletteEntry:
        stage.SetPaletteEntry(input.Int16(), input.Byte());
        break;
    case CategoryPaletteAnimeEntry:
        stage.SetPaletteAnimeEntry(input.Int16(), input.Byte());
        break;
    case 12:
        rom.SetCurrentStage(input.Byte() % StageCount);
        break;
    case 13:
        rom.Undo();
        break;
    default:
        rom.Redo();
        break;
    }
}

void ForEveryStage(RomImageData &rom, bool (StageData::*pending)() const,
                   uint8_t (StageData::*apply)()) {
    for (int s = 0; s < StageCount; ++s) {
        StageData &stage = rom.Stage(s);
        while ((stage.*pending)())
            (stage.*apply)();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QByteArray opened = MakeDemoCartridge();
    FuzzInput input(data, size);
    FuzzDocument document;
    RomImageData &rom = document.Rom();
    Require(document.OpenBytes(opened), "the demo cartridge opens");
    rom.SetCurrentStage(input.Byte() % StageCount);
    while (!input.AtEnd())
        RunStep(rom, input);

    document.FlagEverything();
    const QByteArray edited = rom.EditedImage();
    ForEveryStage(rom, &StageData::CanUndo, &StageData::Undo);
    Require(rom.EditedImage() == opened, "undoing everything gives the tables as opened");
    ForEveryStage(rom, &StageData::CanRedo, &StageData::Redo);
    Require(rom.EditedImage() == edited, "redoing everything gives the edited tables");

    const QString saved = ScratchPath(QStringLiteral("saved.nes"));
    Require(rom.Save(saved), "the edited image can be saved");
    Require(ReadWholeFile(saved) == edited, "the saved file is the edited image");
    Require(rom.Open(saved), "the saved image opens");
    document.FlagEverything();
    Require(rom.EditedImage() == edited, "the saved image's tables encode to its bytes");
    return 0;
}

// Edits of the stage tables: a script of recording setter calls (switches between all 18
// stages, those that share tables included; positions and values from the bytes; undo and
// redo between them) on the demo cartridge. Undoing everything must give back the tables as
// opened, redoing everything the edited ones, and the saved file must open to tables that
// encode to exactly its bytes.
#include "DemoCartridge.h"
#include "FuzzDocument.h"
#include "FuzzSupport.h"

namespace {

void RunStep(RomImageData &rom, FuzzInput &input) {
    StageData &stage = rom.CurrentStageData();
    const uint8_t step = input.Byte() % 15;
    // Read before the values: the order in which call arguments are evaluated is unspecified.
    const int position = step <= CategoryPaletteAnimeEntry ? input.Int16() : 0;
    switch (step) {
    case CategoryChip16x16Tile:
        stage.SetChip16x16Tile(position, input.Byte());
        break;
    case CategoryChipProperty:
        stage.SetChipProperty(position, input.Byte());
        break;
    case CategoryChip16x16Paste:
        stage.PasteChip16x16(position, input.Block<5>());
        break;
    case CategoryBGBank:
        stage.SetBGBank(position, input.Byte());
        break;
    case CategoryChip32x32Entry:
        stage.SetChip32x32Entry(position, input.Byte());
        break;
    case CategoryChip32x32Paste:
        stage.PasteChip32x32(position, input.Block<4>());
        break;
    case CategoryMapSetEntry:
        stage.SetMapSetEntry(position, input.Byte());
        break;
    case CategoryMapSetPaste:
        stage.PasteMapSetBlock(position, input.Block<64>());
        break;
    case CategoryMapSetGridEdit:
        stage.GridEditMapSetBlock(position, input.Block<64>());
        break;
    case CategoryMapEntry:
        stage.SetMapEntry(position, input.Byte());
        break;
    case CategoryPaletteEntry:
        stage.SetPaletteEntry(position, input.Byte());
        break;
    case CategoryPaletteAnimeEntry:
        stage.SetPaletteAnimeEntry(position, input.Byte());
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

    // A script may end on undo steps: the edited tables are those the last redo gives.
    ForEveryStage(rom, &StageData::CanRedo, &StageData::Redo);
    document.FlagEverything();
    const std::optional<QByteArray> edited = rom.EditedImage();
    Require(edited.has_value(), "the demo image holds every table");
    ForEveryStage(rom, &StageData::CanUndo, &StageData::Undo);
    Require(rom.EditedImage() == opened, "undoing everything gives the tables as opened");
    ForEveryStage(rom, &StageData::CanRedo, &StageData::Redo);
    Require(rom.EditedImage() == edited, "redoing everything gives the edited tables");

    const QString saved = ScratchPath(QStringLiteral("saved.nes"));
    Require(rom.Save(saved), "the edited image can be saved");
    Require(ReadWholeFile(saved) == *edited, "the saved file is the edited image");
    Require(rom.Open(saved), "the saved image opens");
    document.FlagEverything();
    Require(rom.EditedImage() == edited, "the saved image's tables encode to its bytes");
    return 0;
}

#include "mapedit.h"

#include "common/EditorControls.h"
#include "HexText.h"
#include "ImageEx.h"
#include "UserPrompt.h"
#include "edit_flag.h"
#include "fileio.h"
#include "graphics.h"

#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr int RoomPictureSize = 256;
constexpr int CellsPerMapSet = 64;
} // namespace

MapEditClass::MapEditClass(RomImageData &document, EditFlagManagement &flags,
                           EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt) {}

void MapEditClass::SetControls(const MapEditControls &controls) {
    Controls = controls;
    for (TImageEx *image : Controls.ImgEditMapPage)
        AssignPicture(image, RoomPictureSize, RoomPictureSize);
}

StageData &MapEditClass::Stage() {
    return Document.CurrentStageData();
}

int MapEditClass::ShownMapSet(int page) {
    // Only 32 map sets exist; a larger entry from the image keeps its low five bits.
    return Stage().Map()[ShownRoom[page]] % MapSetCount;
}

void MapEditClass::DrawRoom(int page) {
    TImageEx *image = Controls.ImgEditMapPage[page];
    Graphics.DrawMapSet(image->Picture(),
                        Stage().MapSet().data() + ShownMapSet(page) * CellsPerMapSet);
    image->update();
}

void MapEditClass::ShowMapSetControls(int page) {
    SetPositionQuietly(Controls.ScrbarEditMapPage[page], ShownMapSet(page));
    Controls.LblMapVal[page]->setText(HexText(Stage().Map()[ShownRoom[page]]));
}

void MapEditClass::Refresh() {
    SetPositionQuietly(Controls.ScrBarMap, 0);
    ScrollRooms(0);
}

void MapEditClass::PageActivated() {
    for (int page = 0; page < PageCount; ++page) {
        DrawRoom(page);
        ShowMapSetControls(page);
    }
}

void MapEditClass::RedrawForPalette() {
    Graphics.SyncChip32x32SheetPalette();
    for (int page = 0; page < PageCount; ++page)
        DrawRoom(page);
}

void MapEditClass::ScrollRooms(int position) {
    const int first = std::clamp(position, 0, LastFirstRoom);
    ShownRoom = {first, first + 1};
    for (int page = 0; page < PageCount; ++page) {
        DrawRoom(page);
        ShowMapSetControls(page);
    }
    Controls.LblMapPage->setText(HexText(first) + QStringLiteral("-") + HexText(first + 1));
}

void MapEditClass::SetRoomMapSet(int page, int value) {
    if (page < 0 || page >= PageCount)
        return;
    const auto mapSet = static_cast<uint8_t>(std::clamp(value, 0, MapSetCount - 1));
    if (!Stage().SetMapEntry(ShownRoom[page], mapSet))
        return;
    DrawRoom(page);
    Controls.LblMapVal[page]->setText(HexText(mapSet));
    Flags.SetEditFlag(EditArea::Map, Document.CurrentStage(), true);
}

void MapEditClass::Reload() {
    if (!Prompt.ConfirmYesNo(tr("このステージのマップデータを読み込み直します。よろしいですか？")))
        return;
    Stage().LoadMap();
    Stage().ClearHistory();
    Refresh();
}

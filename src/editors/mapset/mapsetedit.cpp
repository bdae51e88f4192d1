#include "mapsetedit.h"

#include "common/EditorControls.h"
#include "HexText.h"
#include "ImageEx.h"
#include "MapSetEditGridForm.h"
#include "UserPrompt.h"
#include "chipusage.h"
#include "edit_flag.h"
#include "fileio.h"
#include "graphics.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <optional>
#include <vector>

namespace {
constexpr int PageSize = 256; // a page image: 8 x 8 cells of 32 x 32
constexpr int CellSize = 32;
constexpr int CellsPerRow = 8;
constexpr int TableCell = 16; // the chip table: 16 x 16 chips at half size
constexpr int ChipsPerRow = 16;
constexpr int PreviewSize = 64; // the selected chip at double size
constexpr int MapSetCount = 32;
constexpr int LastChip = 255;

/// The square of `size` pixels under (x, y) in a picture of `columns` such squares a side;
/// nothing when the point lies outside, as it may while a button is held.
std::optional<int> SquareAt(int x, int y, int size, int columns) {
    if (x < 0 || y < 0 || x >= size * columns || y >= size * columns)
        return std::nullopt;
    return x / size + (y / size) * columns;
}
} // namespace

MapSetEditClass::MapSetEditClass(RomImageData &document, EditFlagManagement &flags,
                                 EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt) {}

void MapSetEditClass::SetControls(const MapSetEditControls &controls) {
    Controls = controls;
    for (TImageEx *page : Controls.ImgEditMapSetPage)
        AssignPicture(page, PageSize, PageSize);
    AssignPicture(Controls.Img32x32ChipTable, TableCell * ChipsPerRow, TableCell * ChipsPerRow);
    AssignPicture(Controls.ImgSelect32x32Chip, PreviewSize, PreviewSize);
}

const StageData &MapSetEditClass::Stage() const {
    return Document.CurrentStageData();
}

uint8_t MapSetEditClass::CellValue(int page, int cell) const {
    if (page < 0 || page >= PageCount || cell < 0 || cell >= CellsPerMapSet)
        return 0;
    return Stage().MapSet()[Position(page, cell)];
}

std::array<uint8_t, MapSetEditClass::CellsPerMapSet> MapSetEditClass::MapSetCells(int page) const {
    std::array<uint8_t, CellsPerMapSet> cells{};
    const auto first = Stage().MapSet().begin() + Position(page, 0);
    std::copy(first, first + CellsPerMapSet, cells.begin());
    return cells;
}

void MapSetEditClass::Refresh() {
    ShownMapSet = {0, 1};
    RedrawPages();
    LastHoverCell = {-1, -1};
    HoverCell = {-1, -1};
    LastTableHoverCell = -1;
    TableHoverCell = -1;
    ShowPageLabel(0);
    ShowPageLabel(1);
    Graphics.ShowChip32x32Sheet(Controls.Img32x32ChipTable->Picture());
    Controls.Img32x32ChipTable->update();
    SelectChip(0);
    SetPositionQuietly(Controls.ScrBarMapSet, 0);
    SetPositionQuietly(Controls.ScrBarSelectPage[0], 0);
    SetPositionQuietly(Controls.ScrBarSelectPage[1], 1);
}

void MapSetEditClass::PageActivated() {
    RedrawPages();
    Graphics.ShowChip32x32Sheet(Controls.Img32x32ChipTable->Picture());
    Controls.Img32x32ChipTable->update();
    // Picks up a chip chosen on the 32x32 chip page and any change undone or redone.
    SelectChip(SelectedChip);
}

void MapSetEditClass::RedrawForPalette() {
    Graphics.SyncChip32x32SheetPalette();
    RedrawPages();
    Graphics.ShowChip32x32Sheet(Controls.Img32x32ChipTable->Picture());
    DrawPreview();
    for (int page = 0; page < PageCount; ++page) {
        LastHoverCell[page] = -1;
        UpdateHover(page);
    }
    LastTableHoverCell = -1;
    if (TableHoverCell >= 0)
        EditorGraphics::DrawFrame(Controls.Img32x32ChipTable->Picture(),
                                  (TableHoverCell % ChipsPerRow) * TableCell,
                                  (TableHoverCell / ChipsPerRow) * TableCell, TableCell);
    Controls.Img32x32ChipTable->update();
}

void MapSetEditClass::ShowPage(int page) {
    QImage &picture = Controls.ImgEditMapSetPage[page]->Picture();
    Graphics.DrawMapSet(picture, Stage().MapSet().data() + Position(page, 0));
    if (Controls.ChkMapSetEditDrawGrid->isChecked())
        EditorGraphics::DrawGrid(picture, CellSize, CellSize);
    Controls.ImgEditMapSetPage[page]->update();
}

std::vector<int> MapSetEditClass::PagesShowing(int mapSet) const {
    std::vector<int> pages;
    for (int page = 0; page < PageCount; ++page)
        if (ShownMapSet[page] == mapSet)
            pages.push_back(page);
    return pages;
}

void MapSetEditClass::RedrawPages() {
    for (int page = 0; page < PageCount; ++page)
        ShowPage(page);
}

void MapSetEditClass::ShowPageLabel(int page) {
    Controls.LblMapSetPage[page]->setText(HexText(ShownMapSet[page]));
}

void MapSetEditClass::ScrollPages(int position) {
    const int left = std::clamp(position, 0, MapSetCount - 2);
    const int distance = left - ShownMapSet[0];
    ShownMapSet[0] = left;
    ShownMapSet[1] = std::clamp(ShownMapSet[1] + distance, 1, MapSetCount - 1);
    RedrawPages();
    for (int page = 0; page < PageCount; ++page) {
        ShowPageLabel(page);
        SetPositionQuietly(Controls.ScrBarSelectPage[page], ShownMapSet[page]);
    }
}

void MapSetEditClass::SetPageMapSet(int page, int number) {
    if (page < 0 || page >= PageCount)
        return;
    ShownMapSet[page] = std::clamp(number, 0, MapSetCount - 1);
    ShowPage(page);
    ShowPageLabel(page);
}

void MapSetEditClass::DrawCell(int page, int cell) {
    Graphics.DrawChip32x32(Controls.ImgEditMapSetPage[page]->Picture(), CellValue(page, cell),
                           (cell % CellsPerRow) * CellSize, (cell / CellsPerRow) * CellSize,
                           CellSize, CellSize);
}

void MapSetEditClass::MoveHover(int page, int cell) {
    LastHoverCell[page] = HoverCell[page];
    HoverCell[page] = cell;
    UpdateHover(page);
}

void MapSetEditClass::UpdateHover(int page) {
    if (LastHoverCell[page] == HoverCell[page])
        return;
    QImage &picture = Controls.ImgEditMapSetPage[page]->Picture();
    if (LastHoverCell[page] >= 0)
        DrawCell(page, LastHoverCell[page]);
    if (Controls.ChkMapSetEditDrawGrid->isChecked())
        EditorGraphics::DrawGrid(picture, CellSize, CellSize);
    if (const int cell = HoverCell[page]; cell >= 0)
        EditorGraphics::DrawFrame(picture, (cell % CellsPerRow) * CellSize,
                                  (cell / CellsPerRow) * CellSize, CellSize);
    Controls.ImgEditMapSetPage[page]->update();
}

void MapSetEditClass::PageMouseDown(int page, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers, int x, int y) {
    const std::optional<int> cell = SquareAt(x, y, CellSize, CellsPerRow);
    if (!cell || page < 0 || page >= PageCount)
        return;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (button == Qt::LeftButton) {
        if (shift) {
            OpenGridDialog(page);
        } else if (ctrl) {
            PastePage(page);
        } else {
            MoveHover(page, *cell);
            PaintCell(page, *cell);
        }
    } else if (button == Qt::RightButton) {
        if (ctrl) {
            CopyPage(page);
        } else {
            MoveHover(page, *cell);
            SelectChip(CellValue(page, *cell));
        }
    }
}

void MapSetEditClass::PageMouseMove(int page, int x, int y) {
    if (page < 0 || page >= PageCount)
        return;
    // Outside the image (a button is held): the status text and the frame stay as they are
    // until the pointer comes back or the leave arrives.
    const std::optional<int> cell = SquareAt(x, y, CellSize, CellsPerRow);
    if (!cell)
        return;
    Controls.StatusPanel->setText(QStringLiteral("Index:") + HexText(*cell) + u'(' +
                                  QString::number(*cell % CellsPerRow) + u',' +
                                  QString::number(*cell / CellsPerRow) + u')' + u' ' +
                                  tr("32x32チップNo:") + HexText(CellValue(page, *cell)));
    MoveHover(page, *cell);
}

void MapSetEditClass::PageMouseLeave(int page) {
    if (page < 0 || page >= PageCount)
        return;
    Controls.StatusPanel->clear();
    if (HoverCell[page] >= 0)
        DrawCell(page, HoverCell[page]);
    if (Controls.ChkMapSetEditDrawGrid->isChecked())
        EditorGraphics::DrawGrid(Controls.ImgEditMapSetPage[page]->Picture(), CellSize, CellSize);
    LastHoverCell[page] = -1;
    HoverCell[page] = -1;
    Controls.ImgEditMapSetPage[page]->update();
}

void MapSetEditClass::PaintCell(int page, int cell) {
    const int position = Position(page, cell);
    if (Stage().MapSet()[position] == SelectedChip)
        return;
    Document.CurrentStageData().SetMapSetEntry(position, static_cast<uint8_t>(SelectedChip));
    for (const int shown : PagesShowing(ShownMapSet[page])) {
        DrawCell(shown, cell);
        // The new chip covered the frame: draw it again.
        LastHoverCell[shown] = -1;
        UpdateHover(shown);
    }
    Flags.SetEditFlag(EditArea::MapSet, Document.CurrentStage(), true);
}

void MapSetEditClass::CopyPage(int page) {
    CopyBuffer = MapSetCells(page);
}

void MapSetEditClass::PastePage(int page) {
    WriteBlock(page, CopyBuffer, &StageData::PasteMapSetBlock);
}

void MapSetEditClass::ApplyGridEdit(int page, const std::array<uint8_t, CellsPerMapSet> &bytes) {
    if (page < 0 || page >= PageCount)
        return;
    WriteBlock(page, bytes, &StageData::GridEditMapSetBlock);
}

void MapSetEditClass::WriteBlock(
    int page, const std::array<uint8_t, CellsPerMapSet> &bytes,
    bool (StageData::*write)(int, const std::array<uint8_t, CellsPerMapSet> &)) {
    if (MapSetCells(page) == bytes)
        return;
    (Document.CurrentStageData().*write)(Position(page, 0), bytes);
    Flags.SetEditFlag(EditArea::MapSet, Document.CurrentStage(), true);
    for (const int shown : PagesShowing(ShownMapSet[page])) {
        ShowPage(shown);
        LastHoverCell[shown] = -1;
        UpdateHover(shown);
    }
}

void MapSetEditClass::OpenGridDialog(int page) {
    TMapSetEditGridForm *form = Controls.GridForm.Get();
    form->Load(ShownMapSet[page], MapSetCells(page));
    if (form->exec() == QDialog::Accepted)
        ApplyGridEdit(page, form->Result());
}

void MapSetEditClass::TableMouseDown(Qt::MouseButton button, int x, int y) {
    const std::optional<int> chip = SquareAt(x, y, TableCell, ChipsPerRow);
    if (chip && button == Qt::LeftButton)
        SelectChip(*chip);
}

void MapSetEditClass::TableMouseMove(int x, int y) {
    const std::optional<int> chip = SquareAt(x, y, TableCell, ChipsPerRow);
    if (!chip)
        return;
    Controls.StatusPanel->setText(tr("32x32チップNo:") + HexText(*chip));
    MoveTableHover(*chip);
}

void MapSetEditClass::MoveTableHover(int chip) {
    LastTableHoverCell = TableHoverCell;
    TableHoverCell = chip;
    if (LastTableHoverCell == TableHoverCell)
        return;
    if (LastTableHoverCell >= 0)
        DrawTableChip(LastTableHoverCell);
    EditorGraphics::DrawFrame(Controls.Img32x32ChipTable->Picture(),
                              (chip % ChipsPerRow) * TableCell, (chip / ChipsPerRow) * TableCell,
                              TableCell);
    Controls.Img32x32ChipTable->update();
}

void MapSetEditClass::TableMouseLeave() {
    Controls.StatusPanel->clear();
    if (TableHoverCell >= 0)
        DrawTableChip(TableHoverCell);
    LastTableHoverCell = -1;
    TableHoverCell = -1;
    Controls.Img32x32ChipTable->update();
}

void MapSetEditClass::DrawTableChip(int chip) {
    Graphics.DrawChip32x32(Controls.Img32x32ChipTable->Picture(), static_cast<uint8_t>(chip),
                           (chip % ChipsPerRow) * TableCell, (chip / ChipsPerRow) * TableCell,
                           TableCell, TableCell);
}

void MapSetEditClass::DrawPreview() {
    Graphics.DrawChip32x32(Controls.ImgSelect32x32Chip->Picture(),
                           static_cast<uint8_t>(SelectedChip), 0, 0, PreviewSize, PreviewSize);
    Controls.ImgSelect32x32Chip->update();
}

void MapSetEditClass::SelectChip(int chip) {
    SelectedChip = std::clamp(chip, 0, LastChip);
    DrawPreview();
    Controls.LblMapSetSelect32x32ChipIndex->setText(HexText(SelectedChip));
    const StageData &stage = Stage();
    for (int quarter = 0; quarter < 4; ++quarter) {
        const uint8_t part = stage.Chip32x32()[SelectedChip * 4 + quarter];
        Controls.LblMapSetStructChipIndex[quarter]->setText(HexText(part));
        Controls.LblMapSetStructChipProperty[quarter]->setText(
            Document.ChipAttributeName(stage.ChipProperty()[part]));
    }
}

void MapSetEditClass::SetSelectedChip(int chip) {
    SelectedChip = std::clamp(chip, 0, LastChip);
}

void MapSetEditClass::Reload() {
    if (!Prompt.ConfirmYesNo(
            tr("このステージのマップセットデータを読み込み直します。よろしいですか？")))
        return;
    StageData &stage = Document.CurrentStageData();
    stage.LoadMapSet();
    // The history of every category goes: its records hold bytes from before the reload.
    stage.ClearHistory();
    Refresh();
}

void MapSetEditClass::BtnReplaceMapSetChipClick() {
    StageData &stage = Document.CurrentStageData();
    const int stageNumber = Document.CurrentStage();
    Controls.ReportWindow->OfferReplacement(ListDuplicateChips(stage), [&] {
        const int count = ReplaceDuplicateChips(stage);
        if (count > 0) {
            Flags.SetEditFlag(EditArea::MapSet, stageNumber, true);
            // The entries were written directly: no record could undo them, and the records
            // already there no longer match the table.
            stage.ClearHistory();
            RedrawPages();
        }
        return count;
    });
}

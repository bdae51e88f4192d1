#pragma once

#include "common/LazyDialog.h"
#include "common/PageController.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <vector>

class EditFlagManagement;
class EditorGraphics;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class RomImageData;
class StageData;
class TImageEx;
class TMapSetEditGridForm;
class TShowUnusedChipNumForm;
class UserPrompt;

/// The controls of the map set page, created by the main window and handed over.
struct MapSetEditControls {
    std::array<TImageEx *, 2> ImgEditMapSetPage{};
    TImageEx *ImgSelect32x32Chip = nullptr;
    TImageEx *Img32x32ChipTable = nullptr;
    std::array<QLabel *, 2> LblMapSetPage{};
    QLabel *LblMapSetSelect32x32ChipIndex = nullptr;
    std::array<QLabel *, 4> LblMapSetStructChipIndex{};
    std::array<QLabel *, 4> LblMapSetStructChipProperty{};
    QScrollBar *ScrBarMapSet = nullptr;
    std::array<QScrollBar *, 2> ScrBarSelectPage{};
    QCheckBox *ChkMapSetEditDrawGrid = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *BtnReplaceMapSetChip = nullptr;
    QLabel *StatusPanel = nullptr; ///< the main window's hover panel
    LazyDialog<TMapSetEditGridForm> GridForm;
    LazyDialog<TShowUnusedChipNumForm> ReportWindow;
};

/// The map set page: two of the current stage's 32 map sets side by side, painted cell by
/// cell with the selected 32x32 chip, copied and pasted whole, or typed in the grid dialog;
/// the table of all 256 chips; and the duplicate-chip replacement.
///
/// Borrows the document, the modified flags, the renderer, the prompt and the page's
/// controls (the grid dialog and the report window among them). Pointer positions outside
/// an image, which arrive while a button is held, give no cell or chip and are ignored: a
/// press or a move there changes neither the hover frame nor the status text.
class MapSetEditClass : public QObject, public PageController {
    Q_OBJECT
public:
    static constexpr int PageCount = 2;
    static constexpr int CellsPerMapSet = 64;

    MapSetEditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                    UserPrompt &prompt);

    /// Takes the page's controls and gives the image controls their pictures.
    void SetControls(const MapSetEditControls &controls);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// Moves both pages: the left one to `position`, the right one by as much.
    void ScrollPages(int position);
    /// Shows map set `number` on one page.
    void SetPageMapSet(int page, int number);
    void PageMouseDown(int page, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                       int y);
    void PageMouseMove(int page, int x, int y);
    void PageMouseLeave(int page);
    void TableMouseDown(Qt::MouseButton button, int x, int y);
    void TableMouseMove(int x, int y);
    void TableMouseLeave();
    /// Draws both pages, with grid lines when they are ticked.
    void RedrawPages();
    /// Asks, then reads the stage's map sets again from the image and empties its history.
    void Reload();
    /// The chip in `cell` of the map set shown on `page`.
    uint8_t CellValue(int page, int cell) const;
    /// Writes the grid dialog's 64 numbers into the map set shown on `page` as one step.
    void ApplyGridEdit(int page, const std::array<uint8_t, CellsPerMapSet> &bytes);
    /// Makes `chip` the painting chip and shows it with its four 16x16 chips.
    void SelectChip(int chip);
    /// The 32x32 chip page's pick; shown the next time this page is activated.
    void SetSelectedChip(int chip);
    /// Offers to make every map set use one chip of each group of identical chips.
    void BtnReplaceMapSetChipClick();

private:
    const StageData &Stage() const;
    int Position(int page, int cell) const { return ShownMapSet[page] * CellsPerMapSet + cell; }
    std::array<uint8_t, CellsPerMapSet> MapSetCells(int page) const;
    void ShowPage(int page);
    /// The pages showing map set `mapSet`: both may show the same one, and an edit made
    /// on either must appear on both.
    std::vector<int> PagesShowing(int mapSet) const;
    void ShowPageLabel(int page);
    void DrawCell(int page, int cell);
    void MoveHover(int page, int cell);
    void UpdateHover(int page);
    void MoveTableHover(int chip);
    void DrawTableChip(int chip);
    void DrawPreview();
    void PaintCell(int page, int cell);
    void CopyPage(int page);
    void PastePage(int page);
    void OpenGridDialog(int page);
    /// Writes a whole map set through `write` unless it already holds `bytes`.
    void WriteBlock(int page, const std::array<uint8_t, CellsPerMapSet> &bytes,
                    bool (StageData::*write)(int, const std::array<uint8_t, CellsPerMapSet> &));

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    MapSetEditControls Controls;

    std::array<int, PageCount> ShownMapSet{0, 1};
    int SelectedChip = 0;
    std::array<uint8_t, CellsPerMapSet> CopyBuffer{};
    int LastTableHoverCell = -1;
    int TableHoverCell = -1;
    std::array<int, PageCount> LastHoverCell{-1, -1};
    std::array<int, PageCount> HoverCell{-1, -1};
};

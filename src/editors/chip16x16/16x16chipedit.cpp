#include "16x16chipedit.h"

#include "common/EditorControls.h"
#include "HexText.h"
#include "ImageEx.h"
#include "UserPrompt.h"
#include "common/chipsheets.h"
#include "chipusage.h"
#include "edit_flag.h"
#include "fileio.h"
#include "graphics.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

namespace {
constexpr int TilesPerRow = 16;
constexpr int TileSize = 8;
constexpr int ChipSize = 16;
constexpr int ChipsPerRow = 16;
constexpr int ChipCount = 256;
constexpr int BankSurfaceSize = TilesPerRow * TileSize; // 128: both banks, 8 rows each
constexpr int BankRowsPerBank = 64;                     // bank b fills rows b*64 .. b*64+63
constexpr int BankTableZoom = 2;
constexpr int BankTableSize = BankSurfaceSize * BankTableZoom;
constexpr int BankTableCell = TileSize * BankTableZoom;
constexpr int ChipViewSize = ChipsPerRow * ChipSize;
constexpr int EditedChipZoom = 4;
constexpr int EditedChipSize = ChipSize * EditedChipZoom;
constexpr int QuadrantSize = EditedChipSize / 2;
constexpr int TilePreviewZoom = 4;
constexpr int TilePreviewSize = TileSize * TilePreviewZoom;
constexpr int ColoursPerPalette = 4;
constexpr uint8_t PaletteBits = 0x03;

/// The cell of a square image of `imageSize` pixels cut into cells of `cellSize` under
/// (x, y); nothing when the point lies outside the image.
std::optional<int> CellAt(int x, int y, int imageSize, int cellSize) {
    if (x < 0 || y < 0 || x >= imageSize || y >= imageSize)
        return std::nullopt;
    return (y / cellSize) * (imageSize / cellSize) + x / cellSize;
}

/// The quadrant of a 16x16 chip under the chip-relative point (x, y), 0 top-left to 3
/// bottom-right.
int QuadrantOfChipAt(int x, int y) {
    return ((y % ChipSize) / TileSize) * 2 + (x % ChipSize) / TileSize;
}

int ChipX(int chip) {
    return (chip % ChipsPerRow) * ChipSize;
}
int ChipY(int chip) {
    return (chip / ChipsPerRow) * ChipSize;
}
int TileX(int tile) {
    return (tile % TilesPerRow) * TileSize;
}
int TileY(int tile) {
    return (tile / TilesPerRow) * TileSize;
}

void CheckItem(QButtonGroup *group, int item) {
    const QSignalBlocker blocker(group);
    if (QAbstractButton *button = group->button(item))
        button->setChecked(true);
}
} // namespace

Chip16x16EditClass::Chip16x16EditClass(RomImageData &document, EditFlagManagement &flags,
                                       EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt),
      Sheet(graphics.Chip16x16Sheet()),
      BankSurface(graphics.CreateStageBitmap(BankSurfaceSize, BankSurfaceSize)) {}

Chip16x16EditClass::~Chip16x16EditClass() = default;

void Chip16x16EditClass::SetControls(const Chip16x16EditControls &controls) {
    Controls = controls;
    AssignPicture(Controls.ImgBGBankTable, BankTableSize, BankTableSize);
    AssignPicture(Controls.ImgEdit16x16ChipView, ChipViewSize, ChipViewSize);
    AssignPicture(Controls.ImgEdit16x16Chip, EditedChipSize, EditedChipSize);
    AssignPicture(Controls.ImgSelectTile, TilePreviewSize, TilePreviewSize);
}

StageData &Chip16x16EditClass::Stage() {
    return Document.CurrentStageData();
}

uint8_t Chip16x16EditClass::SelectedProperty() {
    return Stage().ChipProperty()[SelectedChip];
}

void Chip16x16EditClass::Refresh() {
    SelectedTile = 0;
    SelectedChip = 0;
    BankTablePalette = 0;
    BankTableHover = {};
    ChipViewHover = {};
    EditedChipHover = {};
    DrawBanks();
    ShowBankTable();
    RebuildChipSheet();
    ShowChipView();
    SelectChip(0);
    SelectTile(0);
    ColourPanels();
    ShowBanks();
}

void Chip16x16EditClass::PageActivated() {
    RebuildChipSheet();
    ShowBanks();
    DrawBanks();
    ShowBankTable();
    ShowChipView();
    ShowEditedChip();
    ColourPanels();
    ShowChipContents();
}

void Chip16x16EditClass::RedrawForPalette() {
    ShowBankTable();
    ShowChipView();
    ShowEditedChip();
    ColourPanels();
}

void Chip16x16EditClass::RebuildChipSheet() {
    RebuildChip16x16Sheet(Graphics, Stage());
}

void Chip16x16EditClass::SetBGBankScrollRange(int chrPageCount) {
    ImageBankMaximum = std::clamp(chrPageCount - 2, 0, MaxBankByte);
    for (QScrollBar *bar : Controls.ScrBarBGBank) {
        const QSignalBlocker blocker(bar);
        bar->setMaximum(ImageBankMaximum);
        bar->setEnabled(chrPageCount >= 2);
    }
}

void Chip16x16EditClass::DrawBanks() {
    DrawBank(0);
    DrawBank(1);
}

void Chip16x16EditClass::DrawBank(int bank) {
    Graphics.DrawTileTable(BankSurface, Stage().BGBank()[bank], bank * BankRowsPerBank);
}

void Chip16x16EditClass::ShowBankTable() {
    for (int colour = 0; colour < ColoursPerPalette; ++colour)
        BankSurface.SetPaletteEntry(
            colour, Graphics.GetStagePaletteColour(BankTablePalette * ColoursPerPalette + colour));
    BankSurface.CopyToPicture(Controls.ImgBGBankTable->Picture(), 0, 0, BankSurfaceSize,
                              BankSurfaceSize, 0, 0, BankTableZoom);
    DrawHoverFrame(View::BankTable);
    ShowTilePreview();
}

void Chip16x16EditClass::ShowTilePreview() {
    BankSurface.CopyToPicture(Controls.ImgSelectTile->Picture(), TileX(SelectedTile),
                              TileY(SelectedTile), TileSize, TileSize, 0, 0, TilePreviewZoom);
    Controls.ImgSelectTile->update();
}

void Chip16x16EditClass::ShowChipView() {
    Sheet.SetPalette(Graphics.StagePalette());
    Sheet.CopyToPicture(Controls.ImgEdit16x16ChipView->Picture(), 0, 0, ChipViewSize, ChipViewSize,
                        0, 0);
    DrawHoverFrame(View::ChipView);
}

void Chip16x16EditClass::ShowEditedChip() {
    CopyEditedChip();
    DrawHoverFrame(View::EditedChip);
}

void Chip16x16EditClass::CopyEditedChip() {
    Sheet.CopyToPicture(Controls.ImgEdit16x16Chip->Picture(), ChipX(SelectedChip),
                        ChipY(SelectedChip), ChipSize, ChipSize, 0, 0, EditedChipZoom);
}

void Chip16x16EditClass::ShowBanks() {
    for (int bank = 0; bank < 2; ++bank) {
        const uint8_t value = Stage().BGBank()[bank];
        QScrollBar *bar = Controls.ScrBarBGBank[bank];
        // A stored byte beyond the image's last bank widens the range so that the bar shows
        // it: a clamped position would rewrite the byte at the first arrow click.
        const QSignalBlocker blocker(bar);
        bar->setMaximum(std::max<int>(ImageBankMaximum, value));
        bar->setValue(value);
        Controls.LblBGBank[bank]->setText(HexText(value));
    }
}

void Chip16x16EditClass::ColourPanels() {
    for (int entry = 0; entry < static_cast<int>(Controls.PanelPaletteColor.size()); ++entry) {
        QFrame *panel = Controls.PanelPaletteColor[entry];
        QPalette colours = panel->palette();
        colours.setColor(QPalette::Window, QColor(Graphics.GetStagePaletteColour(entry)));
        panel->setPalette(colours);
    }
}

void Chip16x16EditClass::SelectTile(int tile) {
    SelectedTile = tile;
    ShowTilePreview();
    Controls.LblSelectBGBankTileIndex->setText(HexText(tile));
}

void Chip16x16EditClass::SelectChip(int chip) {
    SelectedChip = chip;
    ShowEditedChip();
    Controls.LblSelectChipIndex->setText(HexText(chip));
    ShowChipContents();
}

void Chip16x16EditClass::ShowChipContents() {
    for (int quadrant = 0; quadrant < 4; ++quadrant)
        Controls.LblSelectChipTile[quadrant]->setText(
            HexText(Stage().Chip16x16()[quadrant * ChipCount + SelectedChip]));
    ShowPropertyTexts();
    const uint8_t property = SelectedProperty();
    CheckItem(Controls.ChipPropertyGroup, property >> 4);
    CheckItem(Controls.PaletteGroup, property & PaletteBits);
}

void Chip16x16EditClass::ShowPropertyTexts() {
    const uint8_t property = SelectedProperty();
    SetTextQuietly(Controls.EditSelectChipProperty, HexText(property));
    Controls.LblSelectChipProperty->setText(
        QStringLiteral("(") + HexText(property & 0xFC) + QStringLiteral(" + ") +
        HexText(property & PaletteBits, 1) + QStringLiteral(")"));
}

void Chip16x16EditClass::RedrawChip(int chip) {
    const StageData &stage = Stage();
    Graphics.DrawChip16x16(Sheet, stage.BGBank(), stage.ChipProperty()[chip] & PaletteBits,
                           stage.Chip16x16(), static_cast<uint8_t>(chip), ChipX(chip), ChipY(chip));
    Sheet.CopyToPicture(Controls.ImgEdit16x16ChipView->Picture(), ChipX(chip), ChipY(chip),
                        ChipSize, ChipSize, ChipX(chip), ChipY(chip));
    // The chip under the pointer keeps its frame.
    DrawHoverFrame(View::ChipView);
}

void Chip16x16EditClass::MarkModified() {
    Flags.SetEditFlag(EditArea::Chip16x16, Document.CurrentStage(), true);
}

Chip16x16EditClass::Hover &Chip16x16EditClass::HoverOf(View view) {
    switch (view) {
    case View::BankTable:
        return BankTableHover;
    case View::ChipView:
        return ChipViewHover;
    case View::EditedChip:
        break;
    }
    return EditedChipHover;
}

void Chip16x16EditClass::MoveHover(View view, int cell) {
    Hover &hover = HoverOf(view);
    hover.Previous = hover.Current;
    hover.Current = cell;
    if (hover.Previous == cell)
        return;
    if (hover.Previous >= 0)
        RestoreCell(view, hover.Previous);
    DrawHoverFrame(view);
}

void Chip16x16EditClass::LeaveHover(View view) {
    Hover &hover = HoverOf(view);
    const int current = hover.Current;
    hover = {};
    if (current < 0)
        return;
    RestoreCell(view, current);
    DrawHoverFrame(view); // no frame any more: only shows the restored cell
}

/// Copies a cell of a view back from its source, over its hover frame. The edited chip has
/// no smaller unit than the whole chip.
void Chip16x16EditClass::RestoreCell(View view, int cell) {
    switch (view) {
    case View::BankTable:
        BankSurface.CopyToPicture(Controls.ImgBGBankTable->Picture(), TileX(cell), TileY(cell),
                                  TileSize, TileSize, TileX(cell) * BankTableZoom,
                                  TileY(cell) * BankTableZoom, BankTableZoom);
        break;
    case View::ChipView:
        Sheet.CopyToPicture(Controls.ImgEdit16x16ChipView->Picture(), ChipX(cell), ChipY(cell),
                            ChipSize, ChipSize, ChipX(cell), ChipY(cell));
        break;
    case View::EditedChip:
        CopyEditedChip();
        break;
    }
}

/// Frames the current hover cell of a view, if any, and shows the view's picture.
void Chip16x16EditClass::DrawHoverFrame(View view) {
    const int cell = HoverOf(view).Current;
    TImageEx *image = nullptr;
    switch (view) {
    case View::BankTable:
        image = Controls.ImgBGBankTable;
        if (cell >= 0)
            EditorGraphics::DrawFrame(image->Picture(), TileX(cell) * BankTableZoom,
                                      TileY(cell) * BankTableZoom, BankTableCell);
        break;
    case View::ChipView:
        image = Controls.ImgEdit16x16ChipView;
        if (cell >= 0)
            EditorGraphics::DrawFrame(image->Picture(), ChipX(cell), ChipY(cell), ChipSize);
        break;
    case View::EditedChip:
        image = Controls.ImgEdit16x16Chip;
        if (cell >= 0)
            EditorGraphics::DrawFrame(image->Picture(), (cell % 2) * QuadrantSize,
                                      (cell / 2) * QuadrantSize, QuadrantSize);
        break;
    }
    image->update();
}

void Chip16x16EditClass::ImgBGBankTableMouseDown(TImageEx *, Qt::MouseButton button,
                                                 Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> tile = CellAt(x, y, BankTableSize, BankTableCell);
    if (!tile)
        return;
    MoveHover(View::BankTable, *tile);
    if (button == Qt::LeftButton) {
        SelectTile(*tile);
    } else if (button == Qt::RightButton) {
        BankTablePalette = (BankTablePalette + 1) % ColoursPerPalette;
        ShowBankTable();
    }
}

void Chip16x16EditClass::ImgBGBankTableMouseMove(TImageEx *sender, Qt::MouseButtons,
                                                 Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> tile = CellAt(x, y, BankTableSize, BankTableCell);
    if (!tile) {
        ImgBGBankTableMouseLeave(sender);
        return;
    }
    Controls.StatusPanel->setText(tr("タイルNo:") + HexText(*tile));
    MoveHover(View::BankTable, *tile);
}

void Chip16x16EditClass::ImgBGBankTableMouseLeave(TImageEx *) {
    Controls.StatusPanel->clear();
    LeaveHover(View::BankTable);
}

void Chip16x16EditClass::ImgEdit16x16ChipViewMouseDown(TImageEx *, Qt::MouseButton button,
                                                       Qt::KeyboardModifiers modifiers, int x,
                                                       int y) {
    const std::optional<int> chip = CellAt(x, y, ChipViewSize, ChipSize);
    if (!chip)
        return;
    MoveHover(View::ChipView, *chip);
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const Chip16x16Table &tiles = Stage().Chip16x16();
    const ChipPropertyTable &properties = Stage().ChipProperty();
    if (button == Qt::LeftButton && control) {
        const std::array<uint8_t, 5> current = {tiles[*chip], tiles[ChipCount + *chip],
                                                tiles[2 * ChipCount + *chip],
                                                tiles[3 * ChipCount + *chip], properties[*chip]};
        if (current == CopyBuffer)
            return;
        Stage().PasteChip16x16(*chip, CopyBuffer);
        MarkModified();
        RedrawChip(*chip);
        if (*chip == SelectedChip)
            SelectChip(*chip);
    } else if (button == Qt::LeftButton) {
        SelectChip(*chip);
    } else if (button == Qt::RightButton && control) {
        CopyBuffer = {tiles[*chip], tiles[ChipCount + *chip], tiles[2 * ChipCount + *chip],
                      tiles[3 * ChipCount + *chip], properties[*chip]};
    } else if (button == Qt::RightButton) {
        SelectTile(tiles[QuadrantOfChipAt(x, y) * ChipCount + *chip]);
    }
}

void Chip16x16EditClass::ImgEdit16x16ChipViewMouseMove(TImageEx *sender, Qt::MouseButtons,
                                                       Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> chip = CellAt(x, y, ChipViewSize, ChipSize);
    if (!chip) {
        ImgEdit16x16ChipViewMouseLeave(sender);
        return;
    }
    Controls.StatusPanel->setText(tr("16x16チップNo:") + HexText(*chip));
    MoveHover(View::ChipView, *chip);
}

void Chip16x16EditClass::ImgEdit16x16ChipViewMouseLeave(TImageEx *) {
    Controls.StatusPanel->clear();
    LeaveHover(View::ChipView);
}

void Chip16x16EditClass::ImgEdit16x16ChipMouseDown(TImageEx *, Qt::MouseButton button,
                                                   Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> quadrant = CellAt(x, y, EditedChipSize, QuadrantSize);
    if (!quadrant)
        return;
    MoveHover(View::EditedChip, *quadrant);
    const int position = *quadrant * ChipCount + SelectedChip;
    if (button == Qt::LeftButton) {
        if (!Stage().SetChip16x16Tile(position, static_cast<uint8_t>(SelectedTile)))
            return;
        MarkModified();
        Controls.LblSelectChipTile[*quadrant]->setText(HexText(SelectedTile));
        RedrawChip(SelectedChip);
        ShowEditedChip();
    } else if (button == Qt::RightButton) {
        SelectTile(Stage().Chip16x16()[position]);
    }
}

void Chip16x16EditClass::ImgEdit16x16ChipMouseMove(TImageEx *, Qt::MouseButtons,
                                                   Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> quadrant = CellAt(x, y, EditedChipSize, QuadrantSize);
    if (quadrant)
        MoveHover(View::EditedChip, *quadrant);
    else
        LeaveHover(View::EditedChip);
}

void Chip16x16EditClass::ImgEdit16x16ChipMouseLeave(TImageEx *) {
    LeaveHover(View::EditedChip);
}

void Chip16x16EditClass::FocusCheckedItem(QButtonGroup *group) {
    // Only a page on screen (the active page) may take the focus.
    if (QAbstractButton *item = group->checkedButton(); item && item->isVisible())
        item->setFocus();
}

void Chip16x16EditClass::RGChipPropertySelectClick() {
    const int attribute = Controls.ChipPropertyGroup->checkedId();
    if (attribute < 0)
        return;
    FocusCheckedItem(Controls.ChipPropertyGroup);
    const uint8_t property = SelectedProperty();
    if (attribute == property >> 4)
        return;
    Stage().SetChipProperty(SelectedChip, static_cast<uint8_t>(attribute << 4 | (property & 0x0F)));
    ShowPropertyTexts();
    MarkModified();
}

void Chip16x16EditClass::RGPaletteSelectClick() {
    const int palette = Controls.PaletteGroup->checkedId();
    if (palette < 0)
        return;
    FocusCheckedItem(Controls.PaletteGroup);
    const uint8_t property = SelectedProperty();
    if (palette == (property & PaletteBits))
        return;
    Stage().SetChipProperty(SelectedChip, static_cast<uint8_t>((property & 0xFC) + palette));
    ShowPropertyTexts();
    RedrawChip(SelectedChip);
    ShowEditedChip();
    MarkModified();
}

void Chip16x16EditClass::EditSelectChipPropertyChange() {
    const QString text = Controls.EditSelectChipProperty->text();
    if (text.size() != 2)
        return; // still being typed
    const std::optional<uint8_t> value = ParseHexByte(text);
    // Malformed or unchanged input shows the stored value again (in upper case).
    if (!value || *value == SelectedProperty()) {
        ShowPropertyTexts();
        return;
    }
    Stage().SetChipProperty(SelectedChip, *value);
    CheckItem(Controls.PaletteGroup, *value & PaletteBits);
    CheckItem(Controls.ChipPropertyGroup, *value >> 4);
    RedrawChip(SelectedChip);
    ShowEditedChip();
    ShowPropertyTexts();
    MarkModified();
}

void Chip16x16EditClass::ScrBarBGBankXScroll(int tag, int position) {
    if (tag < 0 || tag > 1)
        return;
    // The range never lets a bar past the largest bank byte; should one get there all
    // the same, the bank stops at that byte rather than wrapping round to a low bank.
    const auto value = static_cast<uint8_t>(std::clamp(position, 0, MaxBankByte));
    Stage().SetBGBank(tag, value);
    Controls.LblBGBank[tag]->setText(HexText(value));
    DrawBank(tag);
    ShowBankTable();
    RebuildChipSheet();
    ShowChipView();
    ShowEditedChip();
    // Every scroll action counts as a bank choice, even one that leaves the bank as it was.
    MarkModified();
}

void Chip16x16EditClass::Button1Click() {
    if (!Prompt.ConfirmYesNo(
            tr("このステージのチップ・BGバンクを読み込み直します。よろしいですか？")))
        return;
    StageData &stage = Stage();
    stage.LoadBGBank();
    stage.LoadChip16x16();
    stage.LoadChipProperty();
    // The history of every category goes: its records hold bytes from before the reload.
    stage.ClearHistory();
    Refresh();
}

void Chip16x16EditClass::BtnUnusedTileChkClick() {
    Controls.ReportWindow->ShowReport(tr("未使用タイル番号"),
                                      tr("16x16チップに使用されてないタイル番号は"),
                                      ListUnusedTiles(Stage()));
}

void Chip16x16EditClass::BtnUnused16x16ChipChkClick() {
    Controls.ReportWindow->ShowReport(tr("未使用16x16チップ番号"),
                                      tr("32x32チップに使用されてない16x16チップ番号は"),
                                      ListUnused16x16Chips(Stage()));
}

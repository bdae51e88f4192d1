#include "32x32chipedit.h"

#include "common/EditorControls.h"
#include "HexText.h"
#include "ImageEx.h"
#include "UpDown.h"
#include "UserPrompt.h"
#include "common/chipsheets.h"
#include "chipusage.h"
#include "edit_flag.h"
#include "fileio.h"
#include "graphics.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QCheckBox>
#include <QLabel>
#include <algorithm>
#include <optional>
#include <utility>

namespace {
constexpr int ChipSize = 32;      // a 32x32 chip, in pixels
constexpr int SmallChipSize = 16; // a 16x16 chip, in pixels
constexpr int Columns = 16;       // chips per row of every sheet and view
constexpr int ChipsPerHalf = 128; // the view shows eight rows of sixteen chips
constexpr int ViewWidth = Columns * ChipSize;
constexpr int ViewHeight = 8 * ChipSize;
constexpr int TableSize = Columns * SmallChipSize;
constexpr int Zoom = 2; // the edited chip and the brush preview are enlarged
constexpr int EditedChipSize = ChipSize * Zoom;
constexpr int BrushSize = SmallChipSize * Zoom;

bool Inside(int x, int y, int width, int height) {
    return x >= 0 && y >= 0 && x < width && y < height;
}

/// A point of the 32x32 view: the cell of the shown half (0..127) and the quadrant of the
/// chip in it.
struct ViewPoint {
    int Cell;
    int Quadrant;
};

std::optional<ViewPoint> ViewPointAt(int x, int y) {
    if (!Inside(x, y, ViewWidth, ViewHeight))
        return std::nullopt;
    return ViewPoint{(y / ChipSize) * Columns + x / ChipSize,
                     ((y % ChipSize) / SmallChipSize) * 2 + (x % ChipSize) / SmallChipSize};
}

std::optional<int> TableChipAt(int x, int y) {
    if (!Inside(x, y, TableSize, TableSize))
        return std::nullopt;
    return (y / SmallChipSize) * Columns + x / SmallChipSize;
}

std::optional<int> EditedQuadrantAt(int x, int y) {
    if (!Inside(x, y, EditedChipSize, EditedChipSize))
        return std::nullopt;
    return (y / ChipSize) * 2 + x / ChipSize;
}
} // namespace

Chip32x32EditClass::Chip32x32EditClass(RomImageData &document, EditFlagManagement &flags,
                                       EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt) {}

Chip32x32EditClass::~Chip32x32EditClass() = default;

void Chip32x32EditClass::SetControls(const Chip32x32EditControls &controls) {
    Controls = controls;
    AssignPicture(Controls.Img16x16ChipTable, TableSize, TableSize);
    AssignPicture(Controls.ImgEdit32x32ChipView, ViewWidth, ViewHeight);
    AssignPicture(Controls.ImgEdit32x32Chip, EditedChipSize, EditedChipSize);
    AssignPicture(Controls.ImgSelect16x16Chip, BrushSize, BrushSize);
}

void Chip32x32EditClass::SetMapSetChipSink(std::function<void(int)> sink) {
    MapSetChipSink = std::move(sink);
}

uint8_t Chip32x32EditClass::Entry(int chip, int quadrant) const {
    return Document.Stage(Document.CurrentStage()).Chip32x32()[chip * 4 + quadrant];
}

QString Chip32x32EditClass::PropertyName(int chip16x16) const {
    return Document.ChipAttributeName(
        Document.Stage(Document.CurrentStage()).ChipProperty()[chip16x16]);
}

void Chip32x32EditClass::RebuildChipSheet() {
    RebuildChip32x32Sheet(Graphics, Document.CurrentStageData());
}

void Chip32x32EditClass::Refresh() {
    Edited = 0;
    SelectedBrush = 0;
    Half = 0;
    Controls.UDChange32x32ChipView->SetPosition(1);
    Controls.LblEdit32x32ChipView->setText(QStringLiteral("00-7F"));
    ViewHover = {};
    TableHover = {};
    QuadrantHover = {};
    RebuildChipSheet();
    ShowView();
    ShowTable();
    SelectChip(0);
    SelectBrush(0);
}

void Chip32x32EditClass::PageActivated() {
    RebuildChip16x16Sheet(Graphics, Document.CurrentStageData());
    RebuildChipSheet();
    ShowView();
    ShowTable();
    SelectChip(Edited);
    SelectBrush(SelectedBrush);
    // After an undo or redo by key the pointer may still rest on an image.
    RedrawHoverFrames();
}

void Chip32x32EditClass::RedrawForPalette() {
    ShowView();
    ShowTable();
    ShowEditedChip();
    ShowBrush();
    RedrawHoverFrames();
}

void Chip32x32EditClass::SelectChip(int chip) {
    Edited = chip;
    ShowEditedChip();
    Controls.LblSelect32x32ChipIndex->setText(HexText(chip));
    for (int q = 0; q < 4; ++q) {
        const uint8_t part = Entry(chip, q);
        Controls.LblStructChipIndex[q]->setText(HexText(part));
        Controls.LblStructChipProperty[q]->setText(PropertyName(part));
    }
}

void Chip32x32EditClass::SelectBrush(int chip16x16) {
    SelectedBrush = chip16x16;
    ShowBrush();
    Controls.LblSelect16x16ChipIndex->setText(HexText(chip16x16));
    Controls.LblSelect16x16ChipProperty->setText(PropertyName(chip16x16));
}

void Chip32x32EditClass::ShowView() {
    Graphics.SyncChip32x32SheetPalette();
    Graphics.Chip32x32Sheet().CopyToPicture(Controls.ImgEdit32x32ChipView->Picture(), 0,
                                            Half * ViewHeight, ViewWidth, ViewHeight, 0, 0);
    RedrawGridIfOn();
    Controls.ImgEdit32x32ChipView->update();
}

void Chip32x32EditClass::ShowTable() {
    IndexedBitmap &sheet = Graphics.Chip16x16Sheet();
    sheet.SetPalette(Graphics.StagePalette());
    sheet.CopyToPicture(Controls.Img16x16ChipTable->Picture(), 0, 0, TableSize, TableSize, 0, 0);
    Controls.Img16x16ChipTable->update();
}

void Chip32x32EditClass::ShowEditedChip() {
    Graphics.Chip32x32Sheet().CopyToPicture(
        Controls.ImgEdit32x32Chip->Picture(), (Edited % Columns) * ChipSize,
        (Edited / Columns) * ChipSize, ChipSize, ChipSize, 0, 0, Zoom);
    Controls.ImgEdit32x32Chip->update();
}

void Chip32x32EditClass::ShowBrush() {
    Graphics.Chip16x16Sheet().CopyToPicture(
        Controls.ImgSelect16x16Chip->Picture(), (SelectedBrush % Columns) * SmallChipSize,
        (SelectedBrush / Columns) * SmallChipSize, SmallChipSize, SmallChipSize, 0, 0, Zoom);
    Controls.ImgSelect16x16Chip->update();
}

void Chip32x32EditClass::RedrawGridIfOn() {
    if (Controls.Chk32x32ChipEditDrawGrid->isChecked())
        EditorGraphics::DrawGrid(Controls.ImgEdit32x32ChipView->Picture(), ChipSize, ChipSize);
}

void Chip32x32EditClass::RedrawChip(int chip) {
    Graphics.UpdateChip32x32InSheet(Graphics.Chip32x32Sheet(),
                                    Document.CurrentStageData().Chip32x32(),
                                    static_cast<uint8_t>(chip));
    if (chip / ChipsPerHalf != Half)
        return;
    RestoreViewCell(chip % ChipsPerHalf);
    RedrawGridIfOn();
    Controls.ImgEdit32x32ChipView->update();
}

// The view's cells are counted within the shown half, so a restore always copies a chip of
// the half on screen.
void Chip32x32EditClass::RestoreViewCell(int cell) {
    const int chip = Half * ChipsPerHalf + cell;
    Graphics.Chip32x32Sheet().CopyToPicture(
        Controls.ImgEdit32x32ChipView->Picture(), (chip % Columns) * ChipSize,
        (chip / Columns) * ChipSize, ChipSize, ChipSize, (cell % Columns) * ChipSize,
        (cell / Columns) * ChipSize);
}

void Chip32x32EditClass::FrameViewCell(int cell) {
    EditorGraphics::DrawFrame(Controls.ImgEdit32x32ChipView->Picture(), (cell % Columns) * ChipSize,
                              (cell / Columns) * ChipSize, ChipSize);
    Controls.ImgEdit32x32ChipView->update();
}

void Chip32x32EditClass::HoverView(int cell) {
    ViewHover.Previous = ViewHover.Current;
    ViewHover.Current = cell;
    if (ViewHover.Previous == cell)
        return;
    if (ViewHover.Previous >= 0)
        RestoreViewCell(ViewHover.Previous);
    RedrawGridIfOn();
    FrameViewCell(cell);
}

void Chip32x32EditClass::LeaveView() {
    const int current = ViewHover.Current;
    ViewHover = {};
    Controls.StatusPanel->clear();
    if (current < 0)
        return;
    RestoreViewCell(current);
    RedrawGridIfOn();
    Controls.ImgEdit32x32ChipView->update();
}

void Chip32x32EditClass::HoverTable(int chip16x16) {
    TableHover.Previous = TableHover.Current;
    TableHover.Current = chip16x16;
    if (TableHover.Previous == chip16x16)
        return;
    if (TableHover.Previous >= 0)
        RestoreTableCell(TableHover.Previous);
    FrameTableCell(chip16x16);
}

void Chip32x32EditClass::RestoreTableCell(int chip16x16) {
    const int x = (chip16x16 % Columns) * SmallChipSize;
    const int y = (chip16x16 / Columns) * SmallChipSize;
    Graphics.Chip16x16Sheet().CopyToPicture(Controls.Img16x16ChipTable->Picture(), x, y,
                                            SmallChipSize, SmallChipSize, x, y);
}

void Chip32x32EditClass::FrameTableCell(int chip16x16) {
    EditorGraphics::DrawFrame(Controls.Img16x16ChipTable->Picture(),
                              (chip16x16 % Columns) * SmallChipSize,
                              (chip16x16 / Columns) * SmallChipSize, SmallChipSize);
    Controls.Img16x16ChipTable->update();
}

void Chip32x32EditClass::LeaveTable() {
    const int current = TableHover.Current;
    TableHover = {};
    Controls.StatusPanel->clear();
    if (current < 0)
        return;
    RestoreTableCell(current);
    Controls.Img16x16ChipTable->update();
}

void Chip32x32EditClass::HoverEditedChip(int quadrant) {
    QuadrantHover.Previous = QuadrantHover.Current;
    QuadrantHover.Current = quadrant;
    if (QuadrantHover.Previous == quadrant)
        return;
    ShowEditedChip();
    FrameEditedQuadrant(quadrant);
}

void Chip32x32EditClass::FrameEditedQuadrant(int quadrant) {
    EditorGraphics::DrawFrame(Controls.ImgEdit32x32Chip->Picture(), (quadrant % 2) * ChipSize,
                              (quadrant / 2) * ChipSize, ChipSize);
    Controls.ImgEdit32x32Chip->update();
}

void Chip32x32EditClass::LeaveEditedChip() {
    const int current = QuadrantHover.Current;
    QuadrantHover = {};
    if (current >= 0)
        ShowEditedChip();
}

void Chip32x32EditClass::RedrawHoverFrames() {
    if (ViewHover.Current >= 0)
        FrameViewCell(ViewHover.Current);
    if (TableHover.Current >= 0)
        FrameTableCell(TableHover.Current);
    if (QuadrantHover.Current >= 0)
        FrameEditedQuadrant(QuadrantHover.Current);
}

void Chip32x32EditClass::MarkChanged() {
    Flags.SetEditFlag(EditArea::Chip32x32, Document.CurrentStage(), true);
}

void Chip32x32EditClass::PaintEntry(int chip, int quadrant, uint8_t value) {
    if (!Document.CurrentStageData().SetChip32x32Entry(chip * 4 + quadrant, value))
        return;
    MarkChanged();
    RedrawChip(chip);
    // The edited chip may be the one just painted.
    SelectChip(Edited);
}

void Chip32x32EditClass::Paste(int chip) {
    StageData &stage = Document.CurrentStageData();
    const uint8_t *current = stage.Chip32x32().data() + chip * 4;
    if (std::equal(CopyBuffer.begin(), CopyBuffer.end(), current))
        return;
    stage.PasteChip32x32(chip * 4, CopyBuffer);
    MarkChanged();
    RedrawChip(chip);
    SelectChip(Edited);
}

void Chip32x32EditClass::ImgEdit32x32ChipViewMouseDown(TImageEx *, Qt::MouseButton button,
                                                       Qt::KeyboardModifiers modifiers, int x,
                                                       int y) {
    const std::optional<ViewPoint> point = ViewPointAt(x, y);
    if (!point)
        return;
    HoverView(point->Cell);
    const int chip = Half * ChipsPerHalf + point->Cell;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (button == Qt::LeftButton) {
        if (ctrl) {
            Paste(chip);
        } else if (modifiers.testFlag(Qt::ShiftModifier)) {
            PaintEntry(chip, point->Quadrant, static_cast<uint8_t>(SelectedBrush));
        } else {
            SelectChip(chip);
            if (MapSetChipSink)
                MapSetChipSink(chip);
        }
    } else if (button == Qt::RightButton) {
        if (ctrl) {
            const uint8_t *source = Document.CurrentStageData().Chip32x32().data() + chip * 4;
            std::copy(source, source + 4, CopyBuffer.begin());
        } else {
            SelectBrush(Entry(chip, point->Quadrant));
        }
    }
    // Painting recopies the chip under the pointer over its frame.
    if (ViewHover.Current >= 0)
        FrameViewCell(ViewHover.Current);
}

void Chip32x32EditClass::ImgEdit32x32ChipViewMouseMove(TImageEx *, Qt::MouseButtons,
                                                       Qt::KeyboardModifiers, int x, int y) {
    const std::optional<ViewPoint> point = ViewPointAt(x, y);
    if (!point) {
        LeaveView();
        return;
    }
    Controls.StatusPanel->setText(tr("32x32チップNo:") +
                                  HexText(Half * ChipsPerHalf + point->Cell));
    HoverView(point->Cell);
}

void Chip32x32EditClass::ImgEdit32x32ChipViewMouseLeave(TImageEx *) {
    LeaveView();
}

void Chip32x32EditClass::Img16x16ChipTableMouseDown(TImageEx *, Qt::MouseButton button,
                                                    Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> chip = TableChipAt(x, y);
    if (!chip)
        return;
    HoverTable(*chip);
    if (button == Qt::LeftButton)
        SelectBrush(*chip);
}

void Chip32x32EditClass::Img16x16ChipTableMouseMove(TImageEx *, Qt::MouseButtons,
                                                    Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> chip = TableChipAt(x, y);
    if (!chip) {
        LeaveTable();
        return;
    }
    Controls.StatusPanel->setText(tr("16x16チップNo:") + HexText(*chip));
    HoverTable(*chip);
}

void Chip32x32EditClass::Img16x16ChipTableMouseLeave(TImageEx *) {
    LeaveTable();
}

void Chip32x32EditClass::ImgEdit32x32ChipMouseDown(TImageEx *, Qt::MouseButton button,
                                                   Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> quadrant = EditedQuadrantAt(x, y);
    if (!quadrant)
        return;
    HoverEditedChip(*quadrant);
    if (button == Qt::LeftButton)
        PaintEntry(Edited, *quadrant, static_cast<uint8_t>(SelectedBrush));
    else if (button == Qt::RightButton)
        SelectBrush(Entry(Edited, *quadrant));
    // Selecting the edited chip again redraws it without the frame.
    if (QuadrantHover.Current >= 0)
        FrameEditedQuadrant(QuadrantHover.Current);
}

void Chip32x32EditClass::ImgEdit32x32ChipMouseMove(TImageEx *, Qt::MouseButtons,
                                                   Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> quadrant = EditedQuadrantAt(x, y);
    if (quadrant)
        HoverEditedChip(*quadrant);
    else
        LeaveEditedChip();
}

void Chip32x32EditClass::ImgEdit32x32ChipMouseLeave(TImageEx *) {
    LeaveEditedChip();
}

void Chip32x32EditClass::UDChange32x32ChipViewClick(TUpDown *, bool &allowChange, int,
                                                    UpDownDirection direction) {
    allowChange = false;
    SwitchHalf(direction == UpDownDirection::Up ? 0 : 1);
}

void Chip32x32EditClass::SwitchHalf(int half) {
    if (half == Half)
        return;
    Half = half;
    Controls.LblEdit32x32ChipView->setText(half == 0 ? QStringLiteral("00-7F")
                                                     : QStringLiteral("80-FF"));
    ShowView();
    // A pointer resting on the view (the arrows worked from the keyboard) keeps its frame
    // over the chip now under it.
    if (ViewHover.Current >= 0)
        FrameViewCell(ViewHover.Current);
}

void Chip32x32EditClass::Chk32x32ChipEditDrawGridClick() {
    ShowView();
    if (ViewHover.Current >= 0)
        FrameViewCell(ViewHover.Current);
}

void Chip32x32EditClass::Button2Click() {
    if (!Prompt.ConfirmYesNo(
            tr("このステージの32x32チップデータを読み込み直します。よろしいですか？")))
        return;
    StageData &stage = Document.CurrentStageData();
    stage.LoadChip32x32();
    // Every record of the history holds bytes from before the reload.
    stage.ClearHistory();
    Refresh();
}

void Chip32x32EditClass::BtnUnused32x32ChipChkClick() {
    Controls.ReportWindow->ShowReport(tr("未使用32x32チップ番号"),
                                      tr("マップセットに使用されてない32x32チップ番号は"),
                                      ListUnused32x32Chips(Document.CurrentStageData()));
}

void Chip32x32EditClass::BtnOverlap32x32ChipChkClick() {
    Controls.ReportWindow->ShowReport(tr("重複チップの置換"),
                                      tr("重複定義されている32x32チップ番号は"),
                                      ListDuplicate32x32Chips(Document.CurrentStageData()));
}

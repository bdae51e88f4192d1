#include "paletteedit.h"

#include "AnimationTimer.h"
#include "HexText.h"
#include "ImageEx.h"
#include "UpDown.h"
#include "UserPrompt.h"
#include "common/EditorControls.h"
#include "edit_flag.h"
#include "fileio.h"
#include "graphics.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

namespace {
constexpr int Cell = 24;           // every cell of the page is a 24 x 24 square
constexpr int EntriesPerStrip = 4; // one palette of four colours per strip
constexpr int StripWidth = EntriesPerStrip * Cell;
constexpr int EntryCount = 16;
constexpr int SlotCount = 4;
constexpr int TableColumns = 16;
constexpr int TableRows = 4;
constexpr int SwatchSize = 32;
constexpr uint8_t FirstInvalidColour = 0x40;
// A stored colour of 0x40 and above has no colour of its own; picking one yields this.
constexpr uint8_t PickedForInvalidColour = 0x0F;

/// The cell of a grid of 24 x 24 cells under (x, y); nothing when the point lies outside,
/// as it may while a button is held and the pointer has left the control.
std::optional<int> CellAt(int x, int y, int columns, int rows) {
    if (x < 0 || y < 0 || x >= columns * Cell || y >= rows * Cell)
        return std::nullopt;
    return (y / Cell) * columns + x / Cell;
}

// Bytes of 0x40 and above can be stored; the console keeps only six bits of a colour
// index, so they are shown with the colour of their low six bits, and no pixel ever uses
// a palette entry outside the master colours (the entries above them are the frame and
// line colours).
uint8_t ShownColourIndex(uint8_t stored) {
    return stored & 0x3F;
}
} // namespace

PaletteEditClass::PaletteEditClass(RomImageData &document, EditFlagManagement &flags,
                                   EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt),
      PaletteStripSurface(graphics.CreatePaletteBitmap(EntryCount * Cell, Cell)),
      ColourTableSurface(graphics.CreatePaletteBitmap(TableColumns * Cell, TableRows * Cell)),
      AnimeStripSurface(graphics.CreateStageBitmap(EntryCount * Cell, Cell)) {
    // The colour table and the animation strip cells never change their indices: only
    // their palettes change, so they are filled once.
    for (int c = 0; c < TableColumns * TableRows; ++c)
        EditorGraphics::FillPictureRect(ColourTableSurface, (c % TableColumns) * Cell,
                                        (c / TableColumns) * Cell, Cell, Cell,
                                        static_cast<uint8_t>(c));
    for (int e = 0; e < EntryCount; ++e)
        EditorGraphics::FillSurfaceRect(AnimeStripSurface, e * Cell, 0, Cell, Cell,
                                        static_cast<uint8_t>(e));
}

PaletteEditClass::~PaletteEditClass() = default;

void PaletteEditClass::SetControls(const PaletteEditControls &controls) {
    Controls = controls;
    for (TImageEx *strip : Controls.ImgPalView)
        AssignPicture(strip, StripWidth, Cell);
    AssignPicture(Controls.ImgColorTable, TableColumns * Cell, TableRows * Cell);
    AssignPicture(Controls.ImgSelectColor, SwatchSize, SwatchSize);
    for (TImageEx *strip : Controls.ImgAnimePal)
        AssignPicture(strip, StripWidth, Cell);
}

int PaletteEditClass::SelectedPaletteSet() const {
    return std::clamp(Controls.CBSelectPaletteSet->currentIndex(), 0, PaletteSetCount - 1);
}

const PaletteSet &PaletteEditClass::SelectedSet() {
    return Document.CurrentStageData().BGPalette(SelectedPaletteSet());
}

const PaletteAnimeSet &PaletteEditClass::SelectedAnimeSet() {
    return Document.CurrentStageData().BGPaletteAnime(SelectedPaletteSet());
}

void PaletteEditClass::Refresh() {
    const int stage = Document.CurrentStage();
    if (stage != LastStage) {
        LastStage = stage;
        // Going back to the first set is part of this refresh, not a new set choice.
        const QSignalBlocker blocker(Controls.CBSelectPaletteSet);
        Controls.CBSelectPaletteSet->setCurrentIndex(0);
    }
    ColourTableHover = {};
    StripHover = {};
    for (int e = 0; e < EntryCount; ++e)
        RedrawStripCell(e);
    ShowPaletteValues();
    RedrawColourTable();
    SelectColour(SelectedColour);
    Graphics.SetStagePalette(SelectedSet());
    RedrawForPalette();
    ShowAnimeValues();
}

void PaletteEditClass::PageActivated() {
    ShowPaletteValues();
    ShowAnimeValues();
}

void PaletteEditClass::ShowPaletteValues() {
    const PaletteSet &set = SelectedSet();
    for (int e = 0; e < EntryCount; ++e)
        SetTextQuietly(Controls.EditPal[e], HexText(set[e]));
}

void PaletteEditClass::ShowAnimeValues() {
    const PaletteAnimeSet &selectors = SelectedAnimeSet();
    for (int k = 0; k < SlotCount; ++k)
        SetTextQuietly(Controls.EditAnimePal[k], HexText(selectors[k]));
}

void PaletteEditClass::RedrawForPalette() {
    AnimeStripSurface.SetPalette(Graphics.StagePalette());
    for (int n = 0; n < SlotCount; ++n) {
        AnimeStripSurface.CopyToPicture(Controls.ImgAnimePal[n]->Picture(), n * StripWidth, 0,
                                        StripWidth, Cell, 0, 0);
        Controls.ImgAnimePal[n]->update();
    }
}

void PaletteEditClass::CBSelectPaletteSetChange() {
    Controls.FrameTimer->stop();
    Refresh();
    Graphics.ResetPaletteAnimation();
    Controls.FrameTimer->Restart();
}

bool PaletteEditClass::Animates() {
    const PaletteAnimeSet &selectors = SelectedAnimeSet();
    return std::any_of(selectors.begin(), selectors.end(),
                       [](uint8_t selector) { return selector >= 0x80; });
}

int PaletteEditClass::FramesUntilStep() {
    return std::max(1, Graphics.TicksUntilStep(SelectedAnimeSet()));
}

bool PaletteEditClass::AnimationTick() {
    return Graphics.StepPaletteAnimation(SelectedAnimeSet());
}

void PaletteEditClass::SelectColour(int colour) {
    SelectedColour = colour;
    Controls.LblSelectColor->setText(HexText(colour));
    ColourTableSurface.CopyToPictureScaled(
        Controls.ImgSelectColor->Picture(), (colour % TableColumns) * Cell,
        (colour / TableColumns) * Cell, Cell, Cell, 0, 0, SwatchSize, SwatchSize);
    Controls.ImgSelectColor->update();
}

void PaletteEditClass::RedrawColourTable() {
    ColourTableSurface.CopyToPicture(Controls.ImgColorTable->Picture(), 0, 0, TableColumns * Cell,
                                     TableRows * Cell, 0, 0);
    Controls.ImgColorTable->update();
}

void PaletteEditClass::RedrawStripCell(int entry) {
    EditorGraphics::FillPictureRect(PaletteStripSurface, entry * Cell, 0, Cell, Cell,
                                    ShownColourIndex(SelectedSet()[entry]));
    TImageEx *strip = Controls.ImgPalView[entry / EntriesPerStrip];
    const int x = (entry % EntriesPerStrip) * Cell;
    PaletteStripSurface.CopyToPicture(strip->Picture(), entry * Cell, 0, Cell, Cell, x, 0);
    // A cell rewritten under the pointer keeps its hover frame.
    if (entry == StripHover.Current)
        EditorGraphics::DrawFrame(strip->Picture(), x, 0, Cell);
    strip->update();
}

void PaletteEditClass::RecopyAnimeStripCell(int entry) {
    AnimeStripSurface.SetPalette(Graphics.StagePalette());
    TImageEx *strip = Controls.ImgAnimePal[entry / EntriesPerStrip];
    AnimeStripSurface.CopyToPicture(strip->Picture(), entry * Cell, 0, Cell, Cell,
                                    (entry % EntriesPerStrip) * Cell, 0);
    strip->update();
}

void PaletteEditClass::EditPalXChange(int tag) {
    QLineEdit *edit = Controls.EditPal[tag];
    if (edit->text().size() != 2)
        return; // still being typed
    const uint8_t stored = SelectedSet()[tag];
    const std::optional<uint8_t> value = ParseHexByte(edit->text());
    if (!value || *value >= FirstInvalidColour) {
        SetTextQuietly(edit, HexText(stored));
        RedrawStripCell(tag);
        return;
    }
    SetTextQuietly(edit, HexText(*value));
    if (*value == stored)
        return;
    Document.CurrentStageData().SetPaletteEntry(SelectedPaletteSet() * EntryCount + tag, *value);
    Flags.SetEditFlag(EditArea::Palette, Document.CurrentStage(), true);
    Graphics.SetStagePaletteEntry(tag, *value);
    RecopyAnimeStripCell(tag);
    RedrawStripCell(tag);
}

void PaletteEditClass::EditAnimePalXChange(int tag) {
    QLineEdit *edit = Controls.EditAnimePal[tag];
    if (edit->text().size() != 2)
        return; // still being typed
    const uint8_t stored = SelectedAnimeSet()[tag];
    const std::optional<uint8_t> value = ParseHexByte(edit->text());
    // 0x00 switches the slot off and 0x80..0xFF plays animation (value - 0x80); the bytes
    // between mean nothing to the game.
    if (!value || (*value >= 0x01 && *value <= 0x7F)) {
        SetTextQuietly(edit, HexText(stored));
        return;
    }
    SetTextQuietly(edit, HexText(*value));
    if (*value == stored)
        return;
    const int set = SelectedPaletteSet();
    StageData &stage = Document.CurrentStageData();
    // No tick may step the old selector between the store and the rebuilt palette.
    Controls.FrameTimer->stop();
    stage.SetPaletteAnimeEntry(set * SlotCount + tag, *value);
    Graphics.ResetPaletteAnimation();
    Graphics.SetStagePalette(stage.BGPalette(set));
    RedrawForPalette();
    Controls.FrameTimer->Restart();
    Flags.SetEditFlag(EditArea::Palette, Document.CurrentStage(), true);
}

void PaletteEditClass::UDAnimePalXChangingEx(TUpDown *sender, bool &allowChange, int,
                                             UpDownDirection direction) {
    // The arrows are plain step buttons: the control's own position never moves.
    allowChange = false;
    const int slot = sender->Tag();
    if (slot < 0 || slot >= SlotCount)
        return;
    // Steps run through the values the slot accepts: 00, 80, 81, ..., FF, 00.
    const uint8_t v = SelectedAnimeSet()[slot];
    uint8_t next = 0;
    if (direction == UpDownDirection::Up)
        next = v == 0xFF ? 0x00 : v < 0x80 ? 0x80 : static_cast<uint8_t>(v + 1);
    else
        next = v == 0x00 ? 0xFF : v <= 0x80 ? 0x00 : static_cast<uint8_t>(v - 1);
    // The edit's change handling stores the new value.
    Controls.EditAnimePal[slot]->setText(HexText(next));
}

void PaletteEditClass::ImgColorTableMouseDown(TImageEx *, Qt::MouseButton button,
                                              Qt::KeyboardModifiers, int x, int y) {
    // Other buttons do nothing at all, not even move the hover frame.
    const std::optional<int> colour = CellAt(x, y, TableColumns, TableRows);
    if (button != Qt::LeftButton || !colour)
        return;
    HoverColourTable(*colour);
    SelectColour(*colour);
}

void PaletteEditClass::ImgColorTableMouseMove(TImageEx *, Qt::MouseButtons, Qt::KeyboardModifiers,
                                              int x, int y) {
    const std::optional<int> colour = CellAt(x, y, TableColumns, TableRows);
    if (colour)
        HoverColourTable(*colour);
    else
        LeaveColourTable();
}

void PaletteEditClass::ImgColorTableMouseLeave(TImageEx *) {
    LeaveColourTable();
}

void PaletteEditClass::HoverColourTable(int cell) {
    ColourTableHover.Previous = ColourTableHover.Current;
    ColourTableHover.Current = cell;
    if (ColourTableHover.Previous == cell)
        return;
    QImage &picture = Controls.ImgColorTable->Picture();
    if (const int previous = ColourTableHover.Previous; previous >= 0) {
        const int px = (previous % TableColumns) * Cell;
        const int py = (previous / TableColumns) * Cell;
        ColourTableSurface.CopyToPicture(picture, px, py, Cell, Cell, px, py);
    }
    EditorGraphics::DrawFrame(picture, (cell % TableColumns) * Cell, (cell / TableColumns) * Cell,
                              Cell);
    Controls.ImgColorTable->update();
}

void PaletteEditClass::LeaveColourTable() {
    const int current = ColourTableHover.Current;
    ColourTableHover = {};
    if (current < 0)
        return;
    const int x = (current % TableColumns) * Cell;
    const int y = (current / TableColumns) * Cell;
    ColourTableSurface.CopyToPicture(Controls.ImgColorTable->Picture(), x, y, Cell, Cell, x, y);
    Controls.ImgColorTable->update();
}

void PaletteEditClass::ImgPalViewXMouseDown(TImageEx *sender, Qt::MouseButton button,
                                            Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> cell = CellAt(x, y, EntriesPerStrip, 1);
    const int strip = sender->Tag();
    if (!cell || strip < 0 || strip >= SlotCount)
        return;
    const int entry = strip * EntriesPerStrip + *cell;
    HoverStrip(entry);
    if (button == Qt::LeftButton) {
        // The edit's change handling stores the colour, so writing the colour already
        // there records nothing.
        Controls.EditPal[entry]->setText(HexText(SelectedColour));
        return;
    }
    const uint8_t stored = SelectedSet()[entry];
    SelectColour(stored >= FirstInvalidColour ? PickedForInvalidColour : stored);
}

void PaletteEditClass::ImgPalViewXMouseMove(TImageEx *sender, Qt::MouseButtons,
                                            Qt::KeyboardModifiers, int x, int y) {
    const std::optional<int> cell = CellAt(x, y, EntriesPerStrip, 1);
    const int strip = sender->Tag();
    if (cell && strip >= 0 && strip < SlotCount)
        HoverStrip(strip * EntriesPerStrip + *cell);
    else
        LeaveStrip();
}

void PaletteEditClass::ImgPalViewXMouseLeave(TImageEx *) {
    LeaveStrip();
}

void PaletteEditClass::HoverStrip(int entry) {
    StripHover.Previous = StripHover.Current;
    StripHover.Current = entry;
    if (StripHover.Previous == entry)
        return;
    if (StripHover.Previous >= 0)
        RedrawStripCell(StripHover.Previous);
    TImageEx *strip = Controls.ImgPalView[entry / EntriesPerStrip];
    EditorGraphics::DrawFrame(strip->Picture(), (entry % EntriesPerStrip) * Cell, 0, Cell);
    strip->update();
}

void PaletteEditClass::LeaveStrip() {
    const int current = StripHover.Current;
    StripHover = {};
    if (current >= 0)
        RedrawStripCell(current);
}

void PaletteEditClass::BtnPaletteReloadClick() {
    ReloadAfterConfirmation(tr("このステージのパレットを読み込み直します。よろしいですか？"),
                            &StageData::LoadBGPalette);
}

void PaletteEditClass::BtnAnimationPaletteReloadClick() {
    ReloadAfterConfirmation(
        tr("このステージのアニメーションパレットを読み込み直します。よろしいですか？"),
        &StageData::LoadBGPaletteAnime);
}

void PaletteEditClass::ReloadAfterConfirmation(const QString &question, void (StageData::*load)()) {
    if (!Prompt.ConfirmYesNo(question))
        return;
    StageData &stage = Document.CurrentStageData();
    (stage.*load)();
    // The history of every category goes: its records hold bytes from before the reload.
    stage.ClearHistory();
    Refresh();
}

#include "tileedit.h"

#include "HexText.h"
#include "ImageEx.h"
#include "PictureFile.h"
#include "UserPrompt.h"
#include "common/EditorControls.h"
#include "edit_flag.h"
#include "fileio.h"
#include "filewriting.h"
#include "graphics.h"
#include "tilepicture.h"
#include "tilepixels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int TableZoom = 2;
constexpr int TableSize = 128; // both windows: 16 x 16 tiles
constexpr int ChipZoom = 8;
constexpr int SwatchSize = 32;
constexpr int TileSide = 8;
constexpr int TilesPerWindow = WindowTileCount;

int TileX(int index) {
    return TileSide * (index % 16);
}
int TileY(int index) {
    return TileSide * (index / 16);
}

} // namespace

TileEditClass::TileEditClass(RomImageData &document, EditFlagManagement &flags,
                             EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt) {}

TileEditClass::~TileEditClass() = default;

void TileEditClass::SetControls(const TileEditControls &controls) {
    Controls = controls;
    TableSurface = Graphics.CreateStageBitmap(TableSize, TableSize);
    ChipSurface = Graphics.CreateStageBitmap(16, 16);
    AssignPicture(Controls.ImgTileTable, TableSize * TableZoom, TableSize * TableZoom);
    AssignPicture(Controls.ImgEditTile, TileSide * EditZoom, TileSide * EditZoom);
    AssignPicture(Controls.ImgTileChip, 16 * ChipZoom, 16 * ChipZoom);
    AssignPicture(Controls.ImgTileColor, 4 * SwatchSize, SwatchSize);
}

StageData &TileEditClass::Stage() {
    return Document.CurrentStageData();
}

int TileEditClass::ChrTile(int index) {
    return Document.Tiles().WindowTile(Stage().BGBank()[index / TilesPerWindow],
                                       index % TilesPerWindow);
}

uint8_t TileEditClass::SelectedBank() {
    return Stage().BGBank()[Selected / TilesPerWindow];
}

EditHistory *TileEditClass::History() {
    return &Document.Tiles();
}

void TileEditClass::Refresh() {
    Selected = 0;
    Drawing = false;
    if (QAbstractButton *item = Controls.PaletteGroup->button(Palette))
        item->setChecked(true);
    ShowAll();
}

void TileEditClass::PageActivated() {
    ShowAll();
}

void TileEditClass::RedrawForPalette() {
    ShowTable();
    ShowEditedTile();
    ShowChip();
    ShowColours();
}

void TileEditClass::ShowAll() {
    const bool hasChr = Document.Tiles().TileCount() > 0;
    Controls.Content->setEnabled(hasChr);
    Controls.LblTileNoChr->setVisible(!hasChr);
    DrawTable();
    ShowTable();
    ShowEditedTile();
    ShowChip();
    ShowColours();
    ShowInfo();
}

std::array<QRgb, 4> TileEditClass::ShownColours() {
    std::array<QRgb, 4> colours{};
    for (int colour = 0; colour < 4; ++colour)
        colours[colour] = Graphics.GetStagePaletteColour(4 * Palette + colour);
    return colours;
}

// The chosen palette of the palette set itself, not as the animation shows it now: the
// colours a picture file is written in and matched against.
std::array<QRgb, 4> TileEditClass::PaletteColours() {
    const int set = std::clamp(PaletteSet ? PaletteSet() : 0, 0, PaletteSetCount - 1);
    std::array<QRgb, 4> colours{};
    for (int colour = 0; colour < 4; ++colour)
        colours[colour] =
            Graphics.MasterPalette()[Stage().BGPalette(set)[4 * Palette + colour] & 0x3F];
    return colours;
}

void TileEditClass::DrawTable() {
    Graphics.DrawTileTable(TableSurface, Stage().BGBank()[0], 0);
    Graphics.DrawTileTable(TableSurface, Stage().BGBank()[1], TableSize / 2);
}

void TileEditClass::ShowTable() {
    const std::array<QRgb, 4> colours = ShownColours();
    for (int colour = 0; colour < 4; ++colour)
        TableSurface.SetPaletteEntry(colour, colours[colour]);
    QImage &picture = Controls.ImgTileTable->Picture();
    TableSurface.CopyToPicture(picture, 0, 0, TableSize, TableSize, 0, 0, TableZoom);
    EditorGraphics::DrawFrame(picture, TileX(Selected) * TableZoom, TileY(Selected) * TableZoom,
                              TileSide * TableZoom);
    Controls.ImgTileTable->update();
}

void TileEditClass::ShowEditedTile() {
    QImage &picture = Controls.ImgEditTile->Picture();
    TableSurface.CopyToPicture(picture, TileX(Selected), TileY(Selected), TileSide, TileSide, 0, 0,
                               EditZoom);
    if (Controls.ChkTileEditDrawGrid->isChecked())
        EditorGraphics::DrawGrid(picture, EditZoom, EditZoom);
    Controls.ImgEditTile->update();
}

// The first chip of the stage with the tile in one of its quarters, as the stage shows it.
void TileEditClass::ShowChip() {
    const Chip16x16Table &chips = Stage().Chip16x16();
    int found = -1;
    for (int chip = 0; chip < 256 && found < 0; ++chip)
        for (int quarter = 0; quarter < 4; ++quarter)
            if (chips[chip + 256 * quarter] == Selected)
                found = chip;
    QImage &picture = Controls.ImgTileChip->Picture();
    if (found < 0) {
        picture.fill(Qt::black);
        Controls.LblTileChip->setText(tr("このタイルを使うチップはありません"));
    } else {
        ChipSurface.SetPalette(Graphics.StagePalette());
        Graphics.DrawChip16x16(ChipSurface, Stage().BGBank(), Stage().ChipProperty()[found] & 3,
                               chips, static_cast<uint8_t>(found), 0, 0);
        ChipSurface.CopyToPicture(picture, 0, 0, 16, 16, 0, 0, ChipZoom);
        Controls.LblTileChip->setText(tr("16x16チップ %1").arg(HexText(found)));
    }
    Controls.ImgTileChip->update();
}

void TileEditClass::ShowColours() {
    const std::array<QRgb, 4> colours = ShownColours();
    QImage &picture = Controls.ImgTileColor->Picture();
    for (int colour = 0; colour < 4; ++colour)
        for (int y = 0; y < SwatchSize; ++y)
            for (int x = 0; x < SwatchSize; ++x)
                picture.setPixel(colour * SwatchSize + x, y, colours[colour]);
    EditorGraphics::DrawFrame(picture, Colour * SwatchSize, 0, SwatchSize);
    EditorGraphics::DrawFrame(picture, Colour * SwatchSize + 1, 1, SwatchSize - 2);
    Controls.ImgTileColor->update();
}

QString TileEditClass::StagesShowing(int chrTile, bool othersOnly) {
    QStringList stages;
    for (int stage = 0; stage < StageCount; ++stage) {
        if (othersOnly && stage == Document.CurrentStage())
            continue;
        const auto shows = [&](uint8_t bank) {
            const int first = Document.Tiles().WindowTile(bank, 0);
            return first >= 0 && first <= chrTile && chrTile < first + TilesPerWindow;
        };
        const std::array<uint8_t, 2> &banks = Document.Stage(stage).BGBank();
        if (shows(banks[0]) || shows(banks[1]))
            stages << HexText(stage);
    }
    return stages.join(u' ');
}

void TileEditClass::ShowInfo() {
    const int chrTile = ChrTile(Selected);
    if (chrTile < 0) {
        Controls.LblTileInfo->setText(tr("タイル %1  バンク %2  CHRデータの範囲外")
                                          .arg(HexText(Selected), HexText(SelectedBank())));
        Controls.LblTileStages->clear();
        return;
    }
    Controls.LblTileInfo->setText(tr("タイル %1  バンク %2  ファイル位置 %3")
                                      .arg(HexText(Selected), HexText(SelectedBank()),
                                           HexText(Document.Tiles().TileOffset(chrTile), 6)));
    Controls.LblTileStages->setText(
        tr("このタイルを表示するステージ: %1").arg(StagesShowing(chrTile, false)));
}

void TileEditClass::SelectTile(int index) {
    Selected = index;
    ShowTable();
    ShowEditedTile();
    ShowChip();
    ShowInfo();
}

void TileEditClass::WarnShared(int chrTile) {
    const ChrTiles &tiles = Document.Tiles();
    if (WarnedLoad != tiles.LoadCount()) {
        WarnedLoad = tiles.LoadCount();
        WarnedWindows.clear();
    }
    const int bank = SelectedBank();
    if (WarnedWindows.count(bank) != 0)
        return;
    WarnedWindows.insert(bank);
    const QString others = StagesShowing(chrTile, true);
    if (!others.isEmpty())
        Prompt.ShowMessage(tr("このタイルはステージ %1 でも表示されます。"
                              "タイルの変更はそれらのステージにも表れます。")
                               .arg(others));
}

void TileEditClass::ChangeTile(const TileData &bytes, bool stroke) {
    const int chrTile = ChrTile(Selected);
    if (chrTile < 0)
        return;
    if (!stroke)
        WarnShared(chrTile);
    if (!Document.Tiles().SetTile(chrTile, bytes, stroke))
        return;
    AfterChange();
}

// Only the entries showing a changed tile are decoded and copied again: both windows can
// show the same tile, so every entry is looked at.
void TileEditClass::AfterChange() {
    Flags.SetChrFlag(true);
    const std::vector<int> &changed = Document.Tiles().LastChangedTiles();
    QImage &picture = Controls.ImgTileTable->Picture();
    for (int index = 0; index < 2 * TilesPerWindow; ++index) {
        if (std::find(changed.begin(), changed.end(), ChrTile(index)) == changed.end())
            continue;
        Graphics.DrawTile(TableSurface, Stage().BGBank(), 0, static_cast<uint8_t>(index),
                          TileX(index), TileY(index));
        TableSurface.CopyToPicture(picture, TileX(index), TileY(index), TileSide, TileSide,
                                   TileX(index) * TableZoom, TileY(index) * TableZoom, TableZoom);
    }
    EditorGraphics::DrawFrame(picture, TileX(Selected) * TableZoom, TileY(Selected) * TableZoom,
                              TileSide * TableZoom);
    Controls.ImgTileTable->update();
    ShowEditedTile();
    ShowChip();
}

void TileEditClass::PaintAt(int x, int y, bool stroke) {
    const int chrTile = ChrTile(Selected);
    if (chrTile < 0)
        return;
    TileData bytes = Document.Tiles().TileBytes(chrTile);
    if (stroke)
        TilePixels::DrawLine(bytes, LastX, LastY, x, y, Colour);
    else
        TilePixels::SetPixel(bytes, x, y, Colour);
    LastX = x;
    LastY = y;
    ChangeTile(bytes, stroke);
}

void TileEditClass::ImgTileTableMouseDown(TImageEx *, Qt::MouseButton button, Qt::KeyboardModifiers,
                                          int x, int y) {
    if (button != Qt::LeftButton || x < 0 || y < 0 || x >= TableSize * TableZoom ||
        y >= TableSize * TableZoom)
        return;
    SelectTile(16 * (y / (TileSide * TableZoom)) + x / (TileSide * TableZoom));
}

void TileEditClass::ImgEditTileMouseDown(TImageEx *, Qt::MouseButton button,
                                         Qt::KeyboardModifiers modifiers, int x, int y) {
    const int side = TileSide * EditZoom;
    if (x < 0 || y < 0 || x >= side || y >= side)
        return;
    const int px = x / EditZoom;
    const int py = y / EditZoom;
    const int chrTile = ChrTile(Selected);
    if (chrTile < 0)
        return;
    if (button == Qt::RightButton) {
        Colour = TilePixels::Pixel(Document.Tiles().TileBytes(chrTile), px, py);
        ShowColours();
        return;
    }
    if (button != Qt::LeftButton)
        return;
    if (Controls.BtnTileFill->isChecked() || modifiers.testFlag(Qt::ShiftModifier)) {
        TileData bytes = Document.Tiles().TileBytes(chrTile);
        TilePixels::FloodFill(bytes, px, py, Colour);
        ChangeTile(bytes);
        return;
    }
    PaintAt(px, py, false);
    Drawing = true;
}

void TileEditClass::ImgEditTileMouseMove(TImageEx *, Qt::MouseButtons buttons,
                                         Qt::KeyboardModifiers, int x, int y) {
    if (!Drawing)
        return;
    if (!buttons.testFlag(Qt::LeftButton)) {
        Drawing = false;
        return;
    }
    // Positions outside the picture still steer the line, so a fast stroke that leaves and
    // comes back draws its way along the edge; division rounds towards minus infinity.
    const auto cell = [](int value) {
        return value >= 0 ? value / EditZoom : -((-value + EditZoom - 1) / EditZoom);
    };
    const int px = cell(x);
    const int py = cell(y);
    if (px == LastX && py == LastY)
        return;
    PaintAt(px, py, true);
}

void TileEditClass::ImgEditTileMouseUp(TImageEx *, Qt::MouseButton button, Qt::KeyboardModifiers,
                                       int, int) {
    if (button == Qt::LeftButton)
        Drawing = false;
}

void TileEditClass::ImgTileColorMouseDown(TImageEx *, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                          int y) {
    if (x < 0 || y < 0 || x >= 4 * SwatchSize || y >= SwatchSize)
        return;
    Colour = x / SwatchSize;
    ShowColours();
}

void TileEditClass::RGTilePaletteClick() {
    Palette = std::max(Controls.PaletteGroup->checkedId(), 0);
    RedrawForPalette();
}

void TileEditClass::ChkTileEditDrawGridClick() {
    ShowEditedTile();
}

void TileEditClass::TransformTile(TileData (*transform)(const TileData &)) {
    const int chrTile = ChrTile(Selected);
    if (chrTile >= 0)
        ChangeTile(transform(Document.Tiles().TileBytes(chrTile)));
}

void TileEditClass::BtnTileFlipHClick() {
    TransformTile(TilePixels::FlippedHorizontally);
}

void TileEditClass::BtnTileFlipVClick() {
    TransformTile(TilePixels::FlippedVertically);
}

void TileEditClass::BtnTileRotateClick() {
    TransformTile(TilePixels::Rotated);
}

void TileEditClass::BtnTileClearClick() {
    if (ChrTile(Selected) >= 0)
        ChangeTile(TileData{});
}

void TileEditClass::CopyTile() {
    const int chrTile = ChrTile(Selected);
    if (chrTile >= 0)
        QGuiApplication::clipboard()->setText(
            TilePixels::ClipboardText(Document.Tiles().TileBytes(chrTile)));
}

void TileEditClass::PasteTile() {
    const std::optional<TileData> tile =
        TilePixels::FromClipboardText(QGuiApplication::clipboard()->text());
    if (!tile) {
        Prompt.ShowMessage(tr("クリップボードにタイルがありません"));
        return;
    }
    ChangeTile(*tile);
}

// The window of the chosen tile, when it lies wholly inside the CHR data; else -1 after
// saying so.
int TileEditClass::WindowForExport() {
    const ChrTiles &tiles = Document.Tiles();
    const uint8_t bank = SelectedBank();
    if (tiles.WindowTile(bank, 0) < 0 || tiles.WindowTile(bank, TilesPerWindow - 1) < 0) {
        Prompt.ShowMessage(tr("バンク %1 のタイルはCHRデータの範囲外です").arg(HexText(bank)));
        return -1;
    }
    return bank;
}

std::vector<int> TileEditClass::WindowTiles(uint8_t bank) const {
    std::vector<int> numbers;
    for (int index = 0; index < TilesPerWindow; ++index)
        numbers.push_back(Document.Tiles().WindowTile(bank, index));
    return numbers;
}

void TileEditClass::BtnTileExportClick() {
    const int bank = WindowForExport();
    if (bank < 0)
        return;
    const std::optional<QString> path =
        Prompt.AskFileName(FileAccess::Save, tr("タイルをPNGに書き出す"), tr("PNG 画像 (*.png)"));
    if (!path)
        return;
    const std::vector<int> numbers = WindowTiles(static_cast<uint8_t>(bank));
    FileWriting::WriteWholeFile(
        *path, PngBytes(TilePicture::Picture(Document.Tiles(), numbers, PaletteColours())), Prompt);
}

void TileEditClass::BtnTileImportClick() {
    const int bank = WindowForExport();
    if (bank < 0)
        return;
    const std::optional<QString> path =
        Prompt.AskFileName(FileAccess::Open, tr("タイルをPNGから読み込む"), tr("PNG 画像 (*.png)"));
    if (!path)
        return;
    const std::optional<QByteArray> bytes = FileWriting::ReadWholeFile(*path, Prompt);
    if (!bytes)
        return;
    const TilePicture::ReadResult read =
        TilePicture::Read(*bytes, TilesPerWindow, PaletteColours());
    if (!read.Ok()) {
        Prompt.ShowMessage(tr("%1を読み込めませんでした: %2").arg(*path, read.Error));
        return;
    }
    const std::vector<int> numbers = WindowTiles(static_cast<uint8_t>(bank));
    WarnShared(numbers.front());
    if (Document.Tiles().SetTiles(TilePicture::Changes(numbers, read.Tiles)) > 0)
        AfterChange();
}

void TileEditClass::BtnTileReloadClick() {
    if (!Prompt.ConfirmYesNo(tr("このROMイメージのタイルを読み込み直します。よろしいですか？")))
        return;
    Document.ReloadTiles();
    ShowAll();
}

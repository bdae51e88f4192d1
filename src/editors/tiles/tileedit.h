#pragma once

#include "IndexedBitmap.h"
#include "chrtiles.h"
#include "common/PageController.h"

#include <QObject>
#include <array>
#include <functional>
#include <set>
#include <vector>

class EditFlagManagement;
class EditorGraphics;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;
class RomImageData;
class StageData;
class TImageEx;
class UserPrompt;

/// The controls of the tile page, created by the page builder and handed over.
struct TileEditControls {
    /// Everything but the line saying why the page is disabled.
    QWidget *Content = nullptr;
    QLabel *LblTileNoChr = nullptr;
    TImageEx *ImgTileTable = nullptr;
    TImageEx *ImgEditTile = nullptr;
    TImageEx *ImgTileChip = nullptr;
    TImageEx *ImgTileColor = nullptr;
    /// Ids are the palette numbers.
    QButtonGroup *PaletteGroup = nullptr;
    QCheckBox *ChkTileEditDrawGrid = nullptr;
    QPushButton *BtnTileFill = nullptr; ///< checkable: a left click fills instead of painting
    QPushButton *BtnTileFlipH = nullptr;
    QPushButton *BtnTileFlipV = nullptr;
    QPushButton *BtnTileRotate = nullptr;
    QPushButton *BtnTileCopy = nullptr;
    QPushButton *BtnTilePaste = nullptr;
    QPushButton *BtnTileClear = nullptr;
    QPushButton *BtnTileExport = nullptr;
    QPushButton *BtnTileImport = nullptr;
    QPushButton *BtnTileReload = nullptr;
    QLabel *LblTileInfo = nullptr;
    QLabel *LblTileStages = nullptr;
    QLabel *LblTileChip = nullptr;
};

/// The tile page: the two tile windows the current stage's bank bytes select, a large view
/// of the chosen tile to draw on, the first 16x16 chip of the stage that shows the tile, and
/// picture files in and out.
///
/// The tiles belong to the image (`ChrTiles`), with a history of their own: the Edit menu
/// works on it while this page is active. Every change sets the CHR flag; the other pages
/// draw the tiles as edited when they are next shown.
///
/// Borrows the document, the flags, the renderer, the prompt and the page's controls; owns
/// the surface the windows are decoded into.
class TileEditClass : public QObject, public PageController {
    Q_OBJECT
public:
    static constexpr int EditZoom = 24;

    TileEditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                  UserPrompt &prompt);
    ~TileEditClass() override;

    void SetControls(const TileEditControls &controls);
    /// Where the number of the palette set the pages show comes from (the palette page).
    void SetPaletteSetSource(std::function<int()> source) { PaletteSet = std::move(source); }

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;
    /// The tiles' own history.
    EditHistory *History() override;

    int SelectedTile() const { return Selected; }
    int SelectedColour() const { return Colour; }

    // Events of the page's controls.
    void ImgTileTableMouseDown(TImageEx *sender, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEditTileMouseDown(TImageEx *sender, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEditTileMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEditTileMouseUp(TImageEx *sender, Qt::MouseButton button,
                            Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgTileColorMouseDown(TImageEx *sender, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers, int x, int y);
    void RGTilePaletteClick();
    void ChkTileEditDrawGridClick();
    void BtnTileFlipHClick();
    void BtnTileFlipVClick();
    void BtnTileRotateClick();
    void BtnTileClearClick();
    /// Ctrl+C on the page: the tile as text (`TilePixels::ClipboardText`).
    void CopyTile();
    /// Ctrl+V on the page: a tile copied as text replaces the chosen one.
    void PasteTile();
    void BtnTileExportClick();
    void BtnTileImportClick();
    void BtnTileReloadClick();

private:
    StageData &Stage();
    /// The tile in the image's CHR data that entry `index` (0..255) of the stage shows; -1
    /// when it lies outside.
    int ChrTile(int index);
    uint8_t SelectedBank();
    std::array<QRgb, 4> PaletteColours();
    std::array<QRgb, 4> ShownColours();
    void SelectTile(int index);
    void ShowAll();
    void DrawTable();
    void ShowTable();
    void ShowEditedTile();
    void ShowChip();
    void ShowColours();
    void ShowInfo();
    QString StagesShowing(int chrTile, bool othersOnly);
    /// Asks nothing, but says once per loaded image and window that the change shows in
    /// other stages too.
    void WarnShared(int chrTile);
    /// Puts `bytes` into the chosen tile; `stroke` joins the previous step of a drag.
    void ChangeTile(const TileData &bytes, bool stroke = false);
    void AfterChange();
    void TransformTile(TileData (*transform)(const TileData &));
    void PaintAt(int x, int y, bool stroke);
    int WindowForExport();
    std::vector<int> WindowTiles(uint8_t bank) const;

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    TileEditControls Controls;
    std::function<int()> PaletteSet;

    int Selected = 0; ///< 0..255: window 0 below 0x80, window 1 from 0x80
    int Colour = 1;
    int Palette = 0;
    bool Drawing = false;
    int LastX = 0;
    int LastY = 0;
    int WarnedLoad = -1;
    std::set<int> WarnedWindows; ///< bank bytes already warned about in that load
    IndexedBitmap TableSurface;  ///< both windows, 16 x 16 tiles of colour numbers 0..3
    IndexedBitmap ChipSurface;   ///< the context chip, 16 x 16
};

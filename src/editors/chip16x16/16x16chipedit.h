#pragma once

#include "IndexedBitmap.h"
#include "common/LazyDialog.h"
#include "common/PageController.h"

#include <QObject>
#include <array>
#include <cstdint>

class EditFlagManagement;
class EditorGraphics;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class RomImageData;
class StageData;
class TImageEx;
class TShowUnusedChipNumForm;
class UserPrompt;

inline constexpr int ChipAttributeItemCount = 16;
inline constexpr int ChipPaletteItemCount = 4;

/// The controls of the 16x16 chip page, created by the main window and handed over.
struct Chip16x16EditControls {
    TImageEx *ImgBGBankTable = nullptr;
    TImageEx *ImgEdit16x16ChipView = nullptr;
    TImageEx *ImgEdit16x16Chip = nullptr;
    TImageEx *ImgSelectTile = nullptr;
    std::array<QFrame *, 16> PanelPaletteColor{};
    QLabel *LblSelectChipIndex = nullptr;
    QLabel *LblSelectBGBankTileIndex = nullptr;
    std::array<QLabel *, 4> LblSelectChipTile{};
    std::array<QLabel *, 2> LblBGBank{};
    QLabel *LblSelectChipProperty = nullptr;
    QGroupBox *RGChipPropertySelect = nullptr;
    /// The attribute items, item i standing for attribute i; the main window puts the
    /// attribute list's names on them.
    std::array<QRadioButton *, ChipAttributeItemCount> ChipPropertyItems{};
    /// Keeps one attribute item checked; ids are the attributes.
    QButtonGroup *ChipPropertyGroup = nullptr;
    QGroupBox *RGPaletteSelect = nullptr;
    /// Keeps one palette item checked; ids are the palette numbers.
    QButtonGroup *PaletteGroup = nullptr;
    std::array<QScrollBar *, 2> ScrBarBGBank{};
    QLineEdit *EditSelectChipProperty = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *BtnUnusedTileChk = nullptr;
    QPushButton *BtnUnused16x16ChipChk = nullptr;
    /// The main window's second status bar panel, where hover texts go.
    QLabel *StatusPanel = nullptr;
    LazyDialog<TShowUnusedChipNumForm> ReportWindow;
};

/// The 16x16 chip page: the stage's 256 16x16 chips (four tiles and a property byte each)
/// and its two background tile banks.
///
/// Borrows the document, the modified flags, the renderer (and its shared 16x16 chip
/// sheet), the prompt and the page's controls; owns the bank surface the tiles are decoded
/// into and the pictures of the page's image controls.
///
/// A pointer position outside an image, as arrives while a button is held and the pointer
/// has left the control, names no tile, chip or quadrant: a press there does nothing and a
/// move there counts as leaving the image.
class Chip16x16EditClass : public QObject, public PageController {
    Q_OBJECT
public:
    /// The largest bank byte; a bank scroll bar never goes beyond it.
    static constexpr int MaxBankByte = 0xFF;

    Chip16x16EditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                       UserPrompt &prompt);
    ~Chip16x16EditClass() override;

    /// Takes the page's controls and gives the image controls their pictures.
    void SetControls(const Chip16x16EditControls &controls);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// Gives the shared 16x16 chip sheet the stage palette and builds all 256 chips of the
    /// current stage into it; run before any page that draws from the sheet activates.
    void RebuildChipSheet();

    /// Sets the bank scroll bars' range for an image of `chrPageCount` 1 KB character pages:
    /// a bank is two pages, so the last bank starts two pages before the end, and a bank
    /// byte cannot go past 0xFF however large the character data is. With fewer than two
    /// pages there is no bank to choose and the bars are disabled. A bank byte beyond the
    /// image's last bank widens its bar up to the byte while the stage is shown.
    void SetBGBankScrollRange(int chrPageCount);

    // Events of the page's controls.
    void ImgBGBankTableMouseDown(TImageEx *sender, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgBGBankTableMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                 Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgBGBankTableMouseLeave(TImageEx *sender);
    void ImgEdit16x16ChipViewMouseDown(TImageEx *sender, Qt::MouseButton button,
                                       Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit16x16ChipViewMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                       Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit16x16ChipViewMouseLeave(TImageEx *sender);
    void ImgEdit16x16ChipMouseDown(TImageEx *sender, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit16x16ChipMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                   Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit16x16ChipMouseLeave(TImageEx *sender);
    void RGChipPropertySelectClick();
    void RGPaletteSelectClick();
    void EditSelectChipPropertyChange();
    /// One scroll action of the bank bar `tag` (0 or 1) that leaves it at `position`.
    void ScrBarBGBankXScroll(int tag, int position);
    void Button1Click();
    void BtnUnusedTileChkClick();
    void BtnUnused16x16ChipChkClick();

private:
    /// The cell under the pointer and the one it was over before; -1 for none.
    struct Hover {
        int Current = -1;
        int Previous = -1;
    };
    enum class View { BankTable, ChipView, EditedChip };

    StageData &Stage();
    uint8_t SelectedProperty();
    Hover &HoverOf(View view);
    void DrawBanks();
    void DrawBank(int bank);
    void ShowBankTable();
    void ShowTilePreview();
    void ShowChipView();
    void ShowEditedChip();
    void CopyEditedChip();
    void ShowBanks();
    void ColourPanels();
    void SelectTile(int tile);
    void SelectChip(int chip);
    void ShowChipContents();
    void ShowPropertyTexts();
    void RedrawChip(int chip);
    void StoreProperty(uint8_t property);
    void MoveHover(View view, int cell);
    void LeaveHover(View view);
    void RestoreCell(View view, int cell);
    void DrawHoverFrame(View view);
    void FocusCheckedItem(QButtonGroup *group);
    void MarkModified();

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    IndexedBitmap &Sheet; ///< the shared 16x16 chip sheet
    Chip16x16EditControls Controls;

    int SelectedTile = 0;
    int SelectedChip = 0;
    int BankTablePalette = 0;
    int ImageBankMaximum = 0; ///< the last bank the opened image holds
    std::array<uint8_t, 5> CopyBuffer{}; ///< four tiles in quadrant order, then the property
    Hover BankTableHover;
    Hover ChipViewHover;
    Hover EditedChipHover;

    IndexedBitmap BankSurface; ///< both banks, 16 x 16 tiles of bare colour numbers 0..3
};

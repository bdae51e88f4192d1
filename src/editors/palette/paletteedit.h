#pragma once

#include "IndexedBitmap.h"
#include "common/PageController.h"
#include "editdata.h"

#include <QObject>
#include <array>
#include <cstdint>

class EditFlagManagement;
class EditorGraphics;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class AnimationTimer;
class RomImageData;
class TImageEx;
class TUpDown;
class UserPrompt;
enum class UpDownDirection;

/// The controls of the palette page, created by the main window and handed over.
struct PaletteEditControls {
    std::array<TImageEx *, 4> ImgPalView{};
    TImageEx *ImgColorTable = nullptr;
    TImageEx *ImgSelectColor = nullptr;
    std::array<TImageEx *, 4> ImgAnimePal{};
    std::array<QLineEdit *, 16> EditPal{};
    std::array<QLineEdit *, 4> EditAnimePal{};
    QLabel *LblSelectColor = nullptr;
    std::array<TUpDown *, 4> UDAnimePal{};
    AnimationTimer *FrameTimer = nullptr;
    QComboBox *CBSelectPaletteSet = nullptr;
    QPushButton *BtnPaletteReload = nullptr;
    QPushButton *BtnAnimationPaletteReload = nullptr;
};

/// The palette page: the five palette sets and animation slots of the current stage,
/// the palette-set selector every page draws with, and the animation preview.
///
/// Borrows the document, the modified flags, the renderer, the prompt and the page's
/// controls; owns the off-screen surfaces it draws the page from.
class PaletteEditClass : public QObject, public PageController {
    Q_OBJECT
public:
    PaletteEditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                     UserPrompt &prompt);
    ~PaletteEditClass() override;

    /// Takes the page's controls and gives the image controls their pictures.
    void SetControls(const PaletteEditControls &controls);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// The selected palette set, 0..4.
    int SelectedPaletteSet() const;
    /// Pauses the frame timer, refreshes the page for the newly chosen set and restarts
    /// the animation.
    void CBSelectPaletteSetChange();
    /// One frame-timer tick: steps the animation of the selected set; true when a colour
    /// changed (the main window then redraws the active page).
    bool AnimationTick();
    /// True when a slot of the selected set plays an animation (a selector of 0x80 or more).
    bool Animates();
    /// Ticks until the animation of the selected set next steps (at least 1).
    int FramesUntilStep();

    /// Writes the 16 palette edits from the stored entries of the selected set.
    void ShowPaletteValues();
    /// Writes the 4 animation edits from the stored slots of the selected set.
    void ShowAnimeValues();

    // Events of the page's controls; `tag` is the number of the control in its family.
    void EditPalXChange(int tag);
    void EditAnimePalXChange(int tag);
    void UDAnimePalXChangingEx(TUpDown *sender, bool &allowChange, int newValue,
                               UpDownDirection direction);
    void ImgColorTableMouseDown(TImageEx *sender, Qt::MouseButton button,
                                Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgColorTableMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgColorTableMouseLeave(TImageEx *sender);
    void ImgPalViewXMouseDown(TImageEx *sender, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgPalViewXMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgPalViewXMouseLeave(TImageEx *sender);
    void BtnPaletteReloadClick();
    void BtnAnimationPaletteReloadClick();

private:
    /// The cell under the pointer and the one it was over before; -1 for none.
    struct Hover {
        int Current = -1;
        int Previous = -1;
    };

    const PaletteSet &SelectedSet();
    const PaletteAnimeSet &SelectedAnimeSet();
    void SelectColour(int colour);
    void RedrawColourTable();
    void RedrawStripCell(int entry);
    void RecopyAnimeStripCell(int entry);
    void HoverColourTable(int cell);
    void LeaveColourTable();
    void HoverStrip(int entry);
    void LeaveStrip();
    void ReloadAfterConfirmation(const QString &question, void (StageData::*load)());

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    PaletteEditControls Controls;

    int SelectedColour = 0;
    int LastStage = 0;
    Hover ColourTableHover;
    Hover StripHover;

    IndexedBitmap PaletteStripSurface; ///< 16 cells of master-colour indices
    IndexedBitmap ColourTableSurface;  ///< the 64 master colours, 16 a row
    IndexedBitmap AnimeStripSurface;   ///< cells of stage-palette indices 0..15
};

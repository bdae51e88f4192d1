#pragma once

#include "common/LazyDialog.h"
#include "common/PageController.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

class EditFlagManagement;
class EditorGraphics;
class QCheckBox;
class QLabel;
class QPushButton;
class RomImageData;
class TImageEx;
class TShowUnusedChipNumForm;
class TUpDown;
class UserPrompt;
enum class UpDownDirection;

/// The controls of the 32x32 chip page, created by the main window and handed over.
struct Chip32x32EditControls {
    TImageEx *Img16x16ChipTable = nullptr;
    TImageEx *ImgEdit32x32ChipView = nullptr;
    TImageEx *ImgEdit32x32Chip = nullptr;
    TImageEx *ImgSelect16x16Chip = nullptr;
    TUpDown *UDChange32x32ChipView = nullptr;
    QLabel *LblEdit32x32ChipView = nullptr;
    QLabel *LblSelect16x16ChipIndex = nullptr;
    QLabel *LblSelect16x16ChipProperty = nullptr;
    std::array<QLabel *, 4> LblStructChipIndex{};
    std::array<QLabel *, 4> LblStructChipProperty{};
    QLabel *LblSelect32x32ChipIndex = nullptr;
    QCheckBox *Chk32x32ChipEditDrawGrid = nullptr;
    QPushButton *Button2 = nullptr; ///< reload
    QPushButton *BtnUnused32x32ChipChk = nullptr;
    QPushButton *BtnOverlap32x32ChipChk = nullptr;
    QLabel *StatusPanel = nullptr; ///< the main window's second status-bar panel
    LazyDialog<TShowUnusedChipNumForm> ReportWindow;
};

/// The 32x32 chip page: composes the stage's 256 32x32 chips from 16x16 chips, shows them
/// half a table at a time, the 16x16 chips to paint with, the edited chip enlarged and its
/// composition by number and property name.
///
/// Borrows the document, the modified flags, the renderer (and its two chip sheets), the
/// prompt and the page's controls. Owns the pictures of its image controls, the copy
/// buffer and the selections.
///
/// Pointer positions outside an image (reported while a button is held) give no chip or
/// quadrant: a press there does nothing and a move there counts as leaving the image.
class Chip32x32EditClass : public QObject, public PageController {
    Q_OBJECT
public:
    Chip32x32EditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                       UserPrompt &prompt);
    ~Chip32x32EditClass() override;

    /// Takes the page's controls and gives the image controls their pictures.
    void SetControls(const Chip32x32EditControls &controls);
    /// Where a plain left click on the 32x32 view sends the chip it selects: the map set
    /// page paints with that chip from then on.
    void SetMapSetChipSink(std::function<void(int)> sink);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// Gives the 32x32 sheet the stage palette and composes all 256 chips from the 16x16
    /// sheet, which must be current.
    void RebuildChipSheet();

    int EditedChip() const { return Edited; }
    int Brush() const { return SelectedBrush; }
    int ShownHalf() const { return Half; }

    // Events of the page's controls.
    /// Answers the up-down's request to step: the step is always refused, so the position
    /// stays in the middle of its range and both arrows keep working as plain buttons; the
    /// up arrow shows chips 00-7F, the down arrow chips 80-FF.
    void UDChange32x32ChipViewClick(TUpDown *sender, bool &allowChange, int newValue,
                                    UpDownDirection direction);
    void ImgEdit32x32ChipViewMouseDown(TImageEx *sender, Qt::MouseButton button,
                                       Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit32x32ChipViewMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                       Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit32x32ChipViewMouseLeave(TImageEx *sender);
    void Img16x16ChipTableMouseDown(TImageEx *sender, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers, int x, int y);
    void Img16x16ChipTableMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                    Qt::KeyboardModifiers modifiers, int x, int y);
    void Img16x16ChipTableMouseLeave(TImageEx *sender);
    void ImgEdit32x32ChipMouseDown(TImageEx *sender, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit32x32ChipMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                   Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgEdit32x32ChipMouseLeave(TImageEx *sender);
    void Chk32x32ChipEditDrawGridClick();
    void Button2Click();
    void BtnUnused32x32ChipChkClick();
    void BtnOverlap32x32ChipChkClick();

private:
    /// The cell under the pointer and the one it was over before; -1 for none.
    struct Hover {
        int Current = -1;
        int Previous = -1;
    };

    uint8_t Entry(int chip, int quadrant) const;
    QString PropertyName(int chip16x16) const;
    void SelectChip(int chip);
    void SelectBrush(int chip16x16);
    void ShowView();
    void ShowTable();
    void ShowEditedChip();
    void ShowBrush();
    void RedrawChip(int chip);
    void RestoreViewCell(int cell);
    void FrameViewCell(int cell);
    void RedrawGridIfOn();
    void HoverView(int cell);
    void LeaveView();
    void HoverTable(int chip16x16);
    void LeaveTable();
    void RestoreTableCell(int chip16x16);
    void FrameTableCell(int chip16x16);
    void HoverEditedChip(int quadrant);
    void LeaveEditedChip();
    void FrameEditedQuadrant(int quadrant);
    void RedrawHoverFrames();
    void PaintEntry(int chip, int quadrant, uint8_t value);
    void Paste(int chip);
    void SwitchHalf(int half);
    void MarkChanged();

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    Chip32x32EditControls Controls;
    std::function<void(int)> MapSetChipSink;

    int Edited = 0;
    int SelectedBrush = 0;
    int Half = 0;
    std::array<uint8_t, 4> CopyBuffer{};
    Hover ViewHover; ///< cells of the view, 0..127 within the shown half
    Hover TableHover;
    Hover QuadrantHover;
};

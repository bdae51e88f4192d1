#pragma once

#include "common/LazyDialog.h"
#include "common/PageController.h"

#include <QObject>
#include <QStringList>
#include <array>

class EditFlagManagement;
class EditorGraphics;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class RomImageData;
class StageData;
class TImageEx;
class TObjectEditForm;
class TUpDown;
class UserPrompt;
struct ObjectNode;
enum class UpDownDirection;

/// The controls of the object page, created by the main window and handed over.
struct ObjectEditControls {
    std::array<TImageEx *, 2> ImgObjectMapPage{};
    QScrollBar *ScrBarObjectMap = nullptr;
    QLabel *LblObjectRoom = nullptr;
    QLabel *LblObjectNum = nullptr;
    QLabel *LblObjectSum = nullptr;
    QLabel *LblObjectIndex = nullptr;
    QLabel *LblObjectScreen = nullptr;
    QLabel *LblObjectX = nullptr;
    QLabel *LblObjectY = nullptr;
    QComboBox *CBSelectObject = nullptr;
    TUpDown *UDObjectX = nullptr;
    TUpDown *UDObjectY = nullptr;
    QPushButton *BtnObjectCreate = nullptr;
    QPushButton *BtnObjectRemove = nullptr;
    QCheckBox *ChkSortObjectList = nullptr;
    QCheckBox *ChkPopupHint = nullptr;
    QPushButton *BtnObjectEditReload = nullptr;
    QMenu *PopupMenuObjectEdit = nullptr;
    QAction *MenuCreateObject = nullptr;
    QAction *MenuCopyObject = nullptr;
    QAction *MenuCutObject = nullptr;
    QAction *MenuPasteObject = nullptr;
    QAction *MenuRemoveObject = nullptr;
    QAction *N9 = nullptr; ///< "キャンセル": closes the menu, nothing else
    /// The main window's hover panel; the object page shows its hover information as a
    /// pop-up hint instead, so it leaves the panel alone.
    QLabel *StatusPanel = nullptr;
    LazyDialog<TObjectEditForm> ObjectForm;
};

/// The object page: two neighbouring rooms with their backgrounds and object markers, and
/// the selection, dragging, nudging, creation, copying, removal and text editing of the
/// objects of the current stage. Object edits are never part of the undo history; every
/// change sets the stage's object modified flag.
///
/// Borrows the document, the modified flags, the renderer, the prompt, the page's controls
/// and the object list dialog; owns nothing but its state. It holds pointers to objects of
/// the current stage's room lists (which keep their nodes in place) and forgets each one
/// before the object it points to is freed.
///
/// Pointer positions outside a room image (possible while a button is held) hover nothing
/// and are clamped into the room when an object is dragged or a menu position is taken.
class ObjectEditClass : public QObject, public PageController {
    Q_OBJECT
public:
    static constexpr int ObjectLimit = 127;

    ObjectEditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                    UserPrompt &prompt);

    /// Takes the page's controls and gives both room images their 256 x 256 pictures.
    void SetControls(const ObjectEditControls &controls);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// Sets the popup menu's items for the right-clicked point: copy, cut and remove only
    /// over an object, paste only once a kind has been copied.
    void UpdateObjectPopupMenu();

    /// The room's objects as text: "XX YY KK" and CR LF per object, in list order.
    QString ObjectListText(int room) const;
    /// Replaces every object of the room with the objects the lines describe, as far as the
    /// stage limit allows; unreadable lines are dropped. The list is not sorted.
    void ReplaceRoomObjects(int room, const QStringList &lines);

    // Events of the page's controls; a room image's tag is its number, 0 or 1.
    void ScrBarObjectMapScroll(int position);
    void ImgObjectMapPageXMouseDown(TImageEx *sender, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers, int x, int y);
    void ImgObjectMapPageXMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                    Qt::KeyboardModifiers modifiers, int x, int y);
    void CBSelectObjectChange(int index);
    void BtnObjectCreateClick();
    void BtnObjectRemoveClick();
    void UDObjectXChangingEx(TUpDown *sender, bool &allowChange, int newValue,
                             UpDownDirection direction);
    void UDObjectYChangingEx(TUpDown *sender, bool &allowChange, int newValue,
                             UpDownDirection direction);
    void MenuCreateObjectClick();
    void MenuCopyObjectClick();
    void MenuCutObjectClick();
    void MenuPasteObjectClick();
    void MenuRemoveObjectClick();
    void BtnObjectEditReloadClick();

private:
    StageData &Stage();
    void MarkModified();
    bool IsShown(int room) const;
    /// True (after showing the limit message) when the stage already holds 127 objects.
    bool LimitReached();
    /// Clears every reference to `node`.
    void Forget(const ObjectNode *node);
    /// Clears every reference to an object of `room`.
    void ForgetRoom(int room);
    /// Sorts the room by X when the sort box is ticked.
    void SortRoomIfTicked(int room);

    void DrawRoom(int page);
    void RedrawIfNeeded();
    void DrawSelectionMarker();
    void ShowSelection();
    void ShowCounts();
    void ShowShownRooms();
    void ScrollRooms(int position);
    void HitTest(int page, int x, int y);
    QString HintText(int page);
    void ShowHint(TImageEx *image, int x, int y);
    void DragTo(int x, int y);
    void SelectHovered();
    void EditRoomAsText(int page);
    void CreateAtMenu(int kind);
    void Nudge(int dx, int dy);

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    ObjectEditControls Controls;

    std::array<int, 2> ShownRoom{0, 1};
    ObjectNode *LastHoveredObject = nullptr;
    ObjectNode *HoveredObject = nullptr;
    int HoveredRoom = 0;
    ObjectNode *SelectedObject = nullptr;
    const ObjectNode *DrawnSelection = nullptr;
    int SelectedRoom = 0;
    bool RedrawPending = false;
    int ClickPage = 0;
    int ClickX = 0;
    int ClickY = 0;
    int MenuX = 0;
    int MenuY = 0;
    int MenuRoom = 0;
    int CopiedKind = -1;
};

#include "objectedit.h"

#include "common/EditorControls.h"
#include "HexText.h"
#include "ImageEx.h"
#include "ObjectEditForm.h"
#include "UpDown.h"
#include "UserPrompt.h"
#include "edit_flag.h"
#include "editdata.h"
#include "fileio.h"
#include "graphics.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr int RoomSize = 256;
constexpr int LastFirstRoom = RoomCount - 2; // the left image shows rooms 0..46
constexpr int MapSetCount = 32;
constexpr int MapSetBytes = 64;
constexpr int HitDistance = 9;
constexpr int HintMilliseconds = 10000;

int ClampToRoom(int coordinate) {
    return std::clamp(coordinate, 0, RoomSize - 1);
}

bool InsideRoom(int x, int y) {
    return x >= 0 && y >= 0 && x < RoomSize && y < RoomSize;
}

/// The room image's number, 0 or 1; -1 for a control that is none of them.
int PageOf(const TImageEx *image) {
    const int page = image ? image->Tag() : -1;
    return page == 0 || page == 1 ? page : -1;
}
} // namespace

ObjectEditClass::ObjectEditClass(RomImageData &document, EditFlagManagement &flags,
                                 EditorGraphics &graphics, UserPrompt &prompt)
    : Document(document), Flags(flags), Graphics(graphics), Prompt(prompt) {}

void ObjectEditClass::SetControls(const ObjectEditControls &controls) {
    Controls = controls;
    for (TImageEx *image : Controls.ImgObjectMapPage)
        AssignPicture(image, RoomSize, RoomSize);
}

StageData &ObjectEditClass::Stage() {
    return Document.CurrentStageData();
}

void ObjectEditClass::MarkModified() {
    Flags.SetEditFlag(EditArea::Object, Document.CurrentStage(), true);
}

bool ObjectEditClass::IsShown(int room) const {
    return room == ShownRoom[0] || room == ShownRoom[1];
}

bool ObjectEditClass::LimitReached() {
    if (Stage().ObjectTotal() < ObjectLimit)
        return false;
    Prompt.ShowMessage(tr("オブジェクトの総数を越えるため、オブジェクトを作成できませんでした"));
    return true;
}

void ObjectEditClass::Forget(const ObjectNode *node) {
    if (LastHoveredObject == node)
        LastHoveredObject = nullptr;
    if (HoveredObject == node)
        HoveredObject = nullptr;
    if (SelectedObject == node)
        SelectedObject = nullptr;
    if (DrawnSelection == node)
        DrawnSelection = nullptr;
}

void ObjectEditClass::ForgetRoom(int room) {
    for (const ObjectNode &node : Stage().ObjectList(room))
        Forget(&node);
}

void ObjectEditClass::SortRoomIfTicked(int room) {
    if (Controls.ChkSortObjectList->isChecked())
        Stage().SortObjectsByX(room);
}

void ObjectEditClass::Refresh() {
    LastHoveredObject = nullptr;
    HoveredObject = nullptr;
    SelectedObject = nullptr;
    DrawnSelection = nullptr;
    SetPositionQuietly(Controls.ScrBarObjectMap, 0);
    ScrollRooms(0);
    ShowSelection();
    ShowCounts();
    ClickPage = 0;
    ClickX = 0;
    ClickY = 0;
}

void ObjectEditClass::PageActivated() {
    DrawRoom(0);
    DrawRoom(1);
}

void ObjectEditClass::RedrawForPalette() {
    Graphics.SyncChip32x32SheetPalette();
    DrawRoom(0);
    DrawRoom(1);
    RedrawIfNeeded();
    DrawSelectionMarker();
}

void ObjectEditClass::DrawRoom(int page) {
    TImageEx *image = Controls.ImgObjectMapPage[page];
    QImage &picture = image->Picture();
    const StageData &stage = Stage();
    const int room = ShownRoom[page];
    // Only 32 map sets exist; a larger entry from the image keeps its low five bits, as on
    // the map page, so both pages show a room alike.
    const int mapSet = stage.Map()[room] % MapSetCount;
    Graphics.DrawMapSet(picture, stage.MapSet().data() + mapSet * MapSetBytes);
    for (const ObjectNode &object : stage.ObjectList(room))
        EditorGraphics::DrawObjectMarker(picture, object.X, static_cast<uint8_t>(object.Kind),
                                         object.Y);
    image->update();
}

void ObjectEditClass::RedrawIfNeeded() {
    if (SelectedObject != DrawnSelection || RedrawPending || HoveredObject != LastHoveredObject) {
        DrawRoom(0);
        DrawRoom(1);
        DrawnSelection = SelectedObject;
        RedrawPending = false;
    }
    if (!HoveredObject || !IsShown(HoveredRoom))
        return;
    TImageEx *image = Controls.ImgObjectMapPage[HoveredRoom - ShownRoom[0]];
    EditorGraphics::DrawCursor24(image->Picture(), HoveredObject->X, HoveredObject->Y);
    image->update();
}

void ObjectEditClass::DrawSelectionMarker() {
    if (!SelectedObject || !IsShown(SelectedRoom))
        return;
    TImageEx *image = Controls.ImgObjectMapPage[SelectedRoom - ShownRoom[0]];
    EditorGraphics::DrawCursor32(image->Picture(), SelectedObject->X, SelectedObject->Y);
    image->update();
}

void ObjectEditClass::ShowSelection() {
    const bool selected = SelectedObject != nullptr;
    const QString none = QStringLiteral("--");
    Controls.LblObjectIndex->setText(
        selected ? HexText(Stage().ObjectIndex(SelectedObject, SelectedRoom)) : none);
    Controls.LblObjectScreen->setText(selected ? HexText(SelectedRoom) : none);
    Controls.LblObjectX->setText(selected ? HexText(SelectedObject->X) : none);
    Controls.LblObjectY->setText(selected ? HexText(SelectedObject->Y) : none);
    {
        const QSignalBlocker blocker(Controls.CBSelectObject);
        Controls.CBSelectObject->setCurrentIndex(selected ? SelectedObject->Kind : -1);
    }
    Controls.CBSelectObject->setEnabled(selected);
    Controls.BtnObjectCreate->setEnabled(!selected);
    Controls.BtnObjectRemove->setEnabled(selected);
    Controls.UDObjectX->setEnabled(selected);
    Controls.UDObjectY->setEnabled(selected);
}

void ObjectEditClass::ShowShownRooms() {
    Controls.LblObjectRoom->setText(HexText(ShownRoom[0]) + QLatin1Char('-') +
                                    HexText(ShownRoom[1]));
    Controls.LblObjectNum->setText(QString::number(Stage().ObjectCount(ShownRoom[0])) +
                                   QLatin1Char('-') +
                                   QString::number(Stage().ObjectCount(ShownRoom[1])));
}

void ObjectEditClass::ShowCounts() {
    ShowShownRooms();
    Controls.LblObjectSum->setText(QString::number(Stage().ObjectTotal()) + QStringLiteral(" / ") +
                                   QString::number(ObjectLimit));
}

void ObjectEditClass::ScrollRooms(int position) {
    const int first = std::clamp(position, 0, LastFirstRoom);
    ShownRoom = {first, first + 1};
    DrawRoom(0);
    DrawRoom(1);
    DrawSelectionMarker();
    ShowShownRooms();
}

void ObjectEditClass::ScrBarObjectMapScroll(int position) {
    ScrollRooms(position);
}

void ObjectEditClass::HitTest(int page, int x, int y) {
    const int room = ShownRoom[page];
    ObjectNode *found = nullptr;
    if (InsideRoom(x, y)) {
        // Where markers overlap, the object earlier in the list wins.
        for (ObjectNode &object : Stage().ObjectList(room)) {
            if (std::abs(x - object.X) <= HitDistance && std::abs(y - object.Y) <= HitDistance) {
                found = &object;
                break;
            }
        }
    }
    LastHoveredObject = HoveredObject;
    HoveredObject = found;
    if (found)
        HoveredRoom = room;
}

QString ObjectEditClass::HintText(int page) {
    if (!HoveredObject)
        return {};
    const int kind = HoveredObject->Kind;
    // A name list shorter than 256 lines leaves kinds without a name: they show their number.
    const QString kindName = kind >= 0 && kind < Controls.CBSelectObject->count()
                                 ? Controls.CBSelectObject->itemText(kind)
                                 : HexText(kind);
    const QStringList lines{tr("設置番号:") +
                                HexText(Stage().ObjectIndex(HoveredObject, ShownRoom[page])),
                            tr("X座標:") + HexText(HoveredObject->X),
                            tr("Y座標:") + HexText(HoveredObject->Y), tr("種類:"), kindName};
    // LF alone: that is the line break a Qt hint understands.
    return lines.join(QLatin1Char('\n'));
}

void ObjectEditClass::ShowHint(TImageEx *image, int x, int y) {
    const QString text = Controls.ChkPopupHint->isChecked() ? HintText(PageOf(image)) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Object information takes a while to read, so the hint stays up for ten seconds.
    QToolTip::showText(image->mapToGlobal(QPoint(x, y)), text, image, QRect(), HintMilliseconds);
}

void ObjectEditClass::DragTo(int x, int y) {
    HoveredObject->X = ClampToRoom(x);
    HoveredObject->Y = ClampToRoom(y);
    SortRoomIfTicked(HoveredRoom);
    ShowSelection();
    RedrawPending = true;
    // Like a nudge at the room's edge, every drag step counts as an edit, moved or not.
    MarkModified();
}

void ObjectEditClass::ImgObjectMapPageXMouseMove(TImageEx *sender, Qt::MouseButtons buttons,
                                                 Qt::KeyboardModifiers modifiers, int x, int y) {
    const int page = PageOf(sender);
    if (page < 0)
        return;
    if (buttons.testFlag(Qt::LeftButton)) {
        // No hit test while the button is held: the grabbed object stays the dragged one
        // even when the pointer outruns it.
        if (HoveredObject) {
            QToolTip::hideText();
            const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
            const bool shift = modifiers.testFlag(Qt::ShiftModifier);
            if (ctrl && shift)
                return;
            // Division rounds toward zero, as the snapping wants.
            const int grid = ctrl ? 8 : shift ? 4 : 1;
            DragTo(x / grid * grid, y / grid * grid);
        }
    } else {
        HitTest(page, x, y);
        ShowHint(sender, x, y);
    }
    RedrawIfNeeded();
    DrawSelectionMarker();
}

void ObjectEditClass::SelectHovered() {
    DrawnSelection = SelectedObject;
    SelectedObject = HoveredObject;
    SelectedRoom = HoveredRoom;
    ShowSelection();
}

void ObjectEditClass::ImgObjectMapPageXMouseDown(TImageEx *sender, Qt::MouseButton button,
                                                 Qt::KeyboardModifiers modifiers, int x, int y) {
    const int page = PageOf(sender);
    if (page < 0 || !InsideRoom(x, y))
        return;
    if (button == Qt::LeftButton) {
        ClickPage = page;
        ClickX = x;
        ClickY = y;
        // The press acts on what lies under it even when no movement has come before it
        // (the rooms may have been scrolled under a resting pointer).
        HitTest(page, x, y);
        SelectHovered();
        RedrawIfNeeded();
        DrawSelectionMarker();
        if (modifiers.testFlag(Qt::ShiftModifier) && !HoveredObject)
            EditRoomAsText(page);
        return;
    }
    if (button != Qt::RightButton)
        return;
    HitTest(page, x, y);
    RedrawIfNeeded();
    DrawSelectionMarker();
    MenuX = ClampToRoom(x);
    MenuY = ClampToRoom(y);
    MenuRoom = ShownRoom[page];
    UpdateObjectPopupMenu();
    Controls.PopupMenuObjectEdit->popup(sender->mapToGlobal(QPoint(x, y)));
}

void ObjectEditClass::EditRoomAsText(int page) {
    const int room = ShownRoom[page];
    const std::optional<QString> text =
        Controls.ObjectForm->EditRoomObjects(room, ObjectListText(room));
    if (!text)
        return;
    ReplaceRoomObjects(room, SplitObjectLines(*text));
    ScrollRooms(Controls.ScrBarObjectMap->value());
    ShowCounts();
}

void ObjectEditClass::UpdateObjectPopupMenu() {
    const bool overObject = HoveredObject != nullptr;
    Controls.MenuCreateObject->setEnabled(true);
    Controls.MenuCopyObject->setEnabled(overObject);
    Controls.MenuCutObject->setEnabled(overObject);
    Controls.MenuRemoveObject->setEnabled(overObject);
    if (CopiedKind < 0) {
        Controls.MenuPasteObject->setEnabled(false);
        Controls.MenuPasteObject->setText(tr("オブジェクトを貼り付け"));
    } else {
        Controls.MenuPasteObject->setEnabled(true);
        Controls.MenuPasteObject->setText(
            tr("オブジェクト(%1)を貼り付け").arg(HexText(CopiedKind)));
    }
}

QString ObjectEditClass::ObjectListText(int room) const {
    QString text;
    if (room < 0 || room >= RoomCount)
        return text;
    for (const ObjectNode &object : Document.CurrentStageData().ObjectList(room))
        text += FormatObjectLine(object.X, object.Y, object.Kind);
    return text;
}

void ObjectEditClass::ReplaceRoomObjects(int room, const QStringList &lines) {
    if (room < 0 || room >= RoomCount)
        return;
    StageData &stage = Stage();
    ForgetRoom(room);
    stage.ClearObjectList(room);
    MarkModified();
    for (const QString &line : lines) {
        const std::optional<ObjectLine> object = ParseObjectLine(line);
        if (object && stage.ObjectTotal() < ObjectLimit)
            stage.AddObject(room, object->X, object->Y, object->Kind);
    }
    // Placement numbers behind the room have moved; the labels follow.
    ShowSelection();
}

void ObjectEditClass::CBSelectObjectChange(int index) {
    if (!SelectedObject || index < 0 || index > 0xFF || index == SelectedObject->Kind)
        return;
    SelectedObject->Kind = index;
    DrawRoom(0);
    DrawRoom(1);
    DrawSelectionMarker();
    MarkModified();
}

void ObjectEditClass::BtnObjectCreateClick() {
    if (LimitReached())
        return;
    StageData &stage = Stage();
    const int room = ShownRoom[0] + ClickPage;
    stage.AddObject(room, ClickX, ClickY, 0);
    DrawnSelection = SelectedObject;
    SelectedObject = stage.LastObject(room);
    SelectedRoom = room;
    SortRoomIfTicked(room);
    DrawRoom(0);
    DrawRoom(1);
    ShowSelection();
    ShowCounts();
    DrawSelectionMarker();
    MarkModified();
}

void ObjectEditClass::BtnObjectRemoveClick() {
    if (!SelectedObject)
        return;
    ObjectNode *removed = SelectedObject;
    Forget(removed);
    Stage().RemoveObject(removed, SelectedRoom);
    DrawRoom(0);
    DrawRoom(1);
    ShowSelection();
    ShowCounts();
    MarkModified();
}

void ObjectEditClass::Nudge(int dx, int dy) {
    if (!SelectedObject)
        return;
    // Nudging never re-sorts: the object keeps its placement number while it is moved
    // pixel by pixel. At the room's edge nothing moves, yet the step still counts as an edit.
    SelectedObject->X = ClampToRoom(SelectedObject->X + dx);
    SelectedObject->Y = ClampToRoom(SelectedObject->Y + dy);
    ShowSelection();
    RedrawPending = true;
    MarkModified();
    RedrawIfNeeded();
    DrawSelectionMarker();
}

void ObjectEditClass::UDObjectXChangingEx(TUpDown *, bool &allowChange, int,
                                          UpDownDirection direction) {
    // The arrows are plain step buttons: the control's own position never moves.
    allowChange = false;
    Nudge(direction == UpDownDirection::Up ? 1 : -1, 0);
}

void ObjectEditClass::UDObjectYChangingEx(TUpDown *, bool &allowChange, int,
                                          UpDownDirection direction) {
    allowChange = false;
    // Up on the screen is a smaller Y.
    Nudge(0, direction == UpDownDirection::Up ? -1 : 1);
}

void ObjectEditClass::CreateAtMenu(int kind) {
    if (LimitReached())
        return;
    Stage().AddObject(MenuRoom, MenuX, MenuY, kind);
    SortRoomIfTicked(MenuRoom);
    ShowSelection();
    ShowCounts();
    RedrawPending = true;
    MarkModified();
}

void ObjectEditClass::MenuCreateObjectClick() {
    CreateAtMenu(0);
}

void ObjectEditClass::MenuPasteObjectClick() {
    if (CopiedKind >= 0)
        CreateAtMenu(CopiedKind);
}

void ObjectEditClass::MenuCopyObjectClick() {
    // Only the kind is taken: a paste places it where the menu is opened.
    if (HoveredObject)
        CopiedKind = HoveredObject->Kind & 0xFF;
}

void ObjectEditClass::MenuCutObjectClick() {
    MenuCopyObjectClick();
    MenuRemoveObjectClick();
}

void ObjectEditClass::MenuRemoveObjectClick() {
    StageData &stage = Stage();
    if (!HoveredObject || stage.ObjectIndex(HoveredObject, MenuRoom) < 0)
        return;
    ObjectNode *removed = HoveredObject;
    if (removed == SelectedObject)
        DrawnSelection = nullptr;
    Forget(removed);
    LastHoveredObject = nullptr;
    stage.RemoveObject(removed, MenuRoom);
    ShowSelection();
    ShowCounts();
    RedrawPending = true;
    MarkModified();
}

void ObjectEditClass::BtnObjectEditReloadClick() {
    if (!Prompt.ConfirmYesNo(
            tr("このステージのオブジェクトデータを読み込み直します。よろしいですか？")))
        return;
    // The history stays: object edits are never part of it.
    Stage().LoadObjects();
    Refresh();
}

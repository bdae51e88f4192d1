#pragma once

#include "EditorPageFixture.h"
#include "objects/ObjectEditForm.h"
#include "objects/objectedit.h"

#include <functional>
#include <vector>

class QAction;

/// Room 0: kind 1A at (100, 100) and kind 05 at (200, 60); room 1: kind 30 at (40, 200);
/// room 5: kind 07 at (128, 128).
std::vector<ObjectTableEntry> StandardObjects();

/// The object page as the main window sets it up, on an opened synthetic image whose
/// stage 0 holds `objects`; `adjust` may change the image before it is opened.
class ObjectPageBench : public EditorPageFixture {
public:
    explicit ObjectPageBench(const std::vector<ObjectTableEntry> &objects = StandardObjects(),
                             const std::function<void(CartridgeBuilder &)> &adjust = {});

    TImageEx *Room(int page);
    QString Label(const char *name);
    QAction *Item(const char *name);
    bool ObjectFlag() { return EditFlag(EditArea::Object); }

    /// The objects of a room as "X,Y,Kind" in hexadecimal, in list order.
    QString Objects(int room);

    /// Points at (x, y) of a room image and presses the left button there.
    void Select(int page, QPoint at);
    /// Grabs the object at `from` of the left room and drags it to `to` with `modifiers` held.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    /// Right-clicks (x, y) of a room image; the popup menu is then open.
    void RightClick(int page, QPoint at);
    void CloseMenu();

    TObjectEditForm Form;
    ObjectEditControls Controls;
    ObjectEditClass Controller;
};

#include "ObjectPageBench.h"

#include "objects/objectpage.h"

#include <QAction>
#include <QMenu>

namespace {
CartridgeBuilder ImageWith(const std::vector<ObjectTableEntry> &objects,
                           const std::function<void(CartridgeBuilder &)> &adjust) {
    CartridgeBuilder builder;
    builder.SetObjects(0, objects);
    if (adjust)
        adjust(builder);
    return builder;
}
} // namespace

std::vector<ObjectTableEntry> StandardObjects() {
    return {{0, 100, 100, 0x1A}, {0, 200, 60, 0x05}, {1, 40, 200, 0x30}, {5, 128, 128, 0x07}};
}

ObjectPageBench::ObjectPageBench(const std::vector<ObjectTableEntry> &objects,
                                 const std::function<void(CartridgeBuilder &)> &adjust)
    : EditorPageFixture(ImageWith(objects, adjust)),
      Controls(BuildObjectPage(&Page, &StatusPanel, &Form)),
      Controller(Document(), Flags(), Graphics(), Prompt()) {
    Controller.SetControls(Controls);
    ForwardObjectPageEvents(Controls, Controller);
    PrepareStage(0, SheetsRebuilt::Both);
    Controller.Refresh();
    ShowPage(QSize(627, 660));
}

TImageEx *ObjectPageBench::Room(int page) {
    return Find<TImageEx>(QStringLiteral("ImgObjectMapPage%1").arg(page));
}

QString ObjectPageBench::Label(const char *name) {
    return Find<QLabel>(QString::fromLatin1(name))->text();
}

QAction *ObjectPageBench::Item(const char *name) {
    return Find<QAction>(QString::fromLatin1(name));
}

QString ObjectPageBench::Objects(int room) {
    QStringList texts;
    for (const ObjectNode &o : Stage().ObjectList(room))
        texts << QStringLiteral("%1,%2,%3").arg(o.X, 0, 16).arg(o.Y, 0, 16).arg(o.Kind, 0, 16);
    return texts.join(QLatin1Char(' '));
}

void ObjectPageBench::Select(int page, QPoint at) {
    Move(Room(page), at);
    Press(Room(page), at, Qt::LeftButton);
}

void ObjectPageBench::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    Select(0, from);
    Move(Room(0), to, Qt::LeftButton, modifiers);
}

void ObjectPageBench::RightClick(int page, QPoint at) {
    Move(Room(page), at);
    Press(Room(page), at, Qt::RightButton);
}

void ObjectPageBench::CloseMenu() {
    Find<QMenu>(QStringLiteral("PopupMenuObjectEdit"))->hide();
}

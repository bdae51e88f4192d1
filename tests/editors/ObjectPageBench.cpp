#include "ObjectPageBench.h"

#include "chipsheets.h"
#include "objectpage.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>

namespace {
QRgb MasterColour(int index) {
    return qRgb(4 * index, 0x80 ^ index, 255 - 4 * index);
}

bool WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray MasterPaletteBytes() {
    QByteArray bytes;
    for (int i = 0; i < FcPaletteData::ColourCount; ++i) {
        const QRgb c = MasterColour(i);
        bytes.append(static_cast<char>(qRed(c)));
        bytes.append(static_cast<char>(qGreen(c)));
        bytes.append(static_cast<char>(qBlue(c)));
    }
    return bytes;
}

/// Setting up the bench cannot go on after a failure, so it ends the test run.
void Require(bool condition, const char *what) {
    if (!condition)
        qFatal("bench set-up failed: %s", what);
}

void SendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                      modifiers);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

void Move(QWidget *widget, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, buttons, modifiers);
}

void Press(QWidget *widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button, button, modifiers);
}

std::vector<ObjectTableEntry> StandardObjects() {
    return {{0, 100, 100, 0x1A}, {0, 200, 60, 0x05}, {1, 40, 200, 0x30}, {5, 128, 128, 0x07}};
}

ObjectPageBench::ObjectPageBench(const std::vector<ObjectTableEntry> &objects,
                                 const std::function<void(CartridgeBuilder &)> &adjust) {
    CartridgeBuilder builder;
    builder.SetObjects(0, objects);
    if (adjust)
        adjust(builder);
    Require(Dir.isValid(), "temporary folder");
    Require(builder.WriteTo(Dir.filePath(QStringLiteral("stage.nes"))), "image file");
    Require(WriteFile(Dir.filePath(QStringLiteral("fcpalette.pal")), MasterPaletteBytes()),
            "colour file");
    Colours = FcPaletteData::Load(Dir.filePath(QStringLiteral("fcpalette.pal")), Prompt);
    Require(Colours != nullptr, "colour table");
    Settings = std::make_unique<TMyMemIniFile>(Dir.filePath(QStringLiteral("test.ini")));
    Document = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Prompt);
    Graphics = std::make_unique<EditorGraphics>(*Colours, *Document);
    Controller = std::make_unique<ObjectEditClass>(*Document, Flags, *Graphics, Prompt);
    Controls = BuildObjectPage(&Page, &StatusPanel, &Form);
    Controller->SetControls(Controls);
    ForwardObjectPageEvents(Controls, *Controller);

    Require(Document->Open(Dir.filePath(QStringLiteral("stage.nes"))), "open");
    Flags.ClearAll();
    Graphics->LocateChr();
    Document->SetCurrentStage(0);
    // As the main window does before the page is refreshed: palette, then both sheets.
    Graphics->SetStagePalette(Stage().BGPalette(0));
    RebuildChip16x16Sheet(*Graphics, Stage());
    RebuildChip32x32Sheet(*Graphics, Stage());
    Controller->Refresh();

    QCursor::setPos(-500, -500);
    Page.resize(627, 660);
    Page.show();
    Require(QTest::qWaitForWindowExposed(&Page), "page shown");
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

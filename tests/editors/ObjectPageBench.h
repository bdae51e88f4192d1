#pragma once

#include "CartridgeBuilder.h"
#include "ImageEx.h"
#include "MyIniFiles.h"
#include "ObjectEditForm.h"
#include "ScriptedPrompt.h"
#include "edit_flag.h"
#include "fcpalette.h"
#include "fileio.h"
#include "graphics.h"
#include "objectedit.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAction;

/// No master colour of the bench is white, so white pixels come only from object markers
/// and cursors.
inline constexpr QRgb White = 0xFFFFFFFF;

/// A mouse move with `buttons` held, sent to the control itself so that positions outside
/// it arrive as they do while a button is held.
void Move(QWidget *widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Press(QWidget *widget, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

/// Room 0: kind 1A at (100, 100) and kind 05 at (200, 60); room 1: kind 30 at (40, 200);
/// room 5: kind 07 at (128, 128).
std::vector<ObjectTableEntry> StandardObjects();

/// The object page as the main window sets it up, on an opened synthetic image whose
/// stage 0 holds `objects`; `adjust` may change the image before it is opened.
class ObjectPageBench {
public:
    explicit ObjectPageBench(const std::vector<ObjectTableEntry> &objects = StandardObjects(),
                             const std::function<void(CartridgeBuilder &)> &adjust = {});

    template <typename T> T *Find(const QString &name) {
        T *control = Page.findChild<T *>(name);
        if (!control)
            qFatal("control %s missing", qPrintable(name));
        return control;
    }
    TImageEx *Room(int page);
    QString Label(const char *name);
    QAction *Item(const char *name);
    StageData &Stage() { return Document->CurrentStageData(); }
    bool ObjectFlag() { return Flags.EditFlag(EditArea::Object, Document->CurrentStage()); }

    /// The objects of a room as "X,Y,Kind" in hexadecimal, in list order.
    QString Objects(int room);

    /// Points at (x, y) of a room image and presses the left button there.
    void Select(int page, QPoint at);
    /// Grabs the object at `from` of the left room and drags it to `to` with `modifiers` held.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    /// Right-clicks (x, y) of a room image; the popup menu is then open.
    void RightClick(int page, QPoint at);
    void CloseMenu();

    QTemporaryDir Dir;
    ScriptedPrompt Prompt;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    std::unique_ptr<FcPaletteData> Colours;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<RomImageData> Document;
    std::unique_ptr<EditorGraphics> Graphics;
    QWidget Page;
    QLabel StatusPanel;
    TObjectEditForm Form;
    ObjectEditControls Controls;
    std::unique_ptr<ObjectEditClass> Controller;
};

#pragma once

#include <QObject>

class EditorGraphics;
class FcPaletteData;
class QAction;
class QMainWindow;
class QMenu;
class QScrollBar;
class RomImageData;
class TStageOverviewForm;
class UserPrompt;

/// The 表示 menu's "ステージ全体図(&O)" (F6) and the overview window it shows. The window is
/// made when first asked for, sized to show the whole stage on the main window's screen; it
/// follows the model while shown, and a room clicked in it becomes the left room of the map
/// page and of the object page (as far as their bars go).
///
/// Owns the action, added to the 表示 menu; the window is a child of the main window. Borrows
/// the main window, its colour table, renderer, document, prompt and two room scroll bars.
class TStageOverviewCommand : public QObject {
    Q_OBJECT
public:
    struct RoomBars {
        QScrollBar *Map = nullptr;
        QScrollBar *Object = nullptr;
    };

    TStageOverviewCommand(QMainWindow &window, QMenu &viewMenu, const FcPaletteData &colours,
                          const RomImageData &document, const EditorGraphics &graphics,
                          UserPrompt &prompt, RoomBars roomBars);

    /// Enables the command for an opened image (drawn anew) or disables it and hides the
    /// window when no image is open.
    void SetDocumentOpen(bool open);
    /// The palette animation changed the editor's colours.
    void AnimationStepped();

private:
    void ShowWindow();
    void ChooseRoom(int room);

    QMainWindow &Window;
    const FcPaletteData &Colours;
    const RomImageData &Document;
    const EditorGraphics &Graphics;
    UserPrompt &Prompt;
    QAction *Action = nullptr;
    TStageOverviewForm *Form = nullptr;
    RoomBars Bars;
};

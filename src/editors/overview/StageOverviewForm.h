#pragma once

#include "StageOverview.h"

#include <QTimer>
#include <QWidget>

class EditorGraphics;
class FcPaletteData;
class QCheckBox;
class QLabel;
class QSpinBox;
class RomImageData;
class TStageOverviewView;
class UserPrompt;

/// The stage overview window: all 48 rooms of the current stage in the colours the pages
/// show (palette set and animation), with check boxes for object markers and room numbers,
/// the number of rooms to a row, zoom buttons and the export of the whole picture as PNG.
/// Non-modal. While shown it follows the model whenever it may have changed: shortly after
/// the user's input anywhere in the program (every edit comes from one), on each step of the
/// palette animation, and before every paint. Nothing wakes it while the user and the
/// animation rest.
///
/// Owns its picture and controls. Borrows the document, the editor's renderer (whose stage
/// palette it copies) and the prompt.
class TStageOverviewForm : public QWidget {
    Q_OBJECT
public:
    TStageOverviewForm(const FcPaletteData &colours, const RomImageData &document,
                       const EditorGraphics &graphics, UserPrompt &prompt,
                       QWidget *parent = nullptr);

    /// Brings the shown rooms up to date with the current stage and colours; nothing while
    /// hidden (showing the window catches up).
    void Follow();
    /// Chooses the largest zoom that shows every room, in the rows as they are set, within
    /// the screen area `available` (the smallest zoom when none does) and sizes the window
    /// to the rooms, as far as that area allows.
    void FitWholeStage(const QRect &available);
    /// Another image was opened: everything is drawn again from it.
    void DocumentOpened();
    /// Asks for a file name and writes the whole overview at 100 %, markers as shown.
    void SavePng();

signals:
    void RoomChosen(int room);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    /// Watches the program's input while shown, to follow the model after it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ColumnsChanged(int columns);
    void ObjectsToggled(bool shown);

    const RomImageData &Document;
    const EditorGraphics &Graphics;
    UserPrompt &Prompt;
    StageOverviewPicture Overview;
    QCheckBox *ChkOverviewObjects = nullptr;
    QCheckBox *ChkOverviewRoomNumbers = nullptr;
    QSpinBox *SpinOverviewColumns = nullptr;
    QLabel *LblOverviewZoom = nullptr;
    TStageOverviewView *View = nullptr;
    /// Runs once a little after input, when the edit the input made is done.
    QTimer FollowAfterInput;
};

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
/// Non-modal; while shown it follows the model on a timer of its own, so edits show even
/// with the palette animation switched off.
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
    /// Another image was opened: everything is drawn again from it.
    void DocumentOpened();
    /// Asks for a file name and writes the whole overview at 100 %, markers as shown.
    void SavePng();

signals:
    void RoomChosen(int room);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

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
    QTimer FollowTimer;
};

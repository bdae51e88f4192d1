#pragma once

#include <QObject>

class QAction;
class QImage;
class QMenu;
class QTabWidget;
class UserPrompt;
struct EditPageControls;

/// The file menu's "画像として保存(&I)…": the active page's main picture as PNG.
///
/// Owns the action. Borrows the prompt, the tab pages and their controls.
class TFileExportCommands : public QObject {
    Q_OBJECT
public:
    /// Puts the action into `fileMenu` before `before`.
    TFileExportCommands(QMenu &fileMenu, QAction *before, UserPrompt &prompt,
                        const QTabWidget &pages, const EditPageControls &controls);

    void SetDocumentOpen(bool open);
    void SavePicture();

private:
    QAction *SavePicture1 = nullptr;
    UserPrompt &Prompt;
    const QTabWidget &Pages;
    const EditPageControls &Controls;
};

/// The main picture of page `page` (an `EditPageIndex`): the two rooms of the map and
/// object pages and the two map sets side by side, the chip sheets, the palette strips one
/// below the other. A null picture for any other number.
QImage PagePicture(const EditPageControls &controls, int page);

#pragma once

#include <QObject>

class QAction;
class QImage;
class QMenu;
class QTabWidget;
class RomImageData;
class UserPrompt;
struct EditPageControls;

/// The file menu's "画像として保存(&I)…" (the active page's main picture as PNG) and
/// "IPSパッチを作成(&P)…" (a patch from a clean original to the image as a save would
/// write it, leaving the live image, the flags and the histories alone).
///
/// Owns the two actions. Borrows the document, the prompt, the tab pages and their controls.
class TFileExportCommands : public QObject {
    Q_OBJECT
public:
    /// Puts the two actions into `fileMenu` before `before`, followed by a separator.
    TFileExportCommands(QMenu &fileMenu, QAction *before, RomImageData &document,
                        UserPrompt &prompt, const QTabWidget &pages,
                        const EditPageControls &controls);

    void SetDocumentOpen(bool open);
    void SavePicture();
    void CreatePatch();

private:
    QAction *SavePicture1 = nullptr;
    QAction *CreatePatch1 = nullptr;
    RomImageData &Document;
    UserPrompt &Prompt;
    const QTabWidget &Pages;
    const EditPageControls &Controls;
};

/// The main picture of page `page` (an `EditPageIndex`): the two rooms of the map and
/// object pages and the two map sets side by side, the chip sheets, the palette strips one
/// below the other. A null picture for any other number.
QImage PagePicture(const EditPageControls &controls, int page);

#include "FileExportCommands.h"

#include "ImageEx.h"
#include "PictureFile.h"
#include "UserPrompt.h"
#include "filewriting.h"
#include "mainform_pages.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <vector>

namespace {

QImage Joined(const std::vector<const TImageEx *> &images, Qt::Orientation orientation) {
    QSize size(0, 0);
    for (const TImageEx *image : images) {
        const QSize part = image->Picture().size();
        size = orientation == Qt::Horizontal
                   ? QSize(size.width() + part.width(), std::max(size.height(), part.height()))
                   : QSize(std::max(size.width(), part.width()), size.height() + part.height());
    }
    QImage joined(size, QImage::Format_RGB32);
    joined.fill(Qt::black);
    QPainter painter(&joined);
    QPoint at(0, 0);
    for (const TImageEx *image : images) {
        painter.drawImage(at, image->Picture());
        at += orientation == Qt::Horizontal ? QPoint(image->Picture().width(), 0)
                                            : QPoint(0, image->Picture().height());
    }
    return joined;
}

} // namespace

QImage PagePicture(const EditPageControls &controls, int page) {
    switch (page) {
    case MapPage:
        return Joined({controls.Map.ImgEditMapPage[0], controls.Map.ImgEditMapPage[1]},
                      Qt::Horizontal);
    case MapSetPage:
        return Joined({controls.MapSet.ImgEditMapSetPage[0], controls.MapSet.ImgEditMapSetPage[1]},
                      Qt::Horizontal);
    case Chip32x32Page:
        return controls.Chip32x32.ImgEdit32x32ChipView->Picture();
    case Chip16x16Page:
        return controls.Chip16x16.ImgEdit16x16ChipView->Picture();
    case PalettePage:
        return Joined({controls.Palette.ImgPalView.begin(), controls.Palette.ImgPalView.end()},
                      Qt::Vertical);
    case ObjectPage:
        return Joined({controls.Object.ImgObjectMapPage[0], controls.Object.ImgObjectMapPage[1]},
                      Qt::Horizontal);
    case TilePage:
        return controls.Tile.ImgTileTable->Picture();
    default:
        return QImage();
    }
}

TFileExportCommands::TFileExportCommands(QMenu &fileMenu, QAction *before, UserPrompt &prompt,
                                         const QTabWidget &pages, const EditPageControls &controls)
    : QObject(&fileMenu), Prompt(prompt), Pages(pages), Controls(controls) {
    SavePicture1 = new QAction(tr("画像として保存(&I)…"), this);
    SavePicture1->setObjectName(QStringLiteral("SavePicture1"));
    fileMenu.insertAction(before, SavePicture1);
    SetDocumentOpen(false);
    connect(SavePicture1, &QAction::triggered, this, &TFileExportCommands::SavePicture);
}

void TFileExportCommands::SetDocumentOpen(bool open) {
    SavePicture1->setEnabled(open);
}

void TFileExportCommands::SavePicture() {
    const std::optional<QString> path =
        Prompt.AskFileName(FileAccess::Save, tr("画像として保存"), tr("PNG 画像 (*.png)"));
    if (path)
        FileWriting::WriteWholeFile(*path, PngBytes(PagePicture(Controls, Pages.currentIndex())), Prompt);
}

#include "FileExportCommands.h"

#include "ImageEx.h"
#include "IpsPatch.h"
#include "PictureFile.h"
#include "UserPrompt.h"
#include "fileio.h"
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

TFileExportCommands::TFileExportCommands(QMenu &fileMenu, QAction *before, RomImageData &document,
                                         UserPrompt &prompt, const QTabWidget &pages,
                                         const EditPageControls &controls)
    : QObject(&fileMenu), Document(document), Prompt(prompt), Pages(pages), Controls(controls) {
    SavePicture1 = new QAction(tr("画像として保存(&I)…"), this);
    SavePicture1->setObjectName(QStringLiteral("SavePicture1"));
    CreatePatch1 = new QAction(tr("IPSパッチを作成(&P)…"), this);
    CreatePatch1->setObjectName(QStringLiteral("CreatePatch1"));
    fileMenu.insertAction(before, SavePicture1);
    fileMenu.insertAction(before, CreatePatch1);
    fileMenu.insertSeparator(before)->setObjectName(QStringLiteral("N5"));
    SetDocumentOpen(false);
    connect(SavePicture1, &QAction::triggered, this, &TFileExportCommands::SavePicture);
    connect(CreatePatch1, &QAction::triggered, this, &TFileExportCommands::CreatePatch);
}

void TFileExportCommands::SetDocumentOpen(bool open) {
    SavePicture1->setEnabled(open);
    CreatePatch1->setEnabled(open);
}

void TFileExportCommands::SavePicture() {
    const std::optional<QString> path =
        Prompt.AskFileName(FileAccess::Save, tr("画像として保存"), tr("PNG 画像 (*.png)"));
    if (path)
        FileWriting::WriteWholeFile(*path, PngBytes(PagePicture(Controls, Pages.currentIndex())), Prompt);
}

void TFileExportCommands::CreatePatch() {
    // The edited side first: an image whose edits cannot all be written says so before
    // any question is asked.
    const std::optional<QByteArray> edited = Document.EditedImage();
    if (!edited)
        return;
    const std::optional<QString> originalPath = Prompt.AskFileName(
        FileAccess::Open, tr("元のROMイメージ"), tr("ROMイメージ (*.nes);;すべてのファイル (*)"));
    if (!originalPath)
        return;
    const std::optional<QByteArray> original = FileWriting::ReadWholeFile(*originalPath, Prompt);
    if (!original)
        return;
    const std::optional<QString> patchPath =
        Prompt.AskFileName(FileAccess::Save, tr("IPSパッチを作成"), tr("IPSパッチ (*.ips)"));
    if (!patchPath)
        return;
    const ByteResult patch = IpsPatch::Create(*original, *edited);
    if (!patch.Ok()) {
        Prompt.ShowMessage(tr("%1からIPSパッチを作成できませんでした").arg(*originalPath));
        return;
    }
    if (!FileWriting::WriteWholeFile(*patchPath, patch.Bytes, Prompt))
        return;
    Prompt.ShowMessage(tr("IPSパッチを作成しました（%1 レコード、%2 バイト）")
                           .arg(IpsPatch::RecordCount(patch.Bytes))
                           .arg(patch.Bytes.size()));
}

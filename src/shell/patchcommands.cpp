#include "patchcommands.h"

#include "UserPrompt.h"
#include "bpspatch.h"
#include "fileio.h"
#include "filewriting.h"
#include "patchformat.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace {

// Patches for the images the patch code accepts stay far below this.
constexpr qint64 PatchFileLimit = 4 * BpsPatch::MaxImageSize;

} // namespace

TPatchCommands::TPatchCommands(QMenu &fileMenu, QAction *before, RomImageData &document,
                               UserPrompt &prompt)
    : QObject(&fileMenu), Document(document), Prompt(prompt) {
    CreatePatch1 = new QAction(tr("パッチを作成(&P)…"), this);
    CreatePatch1->setObjectName(QStringLiteral("CreatePatch1"));
    ApplyPatch1 = new QAction(tr("パッチを当てて開く(&A)..."), this);
    ApplyPatch1->setObjectName(QStringLiteral("ApplyPatch1"));
    fileMenu.insertAction(before, CreatePatch1);
    fileMenu.insertAction(before, ApplyPatch1);
    SetDocumentOpen(false);
    connect(CreatePatch1, &QAction::triggered, this, &TPatchCommands::CreatePatch);
    connect(ApplyPatch1, &QAction::triggered, this, &TPatchCommands::ApplyPatch);
}

void TPatchCommands::SetDocumentOpen(bool open) {
    CreatePatch1->setEnabled(open);
}

std::optional<QByteArray> TPatchCommands::ReadLimited(const QString &path, qint64 limit,
                                                      const QString &tooLarge) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompt.ShowError(path + u'\n' + file.errorString());
        return std::nullopt;
    }
    if (file.size() > limit) {
        Prompt.ShowMessage(tooLarge);
        return std::nullopt;
    }
    // One byte more than allowed tells a file that grew since it was measured.
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        Prompt.ShowError(path + u'\n' + file.errorString());
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        Prompt.ShowMessage(tooLarge);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> TPatchCommands::ReadOriginal(const QString &path) {
    const auto otherSize = [&](qint64 size) {
        return tr("%1 は開いているROMイメージと大きさが違うため、元のイメージにできません"
                  "（%2 バイト、開いているイメージは %3 バイト）")
            .arg(path)
            .arg(size)
            .arg(Document.Size());
    };
    // A patch between images of different sizes is no edit of the same cartridge: refused
    // before a byte is read, which also keeps huge files and endless devices unread.
    const qint64 size = QFileInfo(path).size();
    if (size != Document.Size()) {
        Prompt.ShowMessage(otherSize(size));
        return std::nullopt;
    }
    std::optional<QByteArray> original = ReadLimited(path, size, otherSize(size));
    if (original && original->size() != size) {
        Prompt.ShowMessage(otherSize(original->size()));
        return std::nullopt;
    }
    return original;
}

void TPatchCommands::CreatePatch() {
    // The edited side first: an image whose edits cannot all be written says so before
    // any question is asked.
    const std::optional<QByteArray> edited = Document.EditedImage();
    if (!edited)
        return;
    const std::optional<QString> originalPath = Prompt.AskFileName(
        FileAccess::Open, tr("元のROMイメージ"), tr("ROMイメージ (*.nes);;すべてのファイル (*)"));
    if (!originalPath)
        return;
    const std::optional<QByteArray> original = ReadOriginal(*originalPath);
    if (!original)
        return;
    if (*original == *edited) {
        Prompt.ShowMessage(tr("%1 は編集後のイメージと同じ内容です。"
                              "パッチが空になるため、作成しませんでした。")
                               .arg(*originalPath));
        return;
    }
    // BPS first: its checksums refuse a wrong base, where IPS silently makes garbage.
    const std::optional<QString> patchPath = Prompt.AskFileName(
        FileAccess::Save, tr("パッチを作成"), tr("BPSパッチ (*.bps);;IPSパッチ (*.ips)"));
    if (!patchPath)
        return;
    const PatchFormat &format = FormatForFileName(*patchPath);
    const ByteResult patch = format.Create(*original, *edited);
    if (!patch.Ok()) {
        Prompt.ShowMessage(
            tr("%1から%2パッチを作成できませんでした").arg(*originalPath, format.Name()));
        return;
    }
    if (!FileWriting::WriteWholeFile(*patchPath, patch.Bytes, Prompt))
        return;
    Prompt.ShowMessage(tr("%1パッチを作成しました（%2 バイト、元のイメージのCRC32 %3）")
                           .arg(format.Name())
                           .arg(patch.Bytes.size())
                           .arg(Crc32Text(Crc32(*original))));
}

void TPatchCommands::ApplyPatch() {
    const std::optional<QString> patchPath = Prompt.AskFileName(
        FileAccess::Open, tr("当てるパッチ"), tr("パッチ (*.bps *.ips);;すべてのファイル (*)"));
    if (!patchPath)
        return;
    const std::optional<QByteArray> patch = ReadLimited(
        *patchPath, PatchFileLimit, tr("%1 はパッチとしては大きすぎます").arg(*patchPath));
    if (!patch)
        return;
    const PatchFormat *format = FormatOfPatch(*patch);
    if (!format) {
        Prompt.ShowMessage(tr("%1 はIPSパッチでもBPSパッチでもありません").arg(*patchPath));
        return;
    }
    const std::optional<QString> originalPath =
        Prompt.AskFileName(FileAccess::Open, tr("パッチを当てる元のROMイメージ"),
                           tr("ROMイメージ (*.nes);;すべてのファイル (*)"));
    if (!originalPath)
        return;
    const std::optional<QByteArray> original =
        ReadLimited(*originalPath, BpsPatch::MaxImageSize,
                    tr("%1 はROMイメージとしては大きすぎます").arg(*originalPath));
    if (!original)
        return;
    const ByteResult patched = format->Apply(*original, *patch);
    if (patched.WrongBase) {
        Prompt.ShowMessage(
            tr("%1 はこのパッチの元のROMイメージではありません。\n"
               "パッチが求める元のイメージのCRC32: %2\n"
               "%1 のCRC32: %3")
                .arg(*originalPath, Crc32Text(patched.ExpectedCrc), Crc32Text(patched.ActualCrc)));
        return;
    }
    if (!patched.Ok()) {
        Prompt.ShowMessage(
            tr("%1 は壊れているため、%2 に当てられませんでした").arg(*patchPath, *originalPath));
        return;
    }
    emit PatchedImageReady(patched.Bytes, tr("%1 + %2（未保存）")
                                              .arg(QFileInfo(*originalPath).fileName(),
                                                   QFileInfo(*patchPath).fileName()));
}

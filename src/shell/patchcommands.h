#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

class QAction;
class QMenu;
class RomImageData;
class UserPrompt;

/// The file menu's patch commands. "パッチを作成(&P)…" writes a BPS or IPS patch (by the
/// chosen file type) from a clean original of the open image's size to the image as a save
/// would write it, leaving the live image, the flags and the histories alone.
/// "パッチを当てて開く(&A)..." applies a chosen IPS or BPS patch to a chosen original in
/// memory and hands the result over to be opened as an image without a file.
///
/// Owns the two actions. Borrows the document and the prompt.
class TPatchCommands : public QObject {
    Q_OBJECT
public:
    /// Puts the two actions into `fileMenu` before `before`.
    TPatchCommands(QMenu &fileMenu, QAction *before, RomImageData &document, UserPrompt &prompt);

    void SetDocumentOpen(bool open);
    void CreatePatch();
    void ApplyPatch();

signals:
    /// A patch applied cleanly: `image` is the result, `name` what to call it until saved.
    void PatchedImageReady(const QByteArray &image, const QString &name);

private:
    /// The whole file at `path` when it holds at most `limit` bytes; otherwise, or when it
    /// cannot be read, nothing after telling the user why. The size is checked before
    /// reading, so a huge file or an endless device is never read.
    std::optional<QByteArray> ReadLimited(const QString &path, qint64 limit,
                                          const QString &tooLarge);
    /// The original for a patch: a file of exactly the open image's size.
    std::optional<QByteArray> ReadOriginal(const QString &path);

    QAction *CreatePatch1 = nullptr;
    QAction *ApplyPatch1 = nullptr;
    RomImageData &Document;
    UserPrompt &Prompt;
};

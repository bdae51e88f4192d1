#include "filewriting.h"

#include "UserPrompt.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileWriting {

namespace {

int RefusingScopes = 0;

// Asked of the folder the rename would land in (through a symbolic link, its target's
// folder), with the system's own access check: refused only for lack of permission or a
// read-only file system, never for a full disk, where writing in place would destroy the
// old file without a complete new one.
bool FolderTakesNewFiles(const QString &path) {
    if (RefusingScopes > 0)
        return false;
    const QFileInfo target(path);
    const QFileInfo resolved(target.isSymLink() ? target.symLinkTarget() : path);
    return QFileInfo(resolved.absolutePath()).isWritable();
}

bool WriteAside(const QString &path, const QByteArray &bytes, QString &errorText) {
    QSaveFile file(path);
    // Flushed before the commit: the commit itself would rename a file whose buffered bytes
    // failed to reach the disk and still report success. Without a commit the file aside
    // is removed and the old file stays.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return true;
    errorText = file.errorString();
    return false;
}

bool WriteInPlace(const QString &path, const QByteArray &bytes, QString &errorText) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(bytes) == bytes.size() && file.flush()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    errorText = file.errorString();
    return false;
}

} // namespace

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &errorText) {
    return FolderTakesNewFiles(path) ? WriteAside(path, bytes, errorText)
                                     : WriteInPlace(path, bytes, errorText);
}

FoldersRefuseNewFiles::FoldersRefuseNewFiles() {
    ++RefusingScopes;
}
FoldersRefuseNewFiles::~FoldersRefuseNewFiles() {
    --RefusingScopes;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt) {
    QString error;
    if (WriteWholeFile(path, bytes, error))
        return true;
    prompt.ShowError(error);
    return false;
}

std::optional<QByteArray> ReadWholeFile(const QString &path, UserPrompt &prompt) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompt.ShowError(file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        prompt.ShowError(file.errorString());
        return std::nullopt;
    }
    return bytes;
}

} // namespace FileWriting

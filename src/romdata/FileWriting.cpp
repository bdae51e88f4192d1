#include "FileWriting.h"

#include "UserPrompt.h"

#include <QFile>
#include <QSaveFile>

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

bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        prompt.ShowError(file.errorString());
        return false;
    }
    return true;
}

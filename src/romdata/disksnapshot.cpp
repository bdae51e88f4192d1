#include "disksnapshot.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

QByteArray DigestOf(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

DiskSnapshot::Identity DiskSnapshot::IdentityOf(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified(), info.metadataChangeTime()};
}

void DiskSnapshot::Take(const QString &path, const QByteArray &bytes) {
    FilePath = path;
    Seen = IdentityOf(path);
    Digest = DigestOf(bytes);
}

void DiskSnapshot::Forget() {
    FilePath.clear();
    Seen = {};
    Digest.clear();
}

bool DiskSnapshot::IdentityDiffers() const {
    return IdentityOf(FilePath) != Seen;
}

bool DiskSnapshot::ContentsDiffer(const QByteArray &bytes) const {
    return DigestOf(bytes) != Digest;
}

void DiskSnapshot::TakeIdentity() {
    Seen = IdentityOf(FilePath);
}

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

/// What the open file looked like on disk when this editor last read or wrote it, so that a
/// change another program made since can be told apart from this editor's own.
///
/// The identity (size and time stamps) is a cheap first look; the digest of the contents
/// decides, so a file merely touched or rewritten with the same bytes counts as unchanged.
class DiskSnapshot {
public:
    /// Remembers the file at `path` as holding `bytes` now.
    void Take(const QString &path, const QByteArray &bytes);
    /// Nothing remembered: no file is open.
    void Forget();
    bool IsTaken() const { return !Digest.isEmpty(); }
    const QString &Path() const { return FilePath; }

    /// True when the file's size or time stamps are not those remembered.
    bool IdentityDiffers() const;
    /// True when `bytes` are not the contents remembered.
    bool ContentsDiffer(const QByteArray &bytes) const;
    /// Takes the file's present identity and keeps the remembered contents: the file is
    /// looked at again only once it changes again.
    void TakeIdentity();

private:
    struct Identity {
        qint64 Size = -1;
        QDateTime Modified;
        QDateTime MetadataChanged;
        bool operator==(const Identity &) const = default;
    };
    static Identity IdentityOf(const QString &path);

    QString FilePath;
    Identity Seen;
    QByteArray Digest;
};

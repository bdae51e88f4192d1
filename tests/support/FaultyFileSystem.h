#pragma once

#include "filesystemcalls.h"

#include <QString>
#include <QStringList>
#include <set>

/// The system's file calls with faults put in where a test asks: the Nth call of a kind
/// fails (or every one from the Nth on, as on a disk that stays full), and folders can
/// refuse new files whoever runs the test (folder permissions do not bind the superuser).
class FaultyFileSystem : public FileSystemCalls {
public:
    /// Which calls are counted towards the Nth.
    enum class Counted { Every, Writes, Closes };
    /// What the Nth call does: fails with `Error` without acting (a close still releases
    /// the descriptor, and loses half the bytes of a file written through it); for a write, writes
    /// only half of what it was given; or, for a write, from then on finds the disk full: bytes
    /// over those a file already has are written, bytes past its end are not.
    enum class Fault { Error, ShortWrite, DiskFull };

    Counted Kind = Counted::Every;
    Fault Effect = Fault::Error;
    int Error = 0;
    int Nth = 0; ///< 0: nothing fails
    bool Persistent = false;
    QStringList RefusingFolders; ///< no new file may be made here (EACCES)

    int Calls = 0;       ///< calls of the counted kind made so far
    QString FailedCall;  ///< the name of the first call made to fail, for failure reports
    QStringList Created; ///< the files made, in order

    int Open(const QByteArray &path, int flags, mode_t mode) override;
    int Status(int fd, struct stat &status) override;
    ssize_t ReadAt(int fd, char *data, size_t size, off_t offset) override;
    ssize_t WriteAt(int fd, const char *data, size_t size, off_t offset) override;
    int Truncate(int fd, off_t size) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int ChangeOwner(int fd, uid_t owner, gid_t group) override;
    int ChangeMode(int fd, mode_t mode) override;
    ssize_t AttributeListSize(int fd) override;
    int Rename(const QByteArray &from, const QByteArray &to) override;
    int Remove(const QByteArray &path) override;
    int MakeFolder(const QByteArray &path, mode_t mode) override;

private:
    bool Fails(Counted kind, const char *name);
    int Failed();

    std::set<int> WrittenThrough; ///< open descriptors that a write was asked of
};

/// While one exists, no new file may be made in the given folders, as in a folder whose
/// permissions refuse it; everything else is the system's own.
class FoldersRefuseNewFiles {
public:
    explicit FoldersRefuseNewFiles(const QStringList &folders);

private:
    FaultyFileSystem Calls;
    UseFileSystemCalls InUse{Calls};
};

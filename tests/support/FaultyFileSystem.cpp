#include "FaultyFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>

bool FaultyFileSystem::Fails(Counted kind, const char *name) {
    if (Kind != Counted::Every && Kind != kind)
        return false;
    ++Calls;
    const bool lasting = Persistent || Effect == Fault::DiskFull;
    const bool fails = Nth > 0 && (lasting ? Calls >= Nth : Calls == Nth);
    if (fails && FailedCall.isEmpty())
        FailedCall = QString::fromLatin1(name) + u'#' + QString::number(Calls);
    return fails;
}

int FaultyFileSystem::Failed() {
    errno = Error;
    return -1;
}

int FaultyFileSystem::Open(const QByteArray &path, int flags, mode_t mode) {
    if (Fails(Counted::Every, "open"))
        return Failed();
    if (!(flags & O_CREAT))
        return FileSystemCalls::Open(path, flags, mode);
    const QString name = QFile::decodeName(path);
    if (RefusingFolders.contains(QFileInfo(name).absolutePath())) {
        errno = EACCES;
        return -1;
    }
    const int fd = FileSystemCalls::Open(path, flags, mode);
    if (fd >= 0)
        Created << name;
    return fd;
}

int FaultyFileSystem::Status(int fd, struct stat &status) {
    return Fails(Counted::Every, "fstat") ? Failed() : FileSystemCalls::Status(fd, status);
}

ssize_t FaultyFileSystem::ReadAt(int fd, char *data, size_t size, off_t offset) {
    return Fails(Counted::Every, "pread") ? Failed()
                                          : FileSystemCalls::ReadAt(fd, data, size, offset);
}

ssize_t FaultyFileSystem::WriteAt(int fd, const char *data, size_t size, off_t offset) {
    WrittenThrough.insert(fd);
    if (!Fails(Counted::Writes, "pwrite"))
        return FileSystemCalls::WriteAt(fd, data, size, offset);
    if (Effect == Fault::ShortWrite)
        return FileSystemCalls::WriteAt(fd, data, size / 2, offset);
    if (Effect == Fault::Error)
        return Failed();
    struct stat status {};
    if (FileSystemCalls::Status(fd, status) != 0)
        return -1;
    const off_t room = std::max<off_t>(status.st_size - offset, 0);
    if (room == 0) {
        errno = ENOSPC;
        return -1;
    }
    return FileSystemCalls::WriteAt(fd, data, std::min(size, static_cast<size_t>(room)), offset);
}

int FaultyFileSystem::Truncate(int fd, off_t size) {
    return Fails(Counted::Every, "ftruncate") ? Failed() : FileSystemCalls::Truncate(fd, size);
}

int FaultyFileSystem::Sync(int fd) {
    return Fails(Counted::Every, "fsync") ? Failed() : FileSystemCalls::Sync(fd);
}

// A close that reports an error is taken to have lost what the system still had to write
// back (as a network file system does): a file written through it keeps only half its bytes.
int FaultyFileSystem::Close(int fd) {
    const bool written = WrittenThrough.erase(fd) > 0;
    if (!Fails(Counted::Closes, "close"))
        return FileSystemCalls::Close(fd);
    struct stat status {};
    if (written && ::fstat(fd, &status) == 0)
        (void)!::ftruncate(fd, status.st_size / 2);
    FileSystemCalls::Close(fd);
    return Failed();
}

int FaultyFileSystem::ChangeOwner(int fd, uid_t owner, gid_t group) {
    return Fails(Counted::Every, "fchown") ? Failed()
                                           : FileSystemCalls::ChangeOwner(fd, owner, group);
}

int FaultyFileSystem::ChangeMode(int fd, mode_t mode) {
    return Fails(Counted::Every, "fchmod") ? Failed() : FileSystemCalls::ChangeMode(fd, mode);
}

ssize_t FaultyFileSystem::AttributeListSize(int fd) {
    return Fails(Counted::Every, "flistxattr") ? Failed() : FileSystemCalls::AttributeListSize(fd);
}

int FaultyFileSystem::Rename(const QByteArray &from, const QByteArray &to) {
    return Fails(Counted::Every, "rename") ? Failed() : FileSystemCalls::Rename(from, to);
}

int FaultyFileSystem::Remove(const QByteArray &path) {
    return Fails(Counted::Every, "unlink") ? Failed() : FileSystemCalls::Remove(path);
}

int FaultyFileSystem::MakeFolder(const QByteArray &path, mode_t mode) {
    return Fails(Counted::Every, "mkdir") ? Failed() : FileSystemCalls::MakeFolder(path, mode);
}

FoldersRefuseNewFiles::FoldersRefuseNewFiles(const QStringList &folders) {
    Calls.RefusingFolders = folders;
}

#pragma once

#include <QByteArray>
#include <sys/stat.h>
#include <sys/types.h>

/// The system calls through which every file is written and read (`FileWriting`), one
/// operation each. The system's own are used unless a test puts its own in place, which
/// lets a test make any one call fail the way a full disk, a failing drive or a network
/// file system would. Each returns what the system call returns and sets errno the same way.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;

    virtual int Open(const QByteArray &path, int flags, mode_t mode);
    virtual int Status(int fd, struct stat &status);
    virtual ssize_t ReadAt(int fd, char *data, size_t size, off_t offset);
    virtual ssize_t WriteAt(int fd, const char *data, size_t size, off_t offset);
    virtual int Truncate(int fd, off_t size);
    virtual int Sync(int fd);
    /// The descriptor is released even when an error is returned, as with the system's close.
    virtual int Close(int fd);
    virtual int ChangeOwner(int fd, uid_t owner, gid_t group);
    virtual int ChangeMode(int fd, mode_t mode);
    /// The size of the list of the file's extended attributes (ACLs among them).
    virtual ssize_t AttributeListSize(int fd);
    virtual int Rename(const QByteArray &from, const QByteArray &to);
    virtual int Remove(const QByteArray &path);
    virtual int MakeFolder(const QByteArray &path, mode_t mode);

    /// The calls in use.
    static FileSystemCalls &Current();
};

/// While one exists, `calls` stand in for the system's own (scopes nest).
class UseFileSystemCalls {
public:
    explicit UseFileSystemCalls(FileSystemCalls &calls);
    ~UseFileSystemCalls();
    UseFileSystemCalls(const UseFileSystemCalls &) = delete;
    UseFileSystemCalls &operator=(const UseFileSystemCalls &) = delete;

private:
    FileSystemCalls *Previous;
};

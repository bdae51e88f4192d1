#include "filesystemcalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

FileSystemCalls SystemCalls;
FileSystemCalls *InUse = &SystemCalls;

// A signal arriving during a call is no failure of the call: it is made again.
template <typename Call> auto Retried(Call call) {
    decltype(call()) result;
    do
        result = call();
    while (result == -1 && errno == EINTR);
    return result;
}

} // namespace

int FileSystemCalls::Open(const QByteArray &path, int flags, mode_t mode) {
    return Retried([&] { return ::open(path.constData(), flags | O_CLOEXEC, mode); });
}

int FileSystemCalls::Status(int fd, struct stat &status) {
    return ::fstat(fd, &status);
}

ssize_t FileSystemCalls::ReadAt(int fd, char *data, size_t size, off_t offset) {
    return Retried([&] { return ::pread(fd, data, size, offset); });
}

ssize_t FileSystemCalls::WriteAt(int fd, const char *data, size_t size, off_t offset) {
    return Retried([&] { return ::pwrite(fd, data, size, offset); });
}

int FileSystemCalls::Truncate(int fd, off_t size) {
    return Retried([&] { return ::ftruncate(fd, size); });
}

int FileSystemCalls::Sync(int fd) {
    return Retried([&] { return ::fsync(fd); });
}

// Never made again: after an interrupted close the descriptor is already gone and may
// belong to another file by now.
int FileSystemCalls::Close(int fd) {
    return ::close(fd);
}

int FileSystemCalls::ChangeOwner(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

int FileSystemCalls::ChangeMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

ssize_t FileSystemCalls::AttributeListSize(int fd) {
    return ::flistxattr(fd, nullptr, 0);
}

int FileSystemCalls::Rename(const QByteArray &from, const QByteArray &to) {
    return ::rename(from.constData(), to.constData());
}

int FileSystemCalls::Remove(const QByteArray &path) {
    return ::unlink(path.constData());
}

int FileSystemCalls::MakeFolder(const QByteArray &path, mode_t mode) {
    return ::mkdir(path.constData(), mode);
}

FileSystemCalls &FileSystemCalls::Current() {
    return *InUse;
}

UseFileSystemCalls::UseFileSystemCalls(FileSystemCalls &calls) : Previous(InUse) {
    InUse = &calls;
}

UseFileSystemCalls::~UseFileSystemCalls() {
    InUse = Previous;
}

#include "filewriting.h"

#include "UserPrompt.h"
#include "filemessages.h"
#include "filesystemcalls.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <limits>

namespace FileWriting {

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int LinkLimit = 40;
constexpr int NameAttempts = 100;
// The most one write call is asked to take; the system takes at most a little under 2 GiB.
constexpr size_t WriteChunk = size_t{1} << 30;
constexpr mode_t PermissionBits = 07777;

/// Why a write stopped: the reason for the user and what became of the file.
struct Failure {
    QString Reason;
    QString Aftermath;
};

// The file a path names once every symbolic link on the way is followed; a chain that
// ends nowhere gives the path the last link points at, where a new file is then made.
std::optional<QString> FinalTarget(const QString &path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops <= LinkLimit; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return std::nullopt;
}

QString FolderOf(const QString &path) {
    return QFileInfo(path).absolutePath();
}

QString NameOf(const QString &path) {
    return QFileInfo(path).fileName();
}

// A file of a name not taken yet, made in `folder`; the descriptor, or -1 with errno set.
int CreateUnique(FileSystemCalls &calls, const QString &folder, const QString &prefix,
                 const QString &suffix, mode_t mode, QString &name) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->generate();
        name = folder + u'/' + prefix + QString::number(tag, 36) + suffix;
        const int fd = calls.Open(QFile::encodeName(name), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A plain file takes fewer bytes than offered only when the disk, the quota or the size
// the process may write has run out: that is reported as the disk being full, not retried.
bool WriteAll(FileSystemCalls &calls, int fd, const QByteArray &bytes) {
    size_t done = 0;
    const auto size = static_cast<size_t>(bytes.size());
    while (done < size) {
        const size_t chunk = std::min(size - done, WriteChunk);
        const ssize_t written =
            calls.WriteAt(fd, bytes.constData() + done, chunk, static_cast<off_t>(done));
        if (written < 0)
            return false;
        if (static_cast<size_t>(written) != chunk) {
            errno = ENOSPC;
            return false;
        }
        done += chunk;
    }
    return true;
}

// Written, on the disk and closed, with an error reported on close (as network file
// systems and quotas do) counted like any other.
bool WriteSyncClose(FileSystemCalls &calls, int fd, const QByteArray &bytes) {
    const bool written = WriteAll(calls, fd, bytes) && calls.Sync(fd) == 0;
    const int error = errno;
    const bool closed = calls.Close(fd) == 0;
    if (!written)
        errno = error;
    return written && closed;
}

// The rename that replaced a file is itself made durable by syncing its folder. A failure
// here is not reported: the new bytes are in place, and should the rename be lost to a
// power cut, the name still holds the complete old file.
void SyncFolder(FileSystemCalls &calls, const QString &folder) {
    const int fd = calls.Open(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY, 0);
    if (fd < 0)
        return;
    calls.Sync(fd);
    calls.Close(fd);
}

bool Refused(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

std::optional<QByteArray> ReadAll(FileSystemCalls &calls, int fd, qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t read = calls.ReadAt(fd, bytes.data() + done, static_cast<size_t>(size - done),
                                          static_cast<off_t>(done));
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

/// One save of `Bytes` to the file `Target`, which is no symbolic link.
class Writer {
public:
    Writer(const QString &target, const QByteArray &bytes)
        : Calls(FileSystemCalls::Current()), Target(target), TargetName(QFile::encodeName(target)),
          Bytes(bytes) {}

    std::optional<Failure> Write();

private:
    enum class Outcome { Written, Failed, NotPossible };

    std::optional<Failure> WriteExisting(int fd);
    std::optional<Failure> WriteNewFile();
    Outcome Replace(const struct stat &old, std::optional<Failure> &failure);
    bool KeepsEverything(int temp, const struct stat &old);
    std::optional<Failure> WriteInPlace(int fd, const struct stat &old);
    bool MakeCacheFolder();
    bool MakeCopy(const QString &folder, const QString &prefix, const QByteArray &old);
    Failure Restore(int error, const QByteArray &old);

    Failure Untouched(int error) const {
        return {FileMessages::Reason(error), FileMessages::FileUnchanged()};
    }

    FileSystemCalls &Calls;
    const QString Target;
    const QByteArray TargetName;
    const QByteArray &Bytes;
    QString CacheFolder;
    QString CopyPath;
    int CopyError = 0;
};

std::optional<Failure> Writer::Write() {
    const int fd = Calls.Open(TargetName, O_RDWR | O_NOCTTY | O_NONBLOCK, 0);
    if (fd >= 0)
        return WriteExisting(fd);
    if (errno == ENOENT)
        return WriteNewFile();
    return Untouched(errno);
}

// The descriptor is open for writing: proof that the user may change the file, and what
// the in-place write goes through.
std::optional<Failure> Writer::WriteExisting(int fd) {
    struct stat old {};
    if (Calls.Status(fd, old) != 0) {
        const int error = errno;
        Calls.Close(fd);
        return Untouched(error);
    }
    if (!S_ISREG(old.st_mode)) {
        Calls.Close(fd);
        return Failure{FileMessages::NotAPlainFile(), FileMessages::FileUnchanged()};
    }
    // Any extended attribute (an ACL among them) would be lost to a new file; a file
    // system without them has none to lose.
    const ssize_t attributes = Calls.AttributeListSize(fd);
    const bool noAttributes = attributes == 0 || (attributes < 0 && errno == ENOTSUP);
    if (old.st_nlink == 1 && noAttributes) {
        std::optional<Failure> failure;
        const Outcome replaced = Replace(old, failure);
        if (replaced != Outcome::NotPossible) {
            // Only read and looked at: nothing to report on closing.
            Calls.Close(fd);
            return failure;
        }
    }
    return WriteInPlace(fd, old);
}

// Made aside and renamed into place, so that the name never shows a partial file; the
// mode is the one a plain create would give.
std::optional<Failure> Writer::WriteNewFile() {
    const QString folder = FolderOf(Target);
    QString tempPath;
    const int temp = CreateUnique(Calls, folder, u'.' + NameOf(Target) + u'-',
                                  QStringLiteral(".new"), 0666, tempPath);
    if (temp < 0)
        return Failure{FileMessages::Reason(errno), {}};
    const QByteArray tempName = QFile::encodeName(tempPath);
    if (!WriteSyncClose(Calls, temp, Bytes) || Calls.Rename(tempName, TargetName) != 0) {
        const int error = errno;
        Calls.Remove(tempName);
        return Failure{FileMessages::Reason(error), {}};
    }
    SyncFolder(Calls, folder);
    return std::nullopt;
}

Writer::Outcome Writer::Replace(const struct stat &old, std::optional<Failure> &failure) {
    const QString folder = FolderOf(Target);
    QString tempPath;
    const int temp = CreateUnique(Calls, folder, u'.' + NameOf(Target) + u'-',
                                  QStringLiteral(".new"), 0600, tempPath);
    if (temp < 0) {
        if (Refused(errno))
            return Outcome::NotPossible;
        failure = Untouched(errno);
        return Outcome::Failed;
    }
    const QByteArray tempName = QFile::encodeName(tempPath);
    if (!KeepsEverything(temp, old)) {
        const int error = errno;
        Calls.Close(temp);
        Calls.Remove(tempName);
        if (error == 0 || Refused(error))
            return Outcome::NotPossible;
        failure = Untouched(error);
        return Outcome::Failed;
    }
    if (!WriteSyncClose(Calls, temp, Bytes) || Calls.Rename(tempName, TargetName) != 0) {
        const int error = errno;
        Calls.Remove(tempName);
        failure = Untouched(error);
        return Outcome::Failed;
    }
    SyncFolder(Calls, folder);
    return Outcome::Written;
}

// Gives the new file the old one's owner, group and permissions, and checks that they
// took: a user outside the file's group may not hand a file to it, and the system quietly
// drops the set-group-ID bit for such a user. False with errno 0 when the new file would
// differ, with the call's errno when a call failed.
bool Writer::KeepsEverything(int temp, const struct stat &old) {
    if (Calls.ChangeOwner(temp, old.st_uid, old.st_gid) != 0 ||
        Calls.ChangeMode(temp, old.st_mode & PermissionBits) != 0)
        return false;
    struct stat made {};
    if (Calls.Status(temp, made) != 0)
        return false;
    errno = 0;
    return made.st_uid == old.st_uid && made.st_gid == old.st_gid &&
           (made.st_mode & PermissionBits) == (old.st_mode & PermissionBits);
}

std::optional<Failure> Writer::WriteInPlace(int fd, const struct stat &old) {
    const std::optional<QByteArray> oldBytes = ReadAll(Calls, fd, old.st_size);
    if (!oldBytes) {
        const int error = errno;
        Calls.Close(fd);
        return Untouched(error);
    }
    // The copy is what a crash part way through leaves to recover from; with none, the
    // file is not touched.
    const QString prefix = NameOf(Target) + u'-';
    if (!MakeCopy(FolderOf(Target), u'.' + prefix, *oldBytes) &&
        !(MakeCacheFolder() && MakeCopy(CacheFolder, prefix, *oldBytes))) {
        Calls.Close(fd);
        return Failure{FileMessages::Reason(CopyError), FileMessages::NoCopyOfOldBytes()};
    }
    // Over the old bytes, never emptying the file first: a disk too full for the new bytes
    // then fails with the old ones still there to put back.
    const bool written =
        WriteAll(Calls, fd, Bytes) && Calls.Truncate(fd, Bytes.size()) == 0 && Calls.Sync(fd) == 0;
    const int error = errno;
    const bool closed = Calls.Close(fd) == 0;
    if (!written || !closed)
        return Restore(written ? errno : error, *oldBytes);
    // A copy that stays behind holds the old bytes only: no harm to report.
    Calls.Remove(QFile::encodeName(CopyPath));
    return std::nullopt;
}

// The editor's folder in the user's cache folder, made when missing (the cache folder
// too); only the user may look into it.
bool Writer::MakeCacheFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        return false;
    CacheFolder = cache + QStringLiteral("/quartex3editor");
    for (const QString &folder : {cache, CacheFolder}) {
        if (Calls.MakeFolder(QFile::encodeName(folder), 0700) != 0 && errno != EEXIST) {
            CopyError = errno;
            return false;
        }
    }
    return true;
}

bool Writer::MakeCopy(const QString &folder, const QString &prefix, const QByteArray &old) {
    const int fd = CreateUnique(Calls, folder, prefix, QStringLiteral(".old"), 0600, CopyPath);
    if (fd < 0) {
        CopyError = errno;
        return false;
    }
    if (WriteSyncClose(Calls, fd, old))
        return true;
    CopyError = errno;
    Calls.Remove(QFile::encodeName(CopyPath));
    return false;
}

Failure Writer::Restore(int error, const QByteArray &old) {
    const int fd = Calls.Open(TargetName, O_WRONLY | O_NOCTTY, 0);
    bool restored = false;
    if (fd >= 0) {
        restored =
            WriteAll(Calls, fd, old) && Calls.Truncate(fd, old.size()) == 0 && Calls.Sync(fd) == 0;
        restored = Calls.Close(fd) == 0 && restored;
    }
    if (!restored)
        return {FileMessages::Reason(error), FileMessages::OldBytesKeptIn(CopyPath)};
    Calls.Remove(QFile::encodeName(CopyPath));
    return {FileMessages::Reason(error), FileMessages::OldBytesRestored()};
}

} // namespace

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &errorText) {
    const std::optional<QString> target = FinalTarget(path);
    const std::optional<Failure> failure =
        target ? Writer(*target, bytes).Write()
               : std::optional<Failure>(Failure{FileMessages::Reason(ELOOP), {}});
    if (!failure)
        return true;
    errorText = FileMessages::SaveFailed(path, failure->Reason, failure->Aftermath);
    return false;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt) {
    QString error;
    if (WriteWholeFile(path, bytes, error))
        return true;
    prompt.ShowError(error);
    return false;
}

std::optional<QByteArray> ReadFileStart(const QString &path, qint64 limit, QString &errorText) {
    FileSystemCalls &calls = FileSystemCalls::Current();
    // Not blocking: a named pipe given for a file is refused below rather than waited on.
    const int fd = calls.Open(QFile::encodeName(path), O_RDONLY | O_NOCTTY | O_NONBLOCK, 0);
    if (fd < 0) {
        errorText = FileMessages::OpenFailed(path, FileMessages::Reason(errno));
        return std::nullopt;
    }
    struct stat status {};
    std::optional<QByteArray> bytes;
    if (calls.Status(fd, status) != 0)
        errorText = FileMessages::OpenFailed(path, FileMessages::Reason(errno));
    else if (S_ISDIR(status.st_mode))
        errorText = FileMessages::OpenFailed(path, FileMessages::Reason(EISDIR));
    else if (!S_ISREG(status.st_mode))
        errorText = FileMessages::OpenFailed(path, FileMessages::NotAPlainFile());
    else if (!(bytes = ReadAll(calls, fd, std::min<qint64>(status.st_size, limit))))
        errorText = FileMessages::ReadFailed(path, FileMessages::Reason(errno));
    // Only read: nothing to report on closing.
    calls.Close(fd);
    return bytes;
}

std::optional<QByteArray> ReadWholeFile(const QString &path, UserPrompt &prompt) {
    QString error;
    std::optional<QByteArray> bytes =
        ReadFileStart(path, std::numeric_limits<qint64>::max(), error);
    if (!bytes)
        prompt.ShowError(error);
    return bytes;
}

} // namespace FileWriting

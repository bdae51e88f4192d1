// Writing whole files: a file ends up with exactly its old or exactly its new bytes, keeps
// its owner, group, permissions and hard links, and every failure names the file.
#include "FaultyFileSystem.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "filewriting.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// How the file to be written stands, which decides the way it is written.
enum class Way {
    Replace,     // a plain file in a folder that takes new files
    CopyBeside,  // a second hard link: written in place, its old bytes copied beside it
    CopyInCache, // the same in a folder that refuses new files: the copy goes to the cache
    NewFile,     // no file yet
};

struct stat StatusOf(const QString &path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

bool IsRoot() {
    return ::geteuid() == 0;
}

QByteArray Pattern(int size, char seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7);
    return bytes;
}

// Every file below `folder` but those named.
QStringList FilesBelow(const QString &folder, const QStringList &except = {}) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!except.contains(file))
            files << file;
    }
    return files;
}

/// One file set up to be written one way, in folders of its own.
struct Scene {
    explicit Scene(Way way) : TheWay(way) {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Cache.path()));
        if (way == Way::NewFile)
            return;
        WriteFile(Path, Old);
        ::chmod(QFile::encodeName(Path).constData(), 0640);
        // Another owner is only possible as the superuser, who can also hand a new file to
        // them: the replacement must then be handed over.
        if (IsRoot())
            (void)!::chown(QFile::encodeName(Path).constData(), 4321, 4322);
        if (way != Way::Replace)
            ::link(QFile::encodeName(Path).constData(), QFile::encodeName(Link).constData());
        Before = StatusOf(Path);
    }

    QStringList Refusing() const {
        return TheWay == Way::CopyInCache ? QStringList{Dir.path()} : QStringList{};
    }

    Way TheWay;
    QTemporaryDir Dir;
    QTemporaryDir Cache;
    const QString Path = Dir.filePath(QStringLiteral("game.nes"));
    const QString Link = Dir.filePath(QStringLiteral("second-name.nes"));
    const QByteArray Old = Pattern(3000, 1);
    const QByteArray Fresh = Pattern(5000, 2); // longer: the disk must take more bytes
    struct stat Before {};
};

} // namespace

class TestFileWriting : public QObject {
    Q_OBJECT

private slots:
    void everyCallFailing_data();
    void everyCallFailing();
    void keepsWhatTheFileHad_data();
    void keepsWhatTheFileHad();
    void symbolicLinkChains_data();
    void symbolicLinkChains();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
    void readingNamesTheFile_data();
    void readingNamesTheFile();
};

void TestFileWriting::everyCallFailing_data() {
    QTest::addColumn<Way>("way");
    QTest::addColumn<FaultyFileSystem::Counted>("counted");
    QTest::addColumn<FaultyFileSystem::Fault>("fault");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("persistent");
    using C = FaultyFileSystem::Counted;
    using F = FaultyFileSystem::Fault;
    const std::pair<Way, const char *> ways[] = {{Way::Replace, "replace"},
                                                 {Way::CopyBeside, "in place, copy beside"},
                                                 {Way::CopyInCache, "in place, copy in cache"},
                                                 {Way::NewFile, "new file"}};
    for (const auto &[way, name] : ways) {
        QTest::addRow("%s: ENOSPC", name) << way << C::Every << F::Error << ENOSPC << false;
        QTest::addRow("%s: EIO", name) << way << C::Every << F::Error << EIO << false;
        QTest::addRow("%s: EACCES", name) << way << C::Every << F::Error << EACCES << false;
        QTest::addRow("%s: short write", name) << way << C::Writes << F::ShortWrite << 0 << false;
        QTest::addRow("%s: disk full", name) << way << C::Writes << F::DiskFull << 0 << false;
        QTest::addRow("%s: error on close", name)
            << way << C::Closes << F::Error << EDQUOT << false;
        QTest::addRow("%s: EIO for good", name) << way << C::Every << F::Error << EIO << true;
    }
}

// Walks the fault over every call the write makes, one call at a time, as a test of a
// database's input and output errors does: after each, the file holds exactly its old or
// exactly its new bytes, is otherwise as it was, and the user read one message naming it.
void TestFileWriting::everyCallFailing() {
    QFETCH(Way, way);
    QFETCH(FaultyFileSystem::Counted, counted);
    QFETCH(FaultyFileSystem::Fault, fault);
    QFETCH(int, error);
    QFETCH(bool, persistent);

    int callCount = 0;
    for (int nth = 0; nth == 0 || nth <= callCount; ++nth) {
        const Scene scene(way);
        FaultyFileSystem calls;
        calls.Kind = counted;
        calls.Effect = fault;
        calls.Error = error;
        calls.Nth = nth;
        calls.Persistent = persistent;
        calls.RefusingFolders = scene.Refusing();
        ScriptedPrompt prompt;
        bool written = false;
        {
            const UseFileSystemCalls use(calls);
            written = FileWriting::WriteWholeFile(scene.Path, scene.Fresh, prompt);
        }
        const QByteArray now = ReadFile(scene.Path);
        const QString at = QStringLiteral("fault at %1 (%2)").arg(nth).arg(calls.FailedCall);

        if (nth == 0) {
            // Without a fault: written, and the way the scene was set up for.
            QVERIFY2(written, qPrintable(prompt.Errors.join(u'\n')));
            callCount = calls.Calls;
            // One file made: the replacement beside the old file, or the copy of the old
            // bytes beside it or in the cache.
            const bool inPlace = way == Way::CopyBeside || way == Way::CopyInCache;
            QCOMPARE(calls.Created.size(), 1);
            QVERIFY(calls.Created.first().startsWith(
                (way == Way::CopyInCache ? scene.Cache.path() : scene.Dir.path()) + u'/'));
            QVERIFY(calls.Created.first().endsWith(inPlace ? QStringLiteral(".old")
                                                           : QStringLiteral(".new")));
        }
        QVERIFY2(prompt.Errors.size() == (written ? 0 : 1), qPrintable(at));
        QVERIFY2(written || prompt.Errors.first().contains(scene.Path), qPrintable(at));

        const QStringList others =
            FilesBelow(scene.Dir.path(), {scene.Path, scene.Link}) + FilesBelow(scene.Cache.path());
        // A copy of the old bytes kept where they could not be put back: only a lasting
        // fault can stop that.
        QString namedCopy;
        for (const QString &other : others) {
            if (!written && prompt.Errors.first().contains(other))
                namedCopy = other;
        }
        if (!namedCopy.isEmpty()) {
            QVERIFY2(persistent, qPrintable(at));
            QVERIFY2(ReadFile(namedCopy) == scene.Old, qPrintable(at));
            continue;
        }
        if (written)
            QVERIFY2(now == scene.Fresh, qPrintable(at));
        else if (way == Way::NewFile)
            QVERIFY2(!QFileInfo::exists(scene.Path), qPrintable(at));
        else
            QVERIFY2(now == scene.Old, qPrintable(at));
        if (way != Way::NewFile) {
            const struct stat after = StatusOf(scene.Path);
            QVERIFY2(after.st_uid == scene.Before.st_uid, qPrintable(at));
            QVERIFY2(after.st_gid == scene.Before.st_gid, qPrintable(at));
            QVERIFY2(after.st_mode == scene.Before.st_mode, qPrintable(at));
            QVERIFY2(after.st_nlink == scene.Before.st_nlink, qPrintable(at));
            if (way != Way::Replace)
                QVERIFY2(ReadFile(scene.Link) == now, qPrintable(at));
        }
        // Nothing left behind, but where a fault stopped the removal of the copy of the
        // old bytes after the new ones were safely written (a lasting fault may leave more).
        if (!persistent) {
            for (const QString &other : others) {
                QVERIFY2(written && calls.FailedCall.startsWith(QStringLiteral("unlink")),
                         qPrintable(at + QStringLiteral(": left ") + other));
                QVERIFY2(ReadFile(other) == scene.Old, qPrintable(at));
            }
        }
    }
}

void TestFileWriting::keepsWhatTheFileHad_data() {
    QTest::addColumn<bool>("hardLink");
    QTest::addColumn<bool>("attribute");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("one name: replaced") << false << false << true;
    QTest::newRow("a second hard link: in place") << true << false << false;
    QTest::newRow("an extended attribute: in place") << false << true << false;
}

void TestFileWriting::keepsWhatTheFileHad() {
    QFETCH(bool, hardLink);
    QFETCH(bool, attribute);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.nes"));
    const QByteArray name = QFile::encodeName(path);
    const QString link = dir.filePath(QStringLiteral("other-name.nes"));
    QVERIFY(WriteFile(path, Pattern(4096, 3)));
    QCOMPARE(::chmod(name.constData(), 02651), 0);
    if (hardLink)
        QCOMPARE(::link(name.constData(), QFile::encodeName(link).constData()), 0);
    if (attribute && ::setxattr(name.constData(), "user.note", "kept", 4, 0) != 0)
        QSKIP("The temporary folder's file system takes no extended attributes.");
    const struct stat before = StatusOf(path);

    const QByteArray fresh = Pattern(1000, 4);
    QString error;
    QVERIFY2(FileWriting::WriteWholeFile(path, fresh, error), qPrintable(error));

    // Exactly the new bytes, the longer old content cut off, and all the file had kept.
    QCOMPARE(ReadFile(path), fresh);
    const struct stat after = StatusOf(path);
    QCOMPARE(after.st_ino != before.st_ino, replaced);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_nlink, before.st_nlink);
    if (hardLink)
        QCOMPARE(ReadFile(link), fresh);
    if (attribute) {
        char value[8] = {};
        QCOMPARE(::getxattr(name.constData(), "user.note", value, sizeof value), ssize_t{4});
        QCOMPARE(QByteArray(value), QByteArrayLiteral("kept"));
    }
    QCOMPARE(FilesBelow(dir.path(), {path, link}), QStringList{});
}

void TestFileWriting::symbolicLinkChains_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("two links to a file in a read-only folder") << true;
    QTest::newRow("two links to a file not made yet") << false;
}

// The links stay links and the file at the end of the chain gets the bytes, written in
// place where its folder refuses new files.
void TestFileWriting::symbolicLinkChains() {
    QFETCH(bool, fileExists);
    QTemporaryDir links;
    QTemporaryDir files;
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString file = files.filePath(QStringLiteral("game.nes"));
    const QString middle = links.filePath(QStringLiteral("middle.nes"));
    const QString first = links.filePath(QStringLiteral("first.nes"));
    if (fileExists)
        QVERIFY(WriteFile(file, Pattern(2000, 5)));
    QVERIFY(QFile::link(file, middle));
    QVERIFY(QFile::link(QStringLiteral("middle.nes"), first)); // relative, as users make them
    std::optional<FoldersRefuseNewFiles> refusing;
    if (fileExists) {
        QVERIFY(QFile::setPermissions(files.path(), QFile::ReadOwner | QFile::ExeOwner));
        refusing.emplace(QStringList{files.path()});
    }

    const QByteArray fresh = Pattern(2500, 6);
    QString error;
    const bool written = FileWriting::WriteWholeFile(first, fresh, error);
    refusing.reset();
    QFile::setPermissions(files.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(written, qPrintable(error));

    QCOMPARE(ReadFile(file), fresh);
    QCOMPARE(QFileInfo(first).symLinkTarget(), middle);
    QCOMPARE(QFileInfo(middle).symLinkTarget(), file);
    QCOMPARE(FilesBelow(links.path(), {first, middle}), QStringList{});
    QCOMPARE(FilesBelow(files.path(), {file}), QStringList{});
}

void TestFileWriting::failuresNameTheFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sizeLimited"); // the process may write only a few bytes per file
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << QStringLiteral("no/such/x.nes") << false
                                    << QStringLiteral("ファイルまたはフォルダーが見つかりません。");
    QTest::newRow("a folder") << QStringLiteral("folder") << false
                              << QStringLiteral("ファイルではなくフォルダーです。");
    QTest::newRow("links in a loop")
        << QStringLiteral("loop.nes") << false
        << QStringLiteral("シンボリックリンクの参照が多すぎるか、循環しています。");
    QTest::newRow("short write") << QStringLiteral("game.nes") << true
                                 << QStringLiteral("ディスクの空き容量が足りません。");
}

// The system's own short writes and errors, not injected ones.
void TestFileWriting::failuresNameTheFile() {
    QFETCH(QString, name);
    QFETCH(bool, sizeLimited);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(QStringLiteral("loop.nes"), dir.filePath(QStringLiteral("loop.nes"))));
    const QByteArray old = QByteArrayLiteral("the bytes before");
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("game.nes")), old));
    const QString path = dir.filePath(name);

    // A write past the file size limit fails with EFBIG (the signal it also raises is
    // ignored) after a short write, as a full disk would cut it short.
    rlimit previous{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (sizeLimited) {
        rlimit limited = previous;
        limited.rlim_cur = 16;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    QString error;
    const bool written = FileWriting::WriteWholeFile(path, QByteArray(4096, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QVERIFY2(error.startsWith(path + QStringLiteral("を保存できませんでした。\n") + reason),
             qPrintable(error));
    QCOMPARE(ReadFile(dir.filePath(QStringLiteral("game.nes"))), old);
    QCOMPARE(FilesBelow(dir.path(), {dir.filePath(QStringLiteral("loop.nes"))}),
             QStringList{dir.filePath(QStringLiteral("game.nes"))});
}

void TestFileWriting::readingNamesTheFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QStringLiteral("gone.nes")
                             << QStringLiteral("ファイルまたはフォルダーが見つかりません。");
    QTest::newRow("a folder") << QStringLiteral("folder")
                              << QStringLiteral("ファイルではなくフォルダーです。");
    QTest::newRow("a named pipe, never waited on")
        << QStringLiteral("pipe") << QStringLiteral("通常のファイルではありません。");
}

void TestFileWriting::readingNamesTheFile() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600),
             0);
    const QString path = dir.filePath(name);
    ScriptedPrompt prompt;
    QVERIFY(!FileWriting::ReadWholeFile(path, prompt));
    QCOMPARE(prompt.Errors, QStringList{path + QStringLiteral("を開けませんでした。\n") + reason});
}

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_filewriting.moc"

// Writing whole files: replaced through a file aside where the folder takes new files,
// written in place where it refuses them, and never reported written when it was not.
#include "TestFiles.h"
#include "filewriting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

class TestFileWriting : public QObject {
    Q_OBJECT

private slots:
    void replacesOrOverwrites_data();
    void replacesOrOverwrites();
    void failuresAreReported_data();
    void failuresAreReported();
};

void TestFileWriting::replacesOrOverwrites_data() {
    QTest::addColumn<bool>("folderRefuses");
    QTest::newRow("folder takes new files: replaced") << false;
    QTest::newRow("folder refuses new files: written in place") << true;
}

void TestFileWriting::replacesOrOverwrites() {
    QFETCH(bool, folderRefuses);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.nes"));
    const QString link = dir.filePath(QStringLiteral("other-name.nes"));
    const QByteArray old(4096, '\x11');
    QByteArray fresh(1000, '\x22');
    fresh[999] = '\0';
    QString error;
    QVERIFY(FileWriting::WriteWholeFile(path, old, error));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);

    std::optional<FileWriting::FoldersRefuseNewFiles> refusing;
    if (folderRefuses)
        refusing.emplace();
    QVERIFY2(FileWriting::WriteWholeFile(path, fresh, error), qPrintable(error));
    refusing.reset();

    // Exactly the new bytes either way, the longer old content cut off.
    QCOMPARE(ReadFile(path), fresh);
    // A replaced file leaves the hard link with the old bytes; one written in place does not.
    QCOMPARE(ReadFile(link), folderRefuses ? fresh : old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("game.nes"), QStringLiteral("other-name.nes")}));
}

void TestFileWriting::failuresAreReported_data() {
    QTest::addColumn<bool>("folderRefuses");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sizeLimited"); // the process may write only a few bytes per file
    for (const bool refuses : {false, true}) {
        const char *way = refuses ? "in place" : "aside";
        QTest::addRow("%s: missing folder", way)
            << refuses << QStringLiteral("no/such/x.nes") << false;
        QTest::addRow("%s: a folder", way) << refuses << QStringLiteral("folder") << false;
        QTest::addRow("%s: short write", way) << refuses << QStringLiteral("game.nes") << true;
    }
}

void TestFileWriting::failuresAreReported() {
    QFETCH(bool, folderRefuses);
    QFETCH(QString, name);
    QFETCH(bool, sizeLimited);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QByteArray old = QByteArrayLiteral("the bytes before");
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("game.nes")), old));
    const QString path = dir.filePath(name);
    std::optional<FileWriting::FoldersRefuseNewFiles> refusing;
    if (folderRefuses)
        refusing.emplace();

    // A write past the file size limit fails with EFBIG (the signal it also raises is
    // ignored), as a full disk would cut it short.
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
    QVERIFY(!error.isEmpty());
    // Nothing left beside it; written aside, a failure leaves the old file whole.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("game.nes")});
    if (!folderRefuses)
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("game.nes"))), old);
}

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_filewriting.moc"

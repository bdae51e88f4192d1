// Where the editor finds its files, in the build tree's layout and in an installed one.
#include "TestFiles.h"
#include "programfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

// A prefix as `cmake --install` lays it out (bin/, share/quartex3editor/), a separate
// configuration folder and a working directory, made current for the test's lifetime.
class Folders {
public:
    Folders() : PreviousDirectory(QDir::currentPath()) {
        QDir root(Root.path());
        root.mkpath(QStringLiteral("prefix/bin"));
        root.mkpath(QStringLiteral("work"));
        QDir::setCurrent(Path(QStringLiteral("work")));
    }
    ~Folders() { QDir::setCurrent(PreviousDirectory); }

    QString Path(const QString &relative) const { return QDir(Root.path()).filePath(relative); }
    QString Program() const { return Path(QStringLiteral("prefix/bin")); }
    QString Data() const { return Path(QStringLiteral("prefix/share/quartex3editor")); }
    QString Config() const { return Path(QStringLiteral("config")); }
    void Install() const { QDir().mkpath(Data()); }
    /// Puts a file at `relative`, making its folder first.
    bool Put(const QString &relative) const {
        QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
        return WriteFile(Path(relative), "x");
    }
    /// Puts a file `name` into each of the `folders`.
    bool PutInto(const QStringList &folders, const QString &name) const {
        return std::all_of(folders.begin(), folders.end(),
                           [&](const QString &folder) { return Put(folder + u'/' + name); });
    }
    ProgramFiles Files() const { return ProgramFiles::ForProgram(Program(), Config()); }

private:
    QString PreviousDirectory;
    QTemporaryDir Root;
};

} // namespace

class TestProgramFiles : public QObject {
    Q_OBJECT
private slots:
    void portableKeepsEverythingBesideTheProgram();
    void installedSettingsInTheConfigurationFolder();
    void installedLookupOrder_data();
    void installedLookupOrder();
    void nameListLanguage_data();
    void nameListLanguage();
};

void TestProgramFiles::portableKeepsEverythingBesideTheProgram() {
    const Folders folders;
    // Files the installed layout would prefer change nothing without its data folder.
    QVERIFY(folders.Put(QStringLiteral("config/fcpalette.pal")));
    QVERIFY(folders.Put(QStringLiteral("config/ObjectList.txt")));

    const ProgramFiles files = folders.Files();
    QVERIFY(!files.IsInstalled());
    QCOMPARE(files.SettingsFile(), folders.Path(QStringLiteral("prefix/bin/quartex3editor.ini")));
    QCOMPARE(files.NameList(QStringLiteral("ObjectList.txt"), QStringLiteral("ja")),
             folders.Path(QStringLiteral("prefix/bin/ObjectList.txt")));
    QCOMPARE(files.ColourTable(), QStringLiteral("fcpalette.pal"));
}

void TestProgramFiles::installedSettingsInTheConfigurationFolder() {
    const Folders folders;
    folders.Install();
    const ProgramFiles files = folders.Files();
    QVERIFY(files.IsInstalled());
    QCOMPARE(files.SettingsFile(), folders.Path(QStringLiteral("config/quartex3editor.ini")));

    QVERIFY(!QFileInfo::exists(folders.Config()));
    files.MakeSettingsFolder();
    QVERIFY(QFileInfo(folders.Config()).isDir());
}

void TestProgramFiles::installedLookupOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("holders");
    QTest::addColumn<QString>("expected"); ///< the folder found in; empty for the bare name

    const QString list = QStringLiteral("ObjectList.en.txt");
    const QString table = QStringLiteral("fcpalette.pal");
    const QString work = QStringLiteral("work");
    const QString config = QStringLiteral("config");
    const QString data = QStringLiteral("prefix/share/quartex3editor");
    QTest::newRow("name list: the user's own copy first")
        << list << QStringList{config, data} << config;
    QTest::newRow("name list: then the installed one") << list << QStringList{data} << data;
    QTest::newRow("name list: none, where the user would put it")
        << list << QStringList{} << config;
    QTest::newRow("colour table: the current directory first")
        << table << QStringList{work, config, data} << QString();
    QTest::newRow("colour table: then the configuration folder")
        << table << QStringList{config, data} << config;
    QTest::newRow("colour table: then the packaged table") << table << QStringList{data} << data;
    QTest::newRow("colour table: none, the bare name for the message")
        << table << QStringList{} << QString();
}

void TestProgramFiles::installedLookupOrder() {
    QFETCH(QString, name);
    QFETCH(QStringList, holders);
    QFETCH(QString, expected);
    const Folders folders;
    folders.Install();
    QVERIFY(folders.PutInto(holders, name));

    const ProgramFiles files = folders.Files();
    const QString found =
        name == u"fcpalette.pal" ? files.ColourTable() : files.NameList(name, QStringLiteral("ja"));
    QCOMPARE(found, expected.isEmpty() ? name : folders.Path(expected + u'/' + name));
}

void TestProgramFiles::nameListLanguage_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");

    const QString program = QStringLiteral("prefix/bin/");
    const QString config = QStringLiteral("config/");
    const QString data = QStringLiteral("prefix/share/quartex3editor/");
    const QString usual = QStringLiteral("ObjectList.txt");
    const QString english = QStringLiteral("ObjectList.en.txt");
    const QString en = QStringLiteral("en");
    QTest::newRow("portable: the language's own list")
        << false << en << QStringList{program + usual, program + english} << program + english;
    QTest::newRow("portable: without it, the usual one")
        << false << en << QStringList{program + usual} << program + usual;
    QTest::newRow("portable: Japanese reads the usual one")
        << false << QStringLiteral("ja") << QStringList{program + usual, program + english}
        << program + usual;
    QTest::newRow("installed: the user's own list before a shipped translation")
        << true << en << QStringList{config + usual, data + english} << config + usual;
    QTest::newRow("installed: the shipped translation before the shipped list")
        << true << en << QStringList{data + usual, data + english} << data + english;
}

void TestProgramFiles::nameListLanguage() {
    QFETCH(bool, installed);
    QFETCH(QString, language);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    const Folders folders;
    if (installed)
        folders.Install();
    for (const QString &file : files)
        QVERIFY(folders.Put(file));

    QCOMPARE(folders.Files().NameList(QStringLiteral("ObjectList.txt"), language),
             folders.Path(expected));
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"

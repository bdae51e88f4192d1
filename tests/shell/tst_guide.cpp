// The user's guide: both languages tell the same story with the same pictures, every picture
// exists, and F1 shows the guide inside the editor.
#include "GraphicsFixture.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "guideform.h"
#include "mainform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

const QDir Docs(QStringLiteral(QUARTEX_SOURCE_DIR "/docs"));

QString Guide(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A guide's outline: one entry per heading, its level as the heading's "#" marks followed by
// the pictures its section shows.
QStringList Outline(const QString &text) {
    static const QRegularExpression heading(QStringLiteral("^(#+) "));
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    QStringList outline;
    bool inCode = false;
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(QStringLiteral("```")))
            inCode = !inCode;
        if (inCode)
            continue;
        if (const auto match = heading.match(line); match.hasMatch())
            outline.append(match.captured(1));
        for (auto it = picture.globalMatch(line); it.hasNext();)
            if (!outline.isEmpty())
                outline.last() += u' ' + it.next().captured(1);
    }
    return outline;
}

QString FirstHeading(const QString &text) {
    return text.section(u'\n', 0, 0).mid(2);
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void guidesShowEveryPageAndDialogAlike();
    void f1ShowsTheGuide_data();
    void f1ShowsTheGuide();
};

void TestGuide::guidesShowEveryPageAndDialogAlike() {
    const QStringList japanese = Outline(Guide(Docs.filePath(QStringLiteral("guide.ja.md"))));
    const QStringList english = Outline(Guide(Docs.filePath(QStringLiteral("guide.en.md"))));
    QVERIFY(japanese.size() > 10);
    QCOMPARE(english, japanese);

    QStringList shown;
    for (const QString &section : japanese)
        shown += section.split(u' ').mid(1);
    // Each page, dialog and window has its picture, and no picture is left unused.
    for (const char *name :
         {"map", "mapset", "grid-dialog", "chip32", "chip16", "palette", "objects", "object-dialog",
          "report", "overview", "file-menu", "tiles"})
        QVERIFY2(shown.contains(QStringLiteral("images/%1.png").arg(QLatin1String(name))), name);
    QStringList files = QDir(Docs.filePath(QStringLiteral("images")))
                            .entryList({QStringLiteral("*.png")}, QDir::Files);
    for (QString &file : files)
        file.prepend(QStringLiteral("images/"));
    shown.sort();
    files.sort();
    QCOMPARE(shown, files);
}

void TestGuide::f1ShowsTheGuide_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("guide");
    QTest::newRow("Japanese") << QStringLiteral("ja") << QStringLiteral("guide.ja.md");
    QTest::newRow("English") << QStringLiteral("en") << QStringLiteral("guide.en.md");
    QTest::newRow("unknown code") << QStringLiteral("xx") << QStringLiteral("guide.ja.md");
}

void TestGuide::f1ShowsTheGuide() {
    QFETCH(QString, language);
    QFETCH(QString, guide);
    const QString previous = QDir::currentPath();
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    WriteFile(work.filePath(QStringLiteral("fcpalette.pal")), MasterColourTable());
    // The guide speaks the interface language of the settings.
    WriteFile(work.filePath(QStringLiteral("quartex3editor.ini")),
              QStringLiteral("[Display]\nLanguage=%1\n").arg(language).toUtf8());
    ScriptedPrompt prompt;
    TMainForm form(prompt, work.path());
    QDir::setCurrent(previous);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // With no image open.
    QTest::keyClick(&form, Qt::Key_F1);
    auto *window = form.findChild<TGuideForm *>(QStringLiteral("GuideForm"));
    QVERIFY(window);
    QVERIFY(window->isVisible());
    auto *browser = window->findChild<QTextBrowser *>();
    QCOMPARE(browser->document()->firstBlock().text(), FirstHeading(Guide(Docs.filePath(guide))));
    // Its pictures come from inside the program.
    QVERIFY(
        !browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/map.png")))
             .isNull());
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"

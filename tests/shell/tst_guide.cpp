// The user's guide: both languages tell the same story with the same pictures, every picture
// exists, every text it quotes from the interface is the interface's own, and F1 shows the
// guide inside the editor.
#include "GraphicsFixture.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "guideform.h"
#include "mainform.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

const QDir Docs(QStringLiteral(QUARTEX_SOURCE_DIR "/docs"));

QString Guide(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The guide's text outside code blocks and code spans, where quotation marks are the text's.
QString Prose(const QString &text) {
    static const QRegularExpression codeSpan(QStringLiteral("`[^`]*`"));
    QStringList prose;
    bool inCode = false;
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(QStringLiteral("```")))
            inCode = !inCode;
        else if (!inCode)
            prose << QString(line).remove(codeSpan);
    }
    return prose.join(u'\n');
}

// A guide's outline: one entry per heading, its level as the heading's "#" marks followed by
// the pictures its section shows.
QStringList Outline(const QString &text) {
    static const QRegularExpression heading(QStringLiteral("^(#+) "));
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    QStringList outline;
    for (const QString &line : Prose(text).split(u'\n')) {
        if (const auto match = heading.match(line); match.hasMatch())
            outline.append(match.captured(1));
        for (auto it = picture.globalMatch(line); it.hasNext();)
            if (!outline.isEmpty())
                outline.last() += u' ' + it.next().captured(1);
    }
    return outline;
}

// The interface's texts in both languages, from the translation file: the sources are the
// Japanese texts exactly as the program has them, the translations the English ones.
struct InterfaceTexts {
    QStringList Japanese;
    QStringList English;
};

InterfaceTexts ReadInterfaceTexts() {
    QFile file(QStringLiteral(QUARTEX_SOURCE_DIR "/translations/quartex3editor_en.ts"));
    InterfaceTexts texts;
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"source")
            texts.Japanese << reader.readElementText();
        else if (reader.name() == u"numerusform")
            texts.English << reader.readElementText();
        else if (reader.name() == u"translation" && reader.attributes().isEmpty() &&
                 !texts.Japanese.constLast().contains(QStringLiteral("%n")))
            texts.English << reader.readElementText();
    }
    // The toolkit's own buttons, which its translations say in the interface language.
    texts.Japanese << QStringLiteral("OK") << QStringLiteral("キャンセル") << QStringLiteral("はい")
                   << QStringLiteral("いいえ");
    texts.English << QStringLiteral("OK") << QStringLiteral("Cancel") << QStringLiteral("Yes")
                  << QStringLiteral("No");
    return texts;
}

// A program text as a pattern the guide's quotation must match whole: the keyboard accelerator
// left out ("開く(&O)" reads "開く", "&Open" reads "Open"), the spaces around it and a label's
// closing colon or a menu item's ellipsis optional, and each %1..%9 standing for any text the
// program puts there.
QRegularExpression QuotablePattern(QString text) {
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)|&(?=[^&])"));
    static const QRegularExpression ending(QStringLiteral("(\\.\\.\\.|…|:|：)$"));
    text.remove(accelerator);
    text = text.trimmed();
    const QString end = ending.match(text).captured();
    text.chop(end.size());
    QString pattern = QRegularExpression::escape(text.trimmed());
    // Escaped, a place holder reads \%1.
    pattern.replace(QRegularExpression(QStringLiteral("\\\\%[1-9n]")), QStringLiteral(".+?"));
    if (!end.isEmpty())
        pattern += QStringLiteral("(") + QRegularExpression::escape(end) + QStringLiteral(")?");
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

std::vector<QRegularExpression> QuotablePatterns(const QStringList &texts) {
    std::vector<QRegularExpression> patterns;
    for (const QString &text : texts) {
        patterns.push_back(QuotablePattern(text));
        // One line of a message of several is quoted on its own.
        if (text.contains(u'\n'))
            for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts))
                patterns.push_back(QuotablePattern(line));
    }
    return patterns;
}

// Every quotation the `quote` pattern finds that no program text accounts for. A quotation
// holding " → " is a menu path: each of its steps is an interface text.
QStringList UnknownQuotations(const QString &prose, const QRegularExpression &quote,
                              const std::vector<QRegularExpression> &patterns) {
    QStringList unknown;
    for (auto it = quote.globalMatch(prose); it.hasNext();) {
        const QString quotation = it.next().captured(1);
        for (const QString &step : quotation.split(QStringLiteral(" → ")))
            if (std::none_of(patterns.begin(), patterns.end(),
                             [&](const QRegularExpression &p) { return p.match(step).hasMatch(); }))
                unknown << step;
    }
    return unknown;
}

QString FirstHeading(const QString &text) {
    return text.section(u'\n', 0, 0).mid(2);
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void guidesShowEveryPageAndDialogAlike();
    void guideQuotesTheInterface_data();
    void guideQuotesTheInterface();
    void f1ShowsTheGuide_data();
    void f1ShowsTheGuide();
};

void TestGuide::guidesShowEveryPageAndDialogAlike() {
    const QStringList japanese = Outline(Guide(Docs.filePath(QStringLiteral("guide.ja.md"))));
    QStringList english = Outline(Guide(Docs.filePath(QStringLiteral("guide.en.md"))));
    QVERIFY(japanese.size() > 10);
    // The English guide shows the same pictures taken of the English interface.
    for (QString &section : english) {
        const qsizetype before = section.size();
        section.replace(QStringLiteral(" images/en/"), QStringLiteral(" images/"));
        QCOMPARE(before - section.size(), 3 * section.count(QStringLiteral(" images/")));
    }
    QCOMPARE(english, japanese);

    QStringList shown;
    for (const QString &section : japanese)
        shown += section.split(u' ').mid(1);
    // Each page, dialog and window has its picture, and no picture is left unused.
    for (const char *name :
         {"map", "mapset", "grid-dialog", "chip32", "chip16", "palette", "objects", "object-dialog",
          "report", "overview", "file-menu", "tiles"})
        QVERIFY2(shown.contains(QStringLiteral("images/%1.png").arg(QLatin1String(name))), name);
    shown.sort();
    for (const QString &folder : {QStringLiteral("images"), QStringLiteral("images/en")}) {
        QStringList files =
            QDir(Docs.filePath(folder)).entryList({QStringLiteral("*.png")}, QDir::Files);
        for (QString &file : files)
            file.prepend(QStringLiteral("images/"));
        files.sort();
        QCOMPARE(shown, files);
    }
}

// The Japanese guide quotes the Japanese interface in 「」; the English guide quotes the
// English interface in double quotes and, where a reader of the Japanese interface needs
// it, the Japanese text in 「」 beside it.
void TestGuide::guideQuotesTheInterface_data() {
    QTest::addColumn<QString>("guide");
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << QStringLiteral("guide.ja.md") << false;
    QTest::newRow("English") << QStringLiteral("guide.en.md") << true;
}

void TestGuide::guideQuotesTheInterface() {
    QFETCH(QString, guide);
    QFETCH(bool, english);
    static const InterfaceTexts texts = ReadInterfaceTexts();
    QVERIFY(texts.Japanese.size() > 100);
    const QString prose = Prose(Guide(Docs.filePath(guide)));
    static const QRegularExpression japaneseQuote(QStringLiteral("「([^」]*)」"));
    static const QRegularExpression englishQuote(QStringLiteral("\"([^\"\n]*)\""));
    QCOMPARE(prose.count(u'「'), prose.count(u'」'));
    QVERIFY(prose.count(japaneseQuote) + (english ? prose.count(englishQuote) : 0) > 40);

    QStringList unknown = UnknownQuotations(prose, japaneseQuote, QuotablePatterns(texts.Japanese));
    if (english)
        unknown += UnknownQuotations(prose, englishQuote, QuotablePatterns(texts.English));
    else
        QCOMPARE(prose.count(u'"'), 0);
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(u'\n')));
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
    const QString picture =
        language == u"en" ? QStringLiteral("images/en/map.png") : QStringLiteral("images/map.png");
    QVERIFY(!browser->loadResource(QTextDocument::ImageResource, QUrl(picture)).isNull());
    // Read at its first width without scrolling sideways.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);

    // Escape and Ctrl+W close it, whichever part has the focus.
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::CTRL, Qt::Key_W)}) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        browser->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QVERIFY(!window->isVisible());
        QVERIFY(form.isVisible());
        form.findChild<QAction *>(QStringLiteral("Guide1"))->trigger();
        QVERIFY(window->isVisible());
    }
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"

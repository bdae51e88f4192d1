// The interface language: the English translation started from the settings file, the
// language menu, the setting itself and the English sample name lists.
#include "EditorSetup.h"
#include "MyIniFiles.h"
#include "NamedChild.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "language.h"
#include "mainform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString IniName = QStringLiteral("quartex3editor.ini");

void WriteLanguage(const EditorSetup &setup, const QString &language) {
    WriteFile(setup.ProgramFile(IniName),
              QStringLiteral("[Display]\nLanguage=%1\n").arg(language).toUtf8());
}

// Every text the window and its dialogs show now: captions, titles, items, labels, except
// the names of the languages.
QStringList ShownTexts(const QWidget &window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget->isWindow())
            texts << widget->windowTitle();
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            texts << group->title();
        if (const auto *menu = qobject_cast<const QMenu *>(widget))
            texts << menu->title();
        if (const auto *choice = qobject_cast<const QComboBox *>(widget))
            for (int i = 0; i < choice->count(); ++i)
                texts << choice->itemText(i);
        if (const auto *pages = qobject_cast<const QTabWidget *>(widget))
            for (int i = 0; i < pages->count(); ++i)
                texts << pages->tabText(i);
    }
    // The language menu lists every language by its own name.
    for (const QAction *action : window.findChildren<QAction *>())
        if (!action->objectName().startsWith(QStringLiteral("Language_")))
            texts << action->text();
    return texts;
}

QStringList JapaneseTexts(const QStringList &texts) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return texts.filter(japanese);
}

// The texts of the modal dialog that the menu item `item` opens: looked at while it is up,
// then closed.
QStringList ModalTexts(const TMainForm &form, const char *item) {
    QStringList texts;
    QTimer::singleShot(0, &form, [&texts] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        texts = ShownTexts(*dialog);
        dialog->close();
    });
    NamedChild<QAction>(&form, QString::fromLatin1(item))->trigger();
    return texts;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void startedInEnglish();
    void englishLeavesNoJapanese();
    void toolkitTexts_data();
    void toolkitTexts();
    void languageMenu();
    void languageSetting_data();
    void languageSetting();
    void englishNameLists_data();
    void englishNameLists();
};

void TestLanguage::startedInEnglish() {
    EditorSetup setup;
    WriteLanguage(setup, QStringLiteral("en"));
    const auto form = setup.Start();
    QCOMPARE(setup.Prompt.Messages, QStringList{QStringLiteral("Could not read ObjectList.txt.")});

    QCOMPARE(NamedChild<QMenu>(form.get(), QStringLiteral("N1"))->title(), QStringLiteral("&File"));
    QStringList fileMenu;
    for (const QAction *action : NamedChild<QMenu>(form.get(), QStringLiteral("N1"))->actions())
        if (!action->isSeparator())
            fileMenu << action->text();
    QCOMPARE(fileMenu,
             (QStringList{QStringLiteral("&Open"), QStringLiteral("&Save"),
                          QStringLiteral("Save &As"), QStringLiteral("&Close"),
                          QStringLiteral("Save as &image…"), QStringLiteral("Create &patch…"),
                          QStringLiteral("&Apply patch and open..."),
                          QStringLiteral("&Recent files"), QStringLiteral("E&xit")}));

    auto *pages = NamedChild<QTabWidget>(form.get(), QStringLiteral("EditPageControl"));
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i)
        captions << pages->tabText(i);
    QCOMPARE(captions, (QStringList{QStringLiteral("Map"), QStringLiteral("Map sets"),
                                    QStringLiteral("32x32 chips"), QStringLiteral("16x16 chips"),
                                    QStringLiteral("Palettes"), QStringLiteral("Objects"),
                                    QStringLiteral("Tiles")}));

    const QWidget *mapPage = NamedChild<QWidget>(form.get(), QStringLiteral("TabMapEdit"));
    QStringList mapLabels;
    for (const QLabel *label : mapPage->findChildren<QLabel *>())
        if (label->objectName().isEmpty())
            mapLabels << label->text();
    QCOMPARE(mapLabels, (QStringList{QStringLiteral("Rooms:"), QStringLiteral("Map set:"),
                                     QStringLiteral("Map set:")}));
    QCOMPARE(NamedChild<QAbstractButton>(mapPage, QStringLiteral("BtnMapEditReload"))->text(),
             QStringLiteral("Reload"));

    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(path);
    form->Flags().SetEditFlag(EditArea::Map, 0, true);
    setup.Prompt.SaveAnswers = {SaveAnswer::Cancel};
    NamedChild<QAction>(form.get(), QStringLiteral("Close1"))->trigger();
    QCOMPARE(setup.Prompt.Questions, QStringList{QStringLiteral("Save changes to %1?").arg(path)});
    QCOMPARE(NamedChild<QLabel>(form.get(), QStringLiteral("StatusPanel0"))->text(),
             QStringLiteral("Modified"));
}

void TestLanguage::englishLeavesNoJapanese() {
    {
        // The same sweep finds the Japanese interface, so it does look at the texts.
        EditorSetup setup;
        const auto japanese = setup.Start();
        QVERIFY(JapaneseTexts(ShownTexts(*japanese)).size() > 100);
    }
    EditorSetup setup;
    WriteLanguage(setup, QStringLiteral("en"));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    RomImageData &rom = form->Document();
    rom.Stage(0).SetMapEntry(3, rom.Stage(0).Map()[3] ^ 1);
    form->Edit1Click();
    NamedChild<QAction>(form.get(), QStringLiteral("StageOverview1"))->trigger();
    NamedChild<QAction>(form.get(), QStringLiteral("Guide1"))->trigger();
    QCOMPARE(JapaneseTexts(ShownTexts(*form)), QStringList());

    const QStringList aboutTexts = ModalTexts(*form, "About1");
    QVERIFY(!aboutTexts.isEmpty());
    QCOMPARE(JapaneseTexts(aboutTexts), QStringList());

    // The settings dialog too, but for the language list, where Japanese names itself.
    QStringList settingsTexts = ModalTexts(*form, "Settings1");
    QVERIFY(settingsTexts.removeAll(QStringLiteral("日本語")) == 1);
    QVERIFY(settingsTexts.size() > 10);
    QCOMPARE(JapaneseTexts(settingsTexts), QStringList());
}

// The toolkit's own buttons speak the interface language while the window lives.
void TestLanguage::toolkitTexts_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("Japanese") << QStringLiteral("ja") << QStringLiteral("キャンセル");
    QTest::newRow("English") << QStringLiteral("en") << QStringLiteral("Cancel");
}

void TestLanguage::toolkitTexts() {
    QFETCH(QString, language);
    QFETCH(QString, cancel);
    EditorSetup setup;
    WriteLanguage(setup, language);
    {
        const auto form = setup.Start();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

void TestLanguage::languageMenu() {
    EditorSetup setup;
    {
        const auto form = setup.Start();
        form->show();
        // A program setting: the menu is there before any image is open.
        QMenu *view = NamedChild<QMenu>(form.get(), QStringLiteral("View1"));
        QVERIFY(view->menuAction()->isVisible() && view->menuAction()->isEnabled());
        QCOMPARE(view->title(), QStringLiteral("表示(&V)"));
        // Its other command needs an image; the menus keep the order of the menu bar.
        QVERIFY(!NamedChild<QAction>(form.get(), QStringLiteral("StageOverview1"))->isEnabled());
        QStringList menus;
        for (const QAction *menu : form->menuBar()->actions())
            menus << menu->menu()->objectName();
        QCOMPARE(menus, (QStringList{QStringLiteral("N1"), QStringLiteral("Edit1"),
                                     QStringLiteral("Test1"), QStringLiteral("View1"),
                                     QStringLiteral("Help1")}));
        auto *japanese = NamedChild<QAction>(form.get(), QStringLiteral("Language_ja"));
        auto *english = NamedChild<QAction>(form.get(), QStringLiteral("Language_en"));
        QCOMPARE(japanese->text(), QStringLiteral("日本語"));
        QCOMPARE(english->text(), QStringLiteral("English"));
        QVERIFY(japanese->isChecked() && !english->isChecked());

        setup.Prompt.Messages.clear();
        english->trigger();
        QVERIFY(english->isChecked() && !japanese->isChecked());
        QCOMPARE(setup.Prompt.Messages,
                 QStringList{QStringLiteral("The interface language changes at the next start.")});
        // Still Japanese until the next start.
        QCOMPARE(NamedChild<QAction>(form.get(), QStringLiteral("Open1"))->text(),
                 QStringLiteral("開く(&O)"));
        NamedChild<QAction>(form.get(), QStringLiteral("Exit1"))->trigger();
    }
    QVERIFY(QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)))
                .contains(QStringLiteral("[Undo]\nEnabled=1\n\n[Display]\nLanguage=en\n\n")));

    const auto form = setup.Start();
    QCOMPARE(NamedChild<QAction>(form.get(), QStringLiteral("Open1"))->text(),
             QStringLiteral("&Open"));
    QVERIFY(NamedChild<QAction>(form.get(), QStringLiteral("Language_en"))->isChecked());
    setup.Prompt.Messages.clear();
    NamedChild<QAction>(form.get(), QStringLiteral("Language_ja"))->trigger();
    QCOMPARE(setup.Prompt.Messages,
             QStringList{QStringLiteral("表示言語は次回の起動時から切り替わります。")});
    // Going back to the language in use needs no restart and says nothing.
    NamedChild<QAction>(form.get(), QStringLiteral("Language_en"))->trigger();
    QCOMPARE(setup.Prompt.Messages.size(), 1);
}

void TestLanguage::languageSetting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("[Display]\nLanguage=en\n") << QStringLiteral("en");
    QTest::newRow("Japanese") << QStringLiteral("[Display]\nLanguage=ja\n") << QStringLiteral("ja");
    QTest::newRow("missing") << QString() << QStringLiteral("ja");
    QTest::newRow("unknown") << QStringLiteral("[Display]\nLanguage=xx\n") << QStringLiteral("ja");
    QTest::newRow("upper case") << QStringLiteral("[Display]\nLanguage=EN\n")
                                << QStringLiteral("ja");
    QTest::newRow("empty") << QStringLiteral("[Display]\nLanguage=\n") << QStringLiteral("ja");
}

void TestLanguage::languageSetting() {
    QFETCH(QString, text);
    QFETCH(QString, language);
    EditorSetup setup;
    WriteFile(setup.ProgramFile(IniName), text.toUtf8());
    TMyMemIniFile file(setup.ProgramFile(IniName));
    QCOMPARE(InterfaceLanguage::Read(file), language);
}

void TestLanguage::englishNameLists_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("englishLists");
    QTest::addColumn<QString>("kind0");
    QTest::addColumn<QString>("attribute0");
    const QString usualKind = QStringLiteral("敵・はねるボール");
    const QString usualAttribute = QStringLiteral("通れない壁");
    const QString englishKind = QStringLiteral("Bouncing ball");
    const QString englishAttribute = QStringLiteral("Solid wall");
    QTest::newRow("English with English lists")
        << QStringLiteral("en") << true << englishKind << englishAttribute;
    QTest::newRow("Japanese") << QStringLiteral("ja") << true << usualKind << usualAttribute;
}

void TestLanguage::englishNameLists() {
    QFETCH(QString, language);
    QFETCH(bool, englishLists);
    QFETCH(QString, kind0);
    QFETCH(QString, attribute0);
    EditorSetup setup;
    WriteLanguage(setup, language);
    WriteFile(setup.ProgramFile(QStringLiteral("ObjectList.txt")),
              ShiftJisLines({QStringLiteral("敵・はねるボール")}));
    WriteFile(setup.ProgramFile(QStringLiteral("ChipAttributes.txt")),
              ShiftJisLines({QStringLiteral("通れない壁")}));
    if (englishLists) {
        WriteFile(setup.ProgramFile(QStringLiteral("ObjectList.en.txt")),
                  ShiftJisLines({QStringLiteral("Bouncing ball")}));
        WriteFile(setup.ProgramFile(QStringLiteral("ChipAttributes.en.txt")),
                  ShiftJisLines({QStringLiteral("Solid wall")}));
    }
    const auto form = setup.Start();
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QCOMPARE(NamedChild<QComboBox>(form.get(), QStringLiteral("CBSelectObject"))->itemText(0),
             kind0);
    QCOMPARE(form->Document().ChipAttributeName(0x00), attribute0);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"

// The main window: start-up, the settings file at exit, the name lists, the document
// lifecycle and the Edit menu, driven through the window's menus and controls.
#include "CartridgeBuilder.h"
#include "EditorSetup.h"
#include "GraphicsFixture.h"
#include "ImageEx.h"
#include "ScriptedPrompt.h"
#include "TImageExInput.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "mainform.h"
#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <map>

namespace {

const QString IniName = QStringLiteral("quartex3editor.ini");

// Changes room 3 of the current stage's map as the map page does: through the recording
// setter, then the flag.
uint8_t ChangeMapEntry(TMainForm &form, uint8_t delta = 1) {
    RomImageData &rom = form.Document();
    const int stage = rom.CurrentStage();
    const uint8_t changed = static_cast<uint8_t>(rom.Stage(stage).Map()[3] + delta);
    rom.Stage(stage).SetMapEntry(3, changed);
    form.Flags().SetEditFlag(EditArea::Map, stage, true);
    return changed;
}

void ChooseStage(TMainForm &form, int stage) {
    auto *selector = Child<QComboBox>(form, "CBStage");
    selector->setCurrentIndex(stage);
    emit selector->activated(stage);
}

QString TitleFor(const QString &path) {
    return path + QStringLiteral(" - QUARTEX 3 EDITOR");
}

QString Question(const QString &path) {
    return path + QStringLiteral("への変更を保存しますか？");
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startupColourTable_data();
    void startupColourTable();
    void designState();
    void statusPanelsFromTheLeftEdge();
    void settingsCreatedAtExit();
    void settingsIntervalAndUndo_data();
    void settingsIntervalAndUndo();
    void settingsCheckBoxesPersist();
    void settingsKeepUnknownSections();
    void settingsUnwritableStillEnds();
    void chipAttributeNames_data();
    void chipAttributeNames();
    void objectNames();
    void openAskNothingWhenUnmodified();
    void openCancelledAtConfirmation();
    void openFailureKeepsDocument();
    void exitYesThenCancelledDialogKeepsWindow();
    void closeYesThenCancelledDialogDropsChanges();
    void saveAsThenSave();
    void failingSaveKeepsChanges();
    void commandLineOpens();
    void backgroundBankRange();
    void editMenuCaptions();
    void stageChangeKeepsEdits();
    void historyKeysInLineEdit();
    void paletteUndoOnAnotherPage();
    void pagesDrawFromCurrentSheets();
    void objectPageShowsChipsEditedOn16x16Page();
    void animationSelectorUndoRestartsAnimation();
    void animationSleepsUntilItsNextStep();
    void editsOnEveryPageSaveOnlyTheirBytes();
};

void TestMainForm::startupColourTable_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << -1 << QStringLiteral("fcpalette.palが読み込めませんでした");
    QTest::newRow("193 bytes") << 193 << QStringLiteral("fcpalette.palのサイズが不正です");
    QTest::newRow("empty") << 0 << QStringLiteral("fcpalette.palのサイズが不正です");
    QTest::newRow("valid") << 192 << QString();
}

void TestMainForm::startupColourTable() {
    QFETCH(int, size);
    QFETCH(QString, message);
    EditorSetup setup;
    const QString table = setup.WorkFile(QStringLiteral("fcpalette.pal"));
    QFile::remove(table);
    if (size >= 0)
        QVERIFY(WriteFile(table, QByteArray(size, '\x0F')));
    // Object names present, so the colour table is the only thing that can complain.
    QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("ObjectList.txt")), "a\n"));

    const std::unique_ptr<TMainForm> form = StartEditor(setup.Prompt, setup.ProgramFile({}), {});
    if (message.isEmpty()) {
        QVERIFY(form);
        QVERIFY(!form->StartupFailed());
        QVERIFY(form->isVisible());
        QVERIFY(setup.Prompt.Messages.isEmpty());
        return;
    }
    QVERIFY(!form);
    QCOMPARE(setup.Prompt.Messages, QStringList{message});
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!widget->isVisible());
    // A window whose start-up failed tears down cleanly and writes no settings.
    TMainForm failed(setup.Prompt, setup.ProgramFile({}));
    QVERIFY(failed.StartupFailed());
    QVERIFY(failed.close());
    QVERIFY(!QFile::exists(setup.ProgramFile(IniName)));
}

void TestMainForm::designState() {
    EditorSetup setup;
    const auto form = setup.Start();
    QCOMPARE(form->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QCOMPARE(form->size(), QSize(635, 701));
    QCOMPARE(form->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));

    auto *stages = Child<QComboBox>(*form, "CBStage");
    QVERIFY(stages && stages->isHidden());
    QCOMPARE(stages->width(), 177);
    QCOMPARE(stages->count(), 18);
    for (int i = 0; i < 18; ++i)
        QVERIFY(stages->itemText(i).startsWith(Hex2(i) + u' '));

    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    QVERIFY(pages && pages->isHidden());
    const QStringList names = {
        QStringLiteral("TabMapEdit"),       QStringLiteral("TabMapSetEdit"),
        QStringLiteral("Tab32x32ChipEdit"), QStringLiteral("Tab16x16ChipEdit"),
        QStringLiteral("TabPaletteEdit"),   QStringLiteral("TabObjectEdit"),
        QStringLiteral("TabTileEdit")};
    const QStringList captions = {QStringLiteral("マップ"),      QStringLiteral("マップセット"),
                                  QStringLiteral("32x32チップ"), QStringLiteral("16x16チップ"),
                                  QStringLiteral("パレット"),    QStringLiteral("オブジェクト"),
                                  QStringLiteral("タイル")};
    QCOMPARE(pages->count(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(pages->widget(i)->objectName(), names[i]);
        QCOMPARE(pages->tabText(i), captions[i]);
    }
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("Tab16x16ChipEdit"));

    struct MenuItem {
        const char *Name;
        QString Caption;
        bool Enabled;
    };
    const MenuItem items[] = {
        {"Open1", QStringLiteral("開く(&O)"), true},
        {"Save1", QStringLiteral("上書き保存(&S)"), false},
        {"SaveAs1", QStringLiteral("名前を付けて保存(&A)"), false},
        {"Close1", QStringLiteral("閉じる(&C)"), false},
        {"Exit1", QStringLiteral("終了(&X)"), true},
        {"Undo1", QStringLiteral("元に戻す(&U)"), false},
        {"Redo1", QStringLiteral("やり直し(&R)"), false},
    };
    for (const MenuItem &item : items) {
        auto *action = Child<QAction>(*form, item.Name);
        QVERIFY2(action, item.Name);
        QCOMPARE(action->text(), item.Caption);
        QCOMPARE(action->isEnabled(), item.Enabled);
    }
    auto *fileMenu = Child<QMenu>(*form, "N1");
    QCOMPARE(fileMenu->title(), QStringLiteral("ファイル(&F)"));
    QStringList fileMenuOrder;
    for (QAction *action : fileMenu->actions())
        fileMenuOrder << (action->menu() ? action->menu()->objectName() : action->objectName());
    QCOMPARE(fileMenuOrder,
             (QStringList{QStringLiteral("Open1"), QStringLiteral("N3"), QStringLiteral("Save1"),
                          QStringLiteral("SaveAs1"), QStringLiteral("N2"), QStringLiteral("Close1"),
                          QStringLiteral("N4"), QStringLiteral("SavePicture1"),
                          QStringLiteral("CreatePatch1"), QStringLiteral("ApplyPatch1"),
                          QStringLiteral("N5"),
                          QStringLiteral("RecentFiles1"), QStringLiteral("N6"),
                          QStringLiteral("Exit1")}));
    auto *editMenu = Child<QMenu>(*form, "Edit1");
    QCOMPARE(editMenu->title(), QStringLiteral("編集(&E)"));
    QVERIFY(!editMenu->menuAction()->isVisible());
    QCOMPARE(Child<QAction>(*form, "Undo1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(Child<QAction>(*form, "Redo1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));

    auto *timer = Child<QTimer>(*form, "FrameTimer");
    QCOMPARE(timer->interval(), 16);
    QVERIFY(!timer->isActive());

    const int widths[] = {70, 200, 50};
    for (int i = 0; i < 3; ++i) {
        auto *panel = form->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i));
        QVERIFY(panel);
        QCOMPARE(panel->width(), widths[i]);
        QVERIFY(panel->text().isEmpty());
    }

    const std::pair<const char *, int> maxima[] = {
        {"ScrBarMap", 46},          {"ScrBarObjectMap", 46}, {"ScrbarEditMapPage0", 31},
        {"ScrbarEditMapPage1", 31}, {"ScrBarMapSet", 30},    {"ScrBarSelectPage0", 31},
        {"ScrBarSelectPage1", 31},
    };
    for (const auto &[name, maximum] : maxima) {
        auto *bar = Child<QScrollBar>(*form, name);
        QVERIFY2(bar, name);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), maximum);
    }
    QCOMPARE(Child<QCheckBox>(*form, "ChkSortObjectList")->text(),
             QStringLiteral("オブジェクトを自動で並び替える"));
    QCOMPARE(Child<QCheckBox>(*form, "ChkPopupHint")->text(),
             QStringLiteral("ポップアップでオブジェクト情報を表示"));
    QCOMPARE(Child<QCheckBox>(*form, "Chk32x32ChipEditDrawGrid")->text(),
             QStringLiteral("グリッド線の描画"));
    QCOMPARE(Child<QCheckBox>(*form, "ChkMapSetEditDrawGrid")->text(),
             QStringLiteral("グリッド線の描画"));
    QCOMPARE(Child<QGroupBox>(*form, "RGChipPropertySelect")->title(),
             QStringLiteral("チップ属性"));

    // The object information popup is a hint that stays up for ten seconds.
    for (const QWidget *widget : pages->findChildren<QWidget *>())
        QCOMPARE(widget->toolTipDuration(), 10000);
}

// Panel 0 starts at the left edge of the status bar, the others follow it in order.
void TestMainForm::statusPanelsFromTheLeftEdge() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->Flags().SetEditFlag(EditArea::Map, 0, true);
    auto *first = Child<QLabel>(*form, "StatusPanel0");
    auto *second = Child<QLabel>(*form, "StatusPanel1");
    auto *third = Child<QLabel>(*form, "StatusPanel2");
    QCOMPARE(first->text(), QStringLiteral("変更あり"));
    QVERIFY(first->isVisible());
    QVERIFY2(first->x() <= 4, qPrintable(QString::number(first->x())));
    QVERIFY(second->x() >= first->geometry().right());
    QVERIFY(second->x() <= first->geometry().right() + 10);
    QVERIFY(third->x() >= second->geometry().right());
    QVERIFY(third->x() <= second->geometry().right() + 10);
}

void TestMainForm::settingsCreatedAtExit() {
    EditorSetup setup;
    const auto form = setup.Start();
    QVERIFY(!QFile::exists(setup.ProgramFile(IniName)));
    form->show();
    Child<QAction>(*form, "Exit1")->trigger();
    QVERIFY(!form->isVisible());
    QVERIFY(setup.Prompt.Questions.isEmpty());
    // The conveniences' own sections follow these; they are tested with the conveniences.
    const QString written = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QVERIFY2(written.startsWith(QStringLiteral(
                 "[LevelDataAddress]\nBGBank=A90\nChip16x16=1B10\nChipProperty=1F10\n"
                 "Chip32x32=1710\nMapSet=F10\nMap=A10\nBGPalette=A92\n"
                 "BGPaletteAnime=AA2\nObjectScreen=B10\nObjectX=C10\nObjectY=D10\n"
                 "ObjectKind=E10\n\n"
                 "[ShareData]\nlevel.14=13\nlevel.16=13\n\n"
                 "[Address]\nPaletteAnimationPointer=12610\n"
                 "PaletteAnimationData=1261E\nPaletteAnimationPalette=1259E\n\n"
                 "[ObjectEdit]\nSort=1\nPopup=1\n\n"
                 "[32x32ChipEdit]\nGrid=0\n\n"
                 "[MapSetEdit]\nGrid=0\n\n"
                 "[Timer]\nInterval=16\n\n"
                 "[Undo]\nEnabled=1\n\n"
                 "[Display]\nLanguage=ja\n\n")),
             qPrintable(written));
}

void TestMainForm::settingsIntervalAndUndo_data() {
    QTest::addColumn<QString>("timerValue");
    QTest::addColumn<QString>("undoValue");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("animates");
    QTest::addColumn<bool>("undo");
    QTest::newRow("100 ms, undo off")
        << QStringLiteral("100") << QStringLiteral("0") << 100 << true << false;
    // 0 or less switches the animation off and is written back as the user wrote it.
    QTest::newRow("zero interval")
        << QStringLiteral("0") << QStringLiteral("1") << 0 << false << true;
    QTest::newRow("negative interval")
        << QStringLiteral("-3") << QStringLiteral("5") << -3 << false << true;
    QTest::newRow("malformed") << QStringLiteral("soon") << QStringLiteral("no") << 16 << true
                               << true;
}

void TestMainForm::settingsIntervalAndUndo() {
    QFETCH(QString, timerValue);
    QFETCH(QString, undoValue);
    QFETCH(int, interval);
    QFETCH(bool, animates);
    QFETCH(bool, undo);
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(IniName),
                      (QStringLiteral("[Timer]\nInterval=") + timerValue +
                       QStringLiteral("\n[Undo]\nEnabled=") + undoValue + u'\n')
                          .toUtf8()));
    const auto form = setup.Start();
    QCOMPARE(Child<QTimer>(*form, "FrameTimer")->interval(), interval);
    QCOMPARE(form->Document().IsUndoRecording(), undo);

    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    QCOMPARE(Child<QTimer>(*form, "FrameTimer")->interval(), interval);
    QCOMPARE(Child<QTimer>(*form, "FrameTimer")->isActive(), animates);
    ChooseStage(*form, 1);
    QCOMPARE(Child<QTimer>(*form, "FrameTimer")->isActive(), animates);
    ChangeMapEntry(*form);
    form->Edit1Click();
    QCOMPARE(Child<QAction>(*form, "Undo1")->isEnabled(), undo);

    setup.Prompt.SaveAnswers.push_back(SaveAnswer::No);
    QVERIFY(form->close());
    const QString text = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QVERIFY2(text.contains(QStringLiteral("[Timer]\nInterval=%1\n").arg(interval)),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("[Undo]\nEnabled=%1\n").arg(undo ? 1 : 0)));
}

void TestMainForm::settingsCheckBoxesPersist() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(IniName),
                      "[32x32ChipEdit]\nGrid=1\n[MapSetEdit]\nGrid=1\n[ObjectEdit]\nSort=0\n"));
    {
        const auto form = setup.Start();
        auto *chipGrid = Child<QCheckBox>(*form, "Chk32x32ChipEditDrawGrid");
        QVERIFY(chipGrid->isChecked());
        QVERIFY(Child<QCheckBox>(*form, "ChkMapSetEditDrawGrid")->isChecked());
        QVERIFY(!Child<QCheckBox>(*form, "ChkSortObjectList")->isChecked());
        QVERIFY(Child<QCheckBox>(*form, "ChkPopupHint")->isChecked());
        chipGrid->click();
        Child<QCheckBox>(*form, "ChkPopupHint")->click();
        QVERIFY(form->close());
    }
    const QString text = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QVERIFY(text.contains(QStringLiteral("[32x32ChipEdit]\nGrid=0\n")));
    QVERIFY(text.contains(QStringLiteral("[ObjectEdit]\nSort=0\nPopup=0\n")));

    const auto next = setup.Start();
    QVERIFY(!Child<QCheckBox>(*next, "Chk32x32ChipEditDrawGrid")->isChecked());
    QVERIFY(Child<QCheckBox>(*next, "ChkMapSetEditDrawGrid")->isChecked());
    QVERIFY(!Child<QCheckBox>(*next, "ChkPopupHint")->isChecked());
}

void TestMainForm::settingsKeepUnknownSections() {
    EditorSetup setup;
    QVERIFY(
        WriteFile(setup.ProgramFile(IniName),
                  "; written by hand\n[Notes]\nAuthor=someone\n; another remark\nColour=blue\n"));
    const auto form = setup.Start();
    QVERIFY(form->close());
    const QString text = QString::fromUtf8(ReadFile(setup.ProgramFile(IniName)));
    QVERIFY(text.startsWith(QStringLiteral("[Notes]\nAuthor=someone\nColour=blue\n\n")));
    QVERIFY(!text.contains(u';'));
    QVERIFY(text.contains(QStringLiteral("[LevelDataAddress]\n")));
}

void TestMainForm::settingsUnwritableStillEnds() {
    EditorSetup setup;
    // A directory where the settings file should be: it can be neither read nor replaced.
    QVERIFY(QDir(setup.ProgramFile({})).mkdir(IniName));
    const auto form = setup.Start();
    form->show();
    QVERIFY(form->close());
    QVERIFY(!form->isVisible());
    QCOMPARE(
        setup.Prompt.Errors,
        QStringList{setup.ProgramFile(IniName) +
                    QStringLiteral("を保存できませんでした。\nファイルではなくフォルダーです。\n"
                                   "ファイルは変更していません。")});
    QVERIFY(QFileInfo(setup.ProgramFile(IniName)).isDir());
}

void TestMainForm::chipAttributeNames_data() {
    QTest::addColumn<int>("lineCount");
    QTest::newRow("no file") << -1;
    QTest::newRow("10 lines") << 10;
    QTest::newRow("20 lines") << 20;
}

void TestMainForm::chipAttributeNames() {
    QFETCH(int, lineCount);
    EditorSetup setup;
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines << QStringLiteral("属性の名前 %1").arg(i);
    if (lineCount >= 0)
        QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("ChipAttributes.txt")),
                          ShiftJisLines(lines)));
    const auto form = setup.Start();

    const QList<QRadioButton *> items =
        Child<QGroupBox>(*form, "RGChipPropertySelect")->findChildren<QRadioButton *>();
    QCOMPARE(items.size(), 16);
    const QStringList design = {QStringLiteral("0x 背景"),
                                QStringLiteral("1x ブロック"),
                                QStringLiteral("2x はしご(途中)"),
                                QStringLiteral("3x 特殊ブロック"),
                                QStringLiteral("4x はしご(頂点)"),
                                QStringLiteral("5x コンベア(右)"),
                                QStringLiteral("6x 背景裏に隠れる"),
                                QStringLiteral("7x コンベア(左)"),
                                QStringLiteral("8x 水中"),
                                QStringLiteral("9x ?"),
                                QStringLiteral("Ax ?"),
                                QStringLiteral("Bx ?"),
                                QStringLiteral("Cx ?"),
                                QStringLiteral("Dx ダメージ床"),
                                QStringLiteral("Ex ?"),
                                QStringLiteral("Fx トゲ")};
    for (int i = 0; i < 16; ++i)
        QCOMPARE(items[i]->text(), i < lineCount ? lines[i] : design[i]);

    const RomImageData &rom = form->Document();
    if (lineCount < 0) {
        QCOMPARE(rom.ChipAttributeName(0xD4), QStringLiteral("Dx ダメージ床"));
        QCOMPARE(rom.ChipAttributeName(0x60), QStringLiteral("6x 前景"));
        QCOMPARE(rom.ChipAttributeName(0xF0), QStringLiteral("Fxトゲ"));
    } else if (lineCount == 20) {
        QCOMPARE(rom.ChipAttributeName(0x14), lines[17]);
        QCOMPARE(rom.ChipAttributeName(0x24), lines[18]);
        QCOMPARE(rom.ChipAttributeName(0x54), QStringLiteral("5x コンベア(右)"));
    }
}

void TestMainForm::objectNames() {
    {
        EditorSetup setup;
        const auto form = setup.Start();
        QCOMPARE(setup.Prompt.Messages,
                 QStringList{QStringLiteral("ObjectList.txtを読み込めませんでした。")});
        auto *kinds = Child<QComboBox>(*form, "CBSelectObject");
        QCOMPARE(kinds->count(), 256);
        QCOMPARE(kinds->itemText(0), QStringLiteral("00"));
        QCOMPARE(kinds->itemText(0x5C), QStringLiteral("5C"));
        QCOMPARE(kinds->itemText(255), QStringLiteral("FF"));
    }
    {
        EditorSetup setup;
        QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("ObjectList.txt")),
                          ShiftJisLines({QStringLiteral("敵・はねるボール"),
                                         QStringLiteral("アイテム・小さな星")})));
        const auto form = setup.Start();
        QVERIFY(setup.Prompt.Messages.isEmpty());
        auto *kinds = Child<QComboBox>(*form, "CBSelectObject");
        QCOMPARE(kinds->count(), 256);
        QCOMPARE(kinds->itemText(0), QStringLiteral("敵・はねるボール"));
        QCOMPARE(kinds->itemText(1), QStringLiteral("アイテム・小さな星"));
        QCOMPARE(kinds->itemText(2), QStringLiteral("02"));
        QCOMPARE(kinds->itemText(255), QStringLiteral("FF"));
    }
}

void TestMainForm::openAskNothingWhenUnmodified() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString first = setup.WriteCartridge(QStringLiteral("first.nes"));
    const QString second = setup.WriteCartridge(QStringLiteral("second.nes"));
    setup.Prompt.OpenFileNames = {first, second};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(first));
    QVERIFY(!Child<QComboBox>(*form, "CBStage")->isHidden());
    QVERIFY(!Child<QTabWidget>(*form, "EditPageControl")->isHidden());
    QVERIFY(Child<QMenu>(*form, "Edit1")->menuAction()->isVisible());
    for (const char *name : {"Save1", "SaveAs1", "Close1"})
        QVERIFY(Child<QAction>(*form, name)->isEnabled());
    QVERIFY(Child<QTimer>(*form, "FrameTimer")->isActive());

    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(second));
    Child<QAction>(*form, "Close1")->trigger();
    QCOMPARE(form->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QVERIFY(Child<QComboBox>(*form, "CBStage")->isHidden());
    QVERIFY(Child<QTabWidget>(*form, "EditPageControl")->isHidden());
    QVERIFY(!Child<QMenu>(*form, "Edit1")->menuAction()->isVisible());
    for (const char *name : {"Save1", "SaveAs1", "Close1"})
        QVERIFY(!Child<QAction>(*form, name)->isEnabled());
    QVERIFY(form->close());
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QCOMPARE(setup.Prompt.SaveDialogs, 0);

    // The open dialog cancelled: nothing happens, nothing is said, no file is read.
    const auto again = setup.Start();
    const QStringList files = QDir(setup.WorkFile({})).entryList(QDir::Files);
    setup.Prompt.Messages.clear(); // what the start said about the name lists
    Child<QAction>(*again, "Open1")->trigger();
    QCOMPARE(setup.Prompt.OpenDialogs, 3);
    QCOMPARE(again->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QCOMPARE(again->Document().FilePath(), QString());
    QCOMPARE(again->Document().Size(), 0);
    QVERIFY(Child<QTabWidget>(*again, "EditPageControl")->isHidden());
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QVERIFY(setup.Prompt.Errors.isEmpty());
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QCOMPARE(setup.Prompt.SaveDialogs, 0);
    QCOMPARE(QDir(setup.WorkFile({})).entryList(QDir::Files), files);
}

void TestMainForm::openCancelledAtConfirmation() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString first = setup.WriteCartridge(QStringLiteral("first.nes"));
    form->OpenChosenFile(first);
    const uint8_t changed = ChangeMapEntry(*form);
    QCOMPARE(Child<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral("変更あり"));

    setup.Prompt.OpenFileNames = {setup.WriteCartridge(QStringLiteral("second.nes"))};
    setup.Prompt.SaveAnswers = {SaveAnswer::Cancel};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(setup.Prompt.Questions, QStringList{Question(first)});
    QCOMPARE(form->windowTitle(), TitleFor(first));
    QCOMPARE(form->Document().FilePath(), first);
    QVERIFY(form->Flags().IsModified());
    QCOMPARE(form->Document().Stage(0).Map()[3], changed);
    QCOMPARE(setup.Prompt.SaveDialogs, 0);

    // No: the other image replaces it, its changes gone.
    const QString second = setup.WriteCartridge(QStringLiteral("second.nes"));
    setup.Prompt.OpenFileNames = {second};
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(second));
    QVERIFY(!form->Flags().IsModified());
    QVERIFY(Child<QLabel>(*form, "StatusPanel0")->text().isEmpty());
    QCOMPARE(form->Document().Stage(0).Map()[3], CartridgeBuilder::Pattern(0, StageTable::Map, 3));
    QCOMPARE(ReadFile(first), CartridgeBuilder().Bytes());

    // Yes, then the save dialog cancelled: the open is cancelled too.
    const uint8_t changedAgain = ChangeMapEntry(*form);
    setup.Prompt.OpenFileNames = {first};
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(second));
    QVERIFY(form->Flags().IsModified());

    // Yes and a file name: the changes are saved there, then the chosen image opens.
    const QString saved = setup.WorkFile(QStringLiteral("saved.nes"));
    setup.Prompt.OpenFileNames = {first};
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    setup.Prompt.SaveFileNames = {saved};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(first));
    QVERIFY(!form->Flags().IsModified());
    const int32_t mapOffset = CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + 3;
    QCOMPARE(static_cast<uint8_t>(ReadFile(saved)[mapOffset]), changedAgain);
    QCOMPARE(setup.Prompt.SaveDialogs, 2);
}

void TestMainForm::openFailureKeepsDocument() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString first = setup.WriteCartridge(QStringLiteral("first.nes"));
    form->OpenChosenFile(first);
    CartridgeBuilder broken;
    broken.SetByte(0, 'X');
    setup.Prompt.OpenFileNames = {setup.WriteCartridge(QStringLiteral("broken.nes"), broken)};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(setup.Prompt.Messages.last(), QStringLiteral("ROMイメージが異常です"));
    QCOMPARE(form->windowTitle(), TitleFor(first));
    QVERIFY(!Child<QTabWidget>(*form, "EditPageControl")->isHidden());
}

void TestMainForm::exitYesThenCancelledDialogKeepsWindow() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->show();
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(path);
    ChangeMapEntry(*form);

    setup.Prompt.SaveAnswers = {SaveAnswer::Yes, SaveAnswer::Cancel};
    Child<QAction>(*form, "Exit1")->trigger();
    QVERIFY(form->isVisible());
    QCOMPARE(setup.Prompt.SaveDialogs, 1);
    // The window's own close button takes the same way; Cancel keeps it open too.
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(setup.Prompt.Questions, (QStringList{Question(path), Question(path)}));
    QVERIFY(!QFile::exists(setup.ProgramFile(IniName)));

    // Yes and a file name: saved there, then the window closes.
    const QString saved = setup.WorkFile(QStringLiteral("saved.nes"));
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    setup.Prompt.SaveFileNames = {saved};
    QVERIFY(form->close());
    QVERIFY(!form->isVisible());
    QVERIFY(QFile::exists(setup.ProgramFile(IniName)));
    QCOMPARE(ReadFile(saved).size(), CartridgeBuilder::ImageSize);
    QVERIFY(ReadFile(saved) != ReadFile(path));
}

void TestMainForm::closeYesThenCancelledDialogDropsChanges() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(path);
    ChangeMapEntry(*form);

    setup.Prompt.SaveAnswers = {SaveAnswer::Cancel};
    Child<QAction>(*form, "Close1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(path));
    QVERIFY(form->Flags().IsModified());

    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    Child<QAction>(*form, "Close1")->trigger();
    QCOMPARE(setup.Prompt.SaveDialogs, 1);
    QCOMPARE(form->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QVERIFY(!form->Flags().IsModified());
    QVERIFY(Child<QLabel>(*form, "StatusPanel0")->text().isEmpty());
    QVERIFY(Child<QTabWidget>(*form, "EditPageControl")->isHidden());
    QCOMPARE(ReadFile(path), CartridgeBuilder().Bytes());
    // Nothing left to ask about at exit.
    QVERIFY(form->close());
    QCOMPARE(setup.Prompt.Questions.size(), 2);
}

void TestMainForm::saveAsThenSave() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString original = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(original);
    const uint8_t changed = ChangeMapEntry(*form);

    const QString copy = setup.WorkFile(QStringLiteral("copy.nes"));
    setup.Prompt.SaveFileNames = {copy};
    Child<QAction>(*form, "SaveAs1")->trigger();
    QCOMPARE(form->windowTitle(), TitleFor(copy));
    QVERIFY(!form->Flags().IsModified());
    const int32_t mapOffset = CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + 3;
    QCOMPARE(static_cast<uint8_t>(ReadFile(copy)[mapOffset]), changed);
    QCOMPARE(ReadFile(original), CartridgeBuilder().Bytes());

    // Save writes to the new name without a question, the title unchanged.
    const uint8_t changedAgain = ChangeMapEntry(*form);
    Child<QAction>(*form, "Save1")->trigger();
    QCOMPARE(static_cast<uint8_t>(ReadFile(copy)[mapOffset]), changedAgain);
    QCOMPARE(form->windowTitle(), TitleFor(copy));
    QCOMPARE(ReadFile(original), CartridgeBuilder().Bytes());
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QCOMPARE(setup.Prompt.SaveDialogs, 1);

    // Save as cancelled with a change pending: nothing is said, written or cleared.
    ChangeMapEntry(*form);
    const QByteArray saved = ReadFile(copy);
    const QStringList files = QDir(setup.WorkFile({})).entryList(QDir::Files);
    setup.Prompt.Messages.clear(); // what the start said about the name lists
    Child<QAction>(*form, "SaveAs1")->trigger();
    QCOMPARE(setup.Prompt.SaveDialogs, 2);
    QCOMPARE(form->windowTitle(), TitleFor(copy));
    QVERIFY(form->Flags().IsModified());
    QCOMPARE(ReadFile(copy), saved);
    QCOMPARE(QDir(setup.WorkFile({})).entryList(QDir::Files), files);
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QVERIFY(setup.Prompt.Errors.isEmpty());
    QVERIFY(setup.Prompt.Questions.isEmpty());
}

void TestMainForm::failingSaveKeepsChanges() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->show();
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(path);
    ChangeMapEntry(*form);
    const QString nowhere = setup.WorkFile(QStringLiteral("missing/dir/b.nes"));

    setup.Prompt.SaveFileNames = {nowhere};
    Child<QAction>(*form, "SaveAs1")->trigger();
    QCOMPARE(setup.Prompt.Errors.size(), 1);
    QCOMPARE(form->windowTitle(), TitleFor(path));
    QVERIFY(form->Flags().IsModified());
    QCOMPARE(Child<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral("変更あり"));
    form->Edit1Click();
    QVERIFY(Child<QAction>(*form, "Undo1")->isEnabled());

    // Close: Yes, then the write fails: the image and its changes stay.
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    setup.Prompt.SaveFileNames = {nowhere};
    Child<QAction>(*form, "Close1")->trigger();
    QCOMPARE(setup.Prompt.Errors.size(), 2);
    QCOMPARE(form->windowTitle(), TitleFor(path));
    QVERIFY(form->Flags().IsModified());

    // Open: Yes, then the write fails: the open is cancelled, the image and changes stay.
    setup.Prompt.OpenFileNames = {setup.WriteCartridge(QStringLiteral("other.nes"))};
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    setup.Prompt.SaveFileNames = {nowhere};
    Child<QAction>(*form, "Open1")->trigger();
    QCOMPARE(setup.Prompt.Errors.size(), 3);
    QCOMPARE(form->windowTitle(), TitleFor(path));
    QCOMPARE(form->Document().FilePath(), path);
    QVERIFY(form->Flags().IsModified());

    // Exit: the same; the window stays.
    setup.Prompt.SaveAnswers = {SaveAnswer::Yes};
    setup.Prompt.SaveFileNames = {nowhere};
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(setup.Prompt.Errors.size(), 4);

    // Save over a file that has become a directory.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(setup.WorkFile({})).mkdir(QStringLiteral("a.nes")));
    Child<QAction>(*form, "Save1")->trigger();
    QCOMPARE(setup.Prompt.Errors.size(), 5);
    QVERIFY(form->Flags().IsModified());
}

void TestMainForm::commandLineOpens() {
    EditorSetup setup;
    const QString path = setup.WriteCartridge(QStringLiteral("cmd.nes"));
    QDir::setCurrent(QFileInfo(path).absolutePath());
    {
        const auto form =
            StartEditor(setup.Prompt, setup.ProgramFile({}), {QStringLiteral("cmd.nes")});
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), TitleFor(path));
        QVERIFY(!Child<QTabWidget>(*form, "EditPageControl")->isHidden());
    }
    setup.Prompt.Messages.clear();
    QVERIFY(WriteFile(setup.WorkFile(QStringLiteral("tiny.nes")), "NES"));
    const auto form =
        StartEditor(setup.Prompt, setup.ProgramFile({}), {QStringLiteral("tiny.nes")});
    QVERIFY(form && form->isVisible());
    QCOMPARE(setup.Prompt.Messages.last(), QStringLiteral("ファイルを開けませんでした"));
    QCOMPARE(form->windowTitle(), QStringLiteral("QUARTEX 3 EDITOR"));
    QVERIFY(Child<QTabWidget>(*form, "EditPageControl")->isHidden());
}

void TestMainForm::backgroundBankRange() {
    EditorSetup setup;
    const auto form = setup.Start();
    auto *bank0 = Child<QScrollBar>(*form, "ScrBarBGBank0");
    auto *bank1 = Child<QScrollBar>(*form, "ScrBarBGBank1");
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    QCOMPARE(bank0->maximum(), CartridgeBuilder::ChrUnits * 8 - 2);
    QCOMPARE(bank1->maximum(), CartridgeBuilder::ChrUnits * 8 - 2);
    QVERIFY(bank0->isEnabled());

    // A header claiming 320 pages: the range ends where a bank byte ends.
    CartridgeBuilder largeChr;
    largeChr.SetByte(5, 40);
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("large.nes"), largeChr));
    QCOMPARE(bank0->maximum(), 0xFF);
    QCOMPARE(bank1->maximum(), 0xFF);

    CartridgeBuilder noChr;
    noChr.SetByte(5, 0);
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("nochr.nes"), noChr));
    // No bank to choose; a disabled bar still shows the stored byte, as its label does.
    const std::array<uint8_t, 2> bytes = form->Document().Stage(0).BGBank();
    QCOMPARE(bytes[0], uint8_t{0});
    QVERIFY(bytes[1] > 0);
    for (int bank = 0; bank < 2; ++bank) {
        QScrollBar *bar = bank == 0 ? bank0 : bank1;
        QCOMPARE(bar->maximum(), int(bytes[bank]));
        QCOMPARE(bar->value(), int(bytes[bank]));
        QVERIFY(!bar->isEnabled());
    }
}

void TestMainForm::editMenuCaptions() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *undo = Child<QAction>(*form, "Undo1");
    auto *redo = Child<QAction>(*form, "Redo1");
    const uint8_t original = form->Document().Stage(0).Map()[3];
    const uint8_t changed = ChangeMapEntry(*form);

    form->Edit1Click();
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U) - マップの編集"));
    QVERIFY(!redo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("やり直し(&R)"));

    undo->trigger();
    QCOMPARE(form->Document().Stage(0).Map()[3], original);
    form->Edit1Click();
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U)"));
    QVERIFY(redo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("やり直し(&R) - マップの編集"));
    // Undo leaves the modified state alone.
    QVERIFY(form->Flags().IsModified());

    redo->trigger();
    QCOMPARE(form->Document().Stage(0).Map()[3], changed);

    // Opening the Edit menu brings the items up to date.
    undo->setEnabled(false);
    emit Child<QMenu>(*form, "Edit1")->aboutToShow();
    QVERIFY(undo->isEnabled());

    // After a save nothing can be undone or redone.
    setup.Prompt.SaveFileNames = {setup.WorkFile(QStringLiteral("b.nes"))};
    Child<QAction>(*form, "SaveAs1")->trigger();
    form->Edit1Click();
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
}

void TestMainForm::stageChangeKeepsEdits() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *timer = Child<QTimer>(*form, "FrameTimer");
    auto *undo = Child<QAction>(*form, "Undo1");
    const uint8_t stage0Value = ChangeMapEntry(*form);

    ChooseStage(*form, 5);
    QCOMPARE(form->Document().CurrentStage(), 5);
    QVERIFY(timer->isActive());
    QVERIFY(setup.Prompt.Questions.isEmpty());
    form->Edit1Click();
    QVERIFY(!undo->isEnabled());
    const uint8_t stage5Value = ChangeMapEntry(*form, 2);

    ChooseStage(*form, 0);
    QCOMPARE(form->Document().Stage(0).Map()[3], stage0Value);
    QCOMPARE(form->Document().Stage(5).Map()[3], stage5Value);
    form->Edit1Click();
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QCOMPARE(form->Document().Stage(0).Map()[3], CartridgeBuilder::Pattern(0, StageTable::Map, 3));
    QCOMPARE(form->Document().Stage(5).Map()[3], stage5Value);

    ChooseStage(*form, 5);
    form->Edit1Click();
    QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U) - マップの編集"));

    // A new image starts at stage 0 again.
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("b.nes")));
    QCOMPARE(form->Document().CurrentStage(), 0);
    QCOMPARE(Child<QComboBox>(*form, "CBStage")->currentIndex(), 0);
}

void TestMainForm::historyKeysInLineEdit() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *undo = Child<QAction>(*form, "Undo1");

    // A line edit of the window with its own text history.
    auto *edit = new QLineEdit(form->centralWidget());
    edit->show();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(edit->text(), QStringLiteral("abc"));

    // Nothing to undo: the keys do nothing, not even to the line edit.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U)"));

    const uint8_t original = form->Document().Stage(0).Map()[3];
    const uint8_t changed = ChangeMapEntry(*form);
    // The Edit menu was never opened: the key itself brings it up to date first.
    QVERIFY(!undo->isEnabled());
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->Document().Stage(0).Map()[3], original);
    QCOMPARE(edit->text(), QStringLiteral("abc"));

    QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(form->Document().Stage(0).Map()[3], changed);
    QCOMPARE(edit->text(), QStringLiteral("abc"));

    // Anywhere else in the window as well.
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->Document().Stage(0).Map()[3], original);
}

void TestMainForm::paletteUndoOnAnotherPage() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->show();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    pages->setCurrentWidget(Child<QWidget>(*form, "TabPaletteEdit"));
    // Let the animation run on the palette page for a few frames.
    QTest::qWait(5 * Child<QTimer>(*form, "FrameTimer")->interval());

    auto *entry = Child<QLineEdit>(*form, "EditPal5");
    const uint8_t original = form->Document().Stage(0).BGPalette(0)[5];
    const QString originalText = Hex2(original);
    QCOMPARE(entry->text(), originalText);
    const uint8_t changed = original == 0x2A ? 0x2B : 0x2A;
    entry->setText(QString::number(changed, 16).toUpper());
    QCOMPARE(form->Document().Stage(0).BGPalette(0)[5], changed);

    // Undone while the map page is active: the palette page shows the restored colour.
    pages->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->Document().Stage(0).BGPalette(0)[5], original);
    QCOMPARE(entry->text(), originalText);
    QVERIFY(Child<QTimer>(*form, "FrameTimer")->isActive());

    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(entry->text(), QString::number(changed, 16).toUpper());

    // Closed, the timer keeps running over the cleared image.
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    Child<QAction>(*form, "Close1")->trigger();
    QVERIFY(Child<QTimer>(*form, "FrameTimer")->isActive());
    QTest::qWait(5 * Child<QTimer>(*form, "FrameTimer")->interval());
}

// The map page draws from the shared chip sheets, which the window rebuilds before the page
// activates; a palette step undone there recolours it at once.
void TestMainForm::pagesDrawFromCurrentSheets() {
    EditorSetup setup;
    // No animation tick during the test: every colour change comes from an edit.
    QVERIFY(WriteFile(setup.ProgramFile(IniName), "[Timer]\nInterval=600000\n"));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    auto *room = Child<TImageEx>(*form, "ImgEditMapPage0");
    pages->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    const QImage before = room->Picture().copy();

    // Palette 1 colour 1 is entry 5; the rooms of the test image use it.
    pages->setCurrentWidget(Child<QWidget>(*form, "TabPaletteEdit"));
    auto *entry = Child<QLineEdit>(*form, "EditPal5");
    const uint8_t original = form->Document().Stage(0).BGPalette(0)[5];
    entry->setText(original == 0x2A ? QStringLiteral("2B") : QStringLiteral("2A"));
    pages->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    QVERIFY(room->Picture() != before);

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->Document().Stage(0).BGPalette(0)[5], original);
    QCOMPARE(room->Picture(), before);

    // A chip recoloured behind the map page's back shows there once the page activates:
    // the top-left 16x16 chip of room 0's first cell gets another palette.
    StageData &stage = form->Document().Stage(0);
    const QImage unchanged = room->Picture().copy();
    const uint8_t chip = stage.MapSet()[(stage.Map()[0] & 31) * 64];
    const uint8_t chip16 = stage.Chip32x32()[chip * 4];
    stage.SetChipProperty(chip16, static_cast<uint8_t>(stage.ChipProperty()[chip16] ^ 0x03));
    pages->setCurrentWidget(Child<QWidget>(*form, "TabObjectEdit"));
    pages->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    QVERIFY(room->Picture() != unchanged);
}

// The object page draws the chips as they are when it is opened straight from the 16x16
// chip page, after an edit there and after its undo.
void TestMainForm::objectPageShowsChipsEditedOn16x16Page() {
    EditorSetup setup;
    // No tick but those the test makes.
    QVERIFY(WriteFile(setup.ProgramFile(IniName), "[Timer]\nInterval=600000\n"));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    auto *room = Child<TImageEx>(*form, "ImgObjectMapPage0");
    pages->setCurrentWidget(Child<QWidget>(*form, "TabObjectEdit"));
    const QImage before = room->Picture().copy();

    // The top-left 16x16 chip of room 0's first cell gets another palette.
    StageData &stage = form->Document().Stage(0);
    const uint8_t chip = stage.MapSet()[(stage.Map()[0] & 31) * 64];
    const uint8_t chip16 = stage.Chip32x32()[chip * 4];
    const uint8_t property = stage.ChipProperty()[chip16];
    pages->setCurrentWidget(Child<QWidget>(*form, "Tab16x16ChipEdit"));
    Click(Child<TImageEx>(*form, "ImgEdit16x16ChipView"),
          {(chip16 % 16) * 16 + 1, (chip16 / 16) * 16 + 1}, Qt::LeftButton);
    auto *typed = Child<QLineEdit>(*form, "EditSelectChipProperty");
    typed->selectAll();
    QTest::keyClicks(typed, Hex2(property ^ 0x03));
    QCOMPARE(stage.ChipProperty()[chip16], uint8_t(property ^ 0x03));
    pages->setCurrentWidget(Child<QWidget>(*form, "TabObjectEdit"));
    QVERIFY(room->Picture() != before);

    pages->setCurrentWidget(Child<QWidget>(*form, "Tab16x16ChipEdit"));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(stage.ChipProperty()[chip16], property);
    pages->setCurrentWidget(Child<QWidget>(*form, "TabObjectEdit"));
    QCOMPARE(room->Picture(), before);
}

// Undoing or redoing an animation selector puts the stored colours back and starts the
// animation again from its first frame.
void TestMainForm::animationSelectorUndoRestartsAnimation() {
    EditorSetup setup;
    // No tick but those the test makes.
    QVERIFY(WriteFile(setup.ProgramFile(IniName), "[Timer]\nInterval=600000\n"));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    pages->setCurrentWidget(Child<QWidget>(*form, "TabPaletteEdit"));
    // Slot 1 of the test image is off; its animation 2 colours entries 6..8 with the colour
    // triples 2, 3 and 4 in turn, entry 6 taking colour 02, 03, 04, no wait between frames.
    // Entry 6 is the third cell of the strip of palette 1.
    const QImage &strip = Child<TImageEx>(*form, "ImgAnimePal1")->Picture();
    const auto entry6 = [&] { return strip.pixel(2 * 24 + 12, 12); };
    const QRgb stored = MasterColour(form->Document().Stage(0).BGPalette(0)[6]);
    QCOMPARE(entry6(), stored);

    auto *slot1 = Child<QLineEdit>(*form, "EditAnimePal1");
    QCOMPARE(slot1->text(), QStringLiteral("00"));
    slot1->selectAll();
    QTest::keyClicks(slot1, QStringLiteral("82"));
    form->FrameTimerTimer();
    form->FrameTimerTimer();
    QCOMPARE(entry6(), MasterColour(0x03));

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(slot1->text(), QStringLiteral("00"));
    QCOMPARE(entry6(), stored);
    form->FrameTimerTimer();
    QCOMPARE(entry6(), stored);

    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(slot1->text(), QStringLiteral("82"));
    QCOMPARE(entry6(), stored);
    form->FrameTimerTimer();
    QCOMPARE(entry6(), MasterColour(0x02));

    // The other way round: the slot switched off, the undo starts the animation afresh and
    // the redo, in the middle of it, puts the stored colours back.
    slot1->selectAll();
    QTest::keyClicks(slot1, QStringLiteral("00"));
    QCOMPARE(entry6(), stored);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(slot1->text(), QStringLiteral("82"));
    form->FrameTimerTimer();
    form->FrameTimerTimer();
    QCOMPARE(entry6(), MasterColour(0x03));
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(slot1->text(), QStringLiteral("00"));
    QCOMPARE(entry6(), stored);
}

// Frames that change no colour are slept through: the timer wakes only for the next step,
// and the colours it shows then are those of counting every frame.
void TestMainForm::animationSleepsUntilItsNextStep() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(IniName), "[Timer]\nInterval=600000\n"));
    CartridgeBuilder image;
    image.SetColourTriple(30, 0x11, 0x12, 0x13);
    // A step on every fourth frame, colouring entries 6..8; the only slot of set 0 that plays.
    image.SetAnimationRecord(5, 3, 6, {30});
    const int32_t selectors = CartridgeBuilder::DefaultOffset(StageTable::BGPaletteAnime, 0);
    for (int slot = 0; slot < 4; ++slot)
        image.SetByte(selectors + slot, slot == 0 ? 0x85 : 0x00);
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes"), image));
    Child<QTabWidget>(*form, "EditPageControl")
        ->setCurrentWidget(Child<QWidget>(*form, "TabPaletteEdit"));
    auto *timer = Child<QTimer>(*form, "FrameTimer");
    QCOMPARE(timer->interval(), 600000);
    const QImage &strip = Child<TImageEx>(*form, "ImgAnimePal1")->Picture();
    const auto entry6 = [&] { return strip.pixel(2 * 24 + 12, 12); };
    const QRgb stored = MasterColour(form->Document().Stage(0).BGPalette(0)[6]);

    form->FrameTimerTimer();
    QCOMPARE(entry6(), stored);
    QCOMPARE(timer->interval(), 3 * 600000);
    form->FrameTimerTimer();
    QCOMPARE(entry6(), MasterColour(0x11));
    QCOMPARE(timer->interval(), 4 * 600000);
    QVERIFY(timer->isActive());
}

// One edit on each page, made with the mouse and the keyboard as a user would, then Save as:
// the new file differs from the original exactly in the bytes those edits own.
void TestMainForm::editsOnEveryPageSaveOnlyTheirBytes() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString original = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(original);
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    const StageData &stage = form->Document().Stage(0);
    const auto show = [&](const char *page) {
        pages->setCurrentWidget(Child<QWidget>(*form, page));
    };

    show("TabPaletteEdit");
    Child<QLineEdit>(*form, "EditPal4")->setText(QStringLiteral("3F"));

    show("Tab16x16ChipEdit"); // tile 03 into the top-left quarter of chip 00
    Click(Child<TImageEx>(*form, "ImgBGBankTable"), {3 * 16 + 1, 1}, Qt::LeftButton);
    Click(Child<TImageEx>(*form, "ImgEdit16x16Chip"), {1, 1}, Qt::LeftButton);

    show("Tab32x32ChipEdit"); // 16x16 chip 05 into the top-left quarter of 32x32 chip 00
    Click(Child<TImageEx>(*form, "Img16x16ChipTable"), {5 * 16 + 1, 1}, Qt::LeftButton);
    Click(Child<TImageEx>(*form, "ImgEdit32x32Chip"), {1, 1}, Qt::LeftButton);

    show("TabMapSetEdit"); // 32x32 chip 07 into the first cell of map set 00
    Click(Child<TImageEx>(*form, "Img32x32ChipTable"), {7 * 16 + 1, 1}, Qt::LeftButton);
    Click(Child<TImageEx>(*form, "ImgEditMapSetPage0"), {1, 1}, Qt::LeftButton);

    show("TabMapEdit"); // room 00 shows map set 09
    Child<QScrollBar>(*form, "ScrbarEditMapPage0")->setValue(9);

    show("TabObjectEdit"); // a new object on empty ground of room 00
    const int objects = stage.ObjectTotal();
    Click(Child<TImageEx>(*form, "ImgObjectMapPage0"), {200, 200}, Qt::LeftButton);
    Child<QPushButton>(*form, "BtnObjectCreate")->click();
    QCOMPARE(stage.ObjectTotal(), objects + 1);

    const QString copy = setup.WorkFile(QStringLiteral("copy.nes"));
    setup.Prompt.SaveFileNames = {copy};
    Child<QAction>(*form, "SaveAs1")->trigger();
    QVERIFY(setup.Prompt.Errors.isEmpty());

    const QByteArray before = ReadFile(original);
    const QByteArray after = ReadFile(copy);
    QCOMPARE(after.size(), before.size());
    const auto at = [](StageTable table, int index) {
        return CartridgeBuilder::DefaultOffset(table, 0) + index;
    };
    const std::map<int32_t, uint8_t> edits = {{at(StageTable::BGPalette, 4), 0x3F},
                                              {at(StageTable::Chip16x16, 0), 0x03},
                                              {at(StageTable::Chip32x32, 0), 0x05},
                                              {at(StageTable::MapSet, 0), 0x07},
                                              {at(StageTable::Map, 0), 0x09}};
    for (const auto &[offset, value] : edits)
        QCOMPARE(static_cast<uint8_t>(after[offset]), value);
    // Besides those five bytes, only stage 00's object planes were rewritten.
    const auto inObjectPlanes = [&](int32_t offset) {
        for (StageTable plane : {StageTable::ObjectScreen, StageTable::ObjectX, StageTable::ObjectY,
                                 StageTable::ObjectKind})
            if (offset >= at(plane, 0) && offset < at(plane, ObjectTableSize))
                return true;
        return false;
    };
    for (int32_t offset = 0; offset < before.size(); ++offset)
        if (before[offset] != after[offset] && !edits.count(offset))
            QVERIFY2(inObjectPlanes(offset), qPrintable(QString::number(offset, 16)));

    // The saved objects read back: one more, the new one last in room 00, where it was
    // placed, of kind 00.
    QVERIFY(form->Document().Open(copy));
    QCOMPARE(stage.ObjectTotal(), objects + 1);
    const ObjectNode &added = stage.ObjectList(0).back();
    QCOMPARE(added.X, 200);
    QCOMPARE(added.Y, 200);
    QCOMPARE(added.Kind, 0);
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"

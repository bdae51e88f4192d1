// The stage overview window and the file menu's picture and patch commands, driven through
// the main window's menus and controls.
#include "EditorSetup.h"
#include "ImageEx.h"
#include "IpsPatch.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QWheelEvent>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

void SendWheel(QWidget *target, QPoint angle, Qt::KeyboardModifiers modifiers) {
    // At the left edge a zoom anchored at the pointer keeps the view at its start.
    const QPointF at(0, 0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

} // namespace

class TestOverviewExport : public QObject {
    Q_OBJECT
private slots:
    void overviewClickChoosesTheLeftRoom_data();
    void overviewClickChoosesTheLeftRoom();
    void overviewPngShowsTheRoomsAsTheMapPage();
    void overviewFollowsEditsWithTheAnimationOff();
    void overviewOpensFittedAndRestsWithTheUser();
    void overviewShowsTheRoomsItsPngBroughtUpToDate();
    void overviewWheel_data();
    void overviewWheel();
    void pagePictureIsSaved_data();
    void pagePictureIsSaved();
    void patchGivesTheSavedBytesAndLeavesTheDocument();
};

void TestOverviewExport::overviewClickChoosesTheLeftRoom_data() {
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("leftRoom");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("middle of a row") << 0x14 << 0x14;
    QTest::newRow("last") << 0x2F << 0x2E;
}

void TestOverviewExport::overviewClickChoosesTheLeftRoom() {
    QFETCH(int, room);
    QFETCH(int, leftRoom);
    EditorSetup setup;
    const auto form = setup.Start();
    auto *command = Child<QAction>(*form, "StageOverview1");
    QVERIFY(!command->isEnabled());
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    QVERIFY(command->isEnabled());
    command->trigger();
    auto *window = Child<QWidget>(*form, "StageOverviewForm");
    QVERIFY(window->isVisible());
    window->resize(900, 700);
    Child<QSpinBox>(*form, "SpinOverviewColumns")->setValue(8);
    for (int step = 0; step < 3; ++step)
        Child<QPushButton>(*form, "BtnOverviewZoomOut")->click();
    QCOMPARE(Child<QLabel>(*form, "LblOverviewZoom")->text(), QStringLiteral("25 %"));

    // At 25 % a room is 64 pixels square; click the middle of room `room`.
    auto *view = Child<QAbstractScrollArea>(*form, "ViewOverview");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(64 * (room % 8) + 32, 64 * (room / 8) + 32));
    QCOMPARE(Child<QScrollBar>(*form, "ScrBarMap")->value(), leftRoom);
    QCOMPARE(Child<QScrollBar>(*form, "ScrBarObjectMap")->value(), leftRoom);

    Child<QAction>(*form, "Close1")->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(!command->isEnabled());
}

void TestOverviewExport::overviewPngShowsTheRoomsAsTheMapPage() {
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    pages->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    Child<QScrollBar>(*form, "ScrBarMap")->setValue(0x10);
    Child<QAction>(*form, "StageOverview1")->trigger();
    const QString path = setup.WorkFile(QStringLiteral("overview.png"));
    setup.Prompt.FileNames = {path};
    Child<QPushButton>(*form, "BtnOverviewSavePng")->click();

    const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(saved.size(), QSize(48 * 256, 256));
    QCOMPARE(saved.copy(0x10 * 256, 0, 256, 256),
             Child<TImageEx>(*form, "ImgEditMapPage0")->Picture());
    QCOMPARE(saved.copy(0x11 * 256, 0, 256, 256),
             Child<TImageEx>(*form, "ImgEditMapPage1")->Picture());
}

void TestOverviewExport::overviewFollowsEditsWithTheAnimationOff() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("quartex3editor.ini")),
                      QByteArrayLiteral("[Timer]\nInterval=0\n")));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    QVERIFY(!Child<QTimer>(*form, "FrameTimer")->isActive());
    Child<QAction>(*form, "StageOverview1")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(Child<QWidget>(*form, "StageOverviewForm")));
    QWidget *viewport = Child<QAbstractScrollArea>(*form, "ViewOverview")->viewport();
    QTest::qWait(50);
    const QImage before = viewport->grab().toImage();

    StageData &stage = form->Document().Stage(0);
    QVERIFY(stage.SetMapEntry(0, stage.Map()[0] ^ 1));
    QTRY_VERIFY(viewport->grab().toImage() != before);
}

void TestOverviewExport::overviewOpensFittedAndRestsWithTheUser() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("quartex3editor.ini")),
                      QByteArrayLiteral("[Timer]\nInterval=0\n")));
    const auto form = setup.Start();
    form->show();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    Child<QAction>(*form, "StageOverview1")->trigger();
    auto *window = Child<QWidget>(*form, "StageOverviewForm");
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The one row of 48 rooms is wider than the screen even at the smallest zoom: the window
    // opens at that zoom, as wide as the screen allows and exactly as high as the row.
    auto *view = Child<QAbstractScrollArea>(*form, "ViewOverview");
    QCOMPARE(Child<QLabel>(*form, "LblOverviewZoom")->text(), QStringLiteral("25 %"));
    QCOMPARE(view->viewport()->height(), 64);
    QCOMPARE(view->horizontalScrollBar()->maximum(), 48 * 64 - view->viewport()->width());
    const QRect screen = form->screen()->availableGeometry();
    QVERIFY(window->width() <= screen.width() && window->height() <= screen.height());

    // Nothing animates and nobody edits: no timer is left to wake the program.
    QTest::qWait(50);
    for (const QTimer *timer : form->findChildren<QTimer *>())
        QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));

    // A user's edit reaches the overview without anything else asking for a repaint.
    Child<QTabWidget>(*form, "EditPageControl")
        ->setCurrentWidget(Child<QWidget>(*form, "TabMapEdit"));
    QTest::qWait(50);
    PaintCounter paints(view->viewport());
    auto *chooser = Child<QScrollBar>(*form, "ScrbarEditMapPage0");
    const int mapSet = chooser->value();
    QTest::keyClick(chooser, mapSet < chooser->maximum() ? Qt::Key_Right : Qt::Key_Left);
    QVERIFY(chooser->value() != mapSet);
    QTRY_VERIFY(paints.Count > 0);
}

// Saving the picture draws the rooms an edit left stale since the last look at the model;
// the window shows them at once, not only after the next change.
void TestOverviewExport::overviewShowsTheRoomsItsPngBroughtUpToDate() {
    EditorSetup setup;
    QVERIFY(WriteFile(setup.ProgramFile(QStringLiteral("quartex3editor.ini")),
                      QByteArrayLiteral("[Timer]\nInterval=0\n")));
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    Child<QAction>(*form, "StageOverview1")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(Child<QWidget>(*form, "StageOverviewForm")));
    QWidget *viewport = Child<QAbstractScrollArea>(*form, "ViewOverview")->viewport();
    QTest::qWait(50);

    StageData &stage = form->Document().Stage(0);
    QVERIFY(stage.SetMapEntry(0, stage.Map()[0] ^ 1));
    PaintCounter paints(viewport);
    setup.Prompt.FileNames = {setup.WorkFile(QStringLiteral("overview.png"))};
    Child<QPushButton>(*form, "BtnOverviewSavePng")->click();
    QTRY_VERIFY(paints.Count > 0);
}

void TestOverviewExport::overviewWheel_data() {
    QTest::addColumn<QList<int>>("angles");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("zoom");
    QTest::addColumn<bool>("scrolledAlong");
    // The window opens at 25 %, the zoom that fits the one row on the test screen.
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("plain wheel on one row") << QList<int>{-120} << 0 << QStringLiteral("25 %")
                                            << true;
    QTest::newRow("ctrl, one notch") << QList<int>{120} << ctrl << QStringLiteral("50 %")
                                     << false;
    QTest::newRow("ctrl, half notches") << QList<int>{60, 60} << ctrl << QStringLiteral("50 %")
                                        << false;
    QTest::newRow("ctrl, touchpad steps")
        << QList<int>{30, 30, 30, 30, 30} << ctrl << QStringLiteral("50 %") << false;
    QTest::newRow("ctrl, half a notch") << QList<int>{60} << ctrl << QStringLiteral("25 %")
                                        << false;
    QTest::newRow("ctrl, back and forth")
        << QList<int>{60, -60, 60} << ctrl << QStringLiteral("25 %") << false;
}

void TestOverviewExport::overviewWheel() {
    QFETCH(QList<int>, angles);
    QFETCH(int, modifiers);
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    Child<QAction>(*form, "StageOverview1")->trigger();
    auto *view = Child<QAbstractScrollArea>(*form, "ViewOverview");
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);
    for (int angle : angles)
        SendWheel(view->viewport(), QPoint(0, angle), Qt::KeyboardModifiers(modifiers));
    QTEST(Child<QLabel>(*form, "LblOverviewZoom")->text(), "zoom");
    QFETCH(bool, scrolledAlong);
    QCOMPARE(view->horizontalScrollBar()->value() > 0, scrolledAlong);
    QCOMPARE(view->verticalScrollBar()->value(), 0);
}

void TestOverviewExport::pagePictureIsSaved_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<bool>("sideBySide");
    QTest::newRow("map") << QStringLiteral("TabMapEdit")
                         << QStringList{QStringLiteral("ImgEditMapPage0"),
                                        QStringLiteral("ImgEditMapPage1")}
                         << true;
    QTest::newRow("palette") << QStringLiteral("TabPaletteEdit")
                             << QStringList{QStringLiteral("ImgPalView0"),
                                            QStringLiteral("ImgPalView1"),
                                            QStringLiteral("ImgPalView2"),
                                            QStringLiteral("ImgPalView3")}
                             << false;
}

void TestOverviewExport::pagePictureIsSaved() {
    QFETCH(QString, page);
    QFETCH(QStringList, images);
    QFETCH(bool, sideBySide);
    EditorSetup setup;
    const auto form = setup.Start();
    form->OpenChosenFile(setup.WriteCartridge(QStringLiteral("a.nes")));
    auto *pages = Child<QTabWidget>(*form, "EditPageControl");
    pages->setCurrentWidget(form->findChild<QWidget *>(page));
    const QString path = setup.WorkFile(QStringLiteral("page.png"));
    setup.Prompt.FileNames = {path};
    Child<QAction>(*form, "SavePicture1")->trigger();
    QVERIFY(setup.Prompt.Errors.isEmpty());

    const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!saved.isNull());
    QPoint at(0, 0);
    for (const QString &name : images) {
        const QImage &part = form->findChild<TImageEx *>(name)->Picture();
        QCOMPARE(saved.copy(QRect(at, part.size())), part);
        at += sideBySide ? QPoint(part.width(), 0) : QPoint(0, part.height());
    }
    QCOMPARE(sideBySide ? saved.width() : saved.height(), sideBySide ? at.x() : at.y());
}

void TestOverviewExport::patchGivesTheSavedBytesAndLeavesTheDocument() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString originalPath = setup.WriteCartridge(QStringLiteral("a.nes"));
    const QByteArray original = ReadFile(originalPath);
    form->OpenChosenFile(originalPath);
    StageData &stage = form->Document().Stage(0);
    QVERIFY(stage.SetMapEntry(3, stage.Map()[3] ^ 1));
    form->Flags().SetEditFlag(EditArea::Map, 0, true);
    QVERIFY(stage.SetMapSetEntry(70, stage.MapSet()[70] ^ 0x10));
    form->Flags().SetEditFlag(EditArea::MapSet, 0, true);
    const QByteArray liveBefore(reinterpret_cast<const char *>(form->Document().Image().data()),
                                form->Document().Size());

    const QString patchPath = setup.WorkFile(QStringLiteral("edits.ips"));
    setup.Prompt.FileNames = {originalPath, patchPath};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    QCOMPARE(setup.Prompt.FileQuestions.size(), 2);
    const QByteArray patch = ReadFile(patchPath);
    QVERIFY(!patch.isEmpty());
    QVERIFY(setup.Prompt.Messages.last().contains(QString::number(patch.size())));
    QCOMPARE(ReadFile(originalPath), original);
    QVERIFY(form->Flags().IsModified());
    QVERIFY(form->Document().CanUndo());
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(form->Document().Image().data()),
                        form->Document().Size()),
             liveBefore);

    const QString savedPath = setup.WorkFile(QStringLiteral("saved.nes"));
    setup.Prompt.SaveFileNames = {savedPath};
    Child<QAction>(*form, "SaveAs1")->trigger();
    const ByteResult patched = IpsPatch::Apply(original, patch);
    QVERIFY(patched.Ok());
    QVERIFY(patched.Bytes != original);
    QVERIFY(patched.Bytes == ReadFile(savedPath));
}

QTEST_MAIN(TestOverviewExport)
#include "tst_overviewexport.moc"

#include "ObjectPageBench.h"
#include "UpDown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <algorithm>

namespace {
const QString LimitMessage =
    QStringLiteral("オブジェクトの総数を越えるため、オブジェクトを作成できませんでした");

/// Acts on the object list dialog as soon as it runs: replaces the memo text (unless
/// `text` is null) and presses OK or Cancel. Records the caption and the text shown.
struct DialogScript {
    void Arm(std::optional<QString> text, bool ok) {
        QTimer::singleShot(0, [this, text, ok] {
            auto *dialog = qobject_cast<TObjectEditForm *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            Ran = true;
            Caption = dialog->windowTitle();
            auto *memo = dialog->findChild<QPlainTextEdit *>(QStringLiteral("MemoObjectEdit"));
            Shown = memo->toPlainText();
            if (text)
                memo->setPlainText(*text);
            QTest::mouseClick(dialog->findChild<QPushButton *>(ok ? QStringLiteral("BtnOK")
                                                                  : QStringLiteral("BtnCancel")),
                              Qt::LeftButton);
        });
    }
    bool Ran = false;
    QString Caption;
    QString Shown;
};
} // namespace

class TestObjectEdit : public QObject {
    Q_OBJECT
private slots:
    void pageAfterRefresh();
    void hoverReachesNinePixels_data();
    void hoverReachesNinePixels();
    void hintShowsObjectInformation();
    void dragSnapsAndClamps_data();
    void dragSnapsAndClamps();
    void dragKeepsListSortedAndStable();
    void selectionLabelsKindAndRemoval();
    void nudgeMovesWithoutSorting();
    void objectLimit();
    void popupMenuCopyCutPasteRemove();
    void shiftClickEditsRoomAsText();
    void scrollingAndRefresh();
    void reloadKeepsHistoryAndFlags();
    void roomBeyondMapSetsAndPointerOutside();
};

void TestObjectEdit::pageAfterRefresh() {
    ObjectPageBench bench;
    QCOMPARE(bench.Room(0)->Tag(), 0);
    QCOMPARE(bench.Room(1)->Tag(), 1);
    QCOMPARE(bench.Room(1)->Picture().size(), QSize(256, 256));
    auto *scrollBar = bench.Find<QScrollBar>(QStringLiteral("ScrBarObjectMap"));
    QCOMPARE(scrollBar->minimum(), 0);
    QCOMPARE(scrollBar->maximum(), 46);
    auto *kinds = bench.Find<QComboBox>(QStringLiteral("CBSelectObject"));
    QCOMPARE(kinds->count(), 256);
    QCOMPARE(kinds->itemText(0x1A), QStringLiteral("1A"));
    QCOMPARE(kinds->maxVisibleItems(), 12);
    QCOMPARE(bench.Find<QCheckBox>(QStringLiteral("ChkSortObjectList"))->text(),
             QStringLiteral("オブジェクトを自動で並び替える"));
    QCOMPARE(bench.Find<QCheckBox>(QStringLiteral("ChkPopupHint"))->text(),
             QStringLiteral("ポップアップでオブジェクト情報を表示"));
    QCOMPARE(bench.Find<QPushButton>(QStringLiteral("BtnObjectEditReload"))->text(),
             QStringLiteral("再読み込み"));
    QCOMPARE(bench.Item("MenuCreateObject")->text(), QStringLiteral("オブジェクトの新規作成"));
    QCOMPARE(bench.Item("N9")->text(), QStringLiteral("キャンセル"));

    QCOMPARE(bench.Label("LblObjectRoom"), QStringLiteral("00-01"));
    QCOMPARE(bench.Label("LblObjectNum"), QStringLiteral("2-1"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("4 / 127"));
    for (const char *name : {"LblObjectIndex", "LblObjectScreen", "LblObjectX", "LblObjectY"})
        QCOMPARE(bench.Label(name), QStringLiteral("--"));
    QCOMPARE(kinds->currentIndex(), -1);
    QVERIFY(!kinds->isEnabled());
    QVERIFY(bench.Find<QPushButton>(QStringLiteral("BtnObjectCreate"))->isEnabled());
    QVERIFY(!bench.Find<QPushButton>(QStringLiteral("BtnObjectRemove"))->isEnabled());
    QVERIFY(!bench.Find<TUpDown>(QStringLiteral("UDObjectX"))->isEnabled());

    // Every object of the two rooms has its 16 x 16 marker; nothing else is white.
    const QImage &left = bench.Room(0)->Picture();
    QCOMPARE(left.pixel(92, 92), White);
    QCOMPARE(left.pixel(107, 107), White);
    QCOMPARE(left.pixel(192, 67), White);
    QVERIFY(left.pixel(88, 88) != White);
    QCOMPARE(bench.Room(1)->Picture().pixel(32, 192), White);

    // After the refresh the create button puts a kind-00 object at (0, 0) of the left room.
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectCreate")), Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("0,0,0 64,64,1a c8,3c,5"));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("00"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("5 / 127"));
    QVERIFY(bench.ObjectFlag());
    QVERIFY(!bench.Document().CanUndo());
}

void TestObjectEdit::hoverReachesNinePixels_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("hovers");
    QTest::newRow("9 right, 9 down") << QPoint(109, 109) << true;
    QTest::newRow("9 left, 9 up") << QPoint(91, 91) << true;
    QTest::newRow("10 right") << QPoint(110, 100) << false;
    QTest::newRow("10 up") << QPoint(100, 90) << false;
}

void TestObjectEdit::hoverReachesNinePixels() {
    QFETCH(QPoint, at);
    QFETCH(bool, hovers);
    ObjectPageBench bench;
    Move(bench.Room(0), at);
    // The 24 x 24 cursor frames the hovered object.
    QCOMPARE(bench.Room(0)->Picture().pixel(88, 88) == White, hovers);
    QCOMPARE(bench.Room(0)->Picture().pixel(111, 111) == White, hovers);
    // A press selects what is hovered, and pressing empty space clears the selection.
    Press(bench.Room(0), at, Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectX"), hovers ? QStringLiteral("64") : QStringLiteral("--"));
    QVERIFY(!bench.ObjectFlag());
}

void TestObjectEdit::hintShowsObjectInformation() {
    ObjectPageBench bench;
    bench.Find<QComboBox>(QStringLiteral("CBSelectObject"))->setItemText(5, QStringLiteral("ばね"));
    Move(bench.Room(0), QPoint(203, 62));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("設置番号:01\nX座標:C8\nY座標:3C\n種類:\nばね"));

    // Room 1's first object comes after room 0's two.
    Move(bench.Room(1), QPoint(40, 200));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("設置番号:02\nX座標:28\nY座標:C8\n種類:\n30"));

    Move(bench.Room(1), QPoint(150, 150));
    QTRY_VERIFY(!QToolTip::isVisible());

    bench.Find<QCheckBox>(QStringLiteral("ChkPopupHint"))->setChecked(false);
    Move(bench.Room(0), QPoint(100, 100));
    QTest::qWait(50);
    QVERIFY(!QToolTip::isVisible());
    // The hover itself still works without the hint.
    QCOMPARE(bench.Room(0)->Picture().pixel(88, 88), White);
}

void TestObjectEdit::dragSnapsAndClamps_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("modified");
    QTest::newRow("free") << int(Qt::NoModifier) << QPoint(123, 77) << QStringLiteral("7b,4d,1a")
                          << true;
    QTest::newRow("ctrl: multiples of 8")
        << int(Qt::ControlModifier) << QPoint(123, 77) << QStringLiteral("78,48,1a") << true;
    QTest::newRow("shift: multiples of 4")
        << int(Qt::ShiftModifier) << QPoint(123, 77) << QStringLiteral("78,4c,1a") << true;
    QTest::newRow("ctrl and shift: nothing")
        << int(Qt::ControlModifier | Qt::ShiftModifier) << QPoint(123, 77)
        << QStringLiteral("64,64,1a") << false;
    QTest::newRow("past the top left edge")
        << int(Qt::NoModifier) << QPoint(-30, -1) << QStringLiteral("0,0,1a") << true;
    QTest::newRow("past the bottom right edge")
        << int(Qt::ControlModifier) << QPoint(400, 256) << QStringLiteral("ff,ff,1a") << true;
    // A drag step is an edit even when the object lands where it was.
    QTest::newRow("onto its own centre")
        << int(Qt::NoModifier) << QPoint(100, 100) << QStringLiteral("64,64,1a") << true;
}

void TestObjectEdit::dragSnapsAndClamps() {
    QFETCH(int, modifiers);
    QFETCH(QPoint, to);
    QFETCH(QString, expected);
    QFETCH(bool, modified);
    ObjectPageBench bench;
    bench.Find<QCheckBox>(QStringLiteral("ChkSortObjectList"))->setChecked(false);

    bench.Drag(QPoint(104, 97), to, Qt::KeyboardModifiers(modifiers));

    QCOMPARE(bench.Objects(0).section(QLatin1Char(' '), 0, 0), expected);
    QCOMPARE(bench.ObjectFlag(), modified);
    QVERIFY(!bench.Document().CanUndo());
    const ObjectNode &dragged = bench.Stage().ObjectList(0).front();
    QCOMPARE(bench.Label("LblObjectX"), Hex2(dragged.X));
    // The marker is redrawn at the new place: one of its corners lies inside the room.
    const int cornerX = dragged.X >= 8 ? dragged.X - 8 : dragged.X + 7;
    const int cornerY = dragged.Y >= 8 ? dragged.Y - 8 : dragged.Y + 7;
    QCOMPARE(bench.Room(0)->Picture().pixel(cornerX, cornerY), White);
}

void TestObjectEdit::dragKeepsListSortedAndStable() {
    ObjectPageBench bench({{0, 50, 40, 1}, {0, 80, 120, 2}, {0, 150, 200, 3}});

    // Dragged left of the others, the third object takes placement number 0 at once.
    bench.Drag(QPoint(150, 200), QPoint(20, 200));
    QCOMPARE(bench.Objects(0), QStringLiteral("14,c8,3 32,28,1 50,78,2"));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("00"));

    // Dragged onto the X of the object before it in the list, it stays behind that one.
    Press(bench.Room(0), QPoint(80, 120), Qt::LeftButton); // no move: the press hit-tests
    Move(bench.Room(0), QPoint(20, 90), Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("14,c8,3 14,5a,2 32,28,1"));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("01"));

    // Without sorting the order stays as it is.
    bench.Find<QCheckBox>(QStringLiteral("ChkSortObjectList"))->setChecked(false);
    bench.Drag(QPoint(50, 40), QPoint(5, 40));
    QCOMPARE(bench.Objects(0), QStringLiteral("14,c8,3 14,5a,2 5,28,1"));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("02"));
}

void TestObjectEdit::selectionLabelsKindAndRemoval() {
    ObjectPageBench bench;
    auto *kinds = bench.Find<QComboBox>(QStringLiteral("CBSelectObject"));
    bench.Select(1, QPoint(42, 198));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("02"));
    QCOMPARE(bench.Label("LblObjectScreen"), QStringLiteral("01"));
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("28"));
    QCOMPARE(bench.Label("LblObjectY"), QStringLiteral("C8"));
    QCOMPARE(kinds->currentIndex(), 0x30);
    QVERIFY(kinds->isEnabled());
    QVERIFY(!bench.Find<QPushButton>(QStringLiteral("BtnObjectCreate"))->isEnabled());
    QVERIFY(bench.Find<QPushButton>(QStringLiteral("BtnObjectRemove"))->isEnabled());
    QVERIFY(bench.Find<TUpDown>(QStringLiteral("UDObjectY"))->isEnabled());
    // The selection frame: 32 x 32 around (40, 200).
    QCOMPARE(bench.Room(1)->Picture().pixel(24, 184), White);
    QVERIFY(!bench.ObjectFlag());

    kinds->setCurrentIndex(0x30); // the kind it already has
    QVERIFY(!bench.ObjectFlag());
    kinds->setCurrentIndex(0x4C);
    QCOMPARE(bench.Objects(1), QStringLiteral("28,c8,4c"));
    QVERIFY(bench.ObjectFlag());
    QVERIFY(!bench.Document().CanUndo());

    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectRemove")), Qt::LeftButton);
    QCOMPARE(bench.Objects(1), QString());
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("--"));
    QCOMPARE(bench.Label("LblObjectNum"), QStringLiteral("2-0"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("3 / 127"));
    QVERIFY(!kinds->isEnabled());
    QVERIFY(bench.Room(1)->Picture().pixel(32, 192) != White);
    // The removed object was hovered too: dragging on must not touch it.
    Move(bench.Room(1), QPoint(60, 150), Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("3 / 127"));
}

void TestObjectEdit::nudgeMovesWithoutSorting() {
    ObjectPageBench bench({{0, 100, 0, 1}, {0, 254, 255, 2}});
    auto *arrowsX = bench.Find<TUpDown>(QStringLiteral("UDObjectX"));
    auto *arrowsY = bench.Find<TUpDown>(QStringLiteral("UDObjectY"));

    bench.Select(0, QPoint(254, 250));
    QTest::mouseClick(arrowsX->UpButton(), Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("FF"));
    QVERIFY(bench.ObjectFlag());
    bench.Flags().ClearAll();
    // At 255 the right arrow leaves X where it is, but the step still marks the stage.
    QTest::mouseClick(arrowsX->UpButton(), Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("64,0,1 ff,ff,2"));
    QVERIFY(bench.ObjectFlag());
    QCOMPARE(arrowsX->Position(), 1);

    // The up arrow moves up the screen; nudging past the other object does not re-sort.
    QTest::mouseClick(arrowsY->UpButton(), Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectY"), QStringLiteral("FE"));
    for (int step = 0; step < 160; ++step)
        QTest::mouseClick(arrowsX->DownButton(), Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("64,0,1 5f,fe,2"));
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("01"));
    QTest::mouseClick(arrowsY->DownButton(), Qt::LeftButton);
    QTest::mouseClick(arrowsY->DownButton(), Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectY"), QStringLiteral("FF"));
    QCOMPARE(arrowsY->Position(), 1);
    // The selection frame follows the object.
    QCOMPARE(bench.Room(0)->Picture().pixel(0x5F - 16, 0xFF - 16), White);
    QVERIFY(!bench.Document().CanUndo());
}

void TestObjectEdit::objectLimit() {
    // 126 objects in rooms 2..47, rooms 0 and 1 empty.
    std::vector<ObjectTableEntry> objects;
    for (int room = 2; objects.size() < 126; room = room == 47 ? 2 : room + 1)
        objects.push_back({room, 16 * static_cast<int>(objects.size() % 16), 30, 1});
    std::sort(objects.begin(), objects.end(),
              [](const ObjectTableEntry &a, const ObjectTableEntry &b) { return a.Room < b.Room; });
    ObjectPageBench bench(objects);
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("126 / 127"));

    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectCreate")), Qt::LeftButton);
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("127 / 127"));
    QVERIFY(bench.Prompt().Messages.isEmpty());

    // The next creation, by button, menu or paste, is refused with the message.
    Press(bench.Room(1), QPoint(60, 60), Qt::LeftButton);
    bench.Flags().ClearAll();
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectCreate")), Qt::LeftButton);
    bench.RightClick(1, QPoint(80, 80));
    bench.Item("MenuCreateObject")->trigger();
    bench.RightClick(0, QPoint(0, 0));
    bench.Item("MenuCopyObject")->trigger(); // the object just created at (0, 0)
    bench.RightClick(1, QPoint(80, 80));
    bench.Item("MenuPasteObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Prompt().Messages, QStringList({LimitMessage, LimitMessage, LimitMessage}));
    QCOMPARE(bench.Stage().ObjectTotal(), 127);
    QCOMPARE(bench.Objects(1), QString());
    QVERIFY(!bench.ObjectFlag());

    // The list dialog silently drops the objects past the limit.
    DialogScript script;
    script.Arm(QStringLiteral("11 11 01\n22 22 02"), true);
    Press(bench.Room(0), QPoint(128, 128), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(script.Ran);
    QCOMPARE(bench.Objects(0), QStringLiteral("11,11,1"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("127 / 127"));
    QCOMPARE(bench.Prompt().Messages.size(), 3);
}

void TestObjectEdit::popupMenuCopyCutPasteRemove() {
    ObjectPageBench bench;
    auto *menu = bench.Find<QMenu>(QStringLiteral("PopupMenuObjectEdit"));

    bench.RightClick(0, QPoint(30, 30));
    QVERIFY(menu->isVisible());
    QVERIFY(bench.Item("MenuCreateObject")->isEnabled());
    for (const char *item : {"MenuCopyObject", "MenuCutObject", "MenuRemoveObject"})
        QVERIFY2(!bench.Item(item)->isEnabled(), item);
    QVERIFY(!bench.Item("MenuPasteObject")->isEnabled());
    QCOMPARE(bench.Item("MenuPasteObject")->text(), QStringLiteral("オブジェクトを貼り付け"));
    bench.CloseMenu();

    // Copying takes the kind only.
    bench.RightClick(0, QPoint(101, 99));
    for (const char *item : {"MenuCopyObject", "MenuCutObject", "MenuRemoveObject"})
        QVERIFY2(bench.Item(item)->isEnabled(), item);
    bench.Item("MenuCopyObject")->trigger();
    bench.CloseMenu();
    QVERIFY(!bench.ObjectFlag());
    bench.RightClick(1, QPoint(255, 0));
    QVERIFY(bench.Item("MenuPasteObject")->isEnabled());
    QCOMPARE(bench.Item("MenuPasteObject")->text(), QStringLiteral("オブジェクト(1A)を貼り付け"));
    bench.Item("MenuPasteObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Objects(1), QStringLiteral("28,c8,30 ff,0,1a"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("5 / 127"));
    QVERIFY(bench.ObjectFlag());
    // Created from the menu, the object is not selected.
    QCOMPARE(bench.Label("LblObjectIndex"), QStringLiteral("--"));

    // Creating from the menu sorts the room; the rooms are redrawn at the next movement.
    bench.RightClick(0, QPoint(10, 220));
    bench.Item("MenuCreateObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Objects(0), QStringLiteral("a,dc,0 64,64,1a c8,3c,5"));
    Move(bench.Room(0), QPoint(30, 30));
    QCOMPARE(bench.Room(0)->Picture().pixel(2, 212), White);

    // Cutting the selected object removes it, clears the selection and keeps its kind.
    bench.Select(0, QPoint(200, 60));
    bench.RightClick(0, QPoint(200, 60));
    bench.Item("MenuCutObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Objects(0), QStringLiteral("a,dc,0 64,64,1a"));
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("--"));
    QCOMPARE(bench.Label("LblObjectNum"), QStringLiteral("2-2"));
    bench.RightClick(0, QPoint(30, 30));
    QCOMPARE(bench.Item("MenuPasteObject")->text(), QStringLiteral("オブジェクト(05)を貼り付け"));
    bench.CloseMenu();

    bench.RightClick(0, QPoint(100, 100));
    bench.Item("MenuRemoveObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Objects(0), QStringLiteral("a,dc,0"));
    // The middle button does nothing.
    Press(bench.Room(0), QPoint(10, 220), Qt::MiddleButton);
    QVERIFY(!menu->isVisible());
    QCOMPARE(bench.Objects(0), QStringLiteral("a,dc,0"));
    QVERIFY(!bench.Document().CanUndo());
}

void TestObjectEdit::shiftClickEditsRoomAsText() {
    ObjectPageBench bench;
    bench.Find<QScrollBar>(QStringLiteral("ScrBarObjectMap"))->setValue(4);
    DialogScript script;

    // Shift on an object selects it and opens nothing.
    script.Arm(std::nullopt, false);
    bench.Select(1, QPoint(128, 128));
    Press(bench.Room(1), QPoint(128, 128), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(bench.Label("LblObjectScreen"), QStringLiteral("05"));
    QTest::qWait(20);
    QVERIFY(!script.Ran);

    // Cancel leaves the room alone.
    script.Arm(QStringLiteral("01 02 03"), false);
    Move(bench.Room(1), QPoint(20, 20));
    Press(bench.Room(1), QPoint(20, 20), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(script.Ran);
    QCOMPARE(script.Caption, QStringLiteral("部屋番号05のオブジェクトの編集"));
    QCOMPARE(script.Shown, QStringLiteral("80 80 07\n"));
    QCOMPARE(bench.Objects(5), QStringLiteral("80,80,7"));
    QVERIFY(!bench.ObjectFlag());

    // OK replaces the room with what the lines give, unsorted.
    script = {};
    script.Arm(QStringLiteral("10 20 05\n30 40\nzz 00 01"), true);
    Press(bench.Room(1), QPoint(20, 20), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(script.Ran);
    QCOMPARE(bench.Objects(5), QStringLiteral("10,20,5"));
    QCOMPARE(bench.Label("LblObjectNum"), QStringLiteral("0-1"));
    QCOMPARE(bench.Label("LblObjectSum"), QStringLiteral("4 / 127"));
    QCOMPARE(bench.Room(1)->Picture().pixel(8, 24), White);
    QVERIFY(bench.ObjectFlag());

    script = {};
    script.Arm(QStringLiteral("\t08  07 1ff trailing words\r\nf0 f0 f0\n"), true);
    Press(bench.Room(1), QPoint(60, 60), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(script.Shown, QStringLiteral("10 20 05\n"));
    QCOMPARE(bench.Objects(5), QStringLiteral("8,7,ff f0,f0,f0"));

    // OK with the text unchanged still rewrites (and marks) the room.
    bench.Flags().ClearAll();
    script = {};
    script.Arm(std::nullopt, true);
    Press(bench.Room(0), QPoint(20, 20), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(script.Caption, QStringLiteral("部屋番号04のオブジェクトの編集"));
    QCOMPARE(script.Shown, QString());
    QVERIFY(bench.ObjectFlag());
    QVERIFY(!bench.Document().CanUndo());
}

void TestObjectEdit::scrollingAndRefresh() {
    ObjectPageBench bench;
    auto *scrollBar = bench.Find<QScrollBar>(QStringLiteral("ScrBarObjectMap"));
    bench.Select(0, QPoint(100, 100));
    scrollBar->setValue(46);
    QCOMPARE(bench.Label("LblObjectRoom"), QStringLiteral("2E-2F"));
    QCOMPARE(bench.Label("LblObjectNum"), QStringLiteral("0-0"));
    // The selection in room 0 stays selected while it is out of sight.
    QCOMPARE(bench.Label("LblObjectScreen"), QStringLiteral("00"));
    QVERIFY(bench.Room(0)->Picture().pixel(84, 84) != White);
    scrollBar->setValue(0);
    QCOMPARE(bench.Room(0)->Picture().pixel(84, 84), White);

    // A copied kind survives the refresh of a stage change; the selection does not.
    bench.RightClick(0, QPoint(100, 100));
    bench.Item("MenuCopyObject")->trigger();
    bench.CloseMenu();
    scrollBar->setValue(5);
    bench.Document().SetCurrentStage(1);
    bench.Controller.Refresh();
    QCOMPARE(scrollBar->value(), 0);
    QCOMPARE(bench.Label("LblObjectRoom"), QStringLiteral("00-01"));
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("--"));
    bench.RightClick(1, QPoint(7, 9));
    bench.Item("MenuPasteObject")->trigger();
    bench.CloseMenu();
    QCOMPARE(bench.Stage().ObjectList(1).front().X, 7);
    QCOMPARE(bench.Stage().ObjectList(1).front().Kind, 0x1A);
    QVERIFY(bench.Flags().EditFlag(EditArea::Object, 1));
    QVERIFY(!bench.Flags().EditFlag(EditArea::Object, 0));
}

void TestObjectEdit::reloadKeepsHistoryAndFlags() {
    ObjectPageBench bench;
    QVERIFY(bench.Stage().SetMapEntry(3, static_cast<uint8_t>((bench.Stage().Map()[3] + 1) % 32)));
    bench.Drag(QPoint(100, 100), QPoint(180, 180));
    QVERIFY(bench.ObjectFlag());

    bench.Prompt().YesNoAnswers = {false};
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectEditReload")),
                      Qt::LeftButton);
    QCOMPARE(bench.Prompt().Questions,
             QStringList({QStringLiteral(
                 "このステージのオブジェクトデータを読み込み直します。よろしいですか？")}));
    QCOMPARE(bench.Objects(0), QStringLiteral("b4,b4,1a c8,3c,5"));

    bench.Prompt().YesNoAnswers = {true};
    QTest::mouseClick(bench.Find<QPushButton>(QStringLiteral("BtnObjectEditReload")),
                      Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("64,64,1a c8,3c,5"));
    QCOMPARE(bench.Label("LblObjectX"), QStringLiteral("--"));
    QVERIFY(bench.ObjectFlag());
    QVERIFY(bench.Document().CanUndo());
    // The dragged object is gone; a move with the button still held must not touch it.
    Move(bench.Room(0), QPoint(30, 30), Qt::LeftButton);
    QCOMPARE(bench.Objects(0), QStringLiteral("64,64,1a c8,3c,5"));
}

void TestObjectEdit::roomBeyondMapSetsAndPointerOutside() {
    // Room 0 shows map set 3; room 1's entry C3 lies past the 32 map sets and keeps its low
    // five bits, so both rooms show the same background (compared above their objects).
    ObjectPageBench bench(StandardObjects(), [](CartridgeBuilder &builder) {
        builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, 0), 0x03);
        builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, 0) + 1, 0xC3);
    });
    const QImage &left = bench.Room(0)->Picture();
    const QImage &right = bench.Room(1)->Picture();
    QCOMPARE(right.copy(0, 0, 256, 48), left.copy(0, 0, 256, 48));
    QCOMPARE(right.pixel(32, 192), White); // its object is drawn over it

    // Off the image, an object near the edge is not hovered; a press there does nothing.
    ObjectPageBench edge({{0, 2, 100, 1}});
    Move(edge.Room(0), QPoint(-5, 100), Qt::RightButton);
    QVERIFY(edge.Room(0)->Picture().pixel(0, 88) != White);
    Press(edge.Room(0), QPoint(-5, 100), Qt::LeftButton);
    QCOMPARE(edge.Label("LblObjectX"), QStringLiteral("--"));
    QVERIFY(!edge.ObjectFlag());
}

QTEST_MAIN(TestObjectEdit)
#include "tst_objectedit.moc"

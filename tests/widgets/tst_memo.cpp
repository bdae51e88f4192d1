// Runs on a real X server only: the clipboard whose paste used to end the program exists in
// the X11 platform alone, and the offscreen one never offers data without formats.
#include "NamedChild.h"
#include "ScriptedPrompt.h"
#include "chipusage/showUnusedChipNumForm.h"
#include "memo.h"
#include "objects/ObjectEditForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

enum class PasteWay { PasteKeys, ShiftInsert, ContextMenu, MiddleButton };

QClipboard::Mode ModeOf(PasteWay way) {
    return way == PasteWay::MiddleButton ? QClipboard::Selection : QClipboard::Clipboard;
}

// Gives up the clipboard (or the primary selection) and waits until the X server names no
// owner: the state after a fresh login or after the copying program has ended.
bool EmptyClipboard(QClipboard::Mode mode) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear(mode);
    return QTest::qWaitFor([&] {
        const QMimeData *data = clipboard->mimeData(mode);
        return data == nullptr || data->formats().isEmpty();
    });
}

bool PutText(QClipboard::Mode mode, const QString &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, mode);
    return QTest::qWaitFor([&] { return clipboard->text(mode) == text; });
}

// The context menu is opened while the clipboard still holds text, so its paste item is
// enabled, and the clipboard is emptied before the item is chosen: the owner of the copied
// text ended in between.
void Paste(QPlainTextEdit &memo, PasteWay way, const std::function<bool()> &beforeChoosing) {
    switch (way) {
    case PasteWay::PasteKeys:
        QVERIFY(beforeChoosing());
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
        break;
    case PasteWay::ShiftInsert:
        QVERIFY(beforeChoosing());
        QTest::keyClick(&memo, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case PasteWay::ContextMenu: {
        QVERIFY(PutText(QClipboard::Clipboard, QStringLiteral("0")));
        const std::unique_ptr<QMenu> menu(memo.createStandardContextMenu());
        auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
        QVERIFY(paste);
        QVERIFY(beforeChoosing());
        paste->trigger();
        break;
    }
    case PasteWay::MiddleButton:
        QVERIFY(beforeChoosing());
        QTest::mouseClick(memo.viewport(), Qt::MiddleButton, {}, QPoint(4, 4));
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(PasteWay)

class TstMemo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pasteWithoutDataChangesNothing_data();
    void pasteWithoutDataChangesNothing();
    void pasteWithTextInsertsIt_data();
    void pasteWithTextInsertsIt();
    void editableDialogMemosAreGuarded_data();
    void editableDialogMemosAreGuarded();

private:
    void AddPasteWays();
};

void TstMemo::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

void TstMemo::AddPasteWays() {
    QTest::addColumn<PasteWay>("way");
    QTest::newRow("Ctrl+V") << PasteWay::PasteKeys;
    QTest::newRow("Shift+Insert") << PasteWay::ShiftInsert;
    QTest::newRow("context menu") << PasteWay::ContextMenu;
    QTest::newRow("middle button") << PasteWay::MiddleButton;
}

void TstMemo::pasteWithoutDataChangesNothing_data() {
    AddPasteWays();
}

void TstMemo::pasteWithoutDataChangesNothing() {
    QFETCH(PasteWay, way);
    TMemo memo;
    memo.setPlainText(QStringLiteral("10 20 30"));
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    Paste(memo, way, [way] { return EmptyClipboard(ModeOf(way)); });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(memo.toPlainText(), QStringLiteral("10 20 30"));
}

void TstMemo::pasteWithTextInsertsIt_data() {
    AddPasteWays();
}

void TstMemo::pasteWithTextInsertsIt() {
    QFETCH(PasteWay, way);
    TMemo memo;
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    Paste(memo, way, [way] { return PutText(ModeOf(way), QStringLiteral("0A 0B 0C")); });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(memo.toPlainText(), QStringLiteral("0A 0B 0C"));
}

void TstMemo::editableDialogMemosAreGuarded_data() {
    QTest::addColumn<QString>("memoName");
    QTest::newRow("object list") << QStringLiteral("MemoObjectEdit");
    QTest::newRow("chip usage report") << QStringLiteral("MemoUnusedChipNum");
}

void TstMemo::editableDialogMemosAreGuarded() {
    QFETCH(QString, memoName);
    ScriptedPrompt prompt;
    TObjectEditForm objectForm;
    TShowUnusedChipNumForm reportForm(prompt);
    QDialog &dialog = memoName == u"MemoObjectEdit" ? static_cast<QDialog &>(objectForm)
                                                    : static_cast<QDialog &>(reportForm);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *memo = NamedChild<QPlainTextEdit>(&dialog, memoName);
    memo->setPlainText(QStringLiteral("01 02 03"));

    QVERIFY(EmptyClipboard(QClipboard::Clipboard));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QStringLiteral("01 02 03"));

    QVERIFY(PutText(QClipboard::Clipboard, QStringLiteral("\n04 05 06")));
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QStringLiteral("01 02 03\n04 05 06"));
}

// The X server has to be there before the application starts: without one Qt would end the
// program with its own message, which does not say how to run the test.
int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("No X server: DISPLAY is not set. This test needs a real X server; run it "
                   "through tests/support/with-x-server (xvfb-run).\n",
                   stderr);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    TstMemo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_memo.moc"

#include "mapset/MapSetEditGridForm.h"
#include "mapset/MapSetGrid.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {
/// Cell i holds i, so every cell tells where it came from.
std::array<uint8_t, 64> CountingCells() {
    std::array<uint8_t, 64> cells{};
    for (int i = 0; i < 64; ++i)
        cells[i] = static_cast<uint8_t>(i);
    return cells;
}

using CellChanges = QList<QPair<QPoint, QString>>;

/// True when every cell holds its counting value except those listed.
bool CellsAre(const MapSetGrid &grid, const CellChanges &changes) {
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            QString expected = Hex2(column + row * 8);
            for (const auto &change : changes)
                if (change.first == QPoint(column, row))
                    expected = change.second;
            if (grid.Cell(column, row) != expected) {
                qWarning("cell (%d, %d) is %s, expected %s", column, row,
                         qPrintable(grid.Cell(column, row)), qPrintable(expected));
                return false;
            }
        }
    return true;
}

MapSetGrid CountingGrid() {
    MapSetGrid grid;
    grid.Load(CountingCells());
    return grid;
}
} // namespace

class TestMapSetGrid : public QObject {
    Q_OBJECT
private slots:
    void readNumber_data();
    void readNumber();
    void typingAndNormalising_data();
    void typingAndNormalising();
    void copyText_data();
    void copyText();
    void paste_data();
    void paste();
    void fill_data();
    void fill();
    void rightPressKeepsRangeOrMovesSingleCell();
    void resultReadsEveryCell();
    void dialogOpensWithMapSet();
    void dialogCellsFillTheGrid();
    void dialogCellTextRightAlignedBelowTopEdge();
    void dialogKeysTypeAndArrowNormalises();
    void dialogMenuCopiesPastesAndFills();
    void dialogRightClickKeepsRangeAndEnablesPaste();
};

void TestMapSetGrid::readNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected"); // -1: no number
    QTest::newRow("one digit") << QStringLiteral("f") << qint64(15);
    QTest::newRow("two digits") << QStringLiteral("1F") << qint64(31);
    QTest::newRow("three digits") << QStringLiteral("100") << qint64(256);
    QTest::newRow("empty") << QString() << qint64(-1);
    QTest::newRow("not hex") << QStringLiteral("G1") << qint64(-1);
    QTest::newRow("prefix") << QStringLiteral("$10") << qint64(-1);
    QTest::newRow("sign") << QStringLiteral("-1") << qint64(-1);
    QTest::newRow("blank") << QStringLiteral(" 1") << qint64(-1);
    QTest::newRow("eight digits") << QStringLiteral("FFFFFFFF") << qint64(0xFFFFFFFF);
    QTest::newRow("too long") << QStringLiteral("100000000") << qint64(-1);
    QTest::newRow("leading zeros") << QStringLiteral("0000000005") << qint64(5);
}

void TestMapSetGrid::readNumber() {
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QCOMPARE(MapSetGrid::ReadNumber(text).value_or(-1), expected);
}

void TestMapSetGrid::typingAndNormalising_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalised");
    // The current cell (0, 0) starts as "00".
    QTest::newRow("three digits leave the last")
        << QStringLiteral("123") << QStringLiteral("3") << QStringLiteral("03");
    QTest::newRow("two digits replace a full cell")
        << QStringLiteral("1F") << QStringLiteral("1F") << QStringLiteral("1F");
    QTest::newRow("lower case is raised")
        << QStringLiteral("ab") << QStringLiteral("AB") << QStringLiteral("AB");
    QTest::newRow("other keys are ignored")
        << QStringLiteral("g Z-") << QStringLiteral("00") << QStringLiteral("00");
}

void TestMapSetGrid::typingAndNormalising() {
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, normalised);
    MapSetGrid grid;
    grid.Load({});
    for (const QChar key : keys)
        QCOMPARE(grid.Type(key), MapSetGrid::ReadNumber(QString(key)).has_value());
    QCOMPARE(grid.Cell(0, 0), typed);
    grid.NormaliseCells();
    QCOMPARE(grid.Cell(0, 0), normalised);
    QCOMPARE(grid.Cell(1, 0), QStringLiteral("00"));
}

void TestMapSetGrid::copyText_data() {
    QTest::addColumn<QRect>("selection"); // left, top, right, bottom as x, y, x2, y2
    QTest::addColumn<QString>("expected");
    QTest::newRow("2 x 2") << QRect(QPoint(1, 0), QPoint(2, 1))
                           << QStringLiteral("01 02\r\n09 0A\r\n");
    QTest::newRow("single cell") << QRect(QPoint(7, 7), QPoint(7, 7)) << QStringLiteral("3F\r\n");
    QTest::newRow("clamped to the grid")
        << QRect(QPoint(-3, 6), QPoint(0, 9)) << QStringLiteral("30\r\n38\r\n");
    QTest::newRow("inverted") << QRect(QPoint(3, 0), QPoint(2, 0)) << QString();
    QTest::newRow("right of the grid") << QRect(QPoint(8, 0), QPoint(9, 0)) << QString();
    QTest::newRow("above the grid") << QRect(QPoint(0, -2), QPoint(0, -1)) << QString();
}

void TestMapSetGrid::copyText() {
    QFETCH(QRect, selection);
    QFETCH(QString, expected);
    MapSetGrid grid = CountingGrid();
    grid.SetSelection(
        GridRect{selection.left(), selection.top(), selection.right(), selection.bottom()});
    QCOMPARE(grid.CopyText(), expected);
}

void TestMapSetGrid::paste_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CellChanges>("changes");
    QTest::newRow("outside the grid is dropped")
        << QPoint(6, 7) << QStringLiteral("1 2 3\r\n4 5 6")
        << CellChanges{{QPoint(6, 7), QStringLiteral("01")}, {QPoint(7, 7), QStringLiteral("02")}};
    QTest::newRow("bad token keeps its cell")
        << QPoint(0, 0) << QStringLiteral("1 ZZ 3")
        << CellChanges{{QPoint(0, 0), QStringLiteral("01")}, {QPoint(2, 0), QStringLiteral("03")}};
    QTest::newRow("empty token moves on") << QPoint(0, 0) << QStringLiteral("1  2 \r\nff")
                                          << CellChanges{{QPoint(0, 0), QStringLiteral("01")},
                                                         {QPoint(2, 0), QStringLiteral("02")},
                                                         {QPoint(0, 1), QStringLiteral("FF")}};
    QTest::newRow("out of range and tab") << QPoint(0, 0) << QStringLiteral("100 1\t2 7")
                                          << CellChanges{{QPoint(2, 0), QStringLiteral("07")}};
    QTest::newRow("LF alone is ignored") << QPoint(3, 3) << QStringLiteral("A\nB")
                                         << CellChanges{{QPoint(3, 3), QStringLiteral("AB")}};
    QTest::newRow("256 characters are read")
        << QPoint(0, 0) << QStringLiteral("5") + QString(255, u' ')
        << CellChanges{{QPoint(0, 0), QStringLiteral("05")}};
    QTest::newRow("257 characters are ignored")
        << QPoint(0, 0) << QStringLiteral("5") + QString(256, u' ') << CellChanges{};
    QTest::newRow("copied text pastes back") << QPoint(4, 5) << QStringLiteral("01 02\r\n09 0A\r\n")
                                             << CellChanges{{QPoint(4, 5), QStringLiteral("01")},
                                                            {QPoint(5, 5), QStringLiteral("02")},
                                                            {QPoint(4, 6), QStringLiteral("09")},
                                                            {QPoint(5, 6), QStringLiteral("0A")}};
}

void TestMapSetGrid::paste() {
    QFETCH(QPoint, at);
    QFETCH(QString, text);
    QFETCH(CellChanges, changes);
    MapSetGrid grid = CountingGrid();
    grid.SetSelection(GridRect{at.x(), at.y(), at.x() + 1, at.y()});
    grid.Paste(text);
    QVERIFY(CellsAre(grid, changes));
}

void TestMapSetGrid::fill_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("filled");
    QTest::newRow("one digit") << QStringLiteral("f") << true;
    QTest::newRow("too large") << QStringLiteral("100") << false;
    QTest::newRow("not hex") << QStringLiteral("G1") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestMapSetGrid::fill() {
    QFETCH(QString, answer);
    QFETCH(bool, filled);
    MapSetGrid grid = CountingGrid();
    // Reaches past the right edge: only the cells inside are set.
    grid.SetSelection(GridRect{6, 1, 9, 2});
    QCOMPARE(grid.Fill(answer), filled);
    const CellChanges changes = filled ? CellChanges{{QPoint(6, 1), QStringLiteral("0F")},
                                                     {QPoint(7, 1), QStringLiteral("0F")},
                                                     {QPoint(6, 2), QStringLiteral("0F")},
                                                     {QPoint(7, 2), QStringLiteral("0F")}}
                                       : CellChanges{};
    QVERIFY(CellsAre(grid, changes));
}

void TestMapSetGrid::rightPressKeepsRangeOrMovesSingleCell() {
    MapSetGrid grid = CountingGrid();
    grid.RightPressAt(3, 4);
    QCOMPARE(grid.Selection(), (GridRect{3, 4, 3, 4}));
    QCOMPARE(grid.CurrentColumn(), 3);
    QCOMPARE(grid.CurrentRow(), 4);

    grid.SetSelection(GridRect{1, 1, 2, 2});
    grid.RightPressAt(6, 6);
    QCOMPARE(grid.Selection(), (GridRect{1, 1, 2, 2}));
    QCOMPARE(grid.CurrentColumn(), 3);
}

void TestMapSetGrid::resultReadsEveryCell() {
    MapSetGrid grid = CountingGrid();
    QCOMPARE(grid.Result(), CountingCells());
    grid.SetCurrentCell(7, 7);
    grid.Type(u'A');
    std::array<uint8_t, 64> expected = CountingCells();
    expected[63] = 0x0A;
    QCOMPARE(grid.Result(), expected);
    // A reload puts the current cell back at the start.
    grid.Load(CountingCells());
    QCOMPARE(grid.CurrentColumn(), 0);
    QCOMPARE(grid.CurrentRow(), 0);
}

namespace {
struct DialogBench {
    DialogBench() : Form(Prompt) {
        Form.Load(0x1F, CountingCells());
        Form.show();
        Table = Form.findChild<QTableWidget *>(QStringLiteral("SGridMapSetEdit"));
    }
    QString Text(int column, int row) const { return Table->item(row, column)->text(); }
    QAction *Action(const char *name) {
        return Form.findChild<QAction *>(QString::fromLatin1(name));
    }
    void Select(int left, int top, int right, int bottom) {
        Table->clearSelection();
        Table->setCurrentCell(top, left, QItemSelectionModel::NoUpdate);
        Table->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
    }

    ScriptedPrompt Prompt;
    TMapSetEditGridForm Form;
    QTableWidget *Table = nullptr;
};
} // namespace

void TestMapSetGrid::dialogOpensWithMapSet() {
    DialogBench bench;
    QCOMPARE(bench.Form.windowTitle(), QStringLiteral("マップセット(番号1F)の編集"));
    QCOMPARE(bench.Form.size(), QSize(293, 339));
    QCOMPARE(bench.Table->rowCount(), 8);
    QCOMPARE(bench.Table->columnCount(), 8);
    QCOMPARE(bench.Table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(bench.Text(2, 3), QStringLiteral("1A"));
    QCOMPARE(bench.Table->currentRow(), 0);
    QCOMPARE(bench.Table->currentColumn(), 0);
    QCOMPARE(bench.Table->selectedRanges().size(), 1);
    QCOMPARE(bench.Table->selectedRanges().first().rowCount(), 1);
    QCOMPARE(bench.Table->selectedRanges().first().columnCount(), 1);
    auto *cancel = bench.Form.findChild<QPushButton *>(QStringLiteral("BtnGridEditCancel"));
    QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
    cancel->click();
    QCOMPARE(bench.Form.result(), int(QDialog::Rejected));
}

// Every cell is 31 x 31 inside; Qt counts the grid line right of and below a cell into its
// column and row. Together the cells fill the grid, leaving no strip beside or below them.
void TestMapSetGrid::dialogCellsFillTheGrid() {
    DialogBench bench;
    QCOMPARE(bench.Table->geometry(), QRect(16, 8, 259, 259));
    const QSize inside = bench.Table->viewport()->size();
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(bench.Table->columnViewportPosition(i), right);
        QCOMPARE(bench.Table->rowViewportPosition(i), bottom);
        if (i < 7) {
            QCOMPARE(bench.Table->columnWidth(i), 31 + 1);
            QCOMPARE(bench.Table->rowHeight(i), 31 + 1);
        } else {
            QVERIFY(bench.Table->columnWidth(i) >= 31 + 1);
            QVERIFY(bench.Table->rowHeight(i) >= 31 + 1);
        }
        right += bench.Table->columnWidth(i);
        bottom += bench.Table->rowHeight(i);
    }
    QCOMPARE(right, inside.width());
    QCOMPARE(bottom, inside.height());
}

namespace {
/// The smallest rectangle holding every pixel of `picture` that differs from its top-left.
QRect InkBounds(const QImage &picture) {
    const QRgb background = picture.pixel(0, 0);
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
} // namespace

// The number of a cell stands at its right edge, its text box starting 2 pixels below the
// cell's top edge.
void TestMapSetGrid::dialogCellTextRightAlignedBelowTopEdge() {
    DialogBench bench;
    QVERIFY(QTest::qWaitForWindowExposed(&bench.Form));
    const int column = 3;
    const int row = 4;
    const QRect cell(bench.Table->columnViewportPosition(column),
                     bench.Table->rowViewportPosition(row), 31, 31);
    const QImage shown = bench.Table->viewport()->grab().toImage().copy(cell);

    QImage expected(cell.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(bench.Table->font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 2, 31, 29), Qt::AlignRight | Qt::AlignTop, bench.Text(column, row));
    painter.end();

    QVERIFY(!InkBounds(expected).isEmpty());
    QCOMPARE(InkBounds(shown), InkBounds(expected));
}

void TestMapSetGrid::dialogKeysTypeAndArrowNormalises() {
    DialogBench bench;
    QTest::keyClicks(bench.Table, QStringLiteral("123"));
    QCOMPARE(bench.Text(0, 0), QStringLiteral("3"));
    QTest::keyClick(bench.Table, Qt::Key_Right);
    QCOMPARE(bench.Text(0, 0), QStringLiteral("03"));
    QCOMPARE(bench.Table->currentColumn(), 1);
    QTest::keyClicks(bench.Table, QStringLiteral("e"));
    QCOMPARE(bench.Text(1, 0), QStringLiteral("E"));
    bench.Form.findChild<QPushButton *>(QStringLiteral("BtnGridEditOK"))->click();
    QCOMPARE(bench.Form.result(), int(QDialog::Accepted));
    std::array<uint8_t, 64> expected = CountingCells();
    expected[0] = 0x03;
    expected[1] = 0x0E;
    QCOMPARE(bench.Form.Result(), expected);
}

void TestMapSetGrid::dialogMenuCopiesPastesAndFills() {
    DialogBench bench;
    bench.Select(1, 0, 2, 1);
    bench.Action("N1")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("01 02\r\n09 0A\r\n"));

    bench.Select(6, 6, 6, 6);
    bench.Action("N2")->trigger();
    QCOMPARE(bench.Text(6, 6), QStringLiteral("01"));
    QCOMPARE(bench.Text(7, 7), QStringLiteral("0A"));

    bench.Prompt.Texts = {QStringLiteral("100"), std::nullopt, QStringLiteral("f")};
    bench.Select(0, 0, 1, 0);
    bench.Action("N3")->trigger();
    bench.Action("N3")->trigger();
    QCOMPARE(bench.Text(0, 0), QStringLiteral("00"));
    QCOMPARE(bench.Text(1, 0), QStringLiteral("01"));
    bench.Action("N3")->trigger();
    QCOMPARE(bench.Text(0, 0), QStringLiteral("0F"));
    QCOMPARE(bench.Text(1, 0), QStringLiteral("0F"));
    QCOMPARE(bench.Text(2, 0), QStringLiteral("02"));
    QCOMPARE(bench.Prompt.TextPrompts.size(), 3);
    QCOMPARE(bench.Prompt.TextPrompts.first(),
             QStringLiteral("選択範囲の初期化|初期化に使用する値を入力して下さい(00～FF)"));
}

void TestMapSetGrid::dialogRightClickKeepsRangeAndEnablesPaste() {
    DialogBench bench;
    auto *menu = bench.Form.findChild<QMenu *>(QStringLiteral("PopupMenuGrid"));
    QWidget *cells = bench.Table->viewport();
    const auto cellCentre = [&](int column, int row) {
        return bench.Table->visualItemRect(bench.Table->item(row, column)).center();
    };

    QGuiApplication::clipboard()->setText(QString());
    QTest::keyClicks(bench.Table, QStringLiteral("7"));
    QTest::mouseClick(cells, Qt::RightButton, {}, cellCentre(4, 5));
    QVERIFY(menu->isVisible());
    QVERIFY(!bench.Action("N2")->isEnabled());
    // A press normalises first, and a single selected cell follows the pointer.
    QCOMPARE(bench.Text(0, 0), QStringLiteral("07"));
    QCOMPARE(bench.Table->currentRow(), 5);
    QCOMPARE(bench.Table->currentColumn(), 4);
    menu->close();

    QGuiApplication::clipboard()->setText(QStringLiteral("11"));
    bench.Select(1, 1, 3, 2);
    QTest::mouseClick(cells, Qt::RightButton, {}, cellCentre(6, 6));
    QVERIFY(bench.Action("N2")->isEnabled());
    const QList<QTableWidgetSelectionRange> ranges = bench.Table->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges.first().leftColumn(), 1);
    QCOMPARE(ranges.first().bottomRow(), 2);
    QCOMPARE(ranges.first().rightColumn(), 3);
    menu->close();
}

QTEST_MAIN(TestMapSetGrid)
#include "tst_mapsetgrid.moc"

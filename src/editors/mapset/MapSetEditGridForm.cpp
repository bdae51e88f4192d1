#include "MapSetEditGridForm.h"

#include "HexText.h"
#include "UserPrompt.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <optional>

namespace {
constexpr int CellSize = 31;
// Qt counts a cell's right and bottom grid line into its column and row.
constexpr int GridLine = 1;
constexpr int TextTopMargin = 2;

/// Draws a cell as the dialog shows its numbers: the background the grid chose (normal,
/// selected or current cell), then the text right-aligned from 2 pixels below the cell's top
/// edge rather than centred.
class CellTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget *grid = cell.widget;
        QStyle *style = grid ? grid->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, grid);

        QPalette::ColorGroup group = QPalette::Disabled;
        if (cell.state.testFlag(QStyle::State_Enabled))
            group = cell.state.testFlag(QStyle::State_Active) ? QPalette::Normal
                                                              : QPalette::Inactive;
        const QPalette::ColorRole role = cell.state.testFlag(QStyle::State_Selected)
                                             ? QPalette::HighlightedText
                                             : QPalette::Text;
        painter->save();
        painter->setFont(cell.font);
        painter->setPen(cell.palette.color(group, role));
        painter->drawText(cell.rect.adjusted(0, TextTopMargin, 0, 0), Qt::AlignRight | Qt::AlignTop,
                          text);
        painter->restore();
    }
};

QFont GothicFont(int pixelSize) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelSize);
    return font;
}

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption, int x) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, 304, 75, 25);
    button->setAutoDefault(false);
    return button;
}
} // namespace

TMapSetEditGridForm::TMapSetEditGridForm(UserPrompt &prompt, QWidget *parent)
    : QDialog(parent), Prompt(prompt) {
    setObjectName(QStringLiteral("MapSetEditGridForm"));
    setWindowTitle(tr("マップセットの編集"));
    setFont(GothicFont(12));
    setFixedSize(293, 339);

    SGridMapSetEdit = new QTableWidget(MapSetGrid::Rows, MapSetGrid::Columns, this);
    SGridMapSetEdit->setObjectName(QStringLiteral("SGridMapSetEdit"));
    SGridMapSetEdit->setGeometry(16, 8, 259, 259);
    SGridMapSetEdit->setFont(GothicFont(15));
    SGridMapSetEdit->horizontalHeader()->hide();
    SGridMapSetEdit->verticalHeader()->hide();
    SGridMapSetEdit->horizontalHeader()->setMinimumSectionSize(1);
    SGridMapSetEdit->verticalHeader()->setMinimumSectionSize(1);
    for (int i = 0; i < MapSetGrid::Columns; ++i) {
        SGridMapSetEdit->setColumnWidth(i, CellSize + GridLine);
        SGridMapSetEdit->setRowHeight(i, CellSize + GridLine);
    }
    // The last column and row take up what the frame leaves, so the cells fill the grid.
    SGridMapSetEdit->horizontalHeader()->setStretchLastSection(true);
    SGridMapSetEdit->verticalHeader()->setStretchLastSection(true);
    SGridMapSetEdit->setItemDelegate(new CellTextDelegate(SGridMapSetEdit));
    SGridMapSetEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGridMapSetEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Cells change only through the typing, paste and fill rules, never an in-place editor.
    SGridMapSetEdit->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGridMapSetEdit->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SGridMapSetEdit->setTabKeyNavigation(false);
    for (int row = 0; row < MapSetGrid::Rows; ++row)
        for (int column = 0; column < MapSetGrid::Columns; ++column)
            SGridMapSetEdit->setItem(row, column, new QTableWidgetItem);
    SGridMapSetEdit->installEventFilter(this);
    SGridMapSetEdit->viewport()->installEventFilter(this);

    BtnGridEditOK = MakeButton(this, QStringLiteral("BtnGridEditOK"), QStringLiteral("OK"), 104);
    BtnGridEditCancel =
        MakeButton(this, QStringLiteral("BtnGridEditCancel"), tr("キャンセル"), 200);
    connect(BtnGridEditOK, &QPushButton::clicked, this, &TMapSetEditGridForm::BtnGridEditOKClick);
    connect(BtnGridEditCancel, &QPushButton::clicked, this,
            &TMapSetEditGridForm::BtnGridEditCancelClick);

    PopupMenuGrid = new QMenu(this);
    PopupMenuGrid->setObjectName(QStringLiteral("PopupMenuGrid"));
    N1 = PopupMenuGrid->addAction(tr("クリップボードにコピー"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenuGrid->addAction(tr("クリップボードから貼り付け"));
    N2->setObjectName(QStringLiteral("N2"));
    N3 = PopupMenuGrid->addAction(tr("選択範囲を初期化"));
    N3->setObjectName(QStringLiteral("N3"));
    connect(N1, &QAction::triggered, this, &TMapSetEditGridForm::N1Click);
    connect(N2, &QAction::triggered, this, &TMapSetEditGridForm::N2Click);
    connect(N3, &QAction::triggered, this, &TMapSetEditGridForm::N3Click);
}

void TMapSetEditGridForm::Load(int mapSetNumber,
                               const std::array<uint8_t, MapSetGrid::CellCount> &cells) {
    setWindowTitle(tr("マップセット(番号%1)の編集").arg(HexText(mapSetNumber)));
    Grid.Load(cells);
    ShowCells();
    ShowSelection();
    SGridMapSetEdit->setFocus();
}

void TMapSetEditGridForm::PullSelection() {
    Grid.SetCurrentCell(SGridMapSetEdit->currentColumn(), SGridMapSetEdit->currentRow());
    const QList<QTableWidgetSelectionRange> ranges = SGridMapSetEdit->selectedRanges();
    if (ranges.isEmpty()) {
        // The grid always has a selection: at least its current cell.
        const int column = Grid.CurrentColumn();
        const int row = Grid.CurrentRow();
        Grid.SetSelection(GridRect{column, row, column, row});
        return;
    }
    const QTableWidgetSelectionRange &range = ranges.first();
    Grid.SetSelection(
        GridRect{range.leftColumn(), range.topRow(), range.rightColumn(), range.bottomRow()});
}

void TMapSetEditGridForm::ShowCells() {
    for (int row = 0; row < MapSetGrid::Rows; ++row)
        for (int column = 0; column < MapSetGrid::Columns; ++column)
            SGridMapSetEdit->item(row, column)->setText(Grid.Cell(column, row));
}

void TMapSetEditGridForm::ShowSelection() {
    const GridRect &s = Grid.Selection();
    SGridMapSetEdit->setCurrentCell(Grid.CurrentRow(), Grid.CurrentColumn(),
                                    QItemSelectionModel::NoUpdate);
    SGridMapSetEdit->clearSelection();
    SGridMapSetEdit->setRangeSelected(QTableWidgetSelectionRange(s.Top, s.Left, s.Bottom, s.Right),
                                      true);
}

bool TMapSetEditGridForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == SGridMapSetEdit) {
        if (event->type() == QEvent::FocusOut) {
            SGridMapSetEditExit();
        } else if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            SGridMapSetEditKeyDown(key->key());
            return SGridMapSetEditKeyPress(key->text());
        }
    } else if (watched == SGridMapSetEdit->viewport() &&
               event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        return SGridMapSetEditMouseDown(press->button(), press->position().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

void TMapSetEditGridForm::SGridMapSetEditExit() {
    Grid.NormaliseCells();
    ShowCells();
}

void TMapSetEditGridForm::SGridMapSetEditKeyDown(int key) {
    // A half-typed number is completed before the current cell moves on.
    if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
        Grid.NormaliseCells();
        ShowCells();
    }
}

bool TMapSetEditGridForm::SGridMapSetEditKeyPress(const QString &text) {
    if (text.size() != 1)
        return false;
    PullSelection();
    if (!Grid.Type(text.front()))
        return false;
    ShowCells();
    return true;
}

bool TMapSetEditGridForm::SGridMapSetEditMouseDown(Qt::MouseButton button, QPoint at) {
    Grid.NormaliseCells();
    ShowCells();
    if (button != Qt::RightButton)
        return false;
    PullSelection();
    const QModelIndex index = SGridMapSetEdit->indexAt(at);
    if (index.isValid()) {
        Grid.RightPressAt(index.column(), index.row());
        ShowSelection();
    }
    N2->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    PopupMenuGrid->popup(SGridMapSetEdit->viewport()->mapToGlobal(at));
    // The grid's own handling would move the selection off a range the menu applies to.
    return true;
}

void TMapSetEditGridForm::N1Click() {
    PullSelection();
    QGuiApplication::clipboard()->setText(Grid.CopyText());
}

void TMapSetEditGridForm::N2Click() {
    PullSelection();
    Grid.Paste(QGuiApplication::clipboard()->text());
    ShowCells();
}

void TMapSetEditGridForm::N3Click() {
    PullSelection();
    const std::optional<QString> answer =
        Prompt.AskText(tr("選択範囲の初期化"), tr("初期化に使用する値を入力して下さい(00～FF)"));
    if (answer && Grid.Fill(*answer))
        ShowCells();
}

void TMapSetEditGridForm::BtnGridEditOKClick() {
    ResultBuffer = Grid.Result();
    accept();
}

void TMapSetEditGridForm::BtnGridEditCancelClick() {
    reject();
}

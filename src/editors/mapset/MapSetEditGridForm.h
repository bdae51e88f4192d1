#pragma once

#include "MapSetGrid.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QAction;
class QMenu;
class QPushButton;
class QTableWidget;
class UserPrompt;

/// The modal dialog that shows one map set as an 8 x 8 grid of hexadecimal chip numbers and
/// lets the user type, copy, paste and fill them. Created once and reused; every opening
/// replaces the caption, the cells, the current cell and the selection.
///
/// Owns its controls and the grid state (`MapSetGrid`, which holds the rules); borrows the
/// prompt for the fill value's input box. It never touches the stage model: the map set page
/// reads `Result` after an OK.
class TMapSetEditGridForm : public QDialog {
    Q_OBJECT
public:
    explicit TMapSetEditGridForm(UserPrompt &prompt, QWidget *parent = nullptr);

    /// Prepares an opening for map set `mapSetNumber` holding `cells`.
    void Load(int mapSetNumber, const std::array<uint8_t, MapSetGrid::CellCount> &cells);
    /// The 64 bytes confirmed by the last OK.
    const std::array<uint8_t, MapSetGrid::CellCount> &Result() const { return ResultBuffer; }

    void N1Click();
    void N2Click();
    void N3Click();
    void BtnGridEditOKClick();
    void BtnGridEditCancelClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SGridMapSetEditExit();
    /// True when the key was consumed.
    bool SGridMapSetEditKeyPress(const QString &text);
    void SGridMapSetEditKeyDown(int key);
    /// True when the press was consumed.
    bool SGridMapSetEditMouseDown(Qt::MouseButton button, QPoint at);
    /// Takes the table's current cell and selection into the grid state.
    void PullSelection();
    /// Shows the grid state's cell texts, current cell and selection in the table.
    void ShowCells();
    void ShowSelection();

    UserPrompt &Prompt;
    MapSetGrid Grid;
    std::array<uint8_t, MapSetGrid::CellCount> ResultBuffer{};
    QTableWidget *SGridMapSetEdit = nullptr;
    QPushButton *BtnGridEditOK = nullptr;
    QPushButton *BtnGridEditCancel = nullptr;
    QMenu *PopupMenuGrid = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N3 = nullptr;
};

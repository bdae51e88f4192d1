#pragma once

#include <QWidget>

class QToolButton;

/// Which arrow of an up-down was pressed. On a horizontal up-down the right arrow counts
/// as up and the left arrow as down.
enum class UpDownDirection { Up, Down };

/// A pair of arrow buttons stepping an integer position within Min..Max, as a spinner
/// without its own text (up above down, or left and right when horizontal).
///
/// Pressing an arrow first asks `ChangingEx` whether the step may happen; a handler that
/// refuses keeps the position where it is, which lets a page use the control as two plain
/// buttons. An allowed step moves the position and reports `Click`. At a limit without
/// wrapping there is no step, so nothing is reported. Owns its two buttons.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget *parent = nullptr, Qt::Orientation orientation = Qt::Vertical);

    int Tag() const { return TagNumber; }
    void SetTag(int tag) { TagNumber = tag; }
    int Min() const { return Minimum; }
    int Max() const { return Maximum; }
    /// Sets both limits (swapped when given the wrong way round) and keeps the position
    /// inside them.
    void SetRange(int min, int max);
    int Position() const { return Pos; }
    /// Clamped to Min..Max; reports nothing.
    void SetPosition(int position);
    bool Wrap() const { return Wrapping; }
    void SetWrap(bool wrap) { Wrapping = wrap; }

    /// The up (or right) and down (or left) arrow buttons.
    QToolButton *UpButton() const { return Up; }
    QToolButton *DownButton() const { return Down; }

signals:
    /// The position is about to become `newValue`; set `allowChange` to false to refuse.
    void ChangingEx(TUpDown *sender, bool &allowChange, int newValue, UpDownDirection direction);
    /// The position has moved one step in `direction`.
    void Click(TUpDown *sender, UpDownDirection direction);

private:
    void Step(UpDownDirection direction);

    QToolButton *Up;
    QToolButton *Down;
    int TagNumber = 0;
    int Minimum = 0;
    int Maximum = 100;
    int Pos = 0;
    bool Wrapping = false;
};

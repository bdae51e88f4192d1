#include "UpDown.h"

#include <QBoxLayout>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace {
QToolButton *MakeArrow(QWidget *parent, Qt::ArrowType arrow, const QString &name) {
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    // Holding an arrow keeps stepping, as a spinner's arrows do.
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}
} // namespace

TUpDown::TUpDown(QWidget *parent, Qt::Orientation orientation) : QWidget(parent) {
    const bool vertical = orientation == Qt::Vertical;
    // The buttons are named after the control once it has a name; until then generic names.
    Up = MakeArrow(this, vertical ? Qt::UpArrow : Qt::RightArrow, QStringLiteral("Up"));
    Down = MakeArrow(this, vertical ? Qt::DownArrow : Qt::LeftArrow, QStringLiteral("Down"));
    auto *layout =
        new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (vertical) {
        layout->addWidget(Up);
        layout->addWidget(Down);
    } else {
        layout->addWidget(Down);
        layout->addWidget(Up);
    }
    connect(Up, &QToolButton::clicked, this, [this] { Step(UpDownDirection::Up); });
    connect(Down, &QToolButton::clicked, this, [this] { Step(UpDownDirection::Down); });
    connect(this, &QObject::objectNameChanged, this, [this](const QString &name) {
        Up->setObjectName(name + QStringLiteral("Up"));
        Down->setObjectName(name + QStringLiteral("Down"));
    });
}

void TUpDown::SetRange(int min, int max) {
    if (min > max)
        std::swap(min, max);
    Minimum = min;
    Maximum = max;
    Pos = std::clamp(Pos, Minimum, Maximum);
}

void TUpDown::SetPosition(int position) {
    Pos = std::clamp(position, Minimum, Maximum);
}

void TUpDown::Step(UpDownDirection direction) {
    // Compared before stepping, so that a limit at either end of int cannot overflow.
    const bool up = direction == UpDownDirection::Up;
    int newValue = 0;
    if (up ? Pos < Maximum : Pos > Minimum)
        newValue = up ? Pos + 1 : Pos - 1;
    else if (Wrapping && Minimum != Maximum)
        newValue = up ? Minimum : Maximum;
    else
        return;
    bool allowChange = true;
    emit ChangingEx(this, allowChange, newValue, direction);
    if (!allowChange)
        return;
    Pos = newValue;
    emit Click(this, direction);
}

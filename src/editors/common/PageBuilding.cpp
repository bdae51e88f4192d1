#include "PageBuilding.h"

#include "ImageEx.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

QString Numbered(const char16_t *prefix, int number) {
    return QString::fromUtf16(prefix) + QString::number(number);
}

TImageEx *MakeImage(QWidget *parent, const QString &name, int width, int height, int tag) {
    auto *image = new TImageEx(parent, width, height, tag);
    image->setObjectName(name);
    return image;
}

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QCheckBox *MakeCheckBox(QWidget *parent, const QString &name, const QString &caption) {
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QScrollBar *MakeScrollBar(QWidget *parent, const QString &name, Qt::Orientation orientation,
                          int maximum) {
    auto *bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setRange(0, maximum);
    bar->setPageStep(1);
    return bar;
}

QLineEdit *MakeHexEdit(QWidget *parent, const QString &name, int width) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(2);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QHBoxLayout *CaptionedValue(QWidget *parent, const QString &caption, QWidget *value) {
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, parent));
    row->addWidget(value);
    row->addStretch();
    return row;
}

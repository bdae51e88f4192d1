#pragma once

#include <QString>
#include <Qt>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;
class TImageEx;

// The widget makers every editor page is built from: each names its widget so that the
// page's controls can be found by name, and gives it the look the pages share.

/// `prefix` followed by the decimal `number`: the name of one of a row of like widgets.
QString Numbered(const char16_t *prefix, int number);

TImageEx *MakeImage(QWidget *parent, const QString &name, int width, int height, int tag = 0);
QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &text);
QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption);
QCheckBox *MakeCheckBox(QWidget *parent, const QString &name, const QString &caption);

/// A bar from 0 to `maximum` that moves one step per page click.
QScrollBar *MakeScrollBar(QWidget *parent, const QString &name, Qt::Orientation orientation,
                          int maximum);

/// A centred edit of `width` pixels for a two-digit hexadecimal number.
QLineEdit *MakeHexEdit(QWidget *parent, const QString &name, int width);

/// A caption followed by the value (a label or an edit) it names, as one row.
QHBoxLayout *CaptionedValue(QWidget *parent, const QString &caption, QWidget *value);

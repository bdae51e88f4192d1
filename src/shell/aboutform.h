#pragma once

#include <QDialog>

/// The version box: the program's name and version, its licence, and the way to Qt's own
/// licence box. Owns its controls; created for one showing.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);
};

#pragma once

#include <QPlainTextEdit>

/// The editor's editable multi-line text box. Every editable one is a TMemo, never a bare
/// QPlainTextEdit or QTextEdit.
///
/// Why it exists: Qt 6.4's text control dereferences the first clipboard format without
/// checking that there is one. On X11 the clipboard (and the primary selection) of a session
/// where nothing has been copied, or whose owner has gone, offers data with no formats at
/// all, so Ctrl+V there ended the program with every unsaved edit. Each way a paste arrives
/// (the paste keys, the context menu's paste, the middle button, a drop) reaches the two
/// overrides below, which turn data without formats away before Qt's own code sees it.
/// Data with formats is pasted exactly as QPlainTextEdit pastes it.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

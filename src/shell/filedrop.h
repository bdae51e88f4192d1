#pragma once

#include <QObject>

class QMimeData;
class QWidget;

/// Opening an image by dropping it on the window: one local file dropped anywhere in
/// `window` (on a text field too) is handed on as `FileDropped` from the event loop, after
/// the drop has returned; anything else dropped is left to the widget under the pointer, as
/// without this class.
///
/// Owns nothing; watches the application's events for the window it borrows.
class FileDrop : public QObject {
    Q_OBJECT
public:
    FileDrop(QWidget &window, QObject *parent);
    ~FileDrop() override;

    /// The one local file `data` carries, or an empty text.
    static QString DroppedFile(const QMimeData *data);

signals:
    void FileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &Window;
};

#include "filedrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget &window, QObject *parent) : QObject(parent), Window(window) {
    Window.setAcceptDrops(true);
    // The whole application, not only the window: a text field under the pointer would
    // otherwise take the file's path as text.
    qApp->installEventFilter(this);
}

FileDrop::~FileDrop() {
    qApp->removeEventFilter(this);
}

QString FileDrop::DroppedFile(const QMimeData *data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    const QString path = urls.constFirst().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &Window)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = DroppedFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->acceptProposedAction();
    // Opened once the drop has returned: the dragging program is not kept waiting while the
    // save confirmation or an error box is up.
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { emit FileDropped(path); }, Qt::QueuedConnection);
    return true;
}

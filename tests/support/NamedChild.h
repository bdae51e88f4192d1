#pragma once

#include <QObject>
#include <QString>

/// The child of `parent` called `name`. Every later step of a test would use it, so a
/// missing one ends the test run.
template <typename T> T *NamedChild(const QObject *parent, const QString &name) {
    T *child = parent->findChild<T *>(name);
    if (!child)
        qFatal("control %s missing", qPrintable(name));
    return child;
}

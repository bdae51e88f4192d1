#include "TImageExInput.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {
void Send(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                      modifiers);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

void Move(QWidget *widget, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    Send(widget, QEvent::MouseMove, at, Qt::NoButton, buttons, modifiers);
}

void Press(QWidget *widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    Send(widget, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void Click(QWidget *widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    Press(widget, at, button, modifiers);
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

void Leave(QWidget *widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

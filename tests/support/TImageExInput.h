#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// Mouse input for an image control at a pixel. The events go to the control itself, so a
// position outside it arrives as it does while a button is held.

/// A move to `at` with `buttons` held.
void Move(QWidget *widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A press of `button` at `at`, left held down.
void Press(QWidget *widget, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A press of `button` at `at` and its release there.
void Click(QWidget *widget, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// The pointer leaves the control.
void Leave(QWidget *widget);

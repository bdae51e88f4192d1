#pragma once

#include <QImage>
#include <QWidget>

/// An image control: shows one picture 1:1 and reports the mouse.
///
/// Mouse tracking is on, so moves arrive without a button held. Every event carries the
/// sending control, whose `Tag` tells the members of a numbered family apart, and the
/// pixel position in picture coordinates (which may lie outside the picture while a
/// button is held). On a scaled screen the picture is drawn with nearest-neighbour
/// scaling so pixels stay crisp. Owns its picture.
class TImageEx : public QWidget {
    Q_OBJECT
public:
    explicit TImageEx(QWidget *parent = nullptr, int width = 0, int height = 0, int tag = 0);

    int Tag() const { return TagNumber; }
    void SetTag(int tag) { TagNumber = tag; }

    /// The picture shown, `QImage::Format_RGB32`, sized like the control. After drawing
    /// into it, call `update()` to show the change.
    QImage &Picture() { return Image; }
    const QImage &Picture() const { return Image; }
    /// Replaces the picture and resizes the control to it.
    void SetPicture(const QImage &picture);

    QSize sizeHint() const override;

signals:
    void MouseDown(TImageEx *sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   int x, int y);
    void MouseMove(TImageEx *sender, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   int x, int y);
    void MouseUp(TImageEx *sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 int x, int y);
    void MouseEnter(TImageEx *sender);
    void MouseLeave(TImageEx *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QImage Image;
    int TagNumber = 0;
};

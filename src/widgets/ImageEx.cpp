#include "ImageEx.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {
// Positions are whole picture pixels; a pointer left of or above the control gives
// negative numbers rather than 0 so callers can tell it is outside.
int PixelOf(qreal coordinate) { return static_cast<int>(std::floor(coordinate)); }
} // namespace

TImageEx::TImageEx(QWidget *parent, int width, int height, int tag)
    : QWidget(parent), Image(width, height, QImage::Format_RGB32), TagNumber(tag) {
    Image.fill(Qt::black);
    setMouseTracking(true);
    setFixedSize(width, height);
}

void TImageEx::SetPicture(const QImage &picture) {
    Image = picture.convertToFormat(QImage::Format_RGB32);
    setFixedSize(Image.size());
    update();
}

QSize TImageEx::sizeHint() const { return Image.size(); }

void TImageEx::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), Image);
}

void TImageEx::mousePressEvent(QMouseEvent *event) {
    const QPointF p = event->position();
    emit MouseDown(this, event->button(), event->modifiers(), PixelOf(p.x()), PixelOf(p.y()));
}

void TImageEx::mouseMoveEvent(QMouseEvent *event) {
    const QPointF p = event->position();
    emit MouseMove(this, event->buttons(), event->modifiers(), PixelOf(p.x()), PixelOf(p.y()));
}

void TImageEx::mouseReleaseEvent(QMouseEvent *event) {
    const QPointF p = event->position();
    emit MouseUp(this, event->button(), event->modifiers(), PixelOf(p.x()), PixelOf(p.y()));
}

void TImageEx::enterEvent(QEnterEvent *) { emit MouseEnter(this); }

void TImageEx::leaveEvent(QEvent *) { emit MouseLeave(this); }

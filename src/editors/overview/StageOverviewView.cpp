#include "StageOverviewView.h"

#include "HexText.h"
#include "StageOverview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>

namespace {

constexpr int WheelUnitsPerNotch = 120;
constexpr int RoomNumberMargin = 2;

} // namespace

TStageOverviewView::TStageOverviewView(StageOverviewPicture &picture, QWidget *parent)
    : QAbstractScrollArea(parent), Overview(picture) {
    setObjectName(QStringLiteral("ViewOverview"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    UpdateScrollBars();
}

QPoint TStageOverviewView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint TStageOverviewView::PicturePoint(QPoint point) const {
    const QPoint content = point + ScrollPosition();
    return QPoint(content.x() * 100 / ZoomPercent, content.y() * 100 / ZoomPercent);
}

QRect TStageOverviewView::ViewRect(const QRect &pictureRect) const {
    const QPoint scroll = ScrollPosition();
    const int left = pictureRect.left() * ZoomPercent / 100;
    const int top = pictureRect.top() * ZoomPercent / 100;
    const int right = ((pictureRect.right() + 1) * ZoomPercent + 99) / 100;
    const int bottom = ((pictureRect.bottom() + 1) * ZoomPercent + 99) / 100;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).translated(-scroll);
}

void TStageOverviewView::UpdateScrollBars() {
    const QSize picture = Overview.Layout().PictureSize() * ZoomPercent / 100;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, picture.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, picture.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    const int step = std::max(1, StageOverviewLayout::RoomSize * ZoomPercent / 100 / 8);
    horizontalScrollBar()->setSingleStep(step);
    verticalScrollBar()->setSingleStep(step);
}

void TStageOverviewView::SetZoom(int percent, QPoint anchor) {
    percent = std::clamp(percent, MinZoom, MaxZoom);
    if (percent == ZoomPercent)
        return;
    const QPoint pictureAnchor = PicturePoint(anchor);
    ZoomPercent = percent;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(pictureAnchor.x() * ZoomPercent / 100 - anchor.x());
    verticalScrollBar()->setValue(pictureAnchor.y() * ZoomPercent / 100 - anchor.y());
    viewport()->update();
    emit ZoomChanged(ZoomPercent);
}

void TStageOverviewView::StepZoom(int direction, QPoint anchor) {
    if (direction > 0) {
        const auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), ZoomPercent);
        if (next != ZoomSteps.end())
            SetZoom(*next, anchor);
    } else if (direction < 0) {
        const auto next = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), ZoomPercent);
        if (next != ZoomSteps.begin())
            SetZoom(*std::prev(next), anchor);
    }
}

void TStageOverviewView::SetRoomNumbersShown(bool shown) {
    RoomNumbers = shown;
    viewport()->update();
}

void TStageOverviewView::PictureResized() {
    UpdateScrollBars();
    viewport()->update();
}

void TStageOverviewView::RoomsChanged(const std::vector<int> &rooms) {
    for (int room : rooms)
        viewport()->update(ViewRect(Overview.Layout().RoomRect(room)));
}

void TStageOverviewView::paintEvent(QPaintEvent *event) {
    // Whatever changed since the last look is taken in first: a repaint never shows an old
    // state of the model.
    emit AboutToPaint();
    const QRect exposed = event->rect();
    // Whole picture pixels around the exposed part, so that partly covered ones are drawn.
    const QRect source =
        QRect(PicturePoint(exposed.topLeft()), PicturePoint(exposed.bottomRight() + QPoint(1, 1)))
            .intersected(QRect(QPoint(0, 0), Overview.Layout().PictureSize()));
    Overview.DrawStale(source);
    // Only the exposed pixels are turned into colours, at the zoom they are shown at.
    if (Exposed.width() < exposed.width() || Exposed.height() < exposed.height())
        Exposed = QImage(exposed.size().expandedTo(Exposed.size()), QImage::Format_RGB32);
    QImage part(Exposed.bits(), exposed.width(), exposed.height(), Exposed.bytesPerLine(),
                QImage::Format_RGB32);
    Overview.Render(part, exposed.topLeft() + ScrollPosition(), ZoomPercent,
                    viewport()->palette().color(QPalette::Dark).rgb());
    QPainter painter(viewport());
    painter.drawImage(exposed.topLeft(), part);
    if (RoomNumbers)
        DrawRoomNumbers(painter, exposed);
}

void TStageOverviewView::DrawRoomNumbers(QPainter &painter, const QRect &exposed) const {
    const QFontMetrics metrics = painter.fontMetrics();
    for (int room = 0; room < RoomCount; ++room) {
        const QRect roomRect = ViewRect(Overview.Layout().RoomRect(room));
        if (!roomRect.intersects(exposed))
            continue;
        const QString text = HexText(static_cast<uint8_t>(room));
        QRect box = metrics.boundingRect(text).adjusted(-RoomNumberMargin, 0, RoomNumberMargin, 0);
        box.moveTopLeft(roomRect.topLeft());
        painter.fillRect(box, Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void TStageOverviewView::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TStageOverviewView::wheelEvent(QWheelEvent *event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        const QPoint anchor = event->position().toPoint();
        // A turn back the other way starts over rather than paying off the rest first.
        if ((ZoomWheelAngle < 0 && delta.y() > 0) || (ZoomWheelAngle > 0 && delta.y() < 0))
            ZoomWheelAngle = 0;
        ZoomWheelAngle += delta.y();
        const int steps = ZoomWheelAngle / WheelUnitsPerNotch;
        ZoomWheelAngle -= steps * WheelUnitsPerNotch;
        for (int k = 0; k < std::abs(steps); ++k)
            StepZoom(steps, anchor);
        event->accept();
        return;
    }
    // One row of rooms has nothing to scroll down: the wheel moves along the row then.
    QScrollBar *bar = delta.x() == 0 && verticalScrollBar()->maximum() > 0 ? verticalScrollBar()
                                                                           : horizontalScrollBar();
    const int units = delta.x() != 0 ? delta.x() : delta.y();
    bar->setValue(bar->value() - units * bar->singleStep() * QApplication::wheelScrollLines() /
                                     WheelUnitsPerNotch);
    event->accept();
}

void TStageOverviewView::mousePressEvent(QMouseEvent *event) {
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) {
        Dragging = true;
        DragStart = position;
        DragScrollStart = ScrollPosition();
        viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const int room = Overview.Layout().RoomAt(PicturePoint(position));
    if (room >= 0)
        emit RoomClicked(room);
}

void TStageOverviewView::mouseMoveEvent(QMouseEvent *event) {
    if (!Dragging)
        return;
    const QPoint scroll = DragScrollStart - (event->position().toPoint() - DragStart);
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void TStageOverviewView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::MiddleButton)
        return;
    Dragging = false;
    viewport()->unsetCursor();
}

#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <array>
#include <vector>

class StageOverviewPicture;

/// Shows a stage overview picture at a zoom of 25 % to 400 % with nearest-neighbour
/// scaling, room numbers optionally on top. The wheel scrolls (down the rows when there are
/// more than fit, else along them), Ctrl+wheel zooms about the pointer, the middle button
/// drags the view, and a left click names the room under the pointer.
///
/// Draws only the exposed part, turned into colours at the zoom shown, and asks the picture
/// to draw just the stale rooms in it.
/// Borrows the picture.
class TStageOverviewView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int MinZoom = 25;
    static constexpr int MaxZoom = 400;
    /// The zooms the buttons and the wheel step through, in percent.
    static constexpr std::array<int, 8> ZoomSteps = {25, 50, 75, 100, 150, 200, 300, 400};

    TStageOverviewView(StageOverviewPicture &picture, QWidget *parent = nullptr);

    int Zoom() const { return ZoomPercent; }
    /// Sets the zoom (clamped to 25..400 %), keeping the picture point under the viewport
    /// point `anchor` where it is.
    void SetZoom(int percent, QPoint anchor = QPoint());
    /// One zoom step up (`direction` > 0) or down (< 0): 25, 50, 75, 100, 150, 200, 300, 400 %.
    void StepZoom(int direction, QPoint anchor = QPoint());
    void SetRoomNumbersShown(bool shown);
    /// The picture changed size (another number of rooms to a row).
    void PictureResized();
    /// Repaints the given rooms where they are in view.
    void RoomsChanged(const std::vector<int> &rooms);

signals:
    void RoomClicked(int room);
    /// A paint is about to show the picture: the moment to bring it up to date.
    void AboutToPaint();
    void ZoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPoint ScrollPosition() const;
    /// The picture point (100 % coordinates) under the viewport point `point`.
    QPoint PicturePoint(QPoint point) const;
    /// The viewport rectangle a rectangle of the picture (100 % coordinates) covers.
    QRect ViewRect(const QRect &pictureRect) const;
    void UpdateScrollBars();
    void DrawRoomNumbers(QPainter &painter, const QRect &exposed) const;

    StageOverviewPicture &Overview;
    /// The pixels of the last paint, kept so that a repaint allocates nothing.
    QImage Exposed;
    int ZoomPercent = 100;
    bool RoomNumbers = true;
    /// Ctrl+wheel angle not yet turned into a zoom step: touchpads send small deltas.
    int ZoomWheelAngle = 0;
    bool Dragging = false;
    QPoint DragStart;
    QPoint DragScrollStart;
};

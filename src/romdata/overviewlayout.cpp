#include "overviewlayout.h"

#include <algorithm>

StageOverviewLayout::StageOverviewLayout(int columns)
    : ColumnCount(std::clamp(columns, 1, RoomCount)) {}

int StageOverviewLayout::Rows() const {
    return (RoomCount + ColumnCount - 1) / ColumnCount;
}

QSize StageOverviewLayout::PictureSize() const {
    return QSize(ColumnCount * RoomSize, Rows() * RoomSize);
}

QRect StageOverviewLayout::RoomRect(int room) const {
    return QRect(RoomSize * (room % ColumnCount), RoomSize * (room / ColumnCount), RoomSize,
                 RoomSize);
}

int StageOverviewLayout::RoomAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / RoomSize;
    const int row = point.y() / RoomSize;
    if (column >= ColumnCount)
        return -1;
    const int room = row * ColumnCount + column;
    return room < RoomCount ? room : -1;
}

int StageOverviewLayout::ZoomToFit(QSize area, const std::vector<int> &zooms) const {
    if (zooms.empty())
        return 100;
    const QSize picture = PictureSize();
    for (auto zoom = zooms.rbegin(); zoom != zooms.rend(); ++zoom)
        if (int64_t{picture.width()} * *zoom <= int64_t{area.width()} * 100 &&
            int64_t{picture.height()} * *zoom <= int64_t{area.height()} * 100)
            return *zoom;
    return zooms.front();
}

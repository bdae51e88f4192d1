#pragma once

#include "editdata.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

/// Where the rooms of one stage stand in the stage overview: rooms in room order, left to
/// right, `Columns()` to a row, each `RoomSize` pixels square at 100 %.
///
/// A value type without borrowed state; the tool and the editor's window lay the same
/// overview out through it.
class StageOverviewLayout {
public:
    static constexpr int RoomSize = 256;

    /// `columns` is clamped to 1..48, so any number read from a control or a command line
    /// gives a layout that holds every room.
    explicit StageOverviewLayout(int columns = RoomCount);

    /// The largest of `zooms` (ascending, percent) at which this layout shows every room
    /// within `area`; the smallest when none does.
    int ZoomToFit(QSize area, const std::vector<int> &zooms) const;

    int Columns() const { return ColumnCount; }
    int Rows() const;
    /// The whole overview at 100 %.
    QSize PictureSize() const;
    /// The square of `room` (0..47) at 100 %.
    QRect RoomRect(int room) const;
    /// The room under the pixel `point` at 100 %, or -1 where no room stands (outside the
    /// picture, or in the empty end of the last row).
    int RoomAt(QPoint point) const;

private:
    int ColumnCount;
};

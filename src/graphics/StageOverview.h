#pragma once

#include "editdata.h"
#include "graphics.h"
#include "overviewlayout.h"

#include <QByteArray>
#include <QImage>
#include <array>
#include <vector>

class FcPaletteData;
class RomImageData;

/// The stage overview picture at 100 %: every room of one stage, laid out by a
/// `StageOverviewLayout`, each drawn exactly as `EditorGraphics::DrawRoom` draws it alone.
///
/// It keeps a copy of everything a room's look depends on (tables, objects, character
/// bytes, colours) as last drawn, so `Follow` finds by comparison which rooms an edit,
/// an undo, a reload or a stage change touched, whoever made it, and only those are drawn
/// again; rooms are drawn when asked for (`DrawStale`), so an animation step costs only
/// the rooms in view.
///
/// Owns its renderer, whose chip sheets follow the model chip by chip, independent of the
/// pages' shared sheets. Borrows the colour table and the document.
class StageOverviewPicture {
public:
    StageOverviewPicture(const FcPaletteData &colours, const RomImageData &document);

    const StageOverviewLayout &Layout() const { return RoomLayout; }
    void SetColumns(int columns);
    bool ObjectsShown() const { return Objects; }
    void SetObjectsShown(bool shown);
    /// Forgets what was drawn: the next `Follow` draws everything from the model (a newly
    /// opened image has other character bytes at another place).
    void Invalidate();

    /// Compares stage `stage` (0..17) in the colours `palette` with what the picture shows,
    /// brings the chip sheets up to date and marks every room whose look changed as stale.
    /// Returns those rooms.
    std::vector<int> Follow(int stage, const IndexedBitmap::Palette &palette);
    /// Draws the stale rooms that meet `area` (100 % coordinates).
    void DrawStale(const QRect &area);
    /// The picture as drawn so far; stale rooms show what they showed before.
    const QImage &Picture() const { return Image; }
    /// The whole picture with every room up to date.
    const QImage &WholePicture();

private:
    struct ObjectMark {
        int32_t X, Y, Kind;
        bool operator==(const ObjectMark &) const = default;
    };
    /// What the picture was drawn from.
    struct DrawnState {
        int Stage = -1;
        int32_t ChrBase = 0;
        std::array<uint8_t, 2> Banks{};
        QByteArray ChrBytes;
        Chip16x16Table Chip16{};
        ChipPropertyTable Properties{};
        Chip32x32Table Chip32{};
        MapSetTable MapSets{};
        std::array<uint8_t, RoomCount> Map{};
        std::array<std::vector<ObjectMark>, RoomCount> Objects;
        IndexedBitmap::Palette Colours{};
    };

    QByteArray BankBytes(const std::array<uint8_t, 2> &banks) const;
    /// Rebuilds the chips whose definitions changed and returns the map sets that look
    /// different since, as 32 flags.
    std::array<bool, 32> UpdateSheets(const StageData &stage, bool everything);
    void MarkAllStale();

    const RomImageData &Document;
    EditorGraphics Graphics;
    StageOverviewLayout RoomLayout;
    bool Objects = false;
    QImage Image;
    std::array<bool, RoomCount> Stale{};
    DrawnState Drawn;
};

#pragma once

#include "editdata.h"
#include "graphics.h"
#include "overviewlayout.h"

#include <QByteArray>
#include <QImage>
#include <array>
#include <bitset>
#include <vector>

class FcPaletteData;
class RomImageData;

/// The stage overview picture at 100 %: every room of one stage, laid out by a
/// `StageOverviewLayout`, each looking exactly as `EditorGraphics::DrawRoom` draws it alone.
///
/// The picture is kept as palette indices, so new colours only swap its colour table; each
/// map set is drawn once into a picture of its own and copied into every room that shows it.
/// It keeps a copy of everything a room's look depends on (tables, objects, character
/// bytes, colours) as last drawn, so `Follow` finds by comparison which rooms an edit, an
/// undo, a reload or a stage change touched, whoever made it, and which rooms a colour change
/// recolours (those that show the colour); rooms are copied when asked for (`DrawStale`), so
/// an edit costs only the rooms in view, and only the part on screen is turned into colours
/// (`Render`).
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
    /// brings the chip sheets and map set pictures up to date and marks every room whose
    /// drawing changed as stale. Returns the rooms that look different: those, and the rooms
    /// showing a colour that changed.
    std::vector<int> Follow(int stage, const IndexedBitmap::Palette &palette);
    /// Draws the stale rooms that meet `area` (100 % coordinates).
    void DrawStale(const QRect &area);
    /// Fills `target` with the picture at `zoomPercent`, nearest neighbour: target pixel
    /// (i, j) shows the picture pixel under the zoomed point `origin` + (i, j), the way a
    /// view scrolled to `origin` shows it; `background` where no picture pixel lies. Stale
    /// rooms show what they showed before. `target` must be 32 bits a pixel.
    void Render(QImage &target, QPoint origin, int zoomPercent, QRgb background) const;
    /// The whole picture with every room up to date, 32 bits a pixel.
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

    using ColourSet = std::bitset<256>;

    QByteArray BankBytes(const std::array<uint8_t, 2> &banks) const;
    /// Draws map set `mapSet` of `stage` from the 32x32 sheet into its picture and notes the
    /// palette entries it shows.
    void DrawMapSetPicture(const StageData &stage, int mapSet);
    /// Room `room` of `stage` into the indexed picture: its map set, then its markers.
    void DrawRoomIndices(const StageData &stage, int room);
    /// Rebuilds the chips whose definitions changed and returns the map sets that look
    /// different since, as 32 flags.
    std::array<bool, 32> UpdateSheets(const StageData &stage, bool everything);
    void MarkAllStale();

    const RomImageData &Document;
    EditorGraphics Graphics;
    StageOverviewLayout RoomLayout;
    bool Objects = false;
    /// The rooms as palette indices, laid out; sized when first drawn into.
    IndexedBitmap Indices;
    std::array<IndexedBitmap, 32> MapSetPictures;
    std::array<ColourSet, 32> MapSetColours;
    /// Where the markers are drawn before they become indices, one room large.
    QImage MarkerScratch;
    QImage Whole;
    std::array<bool, RoomCount> Stale{};
    DrawnState Drawn;
};

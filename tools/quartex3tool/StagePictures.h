#pragma once

#include "graphics.h"

#include <QImage>

class FcPaletteData;
class RomImageData;
class StageData;

/// The pictures the editor draws of one stage, drawn by the editor's own `EditorGraphics`:
/// a room, a map set, the 16x16 and 32x32 chip sheets, the background bank table and the
/// stage overview, all in one palette set without animation.
///
/// Owns the renderer, whose chip sheets it builds once at construction. Borrows the colour
/// table and the document, which must outlive it.
class StagePictures {
public:
    static constexpr int MapSetCount = 32;

    /// Throws std::out_of_range for a stage outside 0..17 or a palette set outside 0..4.
    StagePictures(const FcPaletteData &colours, const RomImageData &rom, int stage, int paletteSet);

    /// The map set room `room` names, 256 x 256, with a marker on every object of the
    /// room when `objects` is set. A map entry above 31 shows the map set of its low five
    /// bits, so that no entry reads outside the stage's 32 map sets.
    QImage Room(int room, bool objects) const;
    /// Map set 0..31, 256 x 256; throws std::out_of_range for any other number, as `Room`
    /// does for a room outside 0..47.
    QImage MapSet(int mapSet) const;
    /// All 256 16x16 chips, 256 x 256.
    QImage Sheet16x16() const;
    /// All 256 32x32 chips, 512 x 512.
    QImage Sheet32x32() const;
    /// The two background banks' 128 tiles each in the bare colours of palette 0, bank 0
    /// above bank 1, 128 x 128.
    QImage Banks() const;
    /// Every room of the stage in room order, `columns` to a row (clamped to 1..48), as
    /// the editor's stage overview shows them at 100 %.
    QImage StageMap(int columns, bool objects) const;

private:
    const FcPaletteData &Colours;
    const RomImageData &Rom;
    int StageNumber;
    const StageData &Stage;
    EditorGraphics Graphics;
};

#pragma once

#include "IndexedBitmap.h"

#include <QImage>
#include <array>
#include <cstdint>

class FcPaletteData;
class RomImageData;
class StageData;

/// Turns the stage tables into pictures: decodes 8x8 tiles into palette-index pixels,
/// keeps the sheets of all 16x16 and 32x32 chips, copies chips and map sets onto pictures,
/// draws frames, grids and object marks, and steps the palette animation.
///
/// Owns the two chip sheets and the master and stage palettes. Borrows the colour table
/// and the document, whose tiles and image bytes it reads (every read bounds-checked).
class EditorGraphics {
public:
    static constexpr int FrameEntry = 80;                ///< palette entry of the frame colour
    static constexpr int LineEntry = 81;                 ///< palette entry of the grid line colour
    static constexpr QRgb FrameColour = 0xFFFF00FF;      // magenta
    static constexpr QRgb LineColour = 0xFFFFFFFF;       // white
    static constexpr QRgb MarkerTextColour = 0xFF000000; // black
    static constexpr QRgb MarkerTextBackground = 0xFFFFFFFF; // white

    EditorGraphics(const FcPaletteData &colours, const RomImageData &document);

    // Palettes
    /// Takes the document's CHR base (`RomImageData::ChrBase`) for the image now loaded.
    void LocateChr();
    int32_t ChrBase() const { return Chr; }
    void LoadMasterPalette();
    /// Entries 0..15 of the stage palette. A colour index of 0x40 or more is coloured by its
    /// low six bits, as the console's palette memory keeps only six (`FcPaletteData::Colour`).
    void SetStagePalette(const std::array<uint8_t, 16> &colourIndices);
    /// `entry` 0..255, else std::out_of_range.
    void SetStagePaletteEntry(int entry, uint8_t colourIndex);
    QRgb GetStagePaletteColour(int entry) const;
    const IndexedBitmap::Palette &StagePalette() const;
    const IndexedBitmap::Palette &MasterPalette() const;
    void SyncChip32x32SheetPalette();
    void ResetPaletteAnimation();
    /// One timer tick of the animation of the four selector bytes; true when a colour changed.
    /// Every animation table byte lying outside the image buffer reads as 0.
    bool StepPaletteAnimation(const std::array<uint8_t, 4> &selectors);
    /// How many ticks from now the next step of the four selectors comes (1: the next tick);
    /// 0 when no slot plays.
    int TicksUntilStep(const std::array<uint8_t, 4> &selectors) const;

    // Surfaces
    IndexedBitmap CreateStageBitmap(int width, int height) const;
    IndexedBitmap CreatePaletteBitmap(int width, int height) const;
    static void FillSurfaceRect(IndexedBitmap &surface, int x, int y, int width, int height,
                                uint8_t index);
    static void FillPictureRect(IndexedBitmap &picture, int x, int y, int width, int height,
                                uint8_t index);

    // Drawing into surfaces. Pixels outside the surface are skipped; CHR bytes that lie
    // outside the image buffer read as 0. Only the low two bits of a palette number count.
    void DrawTile(IndexedBitmap &surface, const std::array<uint8_t, 2> &banks, int palette,
                  uint8_t tile, int x, int y) const;
    void DrawChip16x16(IndexedBitmap &surface, const std::array<uint8_t, 2> &banks, int palette,
                       const std::array<uint8_t, 1024> &chip16x16, uint8_t chip, int x,
                       int y) const;
    void BuildChip16x16Sheet(IndexedBitmap &surface, const std::array<uint8_t, 2> &banks,
                             const std::array<uint8_t, 1024> &chip16x16,
                             const std::array<uint8_t, 256> &chipProperty) const;
    void DrawTileTable(IndexedBitmap &surface, uint8_t bank, int y0) const;
    void BuildChip32x32Sheet(IndexedBitmap &sheet,
                             const std::array<uint8_t, 1024> &chip32x32) const;
    void UpdateChip32x32InSheet(IndexedBitmap &sheet, const std::array<uint8_t, 1024> &chip32x32,
                                uint8_t chip) const;

    // Drawing onto pictures: 32-bit `QImage`s (std::invalid_argument for another depth);
    // everything is clipped to the picture.
    void DrawMapSet(QImage &image, const uint8_t *mapSet64) const;
    /// Room `room` (0..47, else std::out_of_range) of `stage` at the picture's top-left: the
    /// map set its entry names (low five bits, so no entry reads outside the 32 map sets)
    /// and, when `objects` is set, a marker on every object of the room.
    void DrawRoom(QImage &image, const StageData &stage, int room, bool objects) const;
    /// The whole 512 x 512 sheet scaled to the picture's size (halved on 256 x 256).
    void ShowChip32x32Sheet(QImage &image) const;
    void DrawChip32x32(QImage &image, uint8_t chip, int x, int y, int width, int height) const;
    /// The outline of the square (x, y) .. (x + size - 1, y + size - 1), both corners
    /// included; nothing for a size below 1.
    static void DrawFrame(QImage &image, int x, int y, int size);
    /// Nothing for a spacing below 1.
    static void DrawGrid(QImage &image, int dx, int dy);
    /// The 16 x 16 outline around (x, y) and the kind as two hexadecimal digits, black on
    /// white (the picture canvas's default pen and brush), top-left of the text at
    /// (x - 6, y - 6), 11 pixels high (the canvas's default 8 points at 96 dpi).
    static void DrawObjectMarker(QImage &image, int x, uint8_t kind, int y);
    static void DrawCursor24(QImage &image, int x, int y);
    static void DrawCursor32(QImage &image, int x, int y);

    IndexedBitmap &Chip16x16Sheet() { return Sheet16; }
    const IndexedBitmap &Chip16x16Sheet() const { return Sheet16; }
    IndexedBitmap &Chip32x32Sheet() { return Sheet32; }
    const IndexedBitmap &Chip32x32Sheet() const { return Sheet32; }

private:
    /// The image byte at `offset`, or 0 outside the buffer.
    uint8_t ImageByte(int64_t offset) const;
    /// The opaque colour of a master index (low six bits).
    QRgb MasterRgb(uint8_t colourIndex) const;
    /// Decodes the 16 bytes at `address` as an 8 x 8 tile with pixel values base + 0..3.
    void DecodeTile(IndexedBitmap &surface, int64_t address, uint8_t base, int x, int y) const;

    const FcPaletteData &Colours;
    const RomImageData &Document;
    int32_t Chr = 16;
    std::array<int32_t, 4> WaitCounters{};
    std::array<int32_t, 4> FrameNumbers{};
    IndexedBitmap MasterSurface;
    IndexedBitmap StageSurface;
    IndexedBitmap Sheet16;
    IndexedBitmap Sheet32;
};

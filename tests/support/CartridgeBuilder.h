#pragma once

#include "address.h"
#include "editdata.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

/// Builds a synthetic iNES image for tests: a valid header, 16 PRG and 16 CHR units
/// (393232 bytes), every stage's tables at the default offsets filled with a
/// deterministic pattern, object tables grouped by room with the end marker, palette
/// animation tables and CHR bytes. All content is made up here.
class CartridgeBuilder {
public:
    static constexpr int PrgUnits = 16;
    static constexpr int ChrUnits = 16;
    static constexpr int32_t ChrBase = 16 + PrgUnits * 0x4000;
    static constexpr int32_t ImageSize = ChrBase + ChrUnits * 0x2000;
    /// Number of records in the palette animation tables.
    static constexpr int AnimationRecords = 14;

    CartridgeBuilder();

    /// The byte the pattern puts at `index` of `table` for `stage` (palette entries stay
    /// below 0x40, animation selectors are 0x00 or 0x80 + record number).
    static uint8_t Pattern(int stage, StageTable table, int index);
    /// The default offset of `table` for `stage` (without sharing).
    static int32_t DefaultOffset(StageTable table, int stage);
    /// The objects the builder places in `stage`: grouped by room, ascending.
    static std::vector<ObjectTableEntry> DefaultObjects(int stage);

    /// Writes `entries` into the stage's four object planes and, when fewer than 128,
    /// the end marker 0xFF in the room plane after them. Later entries keep their bytes.
    void SetObjects(int stage, const std::vector<ObjectTableEntry> &entries);
    /// Writes an animation record at the default tables: pointer entry `number` points to
    /// a record {last frame, wait, first entry, frames...}; triples are set separately.
    void SetAnimationRecord(int number, uint8_t wait, uint8_t firstEntry,
                            const std::vector<uint8_t> &frames);
    void SetColourTriple(int triple, uint8_t a, uint8_t b, uint8_t c);

    void SetByte(int32_t offset, uint8_t value) { Data[offset] = static_cast<char>(value); }
    uint8_t Byte(int32_t offset) const { return static_cast<uint8_t>(Data[offset]); }
    QByteArray &Bytes() { return Data; }
    const QByteArray &Bytes() const { return Data; }

    /// Writes the image to `path`; returns false when the file cannot be written.
    bool WriteTo(const QString &path) const;

private:
    QByteArray Data;
    int32_t NextRecordOffset = 0;
};

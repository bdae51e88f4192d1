#pragma once

#include <array>
#include <cstdint>

class TMyMemIniFile;

/// Size of the image buffer: the largest cartridge image the editor accepts.
inline constexpr int32_t ImageBufferSize = 1572928; // 0x180040
inline constexpr int StageCount = 18;
/// Distance between the tables of two neighbouring stages.
inline constexpr int32_t StageStride = 0x2000;

/// The twelve per-stage tables, in the order of their keys in "LevelDataAddress".
enum class StageTable {
    BGBank,
    Chip16x16,
    ChipProperty,
    Chip32x32,
    MapSet,
    Map,
    BGPalette,
    BGPaletteAnime,
    ObjectScreen,
    ObjectX,
    ObjectY,
    ObjectKind,
};
inline constexpr int StageTableCount = 12;

/// The INI key, the stage-0 default offset and the number of bytes one stage's table
/// spans in the image (a palette table: four 20-byte strides plus the last set's bytes).
struct StageTableInfo {
    const char *Key;
    int32_t DefaultOffset;
    int32_t Span;
};
const StageTableInfo &TableInfo(StageTable table);

inline constexpr int32_t DefaultPaletteAnimationPointer = 0x12610;
inline constexpr int32_t DefaultPaletteAnimationData = 0x1261E;
inline constexpr int32_t DefaultPaletteAnimationPalette = 0x1259E;

/// The stage whose chip tables stage `stage` uses by default (13 for stages 14 and 16).
int DefaultShareSource(int stage);

/// The resolved file offsets of every table.
///
/// Reads the address sections of the settings file once, at construction, writing every
/// value used back into the in-memory file. Every offset it hands out keeps the table's
/// whole span inside the image buffer for all 18 stages: a value that would not is
/// replaced by its default, and the default is written back. Borrows the settings file.
class AddressData {
public:
    explicit AddressData(TMyMemIniFile &settings);

    int32_t TableOffset(StageTable table, int stage) const;

    /// The stage named as the source of `stage`'s chip and map-set tables (itself when not
    /// shared). Taking the source's tables as they stand, stage by stage in ascending order,
    /// gives every stage the storage that matches its offsets, chains included.
    int ShareSource(int stage) const;

    int32_t PaletteAnimationPointer() const { return AnimationPointer; }
    int32_t PaletteAnimationData() const { return AnimationData; }
    int32_t PaletteAnimationPalette() const { return AnimationPalette; }

private:
    std::array<std::array<int32_t, StageCount>, StageTableCount> Offsets{};
    std::array<int, StageCount> ShareSources{};
    int32_t AnimationPointer = DefaultPaletteAnimationPointer;
    int32_t AnimationData = DefaultPaletteAnimationData;
    int32_t AnimationPalette = DefaultPaletteAnimationPalette;
};

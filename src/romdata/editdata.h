#pragma once

#include "address.h"

#include <QString>
#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

using ImageBuffer = std::array<uint8_t, ImageBufferSize>;

/// Edit categories of the undo history. 12 and 13 are named but never recorded.
enum EditCategory : uint8_t {
    CategoryChip16x16Tile = 0,
    CategoryChipProperty = 1,
    CategoryChip16x16Paste = 2,
    CategoryBGBank = 3,
    CategoryChip32x32Entry = 4,
    CategoryChip32x32Paste = 5,
    CategoryMapSetEntry = 6,
    CategoryMapSetPaste = 7,
    CategoryMapSetGridEdit = 8,
    CategoryMapEntry = 9,
    CategoryPaletteEntry = 10,
    CategoryPaletteAnimeEntry = 11,
    /// What `Undo` and `Redo` return when they applied nothing.
    CategoryNothingApplied = 14,
};

/// One step of the history: what a recording setter overwrote.
struct UndoData {
    uint8_t Category = 0;
    int32_t Position = 0;
    uint8_t OldValue = 0;          ///< single-byte steps
    std::vector<uint8_t> OldBytes; ///< block steps (5, 4 or 64 bytes)
    /// When the step was pushed, counted per sharing group: orders a stage's own steps and
    /// its group's shared-table steps into one history.
    uint64_t Order = 0;
    /// The stage whose edit the step belongs to: a shared-table step may be another's.
    int Stage = 0;
};

/// The history of the tables that the stages of one sharing group hold in common (the 16x16
/// chips, chip properties, 32x32 chips and map sets), and the clock that orders its steps
/// among the own steps of each of those stages.
///
/// Every stage of the group holds the same one, so a step on a shared table is undone and
/// redone in its place in time from whichever stage the user works in: no stage's undo can
/// revert a later edit made to the same bytes from another stage.
struct SharedTableHistory {
    std::vector<UndoData> UndoStack;
    std::vector<UndoData> RedoStack;
    uint64_t NextOrder = 0;
};

/// A run of image bytes: `Length` bytes from file offset `Offset`.
struct StoredRun {
    int32_t Offset = 0;
    int32_t Length = 0;
};

/// The display name of an edit category (bit 7 ignored).
QString EditCategoryName(uint8_t category);

/// One placed object; X and Y are its centre in the room's 256 x 256 picture.
struct ObjectNode {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Kind = 0;
};

/// One entry of the image's object table, as staged between the image and the room lists.
struct ObjectTableEntry {
    int32_t Room = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Kind = 0;
};

inline constexpr int RoomCount = 48;
inline constexpr int ObjectTableSize = 128;
inline constexpr int PaletteSetCount = 5;

using Chip16x16Table = std::array<uint8_t, 1024>;
using ChipPropertyTable = std::array<uint8_t, 256>;
using Chip32x32Table = std::array<uint8_t, 1024>;
using MapSetTable = std::array<uint8_t, 2048>;
using PaletteSet = std::array<uint8_t, 16>;
using PaletteAnimeSet = std::array<uint8_t, 4>;

/// The in-memory model of one stage: its tables decoded from the image, its object
/// lists, and its undo and redo stacks.
///
/// Borrows the image buffer, the address table and the program-wide undo-recording
/// switch from `RomImageData`. The four chip and map-set tables are reference-counted
/// storage that another stage may share (`ShareChipTablesWith`); their steps go to the
/// history of the sharing group, the other tables' steps to the stage's own stacks, and
/// undo and redo take whichever step of the two is the latest.
class StageData {
public:
    StageData(int stageNumber, ImageBuffer &image, const AddressData &addresses,
              const bool &undoRecording);

    int StageNumber() const { return Number; }

    /// Makes this stage use the very chip and map-set tables `source` holds now, and the
    /// history of their steps.
    void ShareChipTablesWith(const StageData &source);

    // Tables, read directly by the editors; changed through the recording setters.
    const std::array<uint8_t, 2> &BGBank() const { return BGBankTable; }
    const Chip16x16Table &Chip16x16() const { return *Chip16x16Storage; }
    const ChipPropertyTable &ChipProperty() const { return *ChipPropertyStorage; }
    const Chip32x32Table &Chip32x32() const { return *Chip32x32Storage; }
    const MapSetTable &MapSet() const { return *MapSetStorage; }
    /// Direct write access for the replacement of duplicate 32x32 chips, which clears the
    /// history afterwards instead of recording.
    MapSetTable &MapSetForReplacement() { return *MapSetStorage; }
    const std::array<uint8_t, RoomCount> &Map() const { return MapTable; }
    const PaletteSet &BGPalette(int set) const { return Palettes[set]; }
    const PaletteAnimeSet &BGPaletteAnime(int set) const { return PaletteAnimes[set]; }
    const std::array<ObjectTableEntry, ObjectTableSize> &ObjectTable() const { return Objects; }
    /// Puts back a staging table kept aside: encoding a copy of the image must leave no trace
    /// in what a later store writes behind the end marker.
    void RestoreObjectTable(const std::array<ObjectTableEntry, ObjectTableSize> &table) {
        Objects = table;
    }

    // Load and store, one pair per table; neither records history nor sets flags.
    void LoadBGBank();
    void StoreBGBank();
    void LoadChip16x16();
    void StoreChip16x16();
    void LoadChipProperty();
    void StoreChipProperty();
    void LoadChip32x32();
    void StoreChip32x32();
    void LoadMapSet();
    void StoreMapSet();
    void LoadMap();
    void StoreMap();
    void LoadBGPalette();
    void StoreBGPalette();
    void LoadBGPaletteAnime();
    void StoreBGPaletteAnime();
    void LoadObjects();
    void StoreObjects();
    /// `ClearHistory`, then every load in the order the image is decoded.
    void LoadAll();
    /// The image bytes the store of `table` writes.
    std::vector<StoredRun> StoredRuns(StageTable table) const;

    // Object lists, room 0..47. Nodes stay valid until removed or the list is cleared.
    ObjectNode *AddObject(int room, int32_t x, int32_t y, int32_t kind);
    void RemoveObject(const ObjectNode *node, int room);
    void ClearObjectList(int room);
    int32_t ObjectCount(int room) const;
    int32_t ObjectTotal() const;
    int32_t ObjectIndex(const ObjectNode *node, int room) const;
    ObjectNode *LastObject(int room);
    const std::list<ObjectNode> &ObjectList(int room) const { return Rooms[room]; }
    std::list<ObjectNode> &ObjectList(int room) { return Rooms[room]; }
    void SortObjectsByX(int room);

    // Recording setters: a single setter returns false when the byte already holds the
    // value; a block setter always records and returns true. A position outside the table
    // changes nothing and returns false.
    bool SetChip16x16Tile(int position, uint8_t value);
    bool SetChipProperty(int chip, uint8_t value);
    bool PasteChip16x16(int chip, const std::array<uint8_t, 5> &bytes);
    bool SetBGBank(int index, uint8_t value);
    bool SetChip32x32Entry(int position, uint8_t value);
    bool PasteChip32x32(int position, const std::array<uint8_t, 4> &bytes);
    bool SetMapSetEntry(int position, uint8_t value);
    bool PasteMapSetBlock(int position, const std::array<uint8_t, 64> &bytes);
    bool GridEditMapSetBlock(int position, const std::array<uint8_t, 64> &bytes);
    bool SetMapEntry(int room, uint8_t value);
    bool SetPaletteEntry(int index, uint8_t value);
    bool SetPaletteAnimeEntry(int index, uint8_t value);

    // History: the stage's own steps and its sharing group's, as one.
    void PushUndo(UndoData record);
    /// Empties the stage's own stacks and its sharing group's.
    void ClearHistory();
    bool CanUndo() const { return !UndoStack.empty() || !Shared->UndoStack.empty(); }
    bool CanRedo() const { return !RedoStack.empty() || !Shared->RedoStack.empty(); }
    uint8_t Undo();
    uint8_t Redo();
    QString UndoName() const;
    QString RedoName() const;

private:
    /// The image bytes at `offset` into this stage's `table`, `length` of them.
    uint8_t *ImageAt(StageTable table, int32_t offset, int32_t length);
    template <size_t N> void Load(StageTable table, std::array<uint8_t, N> &target);
    template <size_t N> void Store(StageTable table, const std::array<uint8_t, N> &source);

    std::vector<uint8_t *> RecordBytes(uint8_t category, int32_t position);
    static std::vector<uint8_t *> TableBytes(uint8_t *table, int32_t tableSize, int32_t position,
                                             int32_t length);
    bool SetSingle(uint8_t category, int32_t position, uint8_t value);
    bool SetBlock(uint8_t category, int32_t position, const uint8_t *values, size_t count);
    uint8_t ApplyHistoryRecord(std::vector<UndoData> &source, std::vector<UndoData> &target);
    /// Of the stage's own stack and the group's, the one whose top step is the latest; null
    /// when both are empty.
    QString StepName(const std::vector<UndoData> *stack) const;
    static const std::vector<UndoData> *Latest(const std::vector<UndoData> &own,
                                               const std::vector<UndoData> &shared);

    int Number;
    ImageBuffer &Image;
    const AddressData &Addresses;
    const bool &UndoRecording;

    std::array<uint8_t, 2> BGBankTable{};
    std::shared_ptr<Chip16x16Table> Chip16x16Storage;
    std::shared_ptr<ChipPropertyTable> ChipPropertyStorage;
    std::shared_ptr<Chip32x32Table> Chip32x32Storage;
    std::shared_ptr<MapSetTable> MapSetStorage;
    std::array<uint8_t, RoomCount> MapTable{};
    std::array<PaletteSet, PaletteSetCount> Palettes{};
    std::array<PaletteAnimeSet, PaletteSetCount> PaletteAnimes{};
    std::array<ObjectTableEntry, ObjectTableSize> Objects{};
    std::array<std::list<ObjectNode>, RoomCount> Rooms;

    std::vector<UndoData> UndoStack;
    std::vector<UndoData> RedoStack;
    std::shared_ptr<SharedTableHistory> Shared;
};

#include "editdata.h"

#include "HexText.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t PaletteStride = 20;

bool IsSingleByteCategory(uint8_t category) {
    switch (category) {
    case CategoryChip16x16Tile:
    case CategoryChipProperty:
    case CategoryBGBank:
    case CategoryChip32x32Entry:
    case CategoryMapSetEntry:
    case CategoryMapEntry:
    case CategoryPaletteEntry:
    case CategoryPaletteAnimeEntry:
        return true;
    default:
        return false;
    }
}

// The steps on the tables a sharing group holds in common.
bool IsSharedTableCategory(uint8_t category) {
    switch (category) {
    case CategoryChip16x16Tile:
    case CategoryChipProperty:
    case CategoryChip16x16Paste:
    case CategoryChip32x32Entry:
    case CategoryChip32x32Paste:
    case CategoryMapSetEntry:
    case CategoryMapSetPaste:
    case CategoryMapSetGridEdit:
        return true;
    default:
        return false;
    }
}

} // namespace

QString EditCategoryName(uint8_t category) {
    switch (category & 0x7F) {
    case CategoryChip16x16Tile:
        return QCoreApplication::translate("EditCategory", "16x16チップの編集");
    case CategoryChipProperty:
        return QCoreApplication::translate("EditCategory", "16x16チップの編集(属性・パレット)");
    case CategoryChip16x16Paste:
        return QCoreApplication::translate("EditCategory", "16x16チップの編集(貼り付け)");
    case CategoryBGBank:
        return QCoreApplication::translate("EditCategory", "BGバンクの変更");
    case CategoryChip32x32Entry:
        return QCoreApplication::translate("EditCategory", "32x32チップの編集");
    case CategoryChip32x32Paste:
        return QCoreApplication::translate("EditCategory", "32x32チップの編集(貼り付け)");
    case CategoryMapSetEntry:
        return QCoreApplication::translate("EditCategory", "マップセットの編集");
    case CategoryMapSetPaste:
        return QCoreApplication::translate("EditCategory", "マップセットの編集(貼り付け)");
    case CategoryMapSetGridEdit:
        return QCoreApplication::translate("EditCategory", "マップセットの編集(グリッド編集)");
    case CategoryMapEntry:
        return QCoreApplication::translate("EditCategory", "マップの編集");
    case CategoryPaletteEntry:
        return QCoreApplication::translate("EditCategory", "パレットの編集");
    case CategoryPaletteAnimeEntry:
        return QCoreApplication::translate("EditCategory", "パレットアニメの編集");
    case 12:
    case 13:
        return QCoreApplication::translate("EditCategory", "オブジェクトの編集");
    default:
        return QCoreApplication::translate("EditCategory", "不明な編集");
    }
}

StageData::StageData(int stageNumber, ImageBuffer &image, const AddressData &addresses,
                     const bool &undoRecording)
    : Number(stageNumber), Image(image), Addresses(addresses), UndoRecording(undoRecording),
      Chip16x16Storage(std::make_shared<Chip16x16Table>()),
      ChipPropertyStorage(std::make_shared<ChipPropertyTable>()),
      Chip32x32Storage(std::make_shared<Chip32x32Table>()),
      MapSetStorage(std::make_shared<MapSetTable>()),
      Shared(std::make_shared<SharedTableHistory>()) {}

void StageData::ShareChipTablesWith(const StageData &source) {
    Chip16x16Storage = source.Chip16x16Storage;
    ChipPropertyStorage = source.ChipPropertyStorage;
    Chip32x32Storage = source.Chip32x32Storage;
    MapSetStorage = source.MapSetStorage;
    Shared = source.Shared;
}

uint8_t *StageData::ImageAt(StageTable table, int32_t offset, int32_t length) {
    const int32_t at = Addresses.TableOffset(table, Number) + offset;
    Q_ASSERT(at >= 0 && at + length <= ImageBufferSize);
    return Image.data() + at;
}

template <size_t N> void StageData::Load(StageTable table, std::array<uint8_t, N> &target) {
    std::memcpy(target.data(), ImageAt(table, 0, int32_t{N}), N);
}

template <size_t N> void StageData::Store(StageTable table, const std::array<uint8_t, N> &source) {
    std::memcpy(ImageAt(table, 0, int32_t{N}), source.data(), N);
}

void StageData::LoadBGBank() {
    Load(StageTable::BGBank, BGBankTable);
}

void StageData::StoreBGBank() {
    Store(StageTable::BGBank, BGBankTable);
}

void StageData::LoadChip16x16() {
    Load(StageTable::Chip16x16, *Chip16x16Storage);
}

void StageData::StoreChip16x16() {
    Store(StageTable::Chip16x16, *Chip16x16Storage);
}

void StageData::LoadChipProperty() {
    Load(StageTable::ChipProperty, *ChipPropertyStorage);
}

void StageData::StoreChipProperty() {
    Store(StageTable::ChipProperty, *ChipPropertyStorage);
}

void StageData::LoadChip32x32() {
    Load(StageTable::Chip32x32, *Chip32x32Storage);
}

void StageData::StoreChip32x32() {
    Store(StageTable::Chip32x32, *Chip32x32Storage);
}

void StageData::LoadMapSet() {
    Load(StageTable::MapSet, *MapSetStorage);
}

void StageData::StoreMapSet() {
    Store(StageTable::MapSet, *MapSetStorage);
}

void StageData::LoadMap() {
    Load(StageTable::Map, MapTable);
}

void StageData::StoreMap() {
    Store(StageTable::Map, MapTable);
}

// The palette sets lie 20 bytes apart: in the usual image each 16-colour set is followed by
// the 4 animation selectors of the same set.
void StageData::LoadBGPalette() {
    for (int set = 0; set < PaletteSetCount; ++set)
        std::memcpy(Palettes[set].data(), ImageAt(StageTable::BGPalette, PaletteStride * set, 16),
                    16);
}

void StageData::StoreBGPalette() {
    for (int set = 0; set < PaletteSetCount; ++set)
        std::memcpy(ImageAt(StageTable::BGPalette, PaletteStride * set, 16), Palettes[set].data(),
                    16);
}

void StageData::LoadBGPaletteAnime() {
    for (int set = 0; set < PaletteSetCount; ++set)
        std::memcpy(PaletteAnimes[set].data(),
                    ImageAt(StageTable::BGPaletteAnime, PaletteStride * set, 4), 4);
}

void StageData::StoreBGPaletteAnime() {
    for (int set = 0; set < PaletteSetCount; ++set)
        std::memcpy(ImageAt(StageTable::BGPaletteAnime, PaletteStride * set, 4),
                    PaletteAnimes[set].data(), 4);
}

void StageData::LoadObjects() {
    const uint8_t *rooms = ImageAt(StageTable::ObjectScreen, 0, ObjectTableSize);
    const uint8_t *xs = ImageAt(StageTable::ObjectX, 0, ObjectTableSize);
    const uint8_t *ys = ImageAt(StageTable::ObjectY, 0, ObjectTableSize);
    const uint8_t *kinds = ImageAt(StageTable::ObjectKind, 0, ObjectTableSize);
    for (int k = 0; k < ObjectTableSize; ++k)
        Objects[k] = {rooms[k], xs[k], ys[k], kinds[k]};

    // The table is read as runs grouped by ascending room: the first entry out of that
    // order (the 0xFF end marker among them) ends the reading.
    int i = 0;
    for (int room = 0; room < RoomCount; ++room) {
        Rooms[room].clear();
        for (; i < ObjectTableSize && Objects[i].Room == room; ++i)
            Rooms[room].push_back({Objects[i].X, Objects[i].Y, Objects[i].Kind});
    }
}

void StageData::StoreObjects() {
    int i = 0;
    for (int room = 0; room < RoomCount; ++room) {
        for (const ObjectNode &node : Rooms[room]) {
            if (i == ObjectTableSize)
                break;
            Objects[i++] = {room, node.X, node.Y, node.Kind};
        }
    }
    // Only the room of the entry after the last object changes; the entries behind the
    // marker keep what they held.
    if (i < ObjectTableSize)
        Objects[i].Room = 0xFF;

    uint8_t *rooms = ImageAt(StageTable::ObjectScreen, 0, ObjectTableSize);
    uint8_t *xs = ImageAt(StageTable::ObjectX, 0, ObjectTableSize);
    uint8_t *ys = ImageAt(StageTable::ObjectY, 0, ObjectTableSize);
    uint8_t *kinds = ImageAt(StageTable::ObjectKind, 0, ObjectTableSize);
    for (int k = 0; k < ObjectTableSize; ++k) {
        rooms[k] = static_cast<uint8_t>(Objects[k].Room);
        xs[k] = static_cast<uint8_t>(Objects[k].X);
        ys[k] = static_cast<uint8_t>(Objects[k].Y);
        kinds[k] = static_cast<uint8_t>(Objects[k].Kind);
    }
}

void StageData::LoadAll() {
    ClearHistory();
    LoadBGBank();
    LoadChip16x16();
    LoadChip32x32();
    LoadChipProperty();
    LoadMapSet();
    LoadMap();
    LoadBGPalette();
    LoadBGPaletteAnime();
    LoadObjects();
}

std::vector<StoredRun> StageData::StoredRuns(StageTable table) const {
    const int32_t offset = Addresses.TableOffset(table, Number);
    if (table != StageTable::BGPalette && table != StageTable::BGPaletteAnime)
        return {{offset, TableInfo(table).Span}};
    const int32_t length = table == StageTable::BGPalette ? 16 : 4;
    std::vector<StoredRun> runs;
    for (int set = 0; set < PaletteSetCount; ++set)
        runs.push_back({offset + PaletteStride * set, length});
    return runs;
}

ObjectNode *StageData::AddObject(int room, int32_t x, int32_t y, int32_t kind) {
    return &Rooms[room].emplace_back(ObjectNode{x, y, kind});
}

void StageData::RemoveObject(const ObjectNode *node, int room) {
    Rooms[room].remove_if([node](const ObjectNode &candidate) { return &candidate == node; });
}

void StageData::ClearObjectList(int room) {
    Rooms[room].clear();
}

int32_t StageData::ObjectCount(int room) const {
    return static_cast<int32_t>(Rooms[room].size());
}

int32_t StageData::ObjectTotal() const {
    int32_t total = 0;
    for (const auto &room : Rooms)
        total += static_cast<int32_t>(room.size());
    return total;
}

int32_t StageData::ObjectIndex(const ObjectNode *node, int room) const {
    const auto &list = Rooms[room];
    const auto found = std::find_if(list.begin(), list.end(), [node](const ObjectNode &candidate) {
        return &candidate == node;
    });
    if (found == list.end())
        return -1;
    int32_t index = static_cast<int32_t>(std::distance(list.begin(), found));
    for (int before = 0; before < room; ++before)
        index += ObjectCount(before);
    return index;
}

ObjectNode *StageData::LastObject(int room) {
    return Rooms[room].empty() ? nullptr : &Rooms[room].back();
}

// A stable sort by ascending X that relinks the nodes (so pointers held by the object
// editor stay valid): the same order as a bubble sort that swaps only on a strictly
// greater X.
void StageData::SortObjectsByX(int room) {
    Rooms[room].sort([](const ObjectNode &a, const ObjectNode &b) { return a.X < b.X; });
}

// The bytes a history record covers, in record order; none for an id that no setter
// records or a position outside the table.
std::vector<uint8_t *> StageData::RecordBytes(uint8_t category, int32_t position) {
    switch (category) {
    case CategoryChip16x16Tile:
        return TableBytes(Chip16x16Storage->data(), 1024, position, 1);
    case CategoryChipProperty:
        return TableBytes(ChipPropertyStorage->data(), 256, position, 1);
    case CategoryChip16x16Paste:
        if (position < 0 || position >= 256)
            return {};
        return {&(*Chip16x16Storage)[position], &(*Chip16x16Storage)[position + 256],
                &(*Chip16x16Storage)[position + 512], &(*Chip16x16Storage)[position + 768],
                &(*ChipPropertyStorage)[position]};
    case CategoryBGBank:
        return TableBytes(BGBankTable.data(), 2, position, 1);
    case CategoryChip32x32Entry:
        return TableBytes(Chip32x32Storage->data(), 1024, position, 1);
    case CategoryChip32x32Paste:
        return TableBytes(Chip32x32Storage->data(), 1024, position, 4);
    case CategoryMapSetEntry:
        return TableBytes(MapSetStorage->data(), 2048, position, 1);
    case CategoryMapSetPaste:
    case CategoryMapSetGridEdit:
        return TableBytes(MapSetStorage->data(), 2048, position, 64);
    case CategoryMapEntry:
        return TableBytes(MapTable.data(), RoomCount, position, 1);
    case CategoryPaletteEntry:
        if (position < 0 || position >= 16 * PaletteSetCount)
            return {};
        return {&Palettes[position / 16][position % 16]};
    case CategoryPaletteAnimeEntry:
        if (position < 0 || position >= 4 * PaletteSetCount)
            return {};
        return {&PaletteAnimes[position / 4][position % 4]};
    default:
        return {};
    }
}

std::vector<uint8_t *> StageData::TableBytes(uint8_t *table, int32_t tableSize, int32_t position,
                                             int32_t length) {
    if (position < 0 || position > tableSize - length)
        return {};
    std::vector<uint8_t *> bytes(length);
    for (int32_t i = 0; i < length; ++i)
        bytes[i] = table + position + i;
    return bytes;
}

bool StageData::SetSingle(uint8_t category, int32_t position, uint8_t value) {
    const std::vector<uint8_t *> bytes = RecordBytes(category, position);
    if (bytes.empty() || *bytes.front() == value)
        return false;
    if (UndoRecording)
        PushUndo({category, position, *bytes.front(), {}});
    *bytes.front() = value;
    return true;
}

bool StageData::SetBlock(uint8_t category, int32_t position, const uint8_t *values, size_t count) {
    const std::vector<uint8_t *> bytes = RecordBytes(category, position);
    if (bytes.size() != count)
        return false;
    if (UndoRecording) {
        UndoData record{category, position, 0, std::vector<uint8_t>(count)};
        for (size_t i = 0; i < count; ++i)
            record.OldBytes[i] = *bytes[i];
        PushUndo(std::move(record));
    }
    for (size_t i = 0; i < count; ++i)
        *bytes[i] = values[i];
    return true;
}

bool StageData::SetChip16x16Tile(int position, uint8_t value) {
    return SetSingle(CategoryChip16x16Tile, position, value);
}

bool StageData::SetChipProperty(int chip, uint8_t value) {
    return SetSingle(CategoryChipProperty, chip, value);
}

bool StageData::PasteChip16x16(int chip, const std::array<uint8_t, 5> &bytes) {
    return SetBlock(CategoryChip16x16Paste, chip, bytes.data(), bytes.size());
}

bool StageData::SetBGBank(int index, uint8_t value) {
    return SetSingle(CategoryBGBank, index, value);
}

bool StageData::SetChip32x32Entry(int position, uint8_t value) {
    return SetSingle(CategoryChip32x32Entry, position, value);
}

bool StageData::PasteChip32x32(int position, const std::array<uint8_t, 4> &bytes) {
    return SetBlock(CategoryChip32x32Paste, position, bytes.data(), bytes.size());
}

bool StageData::SetMapSetEntry(int position, uint8_t value) {
    return SetSingle(CategoryMapSetEntry, position, value);
}

bool StageData::PasteMapSetBlock(int position, const std::array<uint8_t, 64> &bytes) {
    return SetBlock(CategoryMapSetPaste, position, bytes.data(), bytes.size());
}

bool StageData::GridEditMapSetBlock(int position, const std::array<uint8_t, 64> &bytes) {
    return SetBlock(CategoryMapSetGridEdit, position, bytes.data(), bytes.size());
}

bool StageData::SetMapEntry(int room, uint8_t value) {
    return SetSingle(CategoryMapEntry, room, value);
}

bool StageData::SetPaletteEntry(int index, uint8_t value) {
    return SetSingle(CategoryPaletteEntry, index, value);
}

bool StageData::SetPaletteAnimeEntry(int index, uint8_t value) {
    return SetSingle(CategoryPaletteAnimeEntry, index, value);
}

// A new step ends both redo lists this stage shows, as a new edit always empties the redo
// list of the history it is made in.
void StageData::PushUndo(UndoData record) {
    record.Order = Shared->NextOrder++;
    record.Stage = Number;
    const bool shared = IsSharedTableCategory(record.Category);
    (shared ? Shared->UndoStack : UndoStack).push_back(std::move(record));
    RedoStack.clear();
    Shared->RedoStack.clear();
}

void StageData::ClearHistory() {
    UndoStack.clear();
    RedoStack.clear();
    Shared->UndoStack.clear();
    Shared->RedoStack.clear();
}

const std::vector<UndoData> *StageData::Latest(const std::vector<UndoData> &own,
                                               const std::vector<UndoData> &shared) {
    if (own.empty())
        return shared.empty() ? nullptr : &shared;
    if (shared.empty())
        return &own;
    return own.back().Order > shared.back().Order ? &own : &shared;
}

uint8_t StageData::Undo() {
    if (Latest(UndoStack, Shared->UndoStack) == &UndoStack)
        return ApplyHistoryRecord(UndoStack, RedoStack);
    return ApplyHistoryRecord(Shared->UndoStack, Shared->RedoStack);
}

uint8_t StageData::Redo() {
    if (Latest(RedoStack, Shared->RedoStack) == &RedoStack)
        return ApplyHistoryRecord(RedoStack, UndoStack);
    return ApplyHistoryRecord(Shared->RedoStack, Shared->UndoStack);
}

// Applies the top record of `source` and pushes its inverse on `target` with a plain push,
// so neither stack is emptied and the recording switch plays no part; the inverse is the
// latest step of the target. A record that
// covers no bytes of this stage (an id no setter records, or a position outside its
// table) is dropped and reports that nothing was applied.
uint8_t StageData::ApplyHistoryRecord(std::vector<UndoData> &source,
                                      std::vector<UndoData> &target) {
    if (source.empty())
        return CategoryNothingApplied;
    const UndoData record = std::move(source.back());
    source.pop_back();

    const std::vector<uint8_t *> bytes = RecordBytes(record.Category, record.Position);
    if (IsSingleByteCategory(record.Category) && bytes.size() == 1) {
        target.push_back({record.Category, record.Position, *bytes.front(), {},
                          Shared->NextOrder++, record.Stage});
        *bytes.front() = record.OldValue;
        return record.Category;
    }
    if (!IsSingleByteCategory(record.Category) && !bytes.empty() &&
        bytes.size() == record.OldBytes.size()) {
        UndoData inverse{record.Category, record.Position, 0, std::vector<uint8_t>(bytes.size()),
                         Shared->NextOrder++, record.Stage};
        for (size_t i = 0; i < bytes.size(); ++i) {
            inverse.OldBytes[i] = *bytes[i];
            *bytes[i] = record.OldBytes[i];
        }
        target.push_back(std::move(inverse));
        return record.Category;
    }
    return CategoryNothingApplied;
}

// A step another stage of the group made is named with that stage, so undoing or redoing
// it from here is never a surprise.
QString StageData::StepName(const std::vector<UndoData> *stack) const {
    if (!stack)
        return QString();
    const UndoData &step = stack->back();
    const QString name = EditCategoryName(step.Category);
    if (step.Stage == Number)
        return name;
    return QCoreApplication::translate("StageData", "%1 (ステージ %2)")
        .arg(name, HexText(step.Stage));
}

QString StageData::UndoName() const {
    return StepName(Latest(UndoStack, Shared->UndoStack));
}

QString StageData::RedoName() const {
    return StepName(Latest(RedoStack, Shared->RedoStack));
}

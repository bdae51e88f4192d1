#include "CartridgeBuilder.h"

#include "TestFiles.h"

CartridgeBuilder::CartridgeBuilder() : Data(ImageSize, '\0') {
    const char header[] = {'N', 'E', 'S', 0x1A, PrgUnits, ChrUnits};
    for (int i = 0; i < 6; ++i)
        Data[i] = header[i];

    for (int stage = 0; stage < StageCount; ++stage) {
        for (int t = 0; t < StageTableCount; ++t) {
            const auto table = static_cast<StageTable>(t);
            if (table == StageTable::BGPaletteAnime || table >= StageTable::ObjectScreen)
                continue; // written below: they interleave with the palettes / need a marker
            const int32_t base = DefaultOffset(table, stage);
            if (table == StageTable::BGPalette) {
                for (int set = 0; set < PaletteSetCount; ++set)
                    for (int i = 0; i < 16; ++i)
                        SetByte(base + 20 * set + i, Pattern(stage, table, 16 * set + i));
                continue;
            }
            for (int i = 0; i < TableInfo(table).Span; ++i)
                SetByte(base + i, Pattern(stage, table, i));
        }
        const int32_t anime = DefaultOffset(StageTable::BGPaletteAnime, stage);
        for (int set = 0; set < PaletteSetCount; ++set)
            for (int slot = 0; slot < 4; ++slot)
                SetByte(anime + 20 * set + slot,
                        Pattern(stage, StageTable::BGPaletteAnime, 4 * set + slot));
        // Bytes behind the end marker: recognisable leftovers that must survive a save.
        for (int k = 0; k < ObjectTableSize; ++k) {
            SetByte(DefaultOffset(StageTable::ObjectScreen, stage) + k, 0xEE);
            SetByte(DefaultOffset(StageTable::ObjectX, stage) + k, static_cast<uint8_t>(k));
            SetByte(DefaultOffset(StageTable::ObjectY, stage) + k, static_cast<uint8_t>(255 - k));
            SetByte(DefaultOffset(StageTable::ObjectKind, stage) + k, 0x77);
        }
        SetObjects(stage, DefaultObjects(stage));
    }

    for (int triple = 0; triple < 38; ++triple)
        SetColourTriple(triple, static_cast<uint8_t>(triple % 0x40),
                        static_cast<uint8_t>((triple + 0x10) % 0x40),
                        static_cast<uint8_t>((triple + 0x20) % 0x40));
    for (int number = 0; number < AnimationRecords; ++number) {
        std::vector<uint8_t> frames;
        for (int f = 0; f <= number % 3; ++f)
            frames.push_back(static_cast<uint8_t>((number + f) % 38));
        SetAnimationRecord(number, static_cast<uint8_t>(number % 2),
                           static_cast<uint8_t>((number * 3) % 16), frames);
    }

    for (int32_t i = ChrBase; i < ImageSize; ++i)
        SetByte(i, static_cast<uint8_t>((i * 37) ^ (i >> 9)));
}

uint8_t CartridgeBuilder::Pattern(int stage, StageTable table, int index) {
    const int t = static_cast<int>(table);
    if (table == StageTable::BGPalette)
        return static_cast<uint8_t>((index * 5 + stage * 3) % 0x40);
    if (table == StageTable::BGPaletteAnime)
        return (index + stage) % 3 == 0 ? static_cast<uint8_t>(0x80 + (index + stage) % 14) : 0;
    if (table == StageTable::BGBank)
        return static_cast<uint8_t>((stage * 2 + index * 5) % 126);
    return static_cast<uint8_t>(index * 7 + stage * 13 + t * 31 + (index >> 8));
}

int32_t CartridgeBuilder::DefaultOffset(StageTable table, int stage) {
    return TableInfo(table).DefaultOffset + stage * StageStride;
}

std::vector<ObjectTableEntry> CartridgeBuilder::DefaultObjects(int stage) {
    std::vector<ObjectTableEntry> entries;
    for (int room = stage % 3; room < RoomCount; room += 5)
        for (int n = 0; n < 1 + (room + stage) % 3; ++n)
            entries.push_back({room, 16 + (room * 23 + n * 40) % 224,
                               24 + (stage * 11 + n * 64) % 208, (room * 7 + n + stage) % 256});
    return entries;
}

void CartridgeBuilder::SetObjects(int stage, const std::vector<ObjectTableEntry> &entries) {
    const int32_t room = DefaultOffset(StageTable::ObjectScreen, stage);
    const int32_t x = DefaultOffset(StageTable::ObjectX, stage);
    const int32_t y = DefaultOffset(StageTable::ObjectY, stage);
    const int32_t kind = DefaultOffset(StageTable::ObjectKind, stage);
    const int count = std::min<int>(static_cast<int>(entries.size()), ObjectTableSize);
    for (int k = 0; k < count; ++k) {
        SetByte(room + k, static_cast<uint8_t>(entries[k].Room));
        SetByte(x + k, static_cast<uint8_t>(entries[k].X));
        SetByte(y + k, static_cast<uint8_t>(entries[k].Y));
        SetByte(kind + k, static_cast<uint8_t>(entries[k].Kind));
    }
    if (count < ObjectTableSize)
        SetByte(room + count, 0xFF);
}

void CartridgeBuilder::SetAnimationRecord(int number, uint8_t wait, uint8_t firstEntry,
                                          const std::vector<uint8_t> &frames) {
    const int32_t record = DefaultPaletteAnimationData + NextRecordOffset;
    SetByte(DefaultPaletteAnimationPointer + number, static_cast<uint8_t>(NextRecordOffset));
    SetByte(record, static_cast<uint8_t>(frames.size() - 1));
    SetByte(record + 1, wait);
    SetByte(record + 2, firstEntry);
    for (size_t f = 0; f < frames.size(); ++f)
        SetByte(record + 3 + static_cast<int32_t>(f), frames[f]);
    NextRecordOffset += 3 + static_cast<int32_t>(frames.size());
}

void CartridgeBuilder::SetColourTriple(int triple, uint8_t a, uint8_t b, uint8_t c) {
    const int32_t at = DefaultPaletteAnimationPalette + 3 * triple;
    SetByte(at, a);
    SetByte(at + 1, b);
    SetByte(at + 2, c);
}

bool CartridgeBuilder::WriteTo(const QString &path) const {
    return WriteFile(path, Data);
}

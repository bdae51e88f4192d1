#include "address.h"

#include "MyIniFiles.h"

namespace {

const QString LevelDataSection = QStringLiteral("LevelDataAddress");
const QString ShareSection = QStringLiteral("ShareData");
const QString AddressSection = QStringLiteral("Address");

// Key, stage-0 default, and the bytes one stage's table covers. The palette tables are
// five records at a stride of 20: set 4 entry 15 is at +95, slot 3 of set 4 at +83.
constexpr std::array<StageTableInfo, StageTableCount> Tables = {{
    {"BGBank", 0xA90, 2},
    {"Chip16x16", 0x1B10, 1024},
    {"ChipProperty", 0x1F10, 256},
    {"Chip32x32", 0x1710, 1024},
    {"MapSet", 0xF10, 2048},
    {"Map", 0xA10, 48},
    {"BGPalette", 0xA92, 4 * 20 + 16},
    {"BGPaletteAnime", 0xAA2, 4 * 20 + 4},
    {"ObjectScreen", 0xB10, 128},
    {"ObjectX", 0xC10, 128},
    {"ObjectY", 0xD10, 128},
    {"ObjectKind", 0xE10, 128},
}};

// A stage-0 offset is usable when the table of every stage, 0 to 17, lies in the buffer.
bool FitsForAllStages(int64_t stage0, int32_t span) {
    return stage0 >= 0 &&
           stage0 + int64_t{StageStride} * (StageCount - 1) + span <= int64_t{ImageBufferSize};
}

// The palette animation reads up to 128 pointer bytes, 255 + 3 + 256 record bytes and
// 3 * 256 triple bytes behind these offsets; each read is bounds-checked where it happens,
// so here an offset only has to point into the buffer.
bool InsideBuffer(int32_t offset) { return offset >= 0 && offset < ImageBufferSize; }

} // namespace

const StageTableInfo &TableInfo(StageTable table) { return Tables[static_cast<size_t>(table)]; }

int DefaultShareSource(int stage) { return (stage == 14 || stage == 16) ? 13 : stage; }

AddressData::AddressData(TMyMemIniFile &settings) {
    for (int t = 0; t < StageTableCount; ++t) {
        const StageTableInfo &info = Tables[t];
        const QString key = QString::fromLatin1(info.Key);
        int32_t stage0 = settings.ReadHex(LevelDataSection, key, info.DefaultOffset);
        if (!FitsForAllStages(stage0, info.Span))
            stage0 = info.DefaultOffset;
        settings.WriteHex(LevelDataSection, key, stage0);
        for (int stage = 0; stage < StageCount; ++stage)
            Offsets[t][stage] = stage0 + stage * StageStride;
    }

    constexpr StageTable SharedTables[] = {StageTable::Chip16x16, StageTable::ChipProperty,
                                           StageTable::Chip32x32, StageTable::MapSet};
    for (int stage = 0; stage < StageCount; ++stage) {
        const QString key = QStringLiteral("level.") + QString::number(stage);
        const bool present = settings.ValueExists(ShareSection, key);
        int source = settings.ReadInteger(ShareSection, key, -1);
        const bool usable = source >= 0 && source < StageCount;
        if (!usable)
            source = DefaultShareSource(stage);
        ShareSources[stage] = source;
        // A key naming the stage itself stays as it was; a text that names no stage is
        // replaced by the value used.
        if (source != stage || (present && !usable))
            settings.WriteInteger(ShareSection, key, source);
        if (source == stage)
            continue;
        // One ascending pass: the source's offsets as they stand now.
        for (StageTable table : SharedTables) {
            const auto t = static_cast<size_t>(table);
            Offsets[t][stage] = Offsets[t][source];
        }
    }

    const auto resolve = [&settings](const char *key, int32_t def) {
        const QString name = QString::fromLatin1(key);
        int32_t value = settings.ReadHex(AddressSection, name, def);
        if (!InsideBuffer(value))
            value = def;
        settings.WriteHex(AddressSection, name, value);
        return value;
    };
    AnimationPointer = resolve("PaletteAnimationPointer", DefaultPaletteAnimationPointer);
    AnimationData = resolve("PaletteAnimationData", DefaultPaletteAnimationData);
    AnimationPalette = resolve("PaletteAnimationPalette", DefaultPaletteAnimationPalette);
}

int32_t AddressData::TableOffset(StageTable table, int stage) const {
    return Offsets[static_cast<size_t>(table)][stage];
}

int AddressData::ShareSource(int stage) const { return ShareSources[stage]; }

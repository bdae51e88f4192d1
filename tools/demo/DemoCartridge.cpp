#include "DemoCartridge.h"

#include "DemoChips.h"
#include "DemoPalettes.h"
#include "DemoRooms.h"
#include "DemoTheme.h"
#include "DemoTiles.h"
#include "DemoViewer.h"
#include "HexText.h"

#include <address.h>

#include <QString>
#include <span>

namespace {

constexpr int PrgUnits = 16;
constexpr int ChrUnits = 16;
constexpr int32_t ChrBase = 16 + PrgUnits * 0x4000;
constexpr int32_t BankBytes = 0x400;

/// Writes tables into the image at a stage's default offsets.
class StageWriter {
public:
    StageWriter(QByteArray &image, int stage) : Image(image), Stage(stage) {}

    void Bytes(StageTable table, std::span<const uint8_t> bytes, int32_t offset = 0) {
        const int32_t base = TableInfo(table).DefaultOffset + Stage * StageStride + offset;
        for (size_t i = 0; i < bytes.size(); ++i)
            Image[base + static_cast<int32_t>(i)] = static_cast<char>(bytes[i]);
    }
    void Byte(StageTable table, int32_t offset, uint8_t value) {
        Bytes(table, std::span<const uint8_t>(&value, 1), offset);
    }

private:
    QByteArray &Image;
    int Stage;
};

QString SignText(int stage) {
    return QStringLiteral("STAGE ") + HexText(stage);
}

void WriteStage(QByteArray &image, int stage) {
    const StageTheme &theme = ThemeOf(stage);
    const int chipSource = DefaultShareSource(stage);
    const bool ownChips = chipSource == stage;
    StageWriter writer(image, stage);

    writer.Byte(StageTable::BGBank, 0, CommonBankByte);
    writer.Byte(StageTable::BGBank, 1, TerrainBankByte(theme.Style));

    // A stage that shares has its chip and map-set tables at its source's offsets; the
    // source writes them there.
    const MapSetBytes mapSets = MakeMapSets(chipSource, ThemeOf(chipSource));
    if (ownChips) {
        const ChipTables chips = MakeChipTables(SignText(stage).toLatin1().toStdString());
        writer.Bytes(StageTable::Chip16x16, chips.Chip16x16);
        writer.Bytes(StageTable::ChipProperty, chips.ChipProperty);
        writer.Bytes(StageTable::Chip32x32, chips.Chip32x32);
        writer.Bytes(StageTable::MapSet, mapSets);
    }
    const std::array<uint8_t, 48> map = MakeMap(stage, ownChips);
    writer.Bytes(StageTable::Map, map);

    // Palette sets and their animation slots interleave at a stride of 20 bytes.
    const auto palettes = MakePaletteSets(theme);
    const auto animationSlots = MakeAnimationSlots(theme);
    for (int set = 0; set < 5; ++set) {
        writer.Bytes(StageTable::BGPalette, palettes[static_cast<size_t>(set)], 20 * set);
        writer.Bytes(StageTable::BGPaletteAnime, animationSlots[static_cast<size_t>(set)],
                     20 * set);
    }

    const std::vector<DemoObject> objects = MakeObjects(stage, map, mapSets);
    for (size_t k = 0; k < objects.size(); ++k) {
        const auto at = static_cast<int32_t>(k);
        writer.Byte(StageTable::ObjectScreen, at, objects[k].Room);
        writer.Byte(StageTable::ObjectX, at, objects[k].X);
        writer.Byte(StageTable::ObjectY, at, objects[k].Y);
        writer.Byte(StageTable::ObjectKind, at, objects[k].Kind);
    }
    writer.Byte(StageTable::ObjectScreen, static_cast<int32_t>(objects.size()), 0xFF);
}

void WriteBank(QByteArray &image, uint8_t bankByte, const QByteArray &tiles) {
    image.replace(ChrBase + BankBytes * bankByte, tiles.size(), tiles);
}

} // namespace

QByteArray MakeDemoCartridge() {
    QByteArray image(DemoCartridgeSize, '\0');
    const char header[] = {'N', 'E', 'S', 0x1A, PrgUnits, ChrUnits, DemoMapperByte};
    image.replace(0, sizeof header, QByteArray(header, sizeof header));

    for (int stage = 0; stage < StageCount; ++stage)
        WriteStage(image, stage);
    WritePaletteAnimationTables(image);

    WriteBank(image, CommonBankByte, DrawCommonBank());
    for (const TerrainStyle style : {TerrainStyle::Meadow, TerrainStyle::Rock, TerrainStyle::Works})
        WriteBank(image, TerrainBankByte(style), DrawTerrainBank(style));
    WriteViewer(image);
    return image;
}

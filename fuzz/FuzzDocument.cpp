#include "FuzzDocument.h"

#include "FuzzSupport.h"
#include "chipusage.h"
#include "common/chipsheets.h"
#include "graphics.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <array>

namespace {

constexpr int MapSetCount = 32;
constexpr int MapSetBytes = 64;
constexpr int AnimationTicks = 48;
/// Map sets drawn per stage and palette set while exploring.
constexpr int SampledMapSets = 4;

bool Inserted(QSet<QByteArray> &set, const QByteArray &key) {
    const qsizetype before = set.size();
    set.insert(key);
    return set.size() > before;
}

// A path nothing can be at: the settings then start empty, as on a first start.
QString AbsentSettingsPath() {
    return ScratchPath(QStringLiteral("absent/quartex3editor.ini"));
}

void DrawMapSets(EditorGraphics &graphics, const StageData &stage, uint32_t sample) {
    QImage picture(256, 256, QImage::Format_RGB32);
    constexpr int Stride = MapSetCount / SampledMapSets;
    for (int m = 0; m < MapSetCount; ++m) {
        if (DrawEveryPicture() || m % Stride == static_cast<int>(sample % Stride))
            graphics.DrawMapSet(picture, stage.MapSet().data() + m * MapSetBytes);
    }
}

// A room is its map set, drawn above, with the marks of its objects on top.
void DrawObjectMarks(const StageData &stage) {
    QImage picture(256, 256, QImage::Format_RGB32);
    for (int room = 0; room < RoomCount; ++room) {
        for (const ObjectNode &object : stage.ObjectList(room))
            EditorGraphics::DrawObjectMarker(picture, object.X, static_cast<uint8_t>(object.Kind),
                                             object.Y);
    }
}

void DrawInPaletteSet(EditorGraphics &graphics, const StageData &stage, int set, uint32_t sample) {
    graphics.ResetPaletteAnimation();
    graphics.SetStagePalette(stage.BGPalette(set));
    RebuildChip16x16Sheet(graphics, stage);
    RebuildChip32x32Sheet(graphics, stage);
    IndexedBitmap banks = graphics.CreateStageBitmap(128, 128);
    graphics.DrawTileTable(banks, stage.BGBank()[0], 0);
    graphics.DrawTileTable(banks, stage.BGBank()[1], 64);
    QImage sheet(256, 256, QImage::Format_RGB32);
    graphics.ShowChip32x32Sheet(sheet);
    DrawMapSets(graphics, stage, sample);
    for (int tick = 0; tick < AnimationTicks; ++tick) {
        if (graphics.StepPaletteAnimation(stage.BGPaletteAnime(set)))
            graphics.SyncChip32x32SheetPalette();
    }
}

// Everything a stage's pictures are drawn from: two stages alike draw alike.
QByteArray StageTables(const StageData &stage) {
    QByteArray tables;
    const auto append = [&tables](const auto &table) {
        tables.append(reinterpret_cast<const char *>(table.data()),
                      static_cast<qsizetype>(table.size()));
    };
    append(stage.BGBank());
    append(stage.Chip16x16());
    append(stage.ChipProperty());
    append(stage.Chip32x32());
    append(stage.MapSet());
    append(stage.Map());
    for (int set = 0; set < PaletteSetCount; ++set) {
        append(stage.BGPalette(set));
        append(stage.BGPaletteAnime(set));
    }
    for (int room = 0; room < RoomCount; ++room) {
        tables.append(static_cast<char>(room));
        for (const ObjectNode &object : stage.ObjectList(room))
            append(std::array<int32_t, 3>{object.X, object.Y, object.Kind});
    }
    return tables;
}

void ListChipUsage(const StageData &stage) {
    ListUnusedTiles(stage);
    ListUnused16x16Chips(stage);
    ListUnused32x32Chips(stage);
    ListDuplicate32x32Chips(stage);
    ListDuplicateChips(stage);
}

} // namespace

FuzzDocument::FuzzDocument(const QString &settingsPath, const QStringList &attributeNames)
    : AttributeNames(attributeNames),
      SettingsFile(settingsPath.isEmpty() ? AbsentSettingsPath() : settingsPath),
      Document(ModifiedFlags, AttributeNames, SettingsFile, Prompt) {}

bool FuzzDocument::OpenBytes(const QByteArray &image) {
    return Document.Open(WriteScratchFile(QStringLiteral("image.nes"), image));
}

void FuzzDocument::FlagEverything() {
    for (int area = 0; area < EditAreaCount; ++area) {
        for (int stage = 0; stage < StageCount; ++stage)
            ModifiedFlags.SetEditFlag(static_cast<EditArea>(area), stage, true);
    }
}

void TourDocument(FuzzDocument &document, uint32_t sample) {
    EnsureGuiApplication();
    RomImageData &rom = document.Rom();
    EditorGraphics graphics(DemoColours(), rom);
    graphics.LocateChr();
    graphics.LoadMasterPalette();
    const bool everything = DrawEveryPicture();
    const int sampledStage = static_cast<int>(sample % StageCount);
    const int sampledSet = static_cast<int>((sample / StageCount) % PaletteSetCount);
    // Stages with the same tables draw the same pictures, so each kind is drawn once: an
    // image's unused stages are mostly alike, and drawing is where the time goes.
    QSet<QByteArray> drawn;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = rom.Stage(stage);
        if (everything ? !Inserted(drawn, StageTables(data)) : stage != sampledStage)
            continue;
        rom.SetCurrentStage(stage);
        for (int set = 0; set < PaletteSetCount; ++set) {
            if (everything || set == sampledSet)
                DrawInPaletteSet(graphics, data, set, sample);
        }
        DrawObjectMarks(data);
        ListChipUsage(data);
    }

    document.FlagEverything();
    const std::optional<QByteArray> encoded = rom.EditedImage();
    const QString saved = ScratchPath(QStringLiteral("saved.nes"));
    QFile::remove(saved);
    // With every table flagged, an image ending before some table can hold no save at all:
    // both the copy and the save refuse, and nothing is written.
    if (!rom.UnsavableTables().empty()) {
        Require(!encoded && !rom.Save(saved) && !QFile::exists(saved),
                "an image that cannot hold its edited tables is never saved");
        return;
    }
    Require(encoded.has_value() && rom.Save(saved), "an opened image can be saved");
    Require(ReadWholeFile(saved) == *encoded, "the saved file is the encoded image");
}

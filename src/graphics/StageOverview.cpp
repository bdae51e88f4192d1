#include "StageOverview.h"

#include "fileio.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MapSetCount = 32;
constexpr int MapSetBytes = 64;
constexpr int ChipCount = 256;
constexpr int BankUnit = 0x400;
constexpr int BankBytesShown = 128 * 16;

// A picture that shares the pixels of `rect` inside `picture`: drawing a room into it is
// drawing into the overview, clipped to the room exactly as a picture of the room alone.
QImage RoomView(QImage &picture, const QRect &rect) {
    return QImage(picture.scanLine(rect.y()) + rect.x() * sizeof(QRgb), rect.width(), rect.height(),
                  picture.bytesPerLine(), QImage::Format_RGB32);
}

} // namespace

StageOverviewPicture::StageOverviewPicture(const FcPaletteData &colours,
                                           const RomImageData &document)
    : Document(document), Graphics(colours, document) {
    SetColumns(RoomCount);
}

void StageOverviewPicture::SetColumns(int columns) {
    RoomLayout = StageOverviewLayout(columns);
    Image = QImage(RoomLayout.PictureSize(), QImage::Format_RGB32);
    Image.fill(Qt::black);
    MarkAllStale();
}

void StageOverviewPicture::SetObjectsShown(bool shown) {
    if (shown == Objects)
        return;
    Objects = shown;
    MarkAllStale();
}

void StageOverviewPicture::Invalidate() {
    Drawn.Stage = -1;
    MarkAllStale();
}

void StageOverviewPicture::MarkAllStale() {
    Stale.fill(true);
}

QByteArray StageOverviewPicture::BankBytes(const std::array<uint8_t, 2> &banks) const {
    const ImageBuffer &image = Document.Image();
    const ChrTiles &tiles = Document.Tiles();
    QByteArray bytes(2 * BankBytesShown, '\0');
    for (int bank = 0; bank < 2; ++bank) {
        const int64_t first = int64_t{Graphics.ChrBase()} + int64_t{BankUnit} * banks[bank];
        for (int k = 0; k < BankBytesShown; k += TileByteCount) {
            const int64_t offset = first + k;
            // The tiles as edited, which is what the pages draw.
            if (const int tile = tiles.TileAtOffset(offset); tile >= 0) {
                std::memcpy(bytes.data() + bank * BankBytesShown + k, tiles.Tile(tile),
                            TileByteCount);
                continue;
            }
            for (int byte = 0; byte < TileByteCount; ++byte)
                if (offset + byte >= 0 && offset + byte < static_cast<int64_t>(image.size()))
                    bytes[bank * BankBytesShown + k + byte] =
                        static_cast<char>(image[offset + byte]);
        }
    }
    return bytes;
}

std::array<bool, 32> StageOverviewPicture::UpdateSheets(const StageData &stage, bool everything) {
    std::array<bool, ChipCount> changed16{};
    for (int chip = 0; chip < ChipCount; ++chip) {
        bool changed = everything || stage.ChipProperty()[chip] != Drawn.Properties[chip];
        for (int quarter = 0; quarter < 4 && !changed; ++quarter)
            changed = stage.Chip16x16()[chip + 256 * quarter] != Drawn.Chip16[chip + 256 * quarter];
        if (!changed)
            continue;
        changed16[chip] = true;
        Graphics.DrawChip16x16(Graphics.Chip16x16Sheet(), stage.BGBank(),
                               stage.ChipProperty()[chip] & 3, stage.Chip16x16(),
                               static_cast<uint8_t>(chip), 16 * (chip % 16), 16 * (chip / 16));
    }
    std::array<bool, ChipCount> changed32{};
    for (int chip = 0; chip < ChipCount; ++chip) {
        bool changed = false;
        for (int quarter = 0; quarter < 4 && !changed; ++quarter) {
            const uint8_t part = stage.Chip32x32()[4 * chip + quarter];
            changed = changed16[part] || part != Drawn.Chip32[4 * chip + quarter];
        }
        if (!changed)
            continue;
        changed32[chip] = true;
        Graphics.UpdateChip32x32InSheet(Graphics.Chip32x32Sheet(), stage.Chip32x32(),
                                        static_cast<uint8_t>(chip));
    }
    std::array<bool, MapSetCount> changedMapSets{};
    for (int cell = 0; cell < MapSetCount * MapSetBytes; ++cell) {
        const uint8_t chip = stage.MapSet()[cell];
        if (changed32[chip] || chip != Drawn.MapSets[cell])
            changedMapSets[cell / MapSetBytes] = true;
    }
    Drawn.Chip16 = stage.Chip16x16();
    Drawn.Properties = stage.ChipProperty();
    Drawn.Chip32 = stage.Chip32x32();
    Drawn.MapSets = stage.MapSet();
    return changedMapSets;
}

std::vector<int> StageOverviewPicture::Follow(int stage, const IndexedBitmap::Palette &palette) {
    const StageData &data = Document.Stage(stage);
    if (Drawn.Stage < 0)
        Graphics.LocateChr();
    const QByteArray chrBytes = BankBytes(data.BGBank());
    // Other tiles under every chip: the whole sheet is decoded again.
    const bool everything = stage != Drawn.Stage || data.BGBank() != Drawn.Banks ||
                            chrBytes != Drawn.ChrBytes || Graphics.ChrBase() != Drawn.ChrBase;
    const std::array<bool, MapSetCount> changedMapSets = UpdateSheets(data, everything);
    const bool recoloured = palette != Drawn.Colours;
    if (recoloured)
        Graphics.Chip32x32Sheet().SetPalette(palette);

    std::vector<int> changedRooms;
    for (int room = 0; room < RoomCount; ++room) {
        std::vector<ObjectMark> objects;
        for (const ObjectNode &object : data.ObjectList(room))
            objects.push_back({object.X, object.Y, object.Kind});
        const uint8_t entry = data.Map()[room];
        const bool changed = everything || recoloured || entry != Drawn.Map[room] ||
                             changedMapSets[entry % MapSetCount] ||
                             (Objects && objects != Drawn.Objects[room]);
        Drawn.Objects[room] = std::move(objects);
        if (!changed)
            continue;
        Stale[room] = true;
        changedRooms.push_back(room);
    }
    Drawn.Stage = stage;
    Drawn.ChrBase = Graphics.ChrBase();
    Drawn.Banks = data.BGBank();
    Drawn.ChrBytes = chrBytes;
    Drawn.Map = data.Map();
    Drawn.Colours = palette;
    return changedRooms;
}

void StageOverviewPicture::DrawStale(const QRect &area) {
    if (Drawn.Stage < 0)
        return;
    const StageData &stage = Document.Stage(Drawn.Stage);
    for (int room = 0; room < RoomCount; ++room) {
        const QRect rect = RoomLayout.RoomRect(room);
        if (!Stale[room] || !rect.intersects(area))
            continue;
        QImage view = RoomView(Image, rect);
        Graphics.DrawRoom(view, stage, room, Objects);
        Stale[room] = false;
    }
}

const QImage &StageOverviewPicture::WholePicture() {
    DrawStale(Image.rect());
    return Image;
}

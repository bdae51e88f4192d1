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
constexpr int RoomSize = StageOverviewLayout::RoomSize;
constexpr int ChipSize = 32;
constexpr int ChipsPerSheetRow = 16;
constexpr int CellsPerRow = 8;

// The markers are drawn in two colours of their own, kept at the top of the colour table
// where no tile pixel (palette number x 4 + colour) ever reaches. The dark one is black and
// also fills the empty end of the last row.
constexpr uint8_t MarkerLightEntry = 254;
constexpr uint8_t MarkerDarkEntry = 255;
static_assert(EditorGraphics::MarkerTextColour == 0xFF000000u, "the empty places are black");
static_assert(EditorGraphics::LineColour == EditorGraphics::MarkerTextBackground,
              "the markers' outline and text background share one entry");
// Not a colour a marker is drawn in: what the scratch picture holds where no marker lies.
constexpr QRgb NoMarker = 0xFF123456u;

} // namespace

StageOverviewPicture::StageOverviewPicture(const FcPaletteData &colours,
                                           const RomImageData &document)
    : Document(document), Graphics(colours, document) {
    SetColumns(RoomCount);
}

void StageOverviewPicture::SetColumns(int columns) {
    RoomLayout = StageOverviewLayout(columns);
    // The pixels are laid out anew when first drawn; until then there are none to keep.
    Indices.SetSize(0, 0);
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

void StageOverviewPicture::DrawMapSetPicture(const StageData &stage, int mapSet) {
    const IndexedBitmap &sheet = Graphics.Chip32x32Sheet();
    IndexedBitmap &picture = MapSetPictures[mapSet];
    if (picture.Width() != RoomSize)
        picture.SetSize(RoomSize, RoomSize);
    for (int cell = 0; cell < MapSetBytes; ++cell) {
        const uint8_t chip = stage.MapSet()[MapSetBytes * mapSet + cell];
        picture.CopyFrom(sheet, ChipSize * (chip % ChipsPerSheetRow),
                         ChipSize * (chip / ChipsPerSheetRow), ChipSize, ChipSize,
                         ChipSize * (cell % CellsPerRow), ChipSize * (cell / CellsPerRow));
    }
    ColourSet &shown = MapSetColours[mapSet];
    shown.reset();
    for (int y = 0; y < RoomSize; ++y) {
        const uint8_t *row = picture.Row(y);
        for (int x = 0; x < RoomSize; ++x)
            shown.set(row[x]);
    }
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
    for (int mapSet = 0; mapSet < MapSetCount; ++mapSet)
        if (everything || changedMapSets[mapSet])
            DrawMapSetPicture(data, mapSet);
    ColourSet recoloured;
    for (size_t entry = 0; entry < palette.size(); ++entry)
        recoloured[entry] = palette[entry] != Drawn.Colours[entry];
    if (recoloured.any()) {
        IndexedBitmap::Palette table = palette;
        table[MarkerLightEntry] = EditorGraphics::LineColour;
        table[MarkerDarkEntry] = EditorGraphics::MarkerTextColour;
        Indices.SetPalette(table);
    }

    std::vector<int> changedRooms;
    for (int room = 0; room < RoomCount; ++room) {
        std::vector<ObjectMark> objects;
        for (const ObjectNode &object : data.ObjectList(room))
            objects.push_back({object.X, object.Y, object.Kind});
        const uint8_t entry = data.Map()[room];
        const int mapSet = entry % MapSetCount;
        const bool redrawn = everything || entry != Drawn.Map[room] || changedMapSets[mapSet] ||
                             (Objects && objects != Drawn.Objects[room]);
        Drawn.Objects[room] = std::move(objects);
        if (redrawn)
            Stale[room] = true;
        if (redrawn || (MapSetColours[mapSet] & recoloured).any())
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

void StageOverviewPicture::DrawRoomIndices(const StageData &stage, int room) {
    const QRect rect = RoomLayout.RoomRect(room);
    const IndexedBitmap &mapSet = MapSetPictures[stage.Map()[room] % MapSetCount];
    Indices.CopyFrom(mapSet, 0, 0, RoomSize, RoomSize, rect.x(), rect.y());
    if (!Objects || stage.ObjectList(room).empty())
        return;
    // The markers are drawn by the one routine every page uses, on a room of their own, and
    // their pixels then taken over as the two marker entries.
    if (MarkerScratch.isNull())
        MarkerScratch = QImage(RoomSize, RoomSize, QImage::Format_RGB32);
    MarkerScratch.fill(NoMarker);
    for (const ObjectNode &object : stage.ObjectList(room))
        EditorGraphics::DrawObjectMarker(MarkerScratch, object.X, static_cast<uint8_t>(object.Kind),
                                         object.Y);
    for (int y = 0; y < RoomSize; ++y) {
        const auto *marks = reinterpret_cast<const QRgb *>(MarkerScratch.constScanLine(y));
        uint8_t *row = Indices.Row(rect.y() + y) + rect.x();
        for (int x = 0; x < RoomSize; ++x) {
            if (marks[x] == EditorGraphics::LineColour)
                row[x] = MarkerLightEntry;
            else if (marks[x] == EditorGraphics::MarkerTextColour)
                row[x] = MarkerDarkEntry;
        }
    }
}

void StageOverviewPicture::DrawStale(const QRect &area) {
    if (Drawn.Stage < 0)
        return;
    const QSize size = RoomLayout.PictureSize();
    if (Indices.Width() != size.width() || Indices.Height() != size.height()) {
        Indices.SetSize(size.width(), size.height());
        Indices.Fill(0, 0, size.width(), size.height(), MarkerDarkEntry);
    }
    const StageData &stage = Document.Stage(Drawn.Stage);
    for (int room = 0; room < RoomCount; ++room) {
        if (!Stale[room] || !RoomLayout.RoomRect(room).intersects(area))
            continue;
        DrawRoomIndices(stage, room);
        Stale[room] = false;
    }
}

void StageOverviewPicture::Render(QImage &target, QPoint origin, int zoomPercent,
                                  QRgb background) const {
    if (target.depth() != 32 || zoomPercent < 1)
        return;
    const int width = target.width();
    // The picture column under every target column, or -1 beside the picture.
    std::vector<int> columns(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i) {
        const int64_t x = (int64_t{origin.x()} + i) * 100 / zoomPercent;
        columns[i] = x >= 0 && x < Indices.Width() ? static_cast<int>(x) : -1;
    }
    const IndexedBitmap::Palette &colours = Indices.GetPalette();
    for (int j = 0; j < target.height(); ++j) {
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(j));
        const int64_t y = (int64_t{origin.y()} + j) * 100 / zoomPercent;
        if (y < 0 || y >= Indices.Height()) {
            std::fill(out, out + width, background);
            continue;
        }
        const uint8_t *row = Indices.Row(static_cast<int>(y));
        for (int i = 0; i < width; ++i)
            out[i] = columns[i] >= 0 ? colours[row[columns[i]]] : background;
    }
}

const QImage &StageOverviewPicture::WholePicture() {
    const QSize size = RoomLayout.PictureSize();
    DrawStale(QRect(QPoint(0, 0), size));
    if (Whole.size() != size)
        Whole = QImage(size, QImage::Format_RGB32);
    if (Indices.Width() == size.width())
        Indices.CopyToPicture(Whole, 0, 0, size.width(), size.height(), 0, 0);
    else
        Whole.fill(Qt::black);
    return Whole;
}

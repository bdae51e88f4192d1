#include "graphics.h"

#include "HexText.h"
#include "fcpalette.h"
#include "fileio.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int TileBytes = 16;
constexpr int64_t BankUnit = 0x400;

// The eight pixels of one bit-plane byte as eight bytes, leftmost pixel (bit 7) first, each
// 0 or 1. Adding the lo spread, twice the hi spread and the palette base in every byte
// gives a whole decoded tile row at once: no byte exceeds 15, so nothing carries over.
constexpr std::array<uint64_t, 256> MakeBitSpread() {
    std::array<uint64_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        std::array<uint8_t, 8> pixels{};
        for (int column = 0; column < 8; ++column)
            pixels[column] = static_cast<uint8_t>((value >> (7 - column)) & 1);
        table[value] = std::bit_cast<uint64_t>(pixels);
    }
    return table;
}
constexpr std::array<uint64_t, 256> BitSpread = MakeBitSpread();
constexpr uint64_t EveryByte = 0x0101010101010101u;

void RequireRgb32(const QImage &image) {
    if (image.depth() != 32)
        throw std::invalid_argument("EditorGraphics: pictures are 32 bits a pixel");
}

// Inclusive runs of pixels, clipped to the picture.
void HorizontalRun(QImage &image, int64_t x0, int64_t x1, int64_t y, QRgb colour) {
    if (y < 0 || y >= image.height())
        return;
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, image.width() - 1);
    QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(y)));
    for (int64_t x = x0; x <= x1; ++x)
        row[x] = colour;
}

void VerticalRun(QImage &image, int64_t x, int64_t y0, int64_t y1, QRgb colour) {
    if (x < 0 || x >= image.width())
        return;
    y0 = std::max<int64_t>(y0, 0);
    y1 = std::min<int64_t>(y1, image.height() - 1);
    for (int64_t y = y0; y <= y1; ++y)
        reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(y)))[x] = colour;
}

// The outline of the rectangle with both corners included.
void Outline(QImage &image, int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb colour) {
    if (image.isNull() || right < left || bottom < top)
        return;
    RequireRgb32(image);
    HorizontalRun(image, left, right, top, colour);
    HorizontalRun(image, left, right, bottom, colour);
    VerticalRun(image, left, top, bottom, colour);
    VerticalRun(image, right, top, bottom, colour);
}

} // namespace

EditorGraphics::EditorGraphics(const FcPaletteData &colours, const RomImageData &document)
    : Colours(colours), Document(document) {
    ResetPaletteAnimation();
    for (IndexedBitmap *surface : {&MasterSurface, &StageSurface}) {
        surface->SetPaletteEntry(FrameEntry, FrameColour);
        surface->SetPaletteEntry(LineEntry, LineColour);
    }
    LoadMasterPalette();
    Sheet16 = CreateStageBitmap(256, 256);
    Sheet32 = CreateStageBitmap(512, 512);
}

uint8_t EditorGraphics::ImageByte(int64_t offset) const {
    const ImageBuffer &image = Document.Image();
    if (offset < 0 || offset >= static_cast<int64_t>(image.size()))
        return 0;
    return image[static_cast<size_t>(offset)];
}

QRgb EditorGraphics::MasterRgb(uint8_t colourIndex) const {
    const uint32_t colour = Colours.Colour(colourIndex);
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

void EditorGraphics::LocateChr() {
    Chr = Document.ChrBase();
}

void EditorGraphics::LoadMasterPalette() {
    for (int index = 0; index < FcPaletteData::ColourCount; ++index)
        MasterSurface.SetPaletteEntry(index, MasterRgb(static_cast<uint8_t>(index)));
}

void EditorGraphics::SetStagePalette(const std::array<uint8_t, 16> &colourIndices) {
    for (int entry = 0; entry < 16; ++entry)
        StageSurface.SetPaletteEntry(entry, MasterRgb(colourIndices[entry]));
}

void EditorGraphics::SetStagePaletteEntry(int entry, uint8_t colourIndex) {
    StageSurface.SetPaletteEntry(entry, MasterRgb(colourIndex));
}

QRgb EditorGraphics::GetStagePaletteColour(int entry) const {
    return StageSurface.PaletteEntry(entry);
}

const IndexedBitmap::Palette &EditorGraphics::StagePalette() const {
    return StageSurface.GetPalette();
}

const IndexedBitmap::Palette &EditorGraphics::MasterPalette() const {
    return MasterSurface.GetPalette();
}

void EditorGraphics::SyncChip32x32SheetPalette() {
    Sheet32.SetPalette(StagePalette());
}

void EditorGraphics::ResetPaletteAnimation() {
    WaitCounters.fill(0);
    FrameNumbers.fill(0);
}

bool EditorGraphics::StepPaletteAnimation(const std::array<uint8_t, 4> &selectors) {
    const AddressData &addresses = Document.Addresses();
    bool changed = false;
    for (size_t slot = 0; slot < selectors.size(); ++slot) {
        const uint8_t selector = selectors[slot];
        if (selector < 0x80)
            continue;
        ++WaitCounters[slot];
        const int64_t pointer = int64_t{addresses.PaletteAnimationPointer()} + (selector & 0x7F);
        const int64_t record = int64_t{addresses.PaletteAnimationData()} + ImageByte(pointer);
        const int lastFrame = ImageByte(record);
        const int wait = ImageByte(record + 1);
        const int firstEntry = ImageByte(record + 2);
        if (wait >= WaitCounters[slot])
            continue;
        WaitCounters[slot] = 0;
        const int64_t triple = int64_t{addresses.PaletteAnimationPalette()} +
                               3 * int64_t{ImageByte(record + 3 + FrameNumbers[slot])};
        for (int k = 0; k < 3; ++k)
            StageSurface.SetPaletteEntry((firstEntry + k) % 256, MasterRgb(ImageByte(triple + k)));
        if (++FrameNumbers[slot] > lastFrame)
            FrameNumbers[slot] = 0;
        changed = true;
    }
    return changed;
}

int EditorGraphics::TicksUntilStep(const std::array<uint8_t, 4> &selectors) const {
    const AddressData &addresses = Document.Addresses();
    int ticks = 0;
    for (size_t slot = 0; slot < selectors.size(); ++slot) {
        const uint8_t selector = selectors[slot];
        if (selector < 0x80)
            continue;
        const int64_t pointer = int64_t{addresses.PaletteAnimationPointer()} + (selector & 0x7F);
        const int64_t record = int64_t{addresses.PaletteAnimationData()} + ImageByte(pointer);
        // A slot steps on the tick that takes its counter past the record's wait.
        const int slotTicks = std::max(1, ImageByte(record + 1) + 1 - WaitCounters[slot]);
        ticks = ticks == 0 ? slotTicks : std::min(ticks, slotTicks);
    }
    return ticks;
}

IndexedBitmap EditorGraphics::CreateStageBitmap(int width, int height) const {
    IndexedBitmap bitmap(width, height);
    bitmap.SetPalette(StageSurface.GetPalette());
    return bitmap;
}

IndexedBitmap EditorGraphics::CreatePaletteBitmap(int width, int height) const {
    IndexedBitmap bitmap(width, height);
    bitmap.SetPalette(MasterSurface.GetPalette());
    return bitmap;
}

void EditorGraphics::FillSurfaceRect(IndexedBitmap &surface, int x, int y, int width, int height,
                                     uint8_t index) {
    surface.Fill(x, y, width, height, index);
}

void EditorGraphics::FillPictureRect(IndexedBitmap &picture, int x, int y, int width, int height,
                                     uint8_t index) {
    picture.Fill(x, y, width, height, index);
}

void EditorGraphics::DecodeTile(IndexedBitmap &surface, int64_t address, uint8_t base, int x,
                                int y) const {
    std::array<uint8_t, TileBytes> bytes{};
    const ImageBuffer &image = Document.Image();
    // Tiles are drawn as edited; only what lies outside the CHR data comes from the image.
    const ChrTiles &tiles = Document.Tiles();
    if (const int tile = tiles.TileAtOffset(address); tile >= 0) {
        std::memcpy(bytes.data(), tiles.Tile(tile), TileBytes);
    } else if (address >= 0 && address + TileBytes <= static_cast<int64_t>(image.size())) {
        std::memcpy(bytes.data(), image.data() + address, TileBytes);
    } else {
        for (int k = 0; k < TileBytes; ++k)
            bytes[k] = ImageByte(address + k);
    }
    const bool wholeTileInside =
        x >= 0 && y >= 0 && x <= surface.Width() - 8 && y <= surface.Height() - 8;
    for (int row = 0; row < 8; ++row) {
        const uint64_t pixels =
            EveryByte * base + BitSpread[bytes[row]] + 2 * BitSpread[bytes[row + 8]];
        if (wholeTileInside) {
            std::memcpy(surface.Row(y + row) + x, &pixels, 8);
            continue;
        }
        if (y + row < 0 || y + row >= surface.Height())
            continue;
        const auto values = std::bit_cast<std::array<uint8_t, 8>>(pixels);
        uint8_t *line = surface.Row(y + row);
        for (int column = 0; column < 8; ++column)
            if (x + column >= 0 && x + column < surface.Width())
                line[x + column] = values[column];
    }
}

void EditorGraphics::DrawTile(IndexedBitmap &surface, const std::array<uint8_t, 2> &banks,
                              int palette, uint8_t tile, int x, int y) const {
    const uint8_t bank = tile < 0x80 ? banks[0] : banks[1];
    const int64_t address = Chr + BankUnit * bank + int64_t{TileBytes} * (tile & 0x7F);
    DecodeTile(surface, address, static_cast<uint8_t>(4 * (palette & 3)), x, y);
}

void EditorGraphics::DrawChip16x16(IndexedBitmap &surface, const std::array<uint8_t, 2> &banks,
                                   int palette, const std::array<uint8_t, 1024> &chip16x16,
                                   uint8_t chip, int x, int y) const {
    DrawTile(surface, banks, palette, chip16x16[chip], x, y);
    DrawTile(surface, banks, palette, chip16x16[chip + 256], x + 8, y);
    DrawTile(surface, banks, palette, chip16x16[chip + 512], x, y + 8);
    DrawTile(surface, banks, palette, chip16x16[chip + 768], x + 8, y + 8);
}

void EditorGraphics::BuildChip16x16Sheet(IndexedBitmap &surface,
                                         const std::array<uint8_t, 2> &banks,
                                         const std::array<uint8_t, 1024> &chip16x16,
                                         const std::array<uint8_t, 256> &chipProperty) const {
    for (int n = 0; n < 256; ++n)
        DrawChip16x16(surface, banks, chipProperty[n] & 3, chip16x16, static_cast<uint8_t>(n),
                      16 * (n % 16), 16 * (n / 16));
}

void EditorGraphics::DrawTileTable(IndexedBitmap &surface, uint8_t bank, int y0) const {
    const int64_t first = Chr + BankUnit * bank;
    for (int k = 0; k < 128; ++k)
        DecodeTile(surface, first + int64_t{TileBytes} * k, 0, 8 * (k % 16), y0 + 8 * (k / 16));
}

void EditorGraphics::BuildChip32x32Sheet(IndexedBitmap &sheet,
                                         const std::array<uint8_t, 1024> &chip32x32) const {
    for (int n = 0; n < 256; ++n)
        UpdateChip32x32InSheet(sheet, chip32x32, static_cast<uint8_t>(n));
}

void EditorGraphics::UpdateChip32x32InSheet(IndexedBitmap &sheet,
                                            const std::array<uint8_t, 1024> &chip32x32,
                                            uint8_t chip) const {
    const int left = 32 * (chip % 16);
    const int top = 32 * (chip / 16);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const uint8_t m = chip32x32[4 * chip + quarter];
        sheet.CopyFrom(Sheet16, 16 * (m % 16), 16 * (m / 16), 16, 16, left + 16 * (quarter % 2),
                       top + 16 * (quarter / 2));
    }
}

void EditorGraphics::DrawMapSet(QImage &image, const uint8_t *mapSet64) const {
    for (int cell = 0; cell < 64; ++cell) {
        const uint8_t chip = mapSet64[cell];
        Sheet32.CopyToPicture(image, 32 * (chip % 16), 32 * (chip / 16), 32, 32, 32 * (cell % 8),
                              32 * (cell / 8));
    }
}

void EditorGraphics::DrawRoom(QImage &image, const StageData &stage, int room, bool objects) const {
    constexpr int MapSetBytes = 64;
    constexpr int MapSetMask = 31;
    DrawMapSet(image, stage.MapSet().data() +
                          MapSetBytes * (stage.Map().at(static_cast<size_t>(room)) & MapSetMask));
    if (!objects)
        return;
    for (const ObjectNode &object : stage.ObjectList(room))
        DrawObjectMarker(image, object.X, static_cast<uint8_t>(object.Kind), object.Y);
}

void EditorGraphics::ShowChip32x32Sheet(QImage &image) const {
    Sheet32.CopyToPictureScaled(image, 0, 0, Sheet32.Width(), Sheet32.Height(), 0, 0, image.width(),
                                image.height());
}

void EditorGraphics::DrawChip32x32(QImage &image, uint8_t chip, int x, int y, int width,
                                   int height) const {
    Sheet32.CopyToPictureScaled(image, 32 * (chip % 16), 32 * (chip / 16), 32, 32, x, y, width,
                                height);
}

void EditorGraphics::DrawFrame(QImage &image, int x, int y, int size) {
    Outline(image, x, y, int64_t{x} + size - 1, int64_t{y} + size - 1, FrameColour);
}

void EditorGraphics::DrawGrid(QImage &image, int dx, int dy) {
    if (image.isNull() || dx < 1 || dy < 1)
        return;
    RequireRgb32(image);
    for (int y = 0; y < image.height(); y += dy)
        HorizontalRun(image, 0, image.width() - 1, y, LineColour);
    for (int x = 0; x < image.width(); x += dx)
        VerticalRun(image, x, 0, image.height() - 1, LineColour);
}

void EditorGraphics::DrawObjectMarker(QImage &image, int x, uint8_t kind, int y) {
    Outline(image, int64_t{x} - 8, int64_t{y} - 8, int64_t{x} + 7, int64_t{y} + 7, LineColour);
    if (image.isNull())
        return;
    const QString text = HexText(kind);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setFamily(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(11);
    // Two digits 11 pixels high stay legible only as crisp pixels.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QRect box = painter.boundingRect(QRect(x - 6, y - 6, 0, 0),
                                           Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter.fillRect(box, QColor::fromRgb(MarkerTextBackground));
    painter.setPen(QColor::fromRgb(MarkerTextColour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

void EditorGraphics::DrawCursor24(QImage &image, int x, int y) {
    Outline(image, int64_t{x} - 12, int64_t{y} - 12, int64_t{x} + 11, int64_t{y} + 11, LineColour);
}

void EditorGraphics::DrawCursor32(QImage &image, int x, int y) {
    Outline(image, int64_t{x} - 16, int64_t{y} - 16, int64_t{x} + 15, int64_t{y} + 15, LineColour);
}

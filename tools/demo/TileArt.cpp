#include "TileArt.h"

#include <QtGlobal>

int ArtColour(std::span<const std::string_view> rows, int x, int y) {
    if (x < 0 || y < 0 || static_cast<size_t>(y) >= rows.size())
        return 0;
    const std::string_view row = rows[static_cast<size_t>(y)];
    if (static_cast<size_t>(x) >= row.size())
        return 0;
    const char c = row[static_cast<size_t>(x)];
    return (c >= '1' && c <= '3') ? c - '0' : 0;
}

TilePixels TileFromArt(std::span<const std::string_view> rows) {
    return PaintTile([rows](int x, int y) { return ArtColour(rows, x, y); });
}

std::array<uint8_t, 16> EncodeTile(const TilePixels &pixels) {
    std::array<uint8_t, 16> bytes{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t colour = pixels[static_cast<size_t>(8 * y + x)];
            const auto bit = static_cast<uint8_t>(0x80 >> x);
            if (colour & 1)
                bytes[static_cast<size_t>(y)] |= bit;
            if (colour & 2)
                bytes[static_cast<size_t>(y + 8)] |= bit;
        }
    }
    return bytes;
}

uint32_t PixelHash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
                 static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

TileBank::TileBank() : Data(ByteSize, '\0') {}

void TileBank::Put(int tile, const TilePixels &pixels) {
    const bool inBank = tile >= 0 && tile < TileCount;
    Q_ASSERT(inBank);
    if (!inBank)
        return;
    const std::array<uint8_t, 16> bytes = EncodeTile(pixels);
    for (int i = 0; i < 16; ++i)
        Data[16 * tile + i] = static_cast<char>(bytes[static_cast<size_t>(i)]);
}

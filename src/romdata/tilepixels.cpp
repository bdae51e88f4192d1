#include "tilepixels.h"

#include <QStringList>
#include <array>
#include <cstdlib>
#include <vector>

namespace TilePixels {

namespace {

constexpr int Side = 8;

bool Inside(int x, int y) {
    return x >= 0 && x < Side && y >= 0 && y < Side;
}

} // namespace

int Pixel(const TileData &tile, int x, int y) {
    if (!Inside(x, y))
        return 0;
    const int bit = 7 - x;
    return ((tile[y] >> bit) & 1) | (((tile[y + Side] >> bit) & 1) << 1);
}

void SetPixel(TileData &tile, int x, int y, int colour) {
    if (!Inside(x, y))
        return;
    const auto mask = static_cast<uint8_t>(1u << (7 - x));
    tile[y] = static_cast<uint8_t>((colour & 1) ? tile[y] | mask : tile[y] & ~mask);
    tile[y + Side] =
        static_cast<uint8_t>((colour & 2) ? tile[y + Side] | mask : tile[y + Side] & ~mask);
}

void DrawLine(TileData &tile, int x0, int y0, int x1, int y1, int colour) {
    // Integer steps along the longer axis: one pixel per step, so no gaps. Far-off ends
    // are walked too (a pointer dragged well outside), but never more than the distance.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        SetPixel(tile, x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x0 += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void FloodFill(TileData &tile, int x, int y, int colour) {
    if (!Inside(x, y))
        return;
    const int target = Pixel(tile, x, y);
    if (target == (colour & 3))
        return;
    std::vector<std::array<int, 2>> pending = {{x, y}};
    while (!pending.empty()) {
        const auto [px, py] = pending.back();
        pending.pop_back();
        if (!Inside(px, py) || Pixel(tile, px, py) != target)
            continue;
        SetPixel(tile, px, py, colour);
        pending.push_back({px + 1, py});
        pending.push_back({px - 1, py});
        pending.push_back({px, py + 1});
        pending.push_back({px, py - 1});
    }
}

TileData FlippedHorizontally(const TileData &tile) {
    TileData result{};
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            SetPixel(result, Side - 1 - x, y, Pixel(tile, x, y));
    return result;
}

TileData FlippedVertically(const TileData &tile) {
    TileData result{};
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            SetPixel(result, x, Side - 1 - y, Pixel(tile, x, y));
    return result;
}

TileData Rotated(const TileData &tile) {
    TileData result{};
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            SetPixel(result, Side - 1 - y, x, Pixel(tile, x, y));
    return result;
}

QString ClipboardText(const TileData &tile) {
    QString text;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x)
            text += QChar(u'0' + Pixel(tile, x, y));
        text += u'\n';
    }
    return text;
}

std::optional<TileData> FromClipboardText(const QString &text) {
    QStringList rows;
    for (const QString &line : text.split(u'\n')) {
        const QString row = line.trimmed();
        if (!row.isEmpty())
            rows << row;
    }
    if (rows.size() != Side)
        return std::nullopt;
    TileData tile{};
    for (int y = 0; y < Side; ++y) {
        if (rows[y].size() != Side)
            return std::nullopt;
        for (int x = 0; x < Side; ++x) {
            const char16_t digit = rows[y][x].unicode();
            if (digit < u'0' || digit > u'3')
                return std::nullopt;
            SetPixel(tile, x, y, digit - u'0');
        }
    }
    return tile;
}

} // namespace TilePixels

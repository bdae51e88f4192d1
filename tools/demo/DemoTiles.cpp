#include "DemoTiles.h"

#include "TileArt.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace {

// ---- Shared shape helpers -------------------------------------------------------------

struct Circle {
    double X, Y, Radius;
};

bool InsideAny(std::span<const Circle> circles, double x, double y) {
    for (const Circle &c : circles)
        if ((x - c.X) * (x - c.X) + (y - c.Y) * (y - c.Y) <= c.Radius * c.Radius)
            return true;
    return false;
}

// A soft round shape on a 32x16 picture: colour 2 inside, colour 1 along its lower rim
// and along every border pixel when `outlined`, colour 3 as a highlight near the top left
// of each lobe.
int RoundShape(std::span<const Circle> lobes, int x, int y, bool outlined) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const auto inside = [&](double ax, double ay) { return ay < 16 && InsideAny(lobes, ax, ay); };
    if (!inside(px, py))
        return 0;
    if (outlined && (!inside(px - 1, py) || !inside(px + 1, py) || !inside(px, py - 1)))
        return 1;
    if (!inside(px, py + 2) || py > 14)
        return 1;
    for (const Circle &c : lobes) {
        const double hx = c.X - c.Radius * 0.35;
        const double hy = c.Y - c.Radius * 0.35;
        if ((px - hx) * (px - hx) + (py - hy) * (py - hy) <= 3.0)
            return 3;
    }
    return 2;
}

// 4x4 ordered dither: a pixel takes colour 1 when its threshold is below `level` (0..16).
int Dither(int x, int y, int level) {
    constexpr int Bayer[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return Bayer[(y & 3) * 4 + (x & 3)] < level ? 1 : 0;
}

// ---- Lettering --------------------------------------------------------------------------

// 5x7 glyphs: '#' marks a stroke.
struct Glyph {
    char Character;
    std::string_view Rows[7];
};

constexpr Glyph Glyphs[] = {
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
};

const Glyph &FindGlyph(char character) {
    for (const Glyph &glyph : Glyphs)
        if (glyph.Character == character)
            return glyph;
    return Glyphs[0];
}

bool Stroke(const Glyph &glyph, int x, int y) {
    return x >= 0 && x < 5 && y >= 0 && y < 7 && glyph.Rows[y][static_cast<size_t>(x)] == '#';
}

// A character in colour 2 with a drop shadow in colour 1, so it reads on any sky.
TilePixels LetterTile(char character) {
    const Glyph &glyph = FindGlyph(character);
    return PaintTile([&glyph](int x, int y) {
        if (Stroke(glyph, x - 1, y))
            return 2;
        return Stroke(glyph, x - 2, y - 1) ? 1 : 0;
    });
}

// ---- The common bank ------------------------------------------------------------------

// The pictures keep one row per line.
// clang-format off
constexpr std::string_view WaterSurfaceArt[] = {
    "........",
    ".3333...",
    "32222333",
    "22111222",
    "11111111",
    "11122111",
    "11111111",
    "11111133",
};
// Ripples in colour 2 and colour 3 trade places when the water palette cycles.
constexpr std::string_view WaterBodyArt[] = {
    "11111111",
    "11222111",
    "11111111",
    "11111133",
    "31111111",
    "11111111",
    "11112211",
    "11111111",
};
constexpr std::string_view WaterBubblesArt[] = {
    "11111111",
    "11113111",
    "11131311",
    "11113111",
    "12211111",
    "11111111",
    "13111111",
    "11111221",
};
constexpr std::string_view StarSmallArt[] = {
    "........",
    "........",
    "...3....",
    "..333...",
    "...3....",
    "........",
    "........",
    "........",
};
constexpr std::string_view StarBigArt[] = {
    "...3....",
    "...3....",
    "..333...",
    "3333333.",
    "..333...",
    "...3....",
    "...3....",
    "........",
};
constexpr std::string_view LampArt[] = {
    ".......11.......",
    "........1.......",
    ".......11.......",
    "........1.......",
    ".......11.......",
    "......1111......",
    "....11111111....",
    "...1111111111...",
    "....23333332....",
    "....33333333....",
    ".....333333.....",
    "......3333......",
    ".......22.......",
    "................",
    "................",
    "................",
};
// clang-format on

int CloudPixel(int x, int y) {
    static constexpr Circle Lobes[] = {{9, 10, 6}, {17, 7, 7}, {25, 10.5, 5.5}};
    return RoundShape(Lobes, x, y, false);
}

int OrbPixel(int x, int y) {
    const double dx = x - 7.5;
    const double dy = y - 7.5;
    if (dx * dx + dy * dy > 6.5 * 6.5)
        return 0;
    if ((x - 5) * (x - 5) + (y - 5) * (y - 5) <= 2)
        return 3;
    if ((x - 10) * (x - 10) + (y - 9) * (y - 9) <= 3 ||
        (x - 6) * (x - 6) + (y - 11) * (y - 11) <= 1)
        return 1;
    return 2;
}

// ---- Terrain pieces, one function per piece and style ----------------------------------

int BrickPixel(int x, int y) {
    const int course = y / 8;
    const int joint = course == 0 ? 15 : 7;
    if (y % 8 == 7 || x == joint)
        return 1;
    if (y % 8 == 0 || x == (joint + 1) % 16)
        return 3;
    return 2;
}

int StoneBlockPixel(int x, int y) {
    if (x == 15 || y == 15)
        return 1;
    if (x == 0 || y == 0)
        return 3;
    if (x == 14 || y == 14)
        return PixelHash(x, y, 7) % 2 ? 1 : 2;
    // A short crack and some grit.
    if ((x == 5 && y >= 4 && y <= 7) || (x == 6 && y >= 7 && y <= 9))
        return 1;
    return PixelHash(x, y, 11) % 13 == 0 ? 1 : 2;
}

int PlatePixel(int x, int y) {
    if (x == 0 || y == 0 || x == 15 || y == 15)
        return 1;
    for (const int rx : {3, 12})
        for (const int ry : {3, 12}) {
            if (x == rx && y == ry)
                return 3;
            if ((x == rx + 1 && y == ry) || (x == rx && y == ry + 1))
                return 1;
        }
    const int sheen = x - y;
    return (sheen == 4 || sheen == 5 || sheen == -7) ? 3 : 2;
}

int DirtPixel(int x, int y) {
    const uint32_t h = PixelHash(x, y, 21);
    if (h % 23 == 0)
        return 3;
    return h % 7 == 0 ? 1 : 2;
}

int RubblePixel(int x, int y) {
    // Stones on a jittered 8x8 grid, lit from the top left.
    const int cellX = x / 8;
    const int cellY = y / 8;
    const uint32_t h = PixelHash(cellX, cellY, 31);
    const double cx = 8 * cellX + 3.5 + static_cast<double>(h % 3) - 1;
    const double cy = 8 * cellY + 3.5 + static_cast<double>((h >> 4) % 3) - 1;
    const double rx = 3.0 + static_cast<double>((h >> 8) % 2) * 0.6;
    const double dx = (x + 0.5 - cx) / rx;
    const double dy = (y + 0.5 - cy) / 2.8;
    const double d = dx * dx + dy * dy;
    if (d > 1.0)
        return 1;
    return (d > 0.45 && dx + dy < 0) ? 3 : 2;
}

int GratingPixel(int x, int y) {
    const bool bar = x % 4 == 0;
    const bool rail = y % 4 == 0;
    if (bar && rail)
        return 3;
    return (bar || rail) ? 2 : 1;
}

int BladesPixel(int x, int y) {
    const int height = 1 + static_cast<int>(PixelHash(x, 0, 41) % 5);
    if (y < 5 - height)
        return 0;
    if (y < 5)
        return (x % 3 == 0) ? 3 : 2;
    if (y < 10)
        return PixelHash(x, y, 43) % 6 == 0 ? 3 : 2;
    return PixelHash(x, y, 47) % 3 == 0 ? 2 : 1;
}

int MossPixel(int x, int y) {
    const double top = 3.0 + 1.8 * std::sin((x + 1) * 3.14159265358979 / 4.0);
    if (y < top)
        return 0;
    if (y < top + 1)
        return 3;
    if (y < 9)
        return PixelHash(x, y, 53) % 5 == 0 ? 1 : 2;
    // Strands hanging down.
    return (x % 5 == 1 || x % 7 == 3) && y < 14 ? 2 : 1;
}

int HazardFloorPixel(int x, int y) {
    if (y < 2 || y == 8)
        return 3;
    if (y < 8)
        return ((x + y) / 3) % 2 ? 2 : 1;
    return (y == 12 && x % 8 == 3) ? 2 : 1;
}

// Background walls are drawn in the darkest colour with gaps of the background colour,
// so they sit behind everything solid.
int BackBrickPixel(int x, int y) {
    const int joint = (y / 8) % 2 == 0 ? 15 : 7;
    return (y % 8 == 7 || x == joint) ? 0 : 1;
}

int BackRockPixel(int x, int y) {
    const int band = y / 5;
    const int joint = static_cast<int>(PixelHash(band, 0, 61) % 12) + 2;
    if (y % 5 == 4 || x == joint)
        return 0;
    return PixelHash(x, y, 67) % 17 == 0 ? 2 : 1;
}

int BackPanelPixel(int x, int y) {
    if (x % 8 == 7 || y == 15)
        return 0;
    return (x % 8 == 3 && (y == 3 || y == 11)) ? 2 : 1;
}

int PlankPixel(int x, int y) {
    if (y == 0)
        return 3;
    if (y >= 6)
        return y == 6 ? 1 : 0;
    if ((x == 2 || x == 13) && y == 3)
        return 1;
    return PixelHash(x / 3, y, 71) % 4 == 0 ? 1 : 2;
}

int SlabPixel(int x, int y) {
    if (y == 0)
        return 3;
    if (y >= 6 || x == 0 || x == 15)
        return 1;
    return PixelHash(x, y, 73) % 9 == 0 ? 1 : 2;
}

int GirderPixel(int x, int y) {
    if (y == 0)
        return 3;
    if (y == 1 || y == 6)
        return 2;
    if (y == 7)
        return 1;
    const bool truss = (x + y) % 6 == 0 || (x - y + 12) % 6 == 0;
    return truss ? 2 : 0;
}

// clang-format off
constexpr std::string_view LadderLeftArt[] = {
    ".32.....",
    ".32.....",
    ".32.....",
    ".3233333",
    ".3211111",
    ".32.....",
    ".32.....",
    ".32.....",
};
constexpr std::string_view LadderRightArt[] = {
    ".....23.",
    ".....23.",
    ".....23.",
    "3333323.",
    "1111123.",
    ".....23.",
    ".....23.",
    ".....23.",
};
// clang-format on

// Shading across a round pipe: dark at both edges, a highlight left of centre.
int PipeShade(int x, int width) {
    if (x == 0 || x == width - 1)
        return 1;
    if (x >= 2 && x < 5)
        return 3;
    if (x >= width - 6 && x < width - 2)
        return 1;
    return 2;
}

// The pipe is a 24-pixel conduit; its top is a bolted flange the full 32 pixels wide.
constexpr int ConduitLeft = 4;
constexpr int ConduitWidth = 24;

int ConduitPixel(int x, int y) {
    if (x < ConduitLeft || x >= ConduitLeft + ConduitWidth)
        return 0;
    const int shade = PipeShade(x - ConduitLeft, ConduitWidth);
    return (y == 7 && shade != 1) ? 1 : shade;
}

int PipeRimPixel(int x, int y) {
    const bool flange = y < 4 || y >= 12;
    if (!flange)
        return ConduitPixel(x, y);
    if (x == 0 || x == 31 || y == 0 || y == 3 || y == 12 || y == 15)
        return 1;
    const bool bolt = (x == 4 || x == 12 || x == 19 || x == 27) && (y == 1 || y == 13);
    return bolt ? 3 : 2;
}

int BushPixel(int x, int y) {
    static constexpr Circle Lobes[] = {{7, 10.5, 6.5}, {16, 7.5, 7.5}, {25, 10.5, 6.5}};
    return RoundShape(Lobes, x, y, true);
}

} // namespace

QByteArray DrawCommonBank() {
    TileBank bank;
    using namespace CommonTile;
    bank.Put(SkyLight, PaintTile([](int x, int y) { return Dither(x, y, 4); }));
    bank.Put(SkyMedium, PaintTile([](int x, int y) { return Dither(x, y, 8); }));
    bank.Put(SkyDense, PaintTile([](int x, int y) { return Dither(x, y, 12); }));
    bank.PutPicture(Cloud, 4, 2, CloudPixel);
    for (int digit = 0; digit < 10; ++digit)
        bank.Put(Digit0 + digit, LetterTile(static_cast<char>('0' + digit)));
    for (size_t i = 0; i < std::strlen(Letters); ++i)
        bank.Put(FirstLetter + static_cast<int>(i), LetterTile(Letters[i]));
    bank.Put(WaterSurface, TileFromArt(WaterSurfaceArt));
    bank.Put(WaterBody, TileFromArt(WaterBodyArt));
    bank.Put(WaterBubbles, TileFromArt(WaterBubblesArt));
    bank.Put(StarSmall, TileFromArt(StarSmallArt));
    bank.Put(StarBig, TileFromArt(StarBigArt));
    bank.PutPicture(Orb, 2, 2, OrbPixel);
    bank.PutPicture(Lamp, 2, 2, [](int x, int y) { return ArtColour(LampArt, x, y); });
    return bank.Bytes();
}

QByteArray DrawTerrainBank(TerrainStyle style) {
    using PixelRule = int (*)(int, int);
    struct StylePieces {
        PixelRule Block, Earth, Grass, Wall, Ledge;
    };
    const StylePieces pieces = [style]() -> StylePieces {
        switch (style) {
        case TerrainStyle::Rock:
            return {StoneBlockPixel, RubblePixel, MossPixel, BackRockPixel, SlabPixel};
        case TerrainStyle::Works:
            return {PlatePixel, GratingPixel, HazardFloorPixel, BackPanelPixel, GirderPixel};
        case TerrainStyle::Meadow:
            break;
        }
        return {BrickPixel, DirtPixel, BladesPixel, BackBrickPixel, PlankPixel};
    }();

    TileBank bank;
    using namespace TerrainTile;
    // The bank holds tiles 0x80..0xFF, so a tile's place in it is its number less 0x80.
    const auto at = [](uint8_t tile) { return tile - 0x80; };
    bank.PutPicture(at(Block), 2, 2, pieces.Block);
    bank.PutPicture(at(Earth), 2, 2, pieces.Earth);
    bank.PutPicture(at(Grass), 2, 2, pieces.Grass);
    bank.PutPicture(at(Wall), 2, 2, pieces.Wall);
    bank.PutPicture(at(LedgeLeft), 2, 1, pieces.Ledge);
    bank.Put(at(LadderLeft), TileFromArt(LadderLeftArt));
    bank.Put(at(LadderRight), TileFromArt(LadderRightArt));
    bank.PutPicture(at(PipeRim), 4, 2, PipeRimPixel);
    bank.PutPicture(at(PipeShaft), 4, 1, ConduitPixel);
    bank.PutPicture(at(Bush), 4, 2, BushPixel);
    return bank.Bytes();
}

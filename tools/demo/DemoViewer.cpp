#include "DemoViewer.h"

#include "TileArt.h"
#include "ViewerProgram.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Hexadecimal digits three pixels wide and five high, '#' set.
// clang-format off
constexpr std::array<std::array<std::string_view, 5>, 16> Digits = {{
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
    {"###", "#.#", "###", "#.#", "#.#"}, {"##.", "#.#", "##.", "#.#", "##."},
    {"###", "#..", "#..", "#..", "###"}, {"##.", "#.#", "#.#", "#.#", "##."},
    {"###", "#..", "###", "#..", "###"}, {"###", "#..", "###", "#..", "#.."},
}};
// clang-format on

constexpr int DigitTop = 2;
constexpr int HighDigitLeft = 3;
constexpr int LowDigitLeft = 0;

bool DigitPixel(int digit, int left, int x, int y) {
    const int column = x - left;
    const int row = y - DigitTop;
    if (column < 0 || column >= 3 || row < 0 || row >= 5)
        return false;
    return Digits[static_cast<size_t>(digit)][static_cast<size_t>(row)]
                 [static_cast<size_t>(column)] == '#';
}

// A corner of the 16x16 outline: `left` and `top` say which edges the tile carries.
TilePixels Corner(bool left, bool top, int digit, int digitLeft) {
    return PaintTile([=](int x, int y) {
        const bool edge = (top ? y == 0 : y == 7) || (left ? x == 0 : x == 7);
        return edge || (digit >= 0 && DigitPixel(digit, digitLeft, x, y)) ? 1 : 0;
    });
}

} // namespace

QByteArray DrawMarkerTiles() {
    TileBank bank;
    for (int digit = 0; digit < 16; ++digit) {
        bank.Put(digit, Corner(true, true, digit, HighDigitLeft));
        bank.Put(0x10 + digit, Corner(false, true, digit, LowDigitLeft));
    }
    bank.Put(0x20, Corner(true, false, -1, 0));
    bank.Put(0x21, Corner(false, false, -1, 0));
    return bank.Bytes();
}

void WriteViewer(QByteArray &image) {
    constexpr int ProgramUnits = 16;
    const std::span<const uint8_t> program = ViewerProgram();
    // The linker fills the bank to its size; never write past it whatever it produced.
    Q_ASSERT(program.size() == ProgramBankSize);
    const auto size = static_cast<int>(std::min<size_t>(program.size(), ProgramBankSize));
    image.replace(16 + ViewerProgramBank * ProgramBankSize, size,
                  QByteArray(reinterpret_cast<const char *>(program.data()), size));
    const QByteArray markers = DrawMarkerTiles();
    image.replace(16 + ProgramUnits * 0x4000 + 0x400 * MarkerTilePage, markers.size(), markers);
}

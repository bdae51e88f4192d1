// The map set grid dialog's text: a script of what the user does in the dialog (load a map
// set, move the current cell, select, type keys, edit a cell's text, paste clipboard text,
// fill, copy, right-click), run on the rules the dialog uses. Copying a normalised selection
// and pasting it onto the same selection of another grid must give the same bytes.
#include "FuzzSupport.h"
#include "HexText.h"
#include "mapset/MapSetGrid.h"

#include <algorithm>

namespace {

int SignedByte(FuzzInput &input) {
    return static_cast<int8_t>(input.Byte());
}

void RequireCopyPasteRoundTrip(const MapSetGrid &grid) {
    MapSetGrid source = grid;
    source.NormaliseCells();
    MapSetGrid target;
    target.Load({});
    target.SetSelection(source.Selection());
    target.Paste(source.CopyText());
    const GridRect &s = source.Selection();
    const auto copied = source.Result();
    const auto pasted = target.Result();
    for (int row = std::max(s.Top, 0); row <= std::min(s.Bottom, MapSetGrid::Rows - 1); ++row) {
        for (int column = std::max(s.Left, 0); column <= std::min(s.Right, MapSetGrid::Columns - 1);
             ++column) {
            const int index = column + row * MapSetGrid::Columns;
            Require(copied[index] == pasted[index], "a copied selection pastes back the same");
        }
    }
}

void RunStep(MapSetGrid &grid, FuzzInput &input) {
    switch (input.Byte() % 10) {
    case 0:
        grid.Load(input.Block<MapSetGrid::CellCount>());
        break;
    case 1: {
        const int column = SignedByte(input);
        grid.SetCurrentCell(column, SignedByte(input));
        break;
    }
    case 2: {
        GridRect selection;
        selection.Left = SignedByte(input);
        selection.Top = SignedByte(input);
        selection.Right = SignedByte(input);
        selection.Bottom = SignedByte(input);
        grid.SetSelection(selection);
        break;
    }
    case 3:
        grid.Type(QChar(static_cast<char16_t>(input.Int16())));
        break;
    case 4: {
        // Two pieces, so that texts past the paste limit occur too.
        const QString text = input.Text();
        grid.Paste(text + input.Text());
        break;
    }
    case 5:
        grid.Fill(input.Text());
        break;
    case 6:
        RequireCopyPasteRoundTrip(grid);
        break;
    case 7: {
        const int column = SignedByte(input);
        grid.RightPressAt(column, SignedByte(input));
        break;
    }
    case 8:
        grid.NormaliseCells();
        break;
    default: {
        const int column = input.Byte() % MapSetGrid::Columns;
        const int row = input.Byte() % MapSetGrid::Rows;
        grid.SetCell(column, row, input.Text());
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput input(data, size);
    MapSetGrid grid;
    grid.Load({});
    while (!input.AtEnd())
        RunStep(grid, input);
    // OK: the cells are normalised and read back as the map set's bytes.
    grid.NormaliseCells();
    const auto bytes = grid.Result();
    for (int i = 0; i < MapSetGrid::CellCount; ++i)
        Require(grid.Cell(i % MapSetGrid::Columns, i / MapSetGrid::Columns) == HexText(bytes[i]),
                "normalised cells show their bytes in two digits");
    return 0;
}

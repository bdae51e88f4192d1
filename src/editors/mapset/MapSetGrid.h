#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

/// A rectangle of grid cells, both corners included; columns and rows 0..7 when valid.
struct GridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool IsSingleCell() const { return Left == Right && Top == Bottom; }
    bool operator==(const GridRect &) const = default;
};

/// The rules of the map set grid dialog without any widget: the 64 cell texts (one or two
/// upper-case hexadecimal digits each), the current cell and the selection, and what typing,
/// copying, pasting and filling do to them. Owns its texts; the dialog shows them.
class MapSetGrid {
public:
    static constexpr int Columns = 8;
    static constexpr int Rows = 8;
    static constexpr int CellCount = Columns * Rows;
    /// A clipboard text longer than this is ignored as a whole.
    static constexpr int MaxPasteLength = 256;

    /// A text read as a hexadecimal number, as typed numbers are read everywhere in the
    /// editor: one or more hexadecimal digits, nothing else. Nothing for an empty or
    /// malformed text or one whose value does not fit in 32 bits.
    static std::optional<int64_t> ReadNumber(const QString &text);

    /// Fills the cells from a map set, puts the current cell at (0, 0) and selects it alone.
    void Load(const std::array<uint8_t, CellCount> &bytes);
    /// Every cell as a byte, cell (column, row) at column + row x 8.
    std::array<uint8_t, CellCount> Result() const;

    const QString &Cell(int column, int row) const { return Cells[Index(column, row)]; }
    void SetCell(int column, int row, const QString &text) { Cells[Index(column, row)] = text; }

    int CurrentColumn() const { return Column; }
    int CurrentRow() const { return Row; }
    /// Moves the current cell; positions outside the grid are ignored.
    void SetCurrentCell(int column, int row);
    const GridRect &Selection() const { return Selected; }
    void SetSelection(const GridRect &selection) { Selected = selection; }

    /// Rewrites every cell as exactly two digits; a cell that does not read as a number
    /// becomes 00.
    void NormaliseCells();
    /// A key typed on the current cell. Only hexadecimal digits act: appended to a cell of
    /// fewer than two characters, replacing a full one. True when the key was used.
    bool Type(QChar key);
    /// A right press on (column, row): with a single cell selected, that cell becomes the
    /// current cell and the selection; a selected range stays as it is.
    void RightPressAt(int column, int row);
    /// The selected cells as text: numbers separated by one space, every row ending with
    /// CR LF; empty when the selection lies wholly outside the grid or is inverted.
    QString CopyText() const;
    /// Pastes a text of numbers (space between cells, CR between rows, LF ignored) from the
    /// selection's top-left cell on. Tokens that do not read as 0..255 and cells outside the
    /// grid are skipped; a text longer than `MaxPasteLength` changes nothing.
    void Paste(const QString &text);
    /// Sets every selected cell to the number `answer` reads as; nothing when it does not
    /// read as 0..255. True when the cells were set.
    bool Fill(const QString &answer);

private:
    static int Index(int column, int row) { return column + row * Columns; }
    /// The selection clamped to the grid; nothing when no cell of it lies inside.
    std::optional<GridRect> ClampedSelection() const;
    void StoreToken(int column, int row, const QString &token);

    std::array<QString, CellCount> Cells;
    int Column = 0;
    int Row = 0;
    GridRect Selected;
};

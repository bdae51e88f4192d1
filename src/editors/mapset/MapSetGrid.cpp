#include "MapSetGrid.h"

#include "HexText.h"

#include <algorithm>

namespace {
std::optional<uint8_t> ReadByte(const QString &text) {
    const std::optional<int64_t> value = MapSetGrid::ReadNumber(text);
    if (!value || *value < 0 || *value > 0xFF)
        return std::nullopt;
    return static_cast<uint8_t>(*value);
}
} // namespace

std::optional<int64_t> MapSetGrid::ReadNumber(const QString &text) {
    return ParseHexDigits(text);
}

void MapSetGrid::Load(const std::array<uint8_t, CellCount> &bytes) {
    for (int i = 0; i < CellCount; ++i)
        Cells[i] = HexText(bytes[i]);
    Column = 0;
    Row = 0;
    Selected = GridRect{};
}

std::array<uint8_t, MapSetGrid::CellCount> MapSetGrid::Result() const {
    std::array<uint8_t, CellCount> bytes{};
    for (int i = 0; i < CellCount; ++i)
        bytes[i] = static_cast<uint8_t>(ReadNumber(Cells[i]).value_or(0) & 0xFF);
    return bytes;
}

void MapSetGrid::SetCurrentCell(int column, int row) {
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return;
    Column = column;
    Row = row;
}

void MapSetGrid::NormaliseCells() {
    for (QString &cell : Cells)
        cell = HexText(ReadNumber(cell).value_or(0) & 0xFF);
}

bool MapSetGrid::Type(QChar key) {
    if (!ParseHexDigits(QStringView(&key, 1)))
        return false;
    QString &cell = Cells[Index(Column, Row)];
    cell = cell.size() < 2 ? cell + key : QString(key);
    cell = cell.toUpper();
    return true;
}

void MapSetGrid::RightPressAt(int column, int row) {
    if (!Selected.IsSingleCell() || column < 0 || column >= Columns || row < 0 || row >= Rows)
        return;
    Column = column;
    Row = row;
    Selected = GridRect{column, row, column, row};
}

std::optional<GridRect> MapSetGrid::ClampedSelection() const {
    const GridRect &s = Selected;
    if (s.Right < s.Left || s.Bottom < s.Top || s.Right < 0 || s.Bottom < 0 || s.Left >= Columns ||
        s.Top >= Rows)
        return std::nullopt;
    return GridRect{std::max(s.Left, 0), std::max(s.Top, 0), std::min(s.Right, Columns - 1),
                    std::min(s.Bottom, Rows - 1)};
}

QString MapSetGrid::CopyText() const {
    const std::optional<GridRect> area = ClampedSelection();
    if (!area)
        return QString();
    QString text;
    for (int row = area->Top; row <= area->Bottom; ++row) {
        for (int column = area->Left; column <= area->Right; ++column) {
            text += Cell(column, row);
            if (column < area->Right)
                text += u' ';
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

void MapSetGrid::StoreToken(int column, int row, const QString &token) {
    if (column >= Columns || row >= Rows)
        return;
    if (const std::optional<uint8_t> value = ReadByte(token))
        SetCell(column, row, HexText(*value));
}

void MapSetGrid::Paste(const QString &text) {
    if (text.size() > MaxPasteLength)
        return;
    const int left = std::max(Selected.Left, 0);
    const int top = std::max(Selected.Top, 0);
    int c = 0;
    int r = 0;
    QString token;
    for (const QChar ch : text) {
        if (ch == u'\n')
            continue;
        if (ch == u'\r') {
            StoreToken(left + c, top + r, token);
            c = 0;
            ++r;
            token.clear();
        } else if (ch == u' ') {
            StoreToken(left + c, top + r, token);
            ++c;
            token.clear();
        } else {
            token += ch;
        }
    }
    if (!token.isEmpty())
        StoreToken(left + c, top + r, token);
}

bool MapSetGrid::Fill(const QString &answer) {
    const std::optional<uint8_t> value = ReadByte(answer);
    const std::optional<GridRect> area = ClampedSelection();
    if (!value || !area)
        return false;
    for (int row = area->Top; row <= area->Bottom; ++row)
        for (int column = area->Left; column <= area->Right; ++column)
            SetCell(column, row, HexText(*value));
    return true;
}

#include "DemoRooms.h"

#include "DemoChips.h"
#include "TileArt.h"

#include <algorithm>
#include <span>

namespace {

constexpr int Columns = 8;
constexpr int Rows = 8;
constexpr int GroundRow = 6;

/// A deterministic stream of small numbers (xorshift), the same on every platform.
class DemoRandom {
public:
    explicit DemoRandom(uint32_t seed) : State(seed ? seed : 0x12345678u) {}
    int Below(int limit) {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return static_cast<int>(State % static_cast<uint32_t>(limit));
    }
    bool OneIn(int n) { return Below(n) == 0; }

private:
    uint32_t State;
};

/// One 8x8 screen being composed, cell by cell.
class Room {
public:
    explicit Room(std::span<uint8_t, 64> cells) : Cells(cells) {}

    void Set(int column, int row, uint8_t chip) {
        if (column >= 0 && column < Columns && row >= 0 && row < Rows)
            Cells[static_cast<size_t>(Rows * row + column)] = chip;
    }
    uint8_t At(int column, int row) const {
        return Cells[static_cast<size_t>(Rows * row + column)];
    }
    void FillRow(int row, uint8_t chip) {
        for (int column = 0; column < Columns; ++column)
            Set(column, row, chip);
    }
    void FillRows(int firstRow, int lastRow, uint8_t chip) {
        for (int row = firstRow; row <= lastRow; ++row)
            FillRow(row, chip);
    }

    /// Sky with a darker band at the top and a few clouds, ground below.
    void OpenAir(DemoRandom &random) {
        FillRows(0, Rows - 1, Chip32::Sky);
        FillRow(0, Chip32::Gradient);
        for (int clouds = 1 + random.Below(2); clouds > 0; --clouds)
            Set(random.Below(Columns), 1 + random.Below(2),
                random.OneIn(2) ? Chip32::Cloud : Chip32::CloudLow);
        FillRow(GroundRow, Chip32::GroundTop);
        FillRow(GroundRow + 1, Chip32::Earth);
    }
    /// A horizontal ledge from `first` to `last`, reached by a ladder at `first` that runs
    /// down to the next floor.
    void LedgeWithLadder(int first, int last, int row) {
        for (int column = first; column <= last; ++column)
            Set(column, row, At(column, row) == Chip32::Wall ? Chip32::WallLedge : Chip32::Ledge);
        Set(first, row,
            At(first, row) == Chip32::WallLedge ? Chip32::WallLadderLedge : Chip32::LadderLedge);
        for (int below = row + 1; below < Rows && IsOpen(At(first, below)); ++below)
            Set(first, below,
                At(first, below) == Chip32::Wall ? Chip32::WallLadder : Chip32::Ladder);
    }
    void Pool(int first, int last) {
        for (int column = first; column <= last; ++column) {
            Set(column, GroundRow, Chip32::WaterTop);
            Set(column, GroundRow + 1, Chip32::WaterDeep);
        }
    }
    void PipeOnGround(int column, int height) {
        Set(column, GroundRow - height, Chip32::PipeTop);
        for (int row = GroundRow - height + 1; row < GroundRow; ++row)
            Set(column, row, Chip32::PipeShaft);
    }

    static bool IsOpen(uint8_t chip) {
        switch (chip) {
        case Chip32::Sky:
        case Chip32::Gradient:
        case Chip32::Cloud:
        case Chip32::CloudLow:
        case Chip32::Stars:
        case Chip32::Orb:
        case Chip32::Lamp:
        case Chip32::Wall:
        case Chip32::Bush:
            return true;
        default:
            return false;
        }
    }

private:
    std::span<uint8_t, 64> Cells;
};

enum class RoomKind { Field, Pond, Tower, Cavern, Fortress, Skyway };

void DrawField(Room &room, DemoRandom &random) {
    room.OpenAir(random);
    const int pipeColumn = random.OneIn(2) ? 1 + random.Below(6) : -1;
    if (pipeColumn >= 0)
        room.PipeOnGround(pipeColumn, 1 + random.Below(2));
    for (int bushes = 1 + random.Below(2); bushes > 0; --bushes) {
        const int column = random.Below(Columns);
        if (column != pipeColumn)
            room.Set(column, GroundRow - 1, Chip32::Bush);
    }
}

void DrawPond(Room &room, DemoRandom &random) {
    room.OpenAir(random);
    const int first = 1 + random.Below(3);
    const int last = first + 1 + random.Below(3);
    room.Pool(first, last);
    if (random.OneIn(2)) {
        for (int column = first; column <= last; column += 2)
            room.Set(column, GroundRow - 2, Chip32::Ledge);
    } else {
        room.Set(first - 1, GroundRow - 1, Chip32::Bush);
    }
}

void DrawTower(Room &room, DemoRandom &random) {
    room.OpenAir(random);
    const int low = random.Below(4);
    room.LedgeWithLadder(low, low + 2 + random.Below(2), 4);
    const int high = 3 + random.Below(3);
    room.LedgeWithLadder(high, std::min(Columns - 1, high + 2), 2);
    room.Set(random.OneIn(2) ? 0 : Columns - 1, GroundRow - 1, Chip32::Bush);
}

void DrawCavern(Room &room, DemoRandom &random) {
    room.FillRows(0, Rows - 1, Chip32::Sky);
    room.FillRow(0, Chip32::Block);
    for (int column = random.Below(2); column < Columns; column += 3)
        room.Set(column, 1, Chip32::Lamp);
    room.FillRow(GroundRow, Chip32::Block);
    room.FillRow(GroundRow + 1, Chip32::Earth);
    const int pillar = random.Below(Columns);
    for (int row = 1; row <= 2; ++row)
        room.Set(pillar, row, Chip32::Block);
    if (random.OneIn(2)) {
        const int first = 2 + random.Below(3);
        room.Pool(first, first + 1);
    }
    const int ledge = random.Below(5);
    room.LedgeWithLadder(ledge, ledge + 2, 3);
}

void DrawFortress(Room &room, DemoRandom &random) {
    room.FillRow(0, Chip32::Block);
    room.FillRows(1, GroundRow - 1, Chip32::Wall);
    room.FillRow(GroundRow, Chip32::Block);
    room.FillRow(GroundRow + 1, Chip32::Block);
    const int ledge = 1 + random.Below(4);
    room.LedgeWithLadder(ledge, ledge + 2, 3);
    // Windows onto the sky outside.
    for (int column = random.Below(2); column < Columns; column += 4)
        if (room.At(column, 1) == Chip32::Wall)
            room.Set(column, 1, Chip32::Sky);
    if (random.OneIn(2))
        room.PipeOnGround(Columns - 1, 2);
}

void DrawSkyway(Room &room, DemoRandom &random) {
    room.FillRows(0, Rows - 1, Chip32::Sky);
    for (int column = 0; column < Columns; ++column)
        room.Set(column, random.Below(3), Chip32::Stars);
    room.Set(random.Below(Columns), 1, Chip32::Orb);
    room.FillRow(GroundRow, Chip32::WaterTop);
    room.FillRow(GroundRow + 1, Chip32::WaterDeep);
    for (int column = random.Below(2); column < Columns; column += 3)
        room.Set(column, 3 + random.Below(2), Chip32::Ledge);
    const int pillar = 1 + random.Below(6);
    for (int row = GroundRow - 1; row < Rows; ++row)
        room.Set(pillar, row, Chip32::Block);
}

void DrawSignRoom(Room &room, DemoRandom &random) {
    DrawField(room, random);
    room.Set(3, 2, Chip32::Sign);
    room.Set(4, 2, Chip32::Sign + 1);
}

std::span<const RoomKind> MixKinds(RoomMix mix) {
    using enum RoomKind;
    static constexpr RoomKind Fields[] = {Field, Field, Pond, Tower, Field, Skyway, Cavern};
    static constexpr RoomKind Waterways[] = {Pond, Pond, Field, Skyway, Pond, Tower};
    static constexpr RoomKind Caverns[] = {Cavern, Cavern, Cavern, Tower, Fortress, Pond};
    static constexpr RoomKind Fortresses[] = {Fortress, Fortress, Tower, Cavern, Fortress, Field};
    static constexpr RoomKind Skyways[] = {Skyway, Skyway, Tower, Pond, Field, Skyway};
    switch (mix) {
    case RoomMix::Waterways:
        return Waterways;
    case RoomMix::Caverns:
        return Caverns;
    case RoomMix::Fortress:
        return Fortresses;
    case RoomMix::Skyway:
        return Skyways;
    case RoomMix::Fields:
        break;
    }
    return Fields;
}

void DrawRoom(RoomKind kind, Room &room, DemoRandom &random) {
    switch (kind) {
    case RoomKind::Field:
        return DrawField(room, random);
    case RoomKind::Pond:
        return DrawPond(room, random);
    case RoomKind::Tower:
        return DrawTower(room, random);
    case RoomKind::Cavern:
        return DrawCavern(room, random);
    case RoomKind::Fortress:
        return DrawFortress(room, random);
    case RoomKind::Skyway:
        return DrawSkyway(room, random);
    }
}

bool IsFloor(uint8_t chip) {
    return chip == Chip32::GroundTop || chip == Chip32::Block || chip == Chip32::Ledge ||
           chip == Chip32::WallLedge || chip == Chip32::PipeTop;
}

} // namespace

MapSetBytes MakeMapSets(int stage, const StageTheme &theme) {
    MapSetBytes bytes{};
    const std::span<const RoomKind> kinds = MixKinds(theme.Mix);
    for (int set = 0; set < 32; ++set) {
        Room room(std::span<uint8_t, 64>(bytes.data() + 64 * set, 64));
        DemoRandom random(PixelHash(stage, set, 0xD3));
        if (set == 0)
            DrawSignRoom(room, random);
        else
            DrawRoom(kinds[static_cast<size_t>(random.Below(static_cast<int>(kinds.size())))], room,
                     random);
    }
    return bytes;
}

std::array<uint8_t, 48> MakeMap(int stage, bool ownMapSets) {
    std::array<uint8_t, 48> map{};
    for (int room = 0; room < 48; ++room) {
        int set = 0;
        if (!ownMapSets)
            set = 1 + (room * 11 + stage) % 31;
        else if (room > 0)
            set = room < 32 ? 1 + (room - 1 + 5 * stage) % 31 : (room * 7 + stage) % 32;
        map[static_cast<size_t>(room)] = static_cast<uint8_t>(set);
    }
    return map;
}

std::vector<DemoObject> MakeObjects(int stage, const std::array<uint8_t, 48> &map,
                                    const MapSetBytes &mapSets) {
    constexpr size_t MaxObjects = 127;
    std::vector<DemoObject> objects;
    for (int roomNumber = 0; roomNumber < 48 && objects.size() < MaxObjects; ++roomNumber) {
        const int set = map[static_cast<size_t>(roomNumber)];
        std::array<uint8_t, 64> cells{};
        std::copy_n(mapSets.begin() + 64 * set, 64, cells.begin());
        const Room room(cells);
        DemoRandom random(PixelHash(stage, roomNumber, 0x0B));

        std::vector<DemoObject> inRoom;
        const auto place = [&](int x, int y, int kind) {
            inRoom.push_back(
                {static_cast<uint8_t>(roomNumber), static_cast<uint8_t>(std::clamp(x, 8, 247)),
                 static_cast<uint8_t>(std::clamp(y, 8, 247)), static_cast<uint8_t>(kind)});
        };
        // Walkers stand on a floor with open space above it.
        for (int walkers = random.Below(3); walkers > 0; --walkers) {
            const int column = random.Below(Columns);
            for (int row = 1; row < Rows; ++row) {
                if (IsFloor(room.At(column, row)) && Room::IsOpen(room.At(column, row - 1))) {
                    place(32 * column + 8 + random.Below(17), 32 * row - 8, random.Below(0x20));
                    break;
                }
            }
        }
        if (random.OneIn(3)) {
            const int column = random.Below(Columns);
            const int row = 1 + random.Below(3);
            if (Room::IsOpen(room.At(column, row)))
                place(32 * column + 16, 32 * row + 16, 0x20 + random.Below(0x20));
        }
        std::stable_sort(inRoom.begin(), inRoom.end(),
                         [](const DemoObject &a, const DemoObject &b) { return a.X < b.X; });
        for (const DemoObject &object : inRoom)
            if (objects.size() < MaxObjects)
                objects.push_back(object);
    }
    return objects;
}

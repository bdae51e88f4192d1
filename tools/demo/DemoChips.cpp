#include "DemoChips.h"

#include "DemoTiles.h"

#include <cstring>

namespace {

uint8_t CharacterTile(char c) {
    using namespace CommonTile;
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(Digit0 + (c - '0'));
    const char *letter = c == '\0' ? nullptr : std::strchr(Letters, c);
    return letter ? static_cast<uint8_t>(FirstLetter + (letter - Letters)) : Empty;
}

class ChipTableWriter {
public:
    explicit ChipTableWriter(ChipTables &tables) : Tables(tables) {}

    void Chip(uint8_t chip, std::array<uint8_t, 4> tiles, uint8_t attribute, uint8_t palette) {
        for (size_t q = 0; q < 4; ++q)
            Tables.Chip16x16[chip + 256 * q] = tiles[q];
        Tables.ChipProperty[chip] = static_cast<uint8_t>(attribute << 4 | palette);
    }
    /// A 16x16 piece drawn as four consecutive tiles: top-left, top-right, bottom-left,
    /// bottom-right.
    void Quad(uint8_t chip, uint8_t firstTile, uint8_t attribute, uint8_t palette) {
        Chip(chip,
             {firstTile, static_cast<uint8_t>(firstTile + 1), static_cast<uint8_t>(firstTile + 2),
              static_cast<uint8_t>(firstTile + 3)},
             attribute, palette);
    }
    void Big(uint8_t chip, std::array<uint8_t, 4> quarters) {
        for (size_t q = 0; q < 4; ++q)
            Tables.Chip32x32[4 * chip + q] = quarters[q];
    }

private:
    ChipTables &Tables;
};

void WriteChips16x16(ChipTableWriter &w, std::string_view signText) {
    using namespace CommonTile;
    using namespace TerrainTile;
    using namespace ChipAttribute;
    const uint8_t sky = ChipPalette::Sky;
    const uint8_t earth = ChipPalette::Earth;
    const uint8_t plant = ChipPalette::Plant;
    const uint8_t pool = ChipPalette::Pool;

    w.Chip(Chip16::Sky, {Empty, Empty, Empty, Empty}, Background, sky);
    w.Chip(Chip16::GradientTop, {SkyDense, SkyDense, SkyMedium, SkyMedium}, Background, sky);
    w.Chip(Chip16::GradientBottom, {SkyLight, SkyLight, Empty, Empty}, Background, sky);
    w.Chip(Chip16::CloudLeft, {Cloud, Cloud + 1, Cloud + 4, Cloud + 5}, Background, sky);
    w.Chip(Chip16::CloudRight, {Cloud + 2, Cloud + 3, Cloud + 6, Cloud + 7}, Background, sky);
    w.Chip(Chip16::StarsA, {StarSmall, Empty, Empty, StarBig}, Background, sky);
    w.Chip(Chip16::StarsB, {Empty, StarBig, StarSmall, Empty}, Background, sky);
    w.Quad(Chip16::Orb, CommonTile::Orb, Background, sky);
    w.Quad(Chip16::Lamp, CommonTile::Lamp, Background, sky);
    w.Quad(Chip16::Block, TerrainTile::Block, Solid, earth);
    w.Quad(Chip16::Earth, TerrainTile::Earth, Solid, earth);
    w.Quad(Chip16::Grass, TerrainTile::Grass, Solid, plant);
    w.Quad(Chip16::Wall, TerrainTile::Wall, Background, earth);
    const std::array<uint8_t, 4> ladder = {LadderLeft, LadderRight, LadderLeft, LadderRight};
    w.Chip(Chip16::Ladder, ladder, ChipAttribute::Ladder, earth);
    w.Chip(Chip16::LadderTop, ladder, ChipAttribute::LadderTop, earth);
    w.Chip(Chip16::Ledge, {LedgeLeft, LedgeRight, Empty, Empty}, Solid, earth);
    w.Chip(Chip16::WallLedge, {LedgeLeft, LedgeRight, Wall + 2, Wall + 3}, Solid, earth);
    w.Chip(Chip16::PipeRimLeft, {PipeRim, PipeRim + 1, PipeRim + 4, PipeRim + 5}, Solid, earth);
    w.Chip(Chip16::PipeRimRight, {PipeRim + 2, PipeRim + 3, PipeRim + 6, PipeRim + 7}, Solid,
           earth);
    w.Chip(Chip16::PipeShaftLeft, {PipeShaft, PipeShaft + 1, PipeShaft, PipeShaft + 1}, Solid,
           earth);
    w.Chip(Chip16::PipeShaftRight, {PipeShaft + 2, PipeShaft + 3, PipeShaft + 2, PipeShaft + 3},
           Solid, earth);
    w.Chip(Chip16::BushLeft, {Bush, Bush + 1, Bush + 4, Bush + 5}, Background, plant);
    w.Chip(Chip16::BushRight, {Bush + 2, Bush + 3, Bush + 6, Bush + 7}, Background, plant);
    w.Chip(Chip16::WaterTop, {WaterSurface, WaterSurface, WaterBody, WaterBody}, Water, pool);
    w.Chip(Chip16::WaterDeep, {WaterBody, WaterBubbles, WaterBubbles, WaterBody}, Water, pool);
    for (size_t pair = 0; pair < 4; ++pair) {
        const auto character = [signText](size_t i) {
            return CharacterTile(i < signText.size() ? signText[i] : ' ');
        };
        w.Chip(static_cast<uint8_t>(Chip16::Sign + pair),
               {character(2 * pair), character(2 * pair + 1), Empty, Empty}, Background, sky);
    }
}

void WriteChips32x32(ChipTableWriter &w) {
    using namespace Chip16;
    w.Big(Chip32::Sky, {Sky, Sky, Sky, Sky});
    w.Big(Chip32::Gradient, {GradientTop, GradientTop, GradientBottom, GradientBottom});
    w.Big(Chip32::Cloud, {CloudLeft, CloudRight, Sky, Sky});
    w.Big(Chip32::CloudLow, {Sky, Sky, CloudLeft, CloudRight});
    w.Big(Chip32::Stars, {StarsA, StarsB, StarsB, StarsA});
    w.Big(Chip32::Orb, {Orb, Sky, Sky, Sky});
    w.Big(Chip32::Lamp, {Sky, Lamp, Sky, Sky});
    w.Big(Chip32::GroundTop, {Grass, Grass, Earth, Earth});
    w.Big(Chip32::Earth, {Earth, Earth, Earth, Earth});
    w.Big(Chip32::Block, {Block, Block, Block, Block});
    w.Big(Chip32::Wall, {Wall, Wall, Wall, Wall});
    w.Big(Chip32::Ledge, {Ledge, Ledge, Sky, Sky});
    w.Big(Chip32::Ladder, {Ladder, Sky, Ladder, Sky});
    w.Big(Chip32::LadderLedge, {LadderTop, Ledge, Ladder, Sky});
    w.Big(Chip32::WallLadder, {Ladder, Wall, Ladder, Wall});
    w.Big(Chip32::WallLedge, {WallLedge, WallLedge, Wall, Wall});
    w.Big(Chip32::WallLadderLedge, {LadderTop, WallLedge, Ladder, Wall});
    w.Big(Chip32::PipeTop, {PipeRimLeft, PipeRimRight, PipeShaftLeft, PipeShaftRight});
    w.Big(Chip32::PipeShaft, {PipeShaftLeft, PipeShaftRight, PipeShaftLeft, PipeShaftRight});
    w.Big(Chip32::Bush, {Sky, Sky, BushLeft, BushRight});
    w.Big(Chip32::WaterTop, {WaterTop, WaterTop, WaterDeep, WaterDeep});
    w.Big(Chip32::WaterDeep, {WaterDeep, WaterDeep, WaterDeep, WaterDeep});
    w.Big(Chip32::Sign, {Sign, Sign + 1, Sky, Sky});
    w.Big(Chip32::Sign + 1, {Sign + 2, Sign + 3, Sky, Sky});
}

} // namespace

ChipTables MakeChipTables(std::string_view signText) {
    ChipTables tables;
    ChipTableWriter writer(tables);
    WriteChips16x16(writer, signText);
    WriteChips32x32(writer);
    return tables;
}

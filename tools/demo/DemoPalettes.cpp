#include "DemoPalettes.h"

#include "DemoChips.h"

#include <address.h>

#include <QtGlobal>
#include <vector>

namespace {

using Triple = std::array<uint8_t, 3>;

struct Animation {
    uint8_t Wait;       ///< ticks a frame is held, less one
    uint8_t FirstEntry; ///< first of the three palette entries replaced
    std::vector<Triple> Frames;
};

constexpr uint8_t Black = 0x0F;
constexpr uint8_t DarkGrey = 0x2D;
constexpr uint8_t Grey = 0x00;
constexpr uint8_t White = 0x30;
// Entries 1..3 are the sky palette's shade, cloud and light colours; 13..15 the pool's.
constexpr uint8_t SkyColours = 4 * ChipPalette::Sky + 1;
constexpr uint8_t PoolColours = 4 * ChipPalette::Pool + 1;

const std::vector<Animation> &Animations() {
    static const std::vector<Animation> animations = {
        // Water: the two ripple colours trade places, with an occasional glint.
        {10, PoolColours, {{0x01, 0x11, 0x21}, {0x01, 0x21, 0x11}, {0x01, 0x11, 0x31}}},
        // Lava: a slow glow through orange and yellow.
        {8, PoolColours, {{0x06, 0x16, 0x27}, {0x06, 0x27, 0x16}, {0x16, 0x27, 0x38}}},
        // Stars at night: the light colour dims and flares.
        {16, SkyColours, {{0x01, Grey, White}, {0x01, Grey, 0x10}, {0x01, Grey, 0x3C}}},
        // Cave lamps: on for three frames, off for one.
        {20,
         SkyColours,
         {{DarkGrey, Grey, 0x38},
          {DarkGrey, Grey, 0x38},
          {DarkGrey, Grey, 0x28},
          {DarkGrey, Grey, 0x07}}},
        // Underwater: light patches pulse.
        {14, SkyColours, {{0x02, 0x11, 0x21}, {0x02, 0x21, 0x11}}},
        // Water under the night sky: darker ripples.
        {16, PoolColours, {{0x01, 0x02, 0x12}, {0x01, 0x12, 0x02}}},
    };
    return animations;
}

uint8_t Slot(DemoAnimation animation) {
    return static_cast<uint8_t>(0x80 | static_cast<uint8_t>(animation));
}

// A colour of hue `hue` at brightness `level`; level -1 is black.
uint8_t Shade(uint8_t hue, int level) {
    return level < 0 ? Black : static_cast<uint8_t>(16 * level + (hue & 0x0F));
}

// A palette of one hue from dark to light over the background colour.
std::array<uint8_t, 4> Ramp(uint8_t background, uint8_t hue, const std::array<int, 3> &levels) {
    return {background, Shade(hue, levels[0]), Shade(hue, levels[1]), Shade(hue, levels[2])};
}

DemoAnimation PoolAnimation(const StageTheme &theme) {
    return theme.Liquid == PoolLiquid::Lava ? DemoAnimation::LavaGlow : DemoAnimation::WaterShimmer;
}

// The first colour of every entry an animation of the set replaces, so that the palette
// shown before the first step matches the animation.
void ApplyFirstFrames(std::array<uint8_t, 16> &set, const std::array<uint8_t, 4> &animationSlots) {
    for (const uint8_t slot : animationSlots) {
        if (!(slot & 0x80))
            continue;
        const Animation &animation = Animations()[slot & 0x7F];
        for (size_t k = 0; k < 3; ++k)
            set[(animation.FirstEntry + k) % 16] = animation.Frames.front()[k];
    }
}

struct Mood {
    uint8_t Background;
    std::array<uint8_t, 3> Sky; ///< shade, cloud, light
    std::array<int, 3> EarthLevels;
    std::array<int, 3> PlantLevels;
};

} // namespace

std::array<std::array<uint8_t, 16>, 5> MakePaletteSets(const StageTheme &theme) {
    // Day, dusk, night, cave, underwater. By day the light colour equals the sky, so stars
    // vanish and lamps show only their housings.
    const Mood moods[5] = {
        {0x21, {0x11, White, 0x21}, {0, 1, 2}, {0, 1, 2}},
        {0x26, {0x15, 0x37, 0x26}, {-1, 0, 1}, {-1, 0, 1}},
        {Black, {0x01, Grey, White}, {-1, 0, 1}, {-1, 0, 0}},
        {Black, {DarkGrey, Grey, 0x38}, {0, 1, 2}, {0, 1, 2}},
        {0x01, {0x02, 0x11, 0x21}, {0, 1, 2}, {0, 1, 1}},
    };
    const auto animationSlots = MakeAnimationSlots(theme);
    std::array<std::array<uint8_t, 16>, 5> sets{};
    for (size_t s = 0; s < 5; ++s) {
        const Mood &mood = moods[s];
        const std::array<uint8_t, 4> palettes[4] = {
            {mood.Background, mood.Sky[0], mood.Sky[1], mood.Sky[2]},
            Ramp(mood.Background, theme.EarthHue, mood.EarthLevels),
            Ramp(mood.Background, theme.PlantHue, mood.PlantLevels),
            {mood.Background, 0x01, 0x11, 0x21},
        };
        for (size_t p = 0; p < 4; ++p)
            for (size_t c = 0; c < 4; ++c)
                sets[s][4 * p + c] = palettes[p][c];
        ApplyFirstFrames(sets[s], animationSlots[s]);
    }
    return sets;
}

std::array<std::array<uint8_t, 4>, 5> MakeAnimationSlots(const StageTheme &theme) {
    const uint8_t pool = Slot(PoolAnimation(theme));
    const uint8_t nightPool =
        theme.Liquid == PoolLiquid::Lava ? pool : Slot(DemoAnimation::NightWater);
    return {{
        {pool, 0, 0, 0},
        {pool, 0, 0, 0},
        {nightPool, Slot(DemoAnimation::StarTwinkle), 0, 0},
        {pool, Slot(DemoAnimation::LampBlink), 0, 0},
        {Slot(DemoAnimation::WaterShimmer), Slot(DemoAnimation::Caustics), 0, 0},
    }};
}

void WritePaletteAnimationTables(QByteArray &image) {
    constexpr int PointerCount = DefaultPaletteAnimationData - DefaultPaletteAnimationPointer;
    constexpr int TripleCapacity =
        (DefaultPaletteAnimationPointer - DefaultPaletteAnimationPalette) / 3;
    const auto put = [&image](int32_t offset, uint8_t value) {
        image[offset] = static_cast<char>(value);
    };

    std::vector<uint8_t> recordOffsets;
    int32_t recordOffset = 0;
    int triple = 0;
    for (const Animation &animation : Animations()) {
        const int32_t record = DefaultPaletteAnimationData + recordOffset;
        recordOffsets.push_back(static_cast<uint8_t>(recordOffset));
        put(record, static_cast<uint8_t>(animation.Frames.size() - 1));
        put(record + 1, animation.Wait);
        put(record + 2, animation.FirstEntry);
        for (size_t f = 0; f < animation.Frames.size(); ++f) {
            Q_ASSERT(triple < TripleCapacity);
            put(record + 3 + static_cast<int32_t>(f), static_cast<uint8_t>(triple));
            for (int k = 0; k < 3; ++k)
                put(DefaultPaletteAnimationPalette + 3 * triple + k,
                    animation.Frames[f][static_cast<size_t>(k)]);
            ++triple;
        }
        recordOffset += 3 + static_cast<int32_t>(animation.Frames.size());
    }
    // The pointer table has room for more records than the demo has: the spare entries
    // repeat the real ones, so any selector 0x80..0x8D plays something sensible.
    for (int i = 0; i < PointerCount; ++i)
        put(DefaultPaletteAnimationPointer + i,
            recordOffsets[static_cast<size_t>(i) % recordOffsets.size()]);
}

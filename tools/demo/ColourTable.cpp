#include "ColourTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

// The console does not store colours: it draws each colour index as a square wave on its
// composite output, and the television decodes that wave. A colour index is a level
// (bits 5-4) and a hue (bits 3-0). Hue 0 holds the wave's high voltage, hues 13..15 its low
// voltage (15 and 14 are forced to black); hues 1..12 alternate between the two for six of
// twelve samples per colour-carrier cycle, each hue starting one sample (30 degrees) later.
// We sample one cycle, demodulate it the way a receiver does and convert to RGB.

namespace {

constexpr int SamplesPerCycle = 12;

// Voltages of our signal model, in volts above the sync tip, per level 0..3.
constexpr std::array<double, 4> LowVolts = {0.23, 0.31, 0.55, 0.88};
constexpr std::array<double, 4> HighVolts = {0.62, 0.84, 1.10, 1.10};
constexpr double BlackVolts = 0.31;
constexpr double WhiteVolts = 1.10;

// The receiver locks to the colour burst, which the console sends with the phase of hue 8.
// A receiver takes the burst as the negative blue-difference (B-Y) axis; B-Y lies at
// 123 degrees in the I/Q plane (the I axis is 33 degrees past B-Y's right angle), so the
// burst stands at 303 degrees.
constexpr int BurstHue = 8;
constexpr double BurstAngleDegrees = 303.0;

// Decoded chroma is a little weak against a real set with its colour control at mid
// position; this is that control.
constexpr double Saturation = 1.25;

// The decoded signal is proportional to light as a tube shows it (gamma about 2.5);
// screens today expect sRGB-like gamma 2.2, so the brightness is adjusted by the ratio.
constexpr double DisplayGamma = 2.5 / 2.2;

bool WaveIsHigh(int hue, int sample) {
    return (hue + sample) % SamplesPerCycle < 6;
}

double SignalVolts(int hue, int level, int sample) {
    if (hue >= 14)
        return BlackVolts;
    if (hue == 0)
        return HighVolts[static_cast<size_t>(level)];
    if (hue >= 13)
        return LowVolts[static_cast<size_t>(level)];
    return WaveIsHigh(hue, sample) ? HighVolts[static_cast<size_t>(level)]
                                   : LowVolts[static_cast<size_t>(level)];
}

// The sample at which a hue's high half-wave is centred.
double HighCentre(int hue) {
    return SamplesPerCycle + 2.5 - hue;
}

uint8_t ToByte(double linear) {
    const double clamped = std::clamp(linear, 0.0, 1.0);
    return static_cast<uint8_t>(std::lround(255.0 * std::pow(clamped, DisplayGamma)));
}

} // namespace

QByteArray MakeColourTable() {
    constexpr double Step = 2.0 * std::numbers::pi / SamplesPerCycle;
    const double burstCentre = HighCentre(BurstHue);
    const double burstAngle = BurstAngleDegrees * std::numbers::pi / 180.0;

    QByteArray table;
    table.reserve(64 * 3);
    for (int index = 0; index < 64; ++index) {
        const int hue = index & 0x0F;
        const int level = index >> 4;
        double y = 0;
        double i = 0;
        double q = 0;
        for (int sample = 0; sample < SamplesPerCycle; ++sample) {
            const double v =
                (SignalVolts(hue, level, sample) - BlackVolts) / (WhiteVolts - BlackVolts);
            const double angle = burstAngle + Step * (sample - burstCentre);
            y += v;
            i += v * std::cos(angle);
            q += v * std::sin(angle);
        }
        y /= SamplesPerCycle;
        i *= Saturation / SamplesPerCycle;
        q *= Saturation / SamplesPerCycle;

        const double red = y + 0.956 * i + 0.621 * q;
        const double green = y - 0.272 * i - 0.647 * q;
        const double blue = y - 1.106 * i + 1.703 * q;
        table.append(static_cast<char>(ToByte(red)));
        table.append(static_cast<char>(ToByte(green)));
        table.append(static_cast<char>(ToByte(blue)));
    }
    return table;
}

// Times the renderer on a synthetic cartridge and prints the median of many runs: building
// both chip sheets, drawing a map set, showing the halved 32x32 sheet, recolouring a
// 512 x 256 view after a palette change, and, as a yardstick measured in the same run, a
// plain memcpy of as many bytes as the pictures hold.
#include "GraphicsFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 301;

double MedianMicroseconds(const std::function<void()> &run) {
    std::vector<qint64> times;
    times.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return static_cast<double>(times[Runs / 2]) / 1000.0;
}

void Report(const char *name, double microseconds) {
    std::printf("%-52s median %9.1f us  (%d runs)\n", name, microseconds, Runs);
}

int Run() {
    GraphicsFixture fixture{CartridgeBuilder()};
    EditorGraphics &graphics = fixture.Graphics();
    const StageData &stage = fixture.Document().Stage(0);
    graphics.SetStagePalette(stage.BGPalette(0));
    IndexedBitmap &sheet16 = graphics.Chip16x16Sheet();
    IndexedBitmap &sheet32 = graphics.Chip32x32Sheet();
    QImage mapPicture(256, 256, QImage::Format_RGB32);
    QImage tablePicture(256, 256, QImage::Format_RGB32);
    QImage viewPicture(512, 256, QImage::Format_RGB32);
    const uint8_t *mapSet = stage.MapSet().data();

    const auto build16 = [&] {
        graphics.BuildChip16x16Sheet(sheet16, stage.BGBank(), stage.Chip16x16(),
                                     stage.ChipProperty());
    };
    const auto build32 = [&] { graphics.BuildChip32x32Sheet(sheet32, stage.Chip32x32()); };
    const auto drawMapSet = [&] { graphics.DrawMapSet(mapPicture, mapSet); };

    Report("BuildChip16x16Sheet (256 chips, decoded)", MedianMicroseconds(build16));
    Report("BuildChip32x32Sheet (256 chips, copied)", MedianMicroseconds(build32));
    Report("DrawMapSet (256 x 256 picture)", MedianMicroseconds(drawMapSet));
    Report("ShowChip32x32Sheet (512 x 512 halved to 256 x 256)",
           MedianMicroseconds([&] { graphics.ShowChip32x32Sheet(tablePicture); }));
    Report("Both sheets rebuilt + one map set (budget 500 us)", MedianMicroseconds([&] {
               build16();
               build32();
               drawMapSet();
           }));

    int tick = 0;
    Report("Palette change + recopy of a 512 x 256 view", MedianMicroseconds([&] {
               graphics.SetStagePaletteEntry(1, static_cast<uint8_t>(++tick & 0x3F));
               graphics.SyncChip32x32SheetPalette();
               sheet32.CopyToPicture(viewPicture, 0, 0, 512, 256, 0, 0);
           }));

    std::vector<uint8_t> from(static_cast<size_t>(viewPicture.sizeInBytes()), 1);
    std::vector<uint8_t> to(from.size());
    Report("Baseline: memcpy of 512 x 256 x 4 bytes",
           MedianMicroseconds([&] { std::memcpy(to.data(), from.data(), from.size()); }));
    Report("Baseline: memcpy of 256 x 256 x 4 bytes",
           MedianMicroseconds([&] { std::memcpy(to.data(), from.data(), from.size() / 2); }));
    // Keeps the copies observable so that they are not optimised away.
    return to[to.size() / 3] == 1 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    try {
        return Run();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "benchmark setup failed: %s\n", error.what());
        return 1;
    }
}

// Times the renderer on a synthetic cartridge and prints the median of many runs: building
// both chip sheets, drawing a map set, showing the halved 32x32 sheet, recolouring a
// 512 x 256 view after a palette change, and, as a yardstick measured in the same run, a
// plain memcpy of as many bytes as the pictures hold; then the stage overview following the
// model: a check with nothing changed, an edit, an animation step in view and one of a colour
// not shown, and a full redraw with all 48 rooms in view, as a ratio to the memcpy.
#include "BenchTiming.h"
#include "GraphicsFixture.h"
#include "StageOverview.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

namespace {

constexpr int Runs = 301;

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

    ReportMedian("BuildChip16x16Sheet (256 chips, decoded)", Runs, build16);
    ReportMedian("BuildChip32x32Sheet (256 chips, copied)", Runs, build32);
    ReportMedian("DrawMapSet (256 x 256 picture)", Runs, drawMapSet);
    ReportMedian("ShowChip32x32Sheet (512 x 512 halved to 256 x 256)", Runs,
                 [&] { graphics.ShowChip32x32Sheet(tablePicture); });
    ReportMedian("Both sheets rebuilt + one map set (budget 500 us)", Runs, [&] {
        build16();
        build32();
        drawMapSet();
    });

    int tick = 0;
    ReportMedian("Palette change + recopy of a 512 x 256 view", Runs, [&] {
        graphics.SetStagePaletteEntry(1, static_cast<uint8_t>(++tick & 0x3F));
        graphics.SyncChip32x32SheetPalette();
        sheet32.CopyToPicture(viewPicture, 0, 0, 512, 256, 0, 0);
    });

    StageData &editable = fixture.Document().Stage(0);
    IndexedBitmap::Palette colours = graphics.StagePalette();
    StageOverviewPicture overview(fixture.Colours(), fixture.Document());
    overview.SetColumns(8);
    overview.Follow(0, colours);
    // All 48 rooms in view: eight to a row at a quarter of their size, as the window opens.
    QImage view(overview.Layout().PictureSize() / 4, QImage::Format_RGB32);
    const auto showAll = [&] {
        overview.DrawStale(QRect(QPoint(0, 0), overview.Layout().PictureSize()));
        overview.Render(view, QPoint(0, 0), 25, 0xFF000000u);
    };
    overview.WholePicture();
    ReportMedian("Overview: follow with nothing changed", Runs,
                 [&] { overview.Follow(0, colours); });
    const int firstMapSet = 64 * (editable.Map()[0] & 31);
    ReportMedian("Overview: one map set cell edited, follow + its rooms redrawn", Runs, [&] {
        editable.SetMapSetEntry(firstMapSet,
                                static_cast<uint8_t>(editable.MapSet()[firstMapSet] + 1));
        overview.Follow(0, colours);
        showAll();
    });
    ReportMedian("Overview: animation step, follow + the rooms of a 1024 x 256 view", Runs, [&] {
        colours[1] = qRgb(++tick & 0xFF, 0, 0);
        overview.Follow(0, colours);
        overview.DrawStale(QRect(0, 0, 1024, 256));
        overview.Render(viewPicture, QPoint(0, 0), 100, 0xFF000000u);
    });
    // A colour no tile pixel shows: nothing on screen changes, so nothing is drawn.
    int unusedEntry = 200;
    ReportMedian("Overview: animation step of a colour not shown", Runs, [&] {
        colours[unusedEntry] = qRgb(++tick & 0xFF, 0, 0);
        if (!overview.Follow(0, colours).empty())
            showAll();
    });
    std::vector<uint8_t> from(static_cast<size_t>(viewPicture.sizeInBytes()), 1);
    std::vector<uint8_t> to(from.size());
    const double copy =
        MedianMicroseconds(Runs, [&] { std::memcpy(to.data(), from.data(), from.size()); });
    const double redraw = MedianMicroseconds(Runs, [&] {
        colours[1] = qRgb(++tick & 0xFF, 0, 0);
        overview.Follow(0, colours);
        showAll();
    });
    std::printf("%-52s median %10.1f us  (%d runs)\n",
                "Overview: colour change, all 48 rooms in view redrawn", redraw, Runs);
    std::printf("%-52s median %10.1f us  (%d runs)\n", "Baseline: memcpy of 512 x 256 x 4 bytes",
                copy, Runs);
    std::printf("%-52s %10.1fx  (goal <= 50x)\n", "Overview full redraw / memcpy", redraw / copy);
    ReportMedian("Baseline: memcpy of 256 x 256 x 4 bytes", Runs,
                 [&] { std::memcpy(to.data(), from.data(), from.size() / 2); });
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

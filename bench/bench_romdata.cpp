// Times the document's whole-image operations on a synthetic cartridge and prints the
// median of many runs: opening (reading the file and decoding all 18 stages) and saving
// with every edit area of every stage flagged (encoding everything and writing the file),
// and the decoding and encoding alone, without the file.
#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 101;

// `prepare` runs before each timed call and is not counted.
double MedianMicroseconds(const std::function<void()> &prepare, const std::function<void()> &run) {
    std::vector<qint64> times;
    times.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return static_cast<double>(times[Runs / 2]) / 1000.0;
}

void Report(const char *name, double microseconds) {
    std::printf("%-40s median %10.1f us  (%d runs)\n", name, microseconds, Runs);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString imagePath = dir.filePath(QStringLiteral("bench.nes"));
    const QString savePath = dir.filePath(QStringLiteral("saved.nes"));
    if (!CartridgeBuilder().WriteTo(imagePath)) {
        std::fprintf(stderr, "cannot write the benchmark image\n");
        return 1;
    }

    EditFlagManagement flags;
    const QStringList names;
    TMyMemIniFile settings(dir.filePath(QStringLiteral("quartex3editor.ini")));
    ScriptedPrompt prompt;
    RomImageData document(flags, names, settings, prompt);
    bool ok = true;

    Report("Open (read + decode 18 stages)",
           MedianMicroseconds([] {}, [&] { ok = document.Open(imagePath) && ok; }));

    Report("Decode 18 stages (LoadAll)", MedianMicroseconds([] {},
                                                            [&] {
                                                                for (int stage = 0;
                                                                     stage < StageCount; ++stage)
                                                                    document.Stage(stage).LoadAll();
                                                            }));

    Report("Encode 18 stages (every store)",
           MedianMicroseconds([] {},
                              [&] {
                                  for (int stage = 0; stage < StageCount; ++stage) {
                                      StageData &data = document.Stage(stage);
                                      data.StoreChip16x16();
                                      data.StoreBGBank();
                                      data.StoreChipProperty();
                                      data.StoreChip32x32();
                                      data.StoreMapSet();
                                      data.StoreMap();
                                      data.StoreBGPalette();
                                      data.StoreBGPaletteAnime();
                                      data.StoreObjects();
                                  }
                              }));

    const auto flagEverything = [&] {
        for (int area = 0; area < EditAreaCount; ++area)
            for (int stage = 0; stage < StageCount; ++stage)
                flags.SetEditFlag(static_cast<EditArea>(area), stage, true);
    };
    Report("Save (every area of every stage)",
           MedianMicroseconds(flagEverything, [&] { ok = document.Save(savePath) && ok; }));

    if (!ok || !prompt.Messages.isEmpty() || !prompt.Errors.isEmpty()) {
        std::fprintf(stderr, "an open or save failed\n");
        return 1;
    }
    return 0;
}

// Times the document's whole-image operations on a synthetic cartridge and prints the
// median of many runs: opening (reading the file and decoding all 18 stages) and saving
// with every edit area of every stage flagged (encoding everything and writing the file),
// and the decoding and encoding alone, without the file.
#include "BenchTiming.h"
#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Runs = 101;

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

    const auto decodeAll = [&] {
        for (int stage = 0; stage < StageCount; ++stage)
            document.Stage(stage).LoadAll();
    };
    const auto encodeAll = [&] {
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
    };
    ReportMedian("Open (read + decode 18 stages)", Runs,
                 [&] { ok = document.Open(imagePath) && ok; });
    ReportMedian("Decode 18 stages (LoadAll)", Runs, decodeAll);
    ReportMedian("Encode 18 stages (every store)", Runs, encodeAll);

    const auto flagEverything = [&] {
        for (int area = 0; area < EditAreaCount; ++area)
            for (int stage = 0; stage < StageCount; ++stage)
                flags.SetEditFlag(static_cast<EditArea>(area), stage, true);
    };
    ReportMedian("Save (every area of every stage)", Runs,
                 [&] { ok = document.Save(savePath) && ok; }, flagEverything);

    if (!ok || !prompt.Messages.isEmpty() || !prompt.Errors.isEmpty()) {
        std::fprintf(stderr, "an open or save failed\n");
        return 1;
    }
    return 0;
}

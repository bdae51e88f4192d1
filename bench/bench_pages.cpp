// Times the seven page controllers inside a real main window on a synthetic cartridge and
// prints the median of many runs: each page's activation as the window runs it (for the
// map set, map and object pages the two chip sheets are rebuilt first), one animation
// tick's redraw of each page, one tile change on the tile page with its redraw, and the
// refresh of all seven pages that a stage change runs.
// The window stays hidden, so the figures are the controllers' own work on the pictures
// and controls, without the paint events that would follow on a screen.
#include "BenchTiming.h"
#include "CartridgeBuilder.h"
#include "common/PageController.h"
#include "ScriptedPrompt.h"
#include "mainform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

namespace {

constexpr int Runs = 201;

/// A page in the order the main window refreshes them, with the name the report uses.
struct TimedPage {
    EditPageIndex Page;
    const char *Name;
    /// True for the pages whose activation first rebuilds both chip sheets.
    bool DrawsFromSheets;
};

constexpr TimedPage TimedPages[] = {
    {PalettePage, "palette", false},
    {Chip16x16Page, "16x16 chip", false},
    {Chip32x32Page, "32x32 chip", false},
    {MapSetPage, "map set", true},
    {MapPage, "map", true},
    {ObjectPage, "object", true},
    {TilePage, "tile", false},
};

bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The editor reads its colour table from the current directory and its name lists from
// the program directory; both are set up here as a user's installation would have them.
bool PrepareDirectories(const QTemporaryDir &programDir, const QTemporaryDir &workDir) {
    if (!programDir.isValid() || !workDir.isValid() || !QDir::setCurrent(workDir.path()))
        return false;
    QByteArray colours(192, '\0');
    for (int i = 0; i < colours.size(); ++i)
        colours[i] = static_cast<char>((i * 37) & 0xFF);
    QByteArray objectNames;
    for (int kind = 0; kind < 32; ++kind)
        objectNames += "kind " + QByteArray::number(kind, 16) + '\n';
    return WriteBytes(workDir.filePath(QStringLiteral("fcpalette.pal")), colours) &&
           WriteBytes(programDir.filePath(QStringLiteral("ObjectList.txt")), objectNames);
}

void Report(const TimedPage &page, const char *what, const std::function<void()> &run,
            const std::function<void()> &prepare = {}) {
    const std::string name = std::string(page.Name) + " page: " + what;
    ReportMedian(name.c_str(), Runs, run, prepare);
}

int Run() {
    QTemporaryDir programDir;
    QTemporaryDir workDir;
    if (!PrepareDirectories(programDir, workDir)) {
        std::fprintf(stderr, "cannot prepare the benchmark directories\n");
        return 1;
    }
    const QString imagePath = workDir.filePath(QStringLiteral("bench.nes"));
    if (!CartridgeBuilder().WriteTo(imagePath)) {
        std::fprintf(stderr, "cannot write the benchmark image\n");
        return 1;
    }

    ScriptedPrompt prompt;
    TMainForm form(prompt, programDir.path());
    if (form.StartupFailed())
        return 1;
    form.OpenChosenFile(imagePath);
    auto *pageControl = form.findChild<QTabWidget *>(QStringLiteral("EditPageControl"));
    auto *stageSelector = form.findChild<QComboBox *>(QStringLiteral("CBStage"));
    auto *chip16x16 = dynamic_cast<Chip16x16EditClass *>(form.Controller(Chip16x16Page));
    auto *chip32x32 = dynamic_cast<Chip32x32EditClass *>(form.Controller(Chip32x32Page));
    if (!pageControl || !stageSelector || !chip16x16 || !chip32x32 || !prompt.Messages.isEmpty()) {
        std::fprintf(stderr, "the benchmark image did not open in the main window\n");
        return 1;
    }

    ReportMedian("Both chip sheets rebuilt (16x16, then 32x32)", Runs, [&] {
        chip16x16->RebuildChipSheet();
        chip32x32->RebuildChipSheet();
    });
    for (const TimedPage &page : TimedPages) {
        // Switching the tab runs the activation once through the window's own handler.
        pageControl->setCurrentIndex(page.Page);
        PageController *controller = form.Controller(page.Page);
        Report(page, "activation (budget 1000 us)", [&] { form.EditPageControlChange(); });
        if (page.DrawsFromSheets)
            Report(page, "PageActivated alone", [&] { controller->PageActivated(); });
        Report(page, "RedrawForPalette (one tick)", [&] { controller->RedrawForPalette(); });
    }

    // A flip changes the tile every time; the first one may say which other stages show it.
    auto *tiles = dynamic_cast<TileEditClass *>(form.Controller(TilePage));
    pageControl->setCurrentIndex(TilePage);
    tiles->BtnTileFlipHClick();
    prompt.Messages.clear();
    ReportMedian("tile page: one tile changed and redrawn (flip)", Runs,
                 [&] { tiles->BtnTileFlipHClick(); });

    ReportMedian("Refresh of all seven pages (RefreshAllEditors)", Runs,
                 [&] { form.RefreshAllEditors(); });
    int stage = 0;
    ReportMedian(
        "Stage change (CBStageChange, stages 00/01)", Runs, [&] { form.CBStageChange(); },
        [&] {
            stage ^= 1;
            stageSelector->setCurrentIndex(stage);
        });

    if (!prompt.Messages.isEmpty() || !prompt.Errors.isEmpty()) {
        std::fprintf(stderr, "the editor reported a problem during the benchmark\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    // The window is never shown; without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Run();
}

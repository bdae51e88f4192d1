#include "ColourTable.h"
#include "DemoCartridge.h"
#include "DemoChips.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fcpalette.h"
#include "fileio.h"
#include "graphics.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

/// A room as the viewer shows it: the screen's first line is the room's line `Scroll`. With
/// `Frames` the stop records the colours of that many frames instead of a screenshot.
struct ViewerStop {
    int Stage, Room, Scroll;
    int Frames = 0;
    bool Markers = false;
};

/// Where the viewer stands; it starts at stage 00, room 00, at the top, markers shown.
struct ViewerState {
    int Stage = 0, Room = 0, Scroll = 0;
    bool Markers = true;
};

constexpr int Stages = 18;
constexpr int Rooms = 48;
constexpr int ScreenHeight = 240;

/// The buttons that take the viewer from `state` to `stop`.
QStringList PressesTo(ViewerState &state, const ViewerStop &stop) {
    QStringList presses;
    if (state.Markers != stop.Markers) {
        presses << QStringLiteral("start");
        state.Markers = stop.Markers;
    }
    // Select moves to the next stage and back to its room 00 at the top.
    if (stop.Stage != state.Stage) {
        for (int n = (stop.Stage - state.Stage + Stages) % Stages; n > 0; --n)
            presses << QStringLiteral("select");
        state = {stop.Stage, 0, 0, stop.Markers};
    }
    const int forward = (stop.Room - state.Room + Rooms) % Rooms;
    if (forward <= Rooms / 2)
        for (int n = forward; n > 0; --n)
            presses << QStringLiteral("right");
    else
        for (int n = Rooms - forward; n > 0; --n)
            presses << QStringLiteral("left");
    if (stop.Scroll != state.Scroll)
        presses << (stop.Scroll > state.Scroll ? QStringLiteral("down") : QStringLiteral("up"));
    state.Room = stop.Room;
    state.Scroll = stop.Scroll;
    return presses;
}

QString LuaString(const QString &text) {
    return u'"' + QString(text).replace(u'\\', QStringLiteral("\\\\")).replace(u'"', u'\'') + u'"';
}

QString ShotName(const ViewerStop &stop) {
    return QStringLiteral("shot-%1-%2-%3%4.%5")
        .arg(stop.Stage)
        .arg(stop.Room)
        .arg(stop.Scroll)
        .arg(stop.Markers ? QStringLiteral("-markers") : QString())
        .arg(stop.Frames ? QStringLiteral("txt") : QStringLiteral("ppm"));
}

/// A cartridge opened as the editor opens it, with the built-in table offsets.
struct OpenedCartridge {
    explicit OpenedCartridge(const QString &path) { Opened = Rom.Open(path); }

    QTemporaryDir Scratch;
    TMyMemIniFile Settings{Scratch.filePath(QStringLiteral("none.ini"))};
    EditFlagManagement Flags;
    QStringList Names;
    ScriptedPrompt Prompt;
    RomImageData Rom{Flags, Names, Settings, Prompt};
    bool Opened = false;
};

/// The emulator, or the reason it cannot run here.
struct Emulator {
    QString Program;
    QStringList Prefix; ///< the display wrapper, if one is needed
    QString Missing;
};

Emulator FindEmulator() {
    Emulator emulator;
    const QStringList places = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts)
                               << QStringLiteral("/usr/games");
    emulator.Program = QStandardPaths::findExecutable(QStringLiteral("fceux"), places);
    if (emulator.Program.isEmpty()) {
        emulator.Missing = QStringLiteral("fceux is not installed (scripts/dev play-check installs "
                                          "it with xvfb and runs this check)");
        return emulator;
    }
    const QString wrapper = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const bool xauth = !QStandardPaths::findExecutable(QStringLiteral("xauth")).isEmpty();
    if (!wrapper.isEmpty() && xauth)
        emulator.Prefix = {wrapper, QStringLiteral("-a")};
    else if (qEnvironmentVariableIsEmpty("DISPLAY"))
        emulator.Missing = QStringLiteral("no display server: install xvfb and xauth, or run "
                                          "with DISPLAY set");
    return emulator;
}

/// Runs the viewer of `cartridge` through `stops` and returns the folder's screenshots by
/// stop; a stop whose palette never showed has no picture.
QHash<QString, QImage> PlayStops(const Emulator &emulator, const QString &cartridge,
                                 const QList<ViewerStop> &stops, const QString &folder) {
    const OpenedCartridge opened(cartridge);
    if (!opened.Opened)
        return {};

    QString script = QStringLiteral("Stops = {\n");
    ViewerState state;
    for (const ViewerStop &stop : stops) {
        QStringList presses;
        for (const QString &button : PressesTo(state, stop))
            presses << LuaString(button);
        QStringList colours;
        for (const uint8_t colour : opened.Rom.Stage(stop.Stage).BGPalette(0))
            colours << QString::number(colour);
        script += QStringLiteral("  {presses = {%1}, palette = {%2}, file = %3, frames = %4},\n")
                      .arg(presses.join(u','), colours.join(u','),
                           LuaString(QDir(folder).filePath(ShotName(stop))),
                           stop.Frames ? QString::number(stop.Frames) : QStringLiteral("nil"));
    }
    script += QStringLiteral("}\n");
    script += QString::fromUtf8(ReadFile(QStringLiteral(PLAYCHECK_LUA)));
    const QString scriptPath = QDir(folder).filePath(QStringLiteral("playcheck.lua"));
    if (!WriteFile(scriptPath, script.toUtf8()))
        return {};

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The emulator keeps its settings in the home folder and draws through its own
    // platform, not the tests' offscreen one.
    environment.insert(QStringLiteral("HOME"), opened.Scratch.path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments = emulator.Prefix;
    arguments << emulator.Program << QStringLiteral("--no-config") << QStringLiteral("1")
              << QStringLiteral("--sound") << QStringLiteral("0") << QStringLiteral("--loadlua")
              << scriptPath << cartridge;
    process.start(arguments.takeFirst(), arguments);
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        qWarning("the emulator did not finish: %s", process.readAll().constData());
        return {};
    }
    QHash<QString, QImage> shots;
    for (const ViewerStop &stop : stops) {
        const QImage shot(QDir(folder).filePath(ShotName(stop)));
        if (!shot.isNull())
            shots.insert(ShotName(stop), shot);
    }
    return shots;
}

/// The room as the tool draws it, objects left out.
QImage RenderRoom(const QString &cartridge, const QString &colours, const ViewerStop &stop,
                  const QString &folder) {
    const QString out = QDir(folder).filePath(
        QStringLiteral("room-%1-%2-%3.png").arg(stop.Stage).arg(stop.Room).arg(qHash(cartridge)));
    QProcess process;
    process.start(QStringLiteral(QUARTEX3TOOL_PATH),
                  {QStringLiteral("render"), cartridge, QStringLiteral("--stage"), Hex2(stop.Stage),
                   QStringLiteral("--room"), Hex2(stop.Room), QStringLiteral("--colors"), colours,
                   QStringLiteral("--out"), out});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(out);
}

/// Empty when the screen shows the room's lines from the scroll on with one screen colour
/// for each colour of the room picture and the other way round (the emulator's colour
/// table is not ours); otherwise where that first fails.
QString CompareScreen(const QImage &screen, const QImage &room, int scroll) {
    if (screen.size() != QSize(256, ScreenHeight) || room.size() != QSize(256, 256))
        return QStringLiteral("unexpected picture sizes");
    QHash<QRgb, QRgb> toScreen;
    QHash<QRgb, QRgb> toRoom;
    for (int y = 0; y < ScreenHeight; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb shown = screen.pixel(x, y);
            const QRgb drawn = room.pixel(x, y + scroll);
            const QRgb mappedShown = toScreen.value(drawn, shown);
            const QRgb mappedDrawn = toRoom.value(shown, drawn);
            if (mappedShown != shown || mappedDrawn != drawn)
                return QStringLiteral("screen pixel (%1, %2) breaks the colour mapping")
                    .arg(x)
                    .arg(y);
            toScreen.insert(drawn, shown);
            toRoom.insert(shown, drawn);
        }
    }
    return {};
}

const QList<ViewerStop> &RoomStops() {
    // Three stages, one of them on another stage's chips, both ends of the rooms and the
    // 16 lines below the screen.
    static const QList<ViewerStop> stops = {
        {0, 0, 0},   {0, 1, 16}, {0, 47, 0}, {5, 3, 0},
        {5, 10, 16}, {5, 24, 0}, {14, 0, 0}, {14, 7, 16},
    };
    return stops;
}

/// Stage 00, room 01 with its object markers shown; the same room hidden is a room stop.
const ViewerStop MarkerStop{0, 1, 16, 0, true};

constexpr int AnimationFrames = 150;

const QList<ViewerStop> &AnimationStops() {
    // A stage with lava and one with water in their pools, each just selected.
    static const QList<ViewerStop> stops = {{17, 0, 0, AnimationFrames},
                                            {0, 0, 0, AnimationFrames}};
    return stops;
}

using Colours16 = std::array<QRgb, 16>;

/// Palette set 0 of `stage` as the editor animates it, one entry per tick from the reset on.
QList<Colours16> EditorAnimation(const QString &cartridge, const QString &colourTable, int stage,
                                 int ticks) {
    OpenedCartridge opened(cartridge);
    const std::unique_ptr<FcPaletteData> colours = FcPaletteData::Load(colourTable, opened.Prompt);
    if (!colours || !opened.Opened)
        return {};
    const StageData &data = opened.Rom.Stage(stage);
    EditorGraphics graphics(*colours, opened.Rom);
    graphics.SetStagePalette(data.BGPalette(0));
    graphics.ResetPaletteAnimation();
    QList<Colours16> sequence;
    for (int tick = 0; tick < ticks; ++tick) {
        Colours16 shown;
        for (int entry = 0; entry < 16; ++entry)
            shown[static_cast<size_t>(entry)] = graphics.GetStagePaletteColour(entry);
        sequence << shown;
        graphics.StepPaletteAnimation(data.BGPaletteAnime(0));
    }
    return sequence;
}

/// The emulator's recorded frames, each colour index through our colour table.
QList<Colours16> RecordedAnimation(const QString &path) {
    const QByteArray table = MakeColourTable();
    QList<Colours16> sequence;
    for (const QByteArray &line : ReadFile(path).split('\n')) {
        const QList<QByteArray> indices = line.simplified().split(' ');
        if (indices.size() != 16)
            continue;
        Colours16 shown;
        for (int entry = 0; entry < 16; ++entry) {
            const int index = indices[entry].toInt(nullptr, 16) & 0x3F;
            shown[static_cast<size_t>(entry)] = qRgb(static_cast<uint8_t>(table[3 * index]),
                                                     static_cast<uint8_t>(table[3 * index + 1]),
                                                     static_cast<uint8_t>(table[3 * index + 2]));
        }
        sequence << shown;
    }
    return sequence;
}

/// Whether `recorded` is a stretch of `editor`, comparing the entries the screen shows
/// (colour 0 of every palette is entry 0 on the console).
bool IsStretchOf(const QList<Colours16> &recorded, const QList<Colours16> &editor) {
    for (qsizetype start = 0; start + recorded.size() <= editor.size(); ++start) {
        bool same = true;
        for (qsizetype frame = 0; same && frame < recorded.size(); ++frame)
            for (size_t entry = 0; same && entry < 16; ++entry)
                same = (entry % 4 != 0 || entry == 0)
                           ? recorded[frame][entry] == editor[start + frame][entry]
                           : true;
        if (same)
            return true;
    }
    return false;
}

} // namespace

/// The demo cartridge's viewer in a real emulator draws the rooms as the editor's renderer
/// does, and shows an edit made through the model once it is saved.
class TestPlayCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void viewerDrawsRoomsAsRendered_data();
    void viewerDrawsRoomsAsRendered();
    void oneMapSetByteShowsAsDifference();
    void viewerShowsSavedMapSetEdit();
    void viewerAnimatesPaletteAsEditor_data();
    void viewerAnimatesPaletteAsEditor();
    void markersFrameTheRoomsObjects();

private:
    QTemporaryDir Dir;
    Emulator Player;
    QString Cartridge;
    QString Colours;
    QHash<QString, QImage> Shots;
};

void TestPlayCheck::initTestCase() {
    Player = FindEmulator();
    if (!Player.Missing.isEmpty()) {
        if (qEnvironmentVariableIsSet("QUARTEX_PLAY_CHECK_REQUIRED"))
            QFAIL(qPrintable(Player.Missing));
        QSKIP(qPrintable(Player.Missing));
    }
    Cartridge = Dir.filePath(QStringLiteral("demo.nes"));
    Colours = Dir.filePath(QStringLiteral("fcpalette.pal"));
    QVERIFY(WriteFile(Cartridge, MakeDemoCartridge()));
    QVERIFY(WriteFile(Colours, MakeColourTable()));
    Shots = PlayStops(Player, Cartridge, RoomStops() + AnimationStops() + QList{MarkerStop},
                      Dir.path());
}

void TestPlayCheck::viewerDrawsRoomsAsRendered_data() {
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("scroll");
    for (const ViewerStop &stop : RoomStops())
        QTest::addRow("stage %02X room %02X scroll %d", stop.Stage, stop.Room, stop.Scroll)
            << stop.Stage << stop.Room << stop.Scroll;
}

void TestPlayCheck::viewerDrawsRoomsAsRendered() {
    QFETCH(int, stage);
    QFETCH(int, room);
    QFETCH(int, scroll);
    const ViewerStop stop{stage, room, scroll};
    const QImage shot = Shots.value(ShotName(stop));
    QVERIFY2(!shot.isNull(), "no screenshot: the viewer never showed the stage's palette set 0");
    const QImage rendered = RenderRoom(Cartridge, Colours, stop, Dir.path());
    QVERIFY(!rendered.isNull());
    const QString difference = CompareScreen(shot, rendered, scroll);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestPlayCheck::oneMapSetByteShowsAsDifference() {
    // The cartridge rendered differs from the one played in one map set byte of the room.
    const ViewerStop stop = RoomStops().first();
    const QImage shot = Shots.value(ShotName(stop));
    QVERIFY(!shot.isNull());
    QByteArray changed = MakeDemoCartridge();
    const int32_t mapSet = 0xF10 + 64 * static_cast<uint8_t>(changed[0xA10 + stop.Room]);
    const int32_t cell = mapSet + 8 * 3 + 3;
    changed[cell] = static_cast<char>(changed[cell] == Chip32::Block ? Chip32::Sky : Chip32::Block);
    const QString changedPath = Dir.filePath(QStringLiteral("changed.nes"));
    QVERIFY(WriteFile(changedPath, changed));
    const QImage rendered = RenderRoom(changedPath, Colours, stop, Dir.path());
    QVERIFY(!rendered.isNull());
    QVERIFY(!CompareScreen(shot, rendered, stop.Scroll).isEmpty());
}

void TestPlayCheck::viewerShowsSavedMapSetEdit() {
    const ViewerStop stop{5, 10, 0};
    const QString edited = Dir.filePath(QStringLiteral("edited.nes"));
    {
        OpenedCartridge opened(Cartridge);
        QVERIFY(opened.Opened);
        StageData &stage = opened.Rom.Stage(stop.Stage);
        const int position = 64 * (stage.Map()[stop.Room] & 31) + 8 * 2 + 5;
        const uint8_t chip = stage.MapSet()[static_cast<size_t>(position)] == Chip32::Block
                                 ? Chip32::Sky
                                 : Chip32::Block;
        QVERIFY(stage.SetMapSetEntry(position, chip));
        opened.Flags.SetEditFlag(EditArea::MapSet, stop.Stage, true);
        QVERIFY(opened.Rom.Save(edited));
    }
    const QString folder = Dir.filePath(QStringLiteral("edited"));
    QVERIFY(QDir().mkpath(folder));
    const QImage shot = PlayStops(Player, edited, {stop}, folder).value(ShotName(stop));
    QVERIFY2(!shot.isNull(), "no screenshot of the edited cartridge");
    const QImage rendered = RenderRoom(edited, Colours, stop, Dir.path());
    QVERIFY(!rendered.isNull());
    const QString difference = CompareScreen(shot, rendered, stop.Scroll);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // The screen really changed with the edit.
    QVERIFY(!CompareScreen(shot, RenderRoom(Cartridge, Colours, stop, Dir.path()), stop.Scroll)
                 .isEmpty());
}

void TestPlayCheck::viewerAnimatesPaletteAsEditor_data() {
    QTest::addColumn<int>("stage");
    for (const ViewerStop &stop : AnimationStops())
        QTest::addRow("stage %02X", stop.Stage) << stop.Stage;
}

void TestPlayCheck::viewerAnimatesPaletteAsEditor() {
    QFETCH(int, stage);
    const ViewerStop stop{stage, 0, 0, AnimationFrames};
    const QList<Colours16> recorded = RecordedAnimation(Dir.filePath(ShotName(stop)));
    QCOMPARE(recorded.size(), AnimationFrames);
    // The stretch recorded is long enough to see the colours change more than once.
    QVERIFY(std::adjacent_find(recorded.begin(), recorded.end(), std::not_equal_to<>()) !=
            recorded.end());
    const QList<Colours16> editor = EditorAnimation(Cartridge, Colours, stage, 4 * AnimationFrames);
    QCOMPARE(editor.size(), 4 * AnimationFrames);
    QVERIFY2(IsStretchOf(recorded, editor),
             "the viewer's colours frame by frame are no stretch of the editor's animation");
}

void TestPlayCheck::markersFrameTheRoomsObjects() {
    const QImage shown = Shots.value(ShotName(MarkerStop));
    ViewerStop hiddenStop = MarkerStop;
    hiddenStop.Markers = false;
    const QImage hidden = Shots.value(ShotName(hiddenStop));
    QVERIFY(!shown.isNull() && !hidden.isNull());
    const OpenedCartridge opened(Cartridge);
    QVERIFY(opened.Opened);
    const auto &objects = opened.Rom.Stage(MarkerStop.Stage).ObjectList(MarkerStop.Room);
    QVERIFY(!objects.empty());

    // A marker is a 16x16 outline around the object's centre, the kind written inside.
    QSet<const ObjectNode *> marked;
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < 256; ++x) {
            if (shown.pixel(x, y) == hidden.pixel(x, y))
                continue;
            const int roomY = y + MarkerStop.Scroll;
            const auto box = std::find_if(objects.begin(), objects.end(), [&](const ObjectNode &o) {
                return x >= o.X - 8 && x < o.X + 8 && roomY >= o.Y - 8 && roomY < o.Y + 8;
            });
            QVERIFY2(
                box != objects.end(),
                qPrintable(
                    QStringLiteral("pixel (%1, %2) changed outside every marker").arg(x).arg(y)));
            marked.insert(&*box);
        }
    QCOMPARE(marked.size(), objects.size());
}

QTEST_GUILESS_MAIN(TestPlayCheck)
#include "tst_playcheck.moc"

#include "ToolCommands.h"

#include "HexText.h"
#include "IpsPatch.h"
#include "PictureFile.h"
#include "StagePictures.h"
#include "TextReport.h"
#include "ToolDocument.h"
#include "bpspatch.h"
#include "fcpalette.h"
#include "filewriting.h"
#include "tilepicture.h"
#include "patchformat.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace {

const QString ProgramName = QStringLiteral("quartex3tool");

/// Ends a command early with its exit status and the line for the error stream.
struct CommandFailure {
    ExitStatus Status;
    QString Message;
};

[[noreturn]] void FailInput(const QString &message) {
    throw CommandFailure{ExitStatus::BadInput, message};
}

class ParsedCommand;

/// What one command accepts: its positional arguments, its options with a value and its
/// options without one.
struct CommandSyntax {
    QString Name;
    QString Usage; ///< the synopsis after the program name
    int PositionalCount;
    QStringList ValueOptions;
    QStringList FlagOptions;
    void (*Run)(const ParsedCommand &command, QTextStream &out);
};

/// One invocation parsed against its command's syntax; any mismatch is a usage error.
class ParsedCommand {
public:
    ParsedCommand(const CommandSyntax &syntax, const QStringList &arguments) : Syntax(syntax) {
        for (const QString &name : syntax.ValueOptions)
            Parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
        for (const QString &name : syntax.FlagOptions)
            Parser.addOption(QCommandLineOption(name));
        if (!Parser.parse(arguments)) {
            QString problem = Parser.errorText();
            if (problem.endsWith(u'.'))
                problem.chop(1); // the usage follows on the same line
            FailUsage(problem);
        }
        Positionals = Parser.positionalArguments();
        if (Positionals.size() != syntax.PositionalCount)
            FailUsage(QStringLiteral("%1 file arguments given, %2 expected")
                          .arg(Positionals.size())
                          .arg(syntax.PositionalCount));
    }

    const QString &Positional(int index) const { return Positionals[index]; }
    bool IsSet(const QString &option) const { return Parser.isSet(option); }
    QString Value(const QString &option) const { return Parser.value(option); }
    QStringList Values(const QString &option) const { return Parser.values(option); }

    /// The hexadecimal value of `option`, which must lie in 0..count-1; an absent option
    /// yields `fallback`, or is a usage error without one.
    int Number(const QString &option, int count, std::optional<int> fallback = {}) const {
        if (!IsSet(option)) {
            if (fallback)
                return *fallback;
            FailUsage(QStringLiteral("--%1 is required").arg(option));
        }
        const QString text = Value(option);
        const bool hexDigits = !text.isEmpty() && text.size() <= 8 &&
                               std::all_of(text.begin(), text.end(), [](QChar c) {
                                   const char16_t u = c.unicode();
                                   return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') ||
                                          (u >= u'A' && u <= u'F');
                               });
        if (!hexDigits)
            FailUsage(
                QStringLiteral("--%1 takes a hexadecimal number, not \"%2\"").arg(option, text));
        const uint value = text.toUInt(nullptr, 16);
        if (value >= static_cast<uint>(count))
            FailInput(QStringLiteral("--%1 %2 is out of range 00..%3")
                          .arg(option, text.toUpper(), HexText(count - 1)));
        return static_cast<int>(value);
    }

    [[noreturn]] void FailUsage(const QString &problem) const {
        throw CommandFailure{
            ExitStatus::Usage,
            QStringLiteral("%1; usage: %2 %3").arg(problem, ProgramName, Syntax.Usage)};
    }

private:
    const CommandSyntax &Syntax;
    QCommandLineParser Parser;
    QStringList Positionals;
};

const QString SettingsOption = QStringLiteral("settings");

QByteArray ReadFile(const QString &path, qint64 limit = std::numeric_limits<qint64>::max()) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FailInput(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.read(std::min(file.size(), limit));
    if (file.error() != QFileDevice::NoError)
        FailInput(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return bytes;
}

// One byte beyond the IPS limit is enough for the patch code to refuse the image, without
// reading a huge file whole.
QByteArray ReadImage(const QString &path) {
    return ReadFile(path, IpsPatch::MaxImageSize + 1);
}

// Patches for images up to the patch code's limit stay far below this; a longer file is cut
// here and then refused as damaged, without reading a huge file whole.
constexpr qint64 PatchFileLimit = 4 * IpsPatch::MaxImageSize;

void WriteFile(const QString &path, const QByteArray &bytes) {
    QString error;
    // The writer's message, on the one line the tool reports.
    if (!FileWriting::WriteWholeFile(path, bytes, error))
        FailInput(error.replace(u'\n', u' '));
}

std::unique_ptr<ToolDocument> OpenDocument(const ParsedCommand &command) {
    QString error;
    auto document = ToolDocument::Open(command.Positional(0), command.Value(SettingsOption), error);
    if (!document)
        FailInput(error);
    return document;
}

void RunInfo(const ParsedCommand &command, QTextStream &out) {
    out << TextReport::Info(OpenDocument(command)->Rom());
}

void RunDump(const ParsedCommand &command, QTextStream &out) {
    const int stage = command.Number(QStringLiteral("stage"), StageCount);
    QStringList sections = command.Values(QStringLiteral("table"));
    for (const QString &name : sections) {
        if (!TextReport::DumpSections().contains(name))
            command.FailUsage(QStringLiteral("unknown table \"%1\" (one of %2)")
                                  .arg(name, TextReport::DumpSections().join(u' ')));
    }
    if (sections.isEmpty())
        sections = TextReport::DumpSections();
    out << TextReport::Dump(OpenDocument(command)->Rom().Stage(stage), sections);
}

void RunRender(const ParsedCommand &command, QTextStream &) {
    const QStringList pictures = {QStringLiteral("room"),    QStringLiteral("mapset"),
                                  QStringLiteral("sheet16"), QStringLiteral("sheet32"),
                                  QStringLiteral("banks"),   QStringLiteral("stage-map")};
    const auto chosen = std::count_if(pictures.begin(), pictures.end(),
                                      [&](const QString &name) { return command.IsSet(name); });
    if (chosen != 1)
        command.FailUsage(QStringLiteral(
            "choose exactly one of --room, --mapset, --sheet16, --sheet32, --banks, --stage-map"));
    const bool objects = command.IsSet(QStringLiteral("objects"));
    const bool stageMap = command.IsSet(QStringLiteral("stage-map"));
    if (objects && !command.IsSet(QStringLiteral("room")) && !stageMap)
        command.FailUsage(QStringLiteral("--objects goes with --room or --stage-map"));
    if (command.IsSet(QStringLiteral("columns")) && !stageMap)
        command.FailUsage(QStringLiteral("--columns goes with --stage-map"));
    if (!command.IsSet(QStringLiteral("out")))
        command.FailUsage(QStringLiteral("--out is required"));
    const QString outPath = command.Value(QStringLiteral("out"));

    const int stage = command.Number(QStringLiteral("stage"), StageCount);
    const int paletteSet = command.Number(QStringLiteral("palette-set"), PaletteSetCount, 0);
    const int room = command.Number(QStringLiteral("room"), RoomCount, 0);
    const int mapSet = command.Number(QStringLiteral("mapset"), StagePictures::MapSetCount, 0);
    const int columns = command.Number(QStringLiteral("columns"), RoomCount + 1, RoomCount);
    if (columns == 0)
        FailInput(QStringLiteral("--columns 0 is out of range 01..%1").arg(HexText(RoomCount)));

    const QString colourPath = command.IsSet(QStringLiteral("colors"))
                                   ? command.Value(QStringLiteral("colors"))
                                   : QStringLiteral("fcpalette.pal");
    CollectingPrompt prompt;
    const std::unique_ptr<FcPaletteData> colours = FcPaletteData::Load(colourPath, prompt);
    if (!colours)
        FailInput(QStringLiteral("cannot load the colour table: %1").arg(prompt.Report()));
    const std::unique_ptr<ToolDocument> document = OpenDocument(command);

    const StagePictures stagePictures(*colours, document->Rom(), stage, paletteSet);
    QImage image;
    if (command.IsSet(QStringLiteral("room")))
        image = stagePictures.Room(room, objects);
    else if (stageMap)
        image = stagePictures.StageMap(columns, objects);
    else if (command.IsSet(QStringLiteral("mapset")))
        image = stagePictures.MapSet(mapSet);
    else if (command.IsSet(QStringLiteral("sheet16")))
        image = stagePictures.Sheet16x16();
    else if (command.IsSet(QStringLiteral("sheet32")))
        image = stagePictures.Sheet32x32();
    else
        image = stagePictures.Banks();

    const QByteArray png = PngBytes(image);
    if (png.isEmpty())
        FailInput(QStringLiteral("cannot encode the picture as PNG"));
    WriteFile(outPath, png);
}

void CreatePatch(const ParsedCommand &command,
                 const std::function<ByteResult(const QByteArray &, const QByteArray &)> &make) {
    const QString &original = command.Positional(0);
    const QString &edited = command.Positional(1);
    const ByteResult patch = make(ReadImage(original), ReadImage(edited));
    if (!patch.Ok())
        FailInput(QStringLiteral("cannot make a patch from %1 to %2: %3")
                      .arg(original, edited, patch.Error));
    WriteFile(command.Positional(2), patch.Bytes);
}

// Every check runs before the output is opened: a refused patch writes nothing.
void ApplyPatch(const PatchFormat *format, const ParsedCommand &command) {
    const QString &image = command.Positional(0);
    const QString &patchPath = command.Positional(1);
    const QByteArray patch = ReadFile(patchPath, PatchFileLimit);
    if (!format)
        format = FormatOfPatch(patch);
    if (!format)
        FailInput(
            QStringLiteral("cannot apply %1: it is neither an IPS nor a BPS patch").arg(patchPath));
    const ByteResult patched = format->Apply(ReadImage(image), patch);
    if (!patched.Ok())
        FailInput(QStringLiteral("cannot apply %1 to %2: %3").arg(patchPath, image, patched.Error));
    WriteFile(command.Positional(2), patched.Bytes);
}

void RunCreateIps(const ParsedCommand &command, QTextStream &) {
    CreatePatch(command, [](const QByteArray &original, const QByteArray &edited) {
        return IpsFormat().Create(original, edited);
    });
}

void RunCreateBps(const ParsedCommand &command, QTextStream &) {
    const QByteArray metadata = command.Value(QStringLiteral("metadata")).toUtf8();
    CreatePatch(command, [&](const QByteArray &original, const QByteArray &edited) {
        return BpsPatch::Create(original, edited, metadata);
    });
}

void RunApplyIps(const ParsedCommand &command, QTextStream &) {
    ApplyPatch(&IpsFormat(), command);
}

void RunApplyBps(const ParsedCommand &command, QTextStream &) {
    ApplyPatch(&BpsFormat(), command);
}

void RunApply(const ParsedCommand &command, QTextStream &) {
    ApplyPatch(nullptr, command);
}

void RunPatchInfo(const ParsedCommand &command, QTextStream &out) {
    const QString &path = command.Positional(0);
    const QByteArray patch = ReadFile(path, PatchFileLimit);
    const PatchFormat *format = FormatOfPatch(patch);
    if (!format)
        FailInput(QStringLiteral("%1 is neither an IPS nor a BPS patch").arg(path));
    out << format->Describe(patch) << u'\n';
}

// A tile picture is tiny; anything larger than this is not one and is not read whole.
constexpr qint64 TilePictureFileLimit = 16 * 1024 * 1024;

/// The tiles of `--window BANK` (128), or of the whole CHR data without it.
std::vector<int> ChosenTiles(const ParsedCommand &command, const ChrTiles &tiles) {
    std::vector<int> numbers;
    if (!command.IsSet(QStringLiteral("window"))) {
        if (tiles.TileCount() == 0)
            FailInput(QStringLiteral("the image has no CHR data"));
        for (int tile = 0; tile < tiles.TileCount(); ++tile)
            numbers.push_back(tile);
        return numbers;
    }
    const auto bank = static_cast<uint8_t>(command.Number(QStringLiteral("window"), 256));
    for (int index = 0; index < WindowTileCount; ++index)
        numbers.push_back(tiles.WindowTile(bank, index));
    if (numbers.front() < 0 || numbers.back() < 0)
        FailInput(QStringLiteral("--window %1 lies outside the CHR data").arg(HexText(bank)));
    return numbers;
}

/// Four greys, or with `--palette P` palette P of `--palette-set S` of `--stage N` in the
/// colours of the colour table.
TilePicture::Colours ChosenColours(const ParsedCommand &command, const RomImageData &rom) {
    const bool grey = command.IsSet(QStringLiteral("grey"));
    if (!command.IsSet(QStringLiteral("palette"))) {
        if (command.IsSet(QStringLiteral("stage")) || command.IsSet(QStringLiteral("palette-set")))
            command.FailUsage(QStringLiteral("--stage and --palette-set go with --palette"));
        return TilePicture::Greys();
    }
    if (grey)
        command.FailUsage(QStringLiteral("choose either --palette or --grey"));
    const int stage = command.Number(QStringLiteral("stage"), StageCount);
    const int set = command.Number(QStringLiteral("palette-set"), PaletteSetCount, 0);
    const int palette = command.Number(QStringLiteral("palette"), 4);
    const QString colourPath = command.IsSet(QStringLiteral("colors"))
                                   ? command.Value(QStringLiteral("colors"))
                                   : QStringLiteral("fcpalette.pal");
    CollectingPrompt prompt;
    const std::unique_ptr<FcPaletteData> colours = FcPaletteData::Load(colourPath, prompt);
    if (!colours)
        FailInput(QStringLiteral("cannot load the colour table: %1").arg(prompt.Report()));
    TilePicture::Colours result{};
    for (int colour = 0; colour < 4; ++colour) {
        const uint32_t bgr = colours->Colour(rom.Stage(stage).BGPalette(set)[4 * palette + colour]);
        result[colour] = qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                              static_cast<int>((bgr >> 16) & 0xFF));
    }
    return result;
}

void RunChrExport(const ParsedCommand &command, QTextStream &) {
    const std::unique_ptr<ToolDocument> document = OpenDocument(command);
    const ChrTiles &tiles = document->Rom().Tiles();
    const std::vector<int> numbers = ChosenTiles(command, tiles);
    const QByteArray png =
        PngBytes(TilePicture::Picture(tiles, numbers, ChosenColours(command, document->Rom())));
    if (png.isEmpty())
        FailInput(QStringLiteral("cannot encode the picture as PNG"));
    WriteFile(command.Positional(1), png);
}

void RunChrImport(const ParsedCommand &command, QTextStream &) {
    const std::unique_ptr<ToolDocument> document = OpenDocument(command);
    const std::vector<int> numbers = ChosenTiles(command, document->Rom().Tiles());
    const TilePicture::Colours colours = ChosenColours(command, document->Rom());
    const QString &picturePath = command.Positional(1);
    const TilePicture::ReadResult read = TilePicture::Read(
        ReadFile(picturePath, TilePictureFileLimit), static_cast<int>(numbers.size()), colours);
    if (!read.Ok())
        FailInput(QStringLiteral("cannot import %1: %2").arg(picturePath, read.Error));
    QString error;
    const std::optional<QByteArray> edited =
        document->WithTiles(TilePicture::Changes(numbers, read.Tiles), error);
    if (!edited)
        FailInput(QStringLiteral("cannot make the edited image: %1").arg(error));
    WriteFile(command.Positional(2), *edited);
}

const std::vector<CommandSyntax> &Commands() {
    static const std::vector<CommandSyntax> List = {
        {QStringLiteral("info"),
         QStringLiteral("info ROM [--settings FILE]"),
         1,
         {SettingsOption},
         {},
         RunInfo},
        {QStringLiteral("dump"),
         QStringLiteral("dump ROM --stage N [--table NAME]... [--settings FILE]"),
         1,
         {QStringLiteral("stage"), QStringLiteral("table"), SettingsOption},
         {},
         RunDump},
        {QStringLiteral("render"),
         QStringLiteral("render ROM --stage N --out FILE.png [--colors FILE.pal] "
                        "[--palette-set S] [--settings FILE] "
                        "(--room R [--objects] | --mapset M | --sheet16 | --sheet32 | --banks | "
                        "--stage-map [--columns N] [--objects])"),
         1,
         {QStringLiteral("stage"), QStringLiteral("out"), QStringLiteral("colors"),
          QStringLiteral("palette-set"), QStringLiteral("room"), QStringLiteral("mapset"),
          QStringLiteral("columns"), SettingsOption},
         {QStringLiteral("objects"), QStringLiteral("sheet16"), QStringLiteral("sheet32"),
          QStringLiteral("banks"), QStringLiteral("stage-map")},
         RunRender},
        {QStringLiteral("ips"),
         QStringLiteral("ips ORIGINAL EDITED OUT.ips"),
         3,
         {},
         {},
         RunCreateIps},
        {QStringLiteral("apply-ips"),
         QStringLiteral("apply-ips ROM PATCH OUT"),
         3,
         {},
         {},
         RunApplyIps},
        {QStringLiteral("bps"),
         QStringLiteral("bps ORIGINAL EDITED OUT.bps [--metadata TEXT]"),
         3,
         {QStringLiteral("metadata")},
         {},
         RunCreateBps},
        {QStringLiteral("apply-bps"),
         QStringLiteral("apply-bps ROM PATCH OUT"),
         3,
         {},
         {},
         RunApplyBps},
        {QStringLiteral("apply"), QStringLiteral("apply ROM PATCH OUT"), 3, {}, {}, RunApply},
        {QStringLiteral("patch-info"), QStringLiteral("patch-info PATCH"), 1, {}, {}, RunPatchInfo},
        {QStringLiteral("chr-export"),
         QStringLiteral("chr-export ROM [--window BANK] OUT.png "
                        "[--stage N [--palette-set S] --palette P [--colors FILE.pal] | --grey] "
                        "[--settings FILE]"),
         2,
         {QStringLiteral("window"), QStringLiteral("stage"), QStringLiteral("palette-set"),
          QStringLiteral("palette"), QStringLiteral("colors"), SettingsOption},
         {QStringLiteral("grey")},
         RunChrExport},
        {QStringLiteral("chr-import"),
         QStringLiteral("chr-import ROM [--window BANK] IN.png OUT.nes "
                        "[--stage N [--palette-set S] --palette P [--colors FILE.pal] | --grey] "
                        "[--settings FILE]"),
         3,
         {QStringLiteral("window"), QStringLiteral("stage"), QStringLiteral("palette-set"),
          QStringLiteral("palette"), QStringLiteral("colors"), SettingsOption},
         {QStringLiteral("grey")},
         RunChrImport},
    };
    return List;
}

} // namespace

ToolCommands::ToolCommands(QTextStream &out, QTextStream &err) : Out(out), Err(err) {}

QString ToolCommands::UsageText() {
    QString text = QStringLiteral("usage:\n");
    for (const CommandSyntax &command : Commands())
        text += QStringLiteral("  %1 %2\n").arg(ProgramName, command.Usage);
    text += QStringLiteral("  %1 help\n"
                           "  %1 --version\n"
                           "Numbers (stage, room, map set, palette set, palette, bank) are "
                           "hexadecimal.\n")
                .arg(ProgramName);
    return text;
}

ExitStatus ToolCommands::Run(const QStringList &arguments) {
    ExitStatus status = ExitStatus::Success;
    try {
        const QString name = arguments.value(1);
        if (name == u"help" || name == u"--help" || name == u"-h") {
            Out << UsageText();
        } else if (name == u"--version") {
            Out << ProgramName << u' ' << QStringLiteral(QUARTEX_VERSION) << u'\n';
        } else {
            const auto &commands = Commands();
            const auto syntax =
                std::find_if(commands.begin(), commands.end(),
                             [&](const CommandSyntax &command) { return command.Name == name; });
            if (syntax == commands.end())
                throw CommandFailure{
                    ExitStatus::Usage,
                    (name.isEmpty() ? QStringLiteral("no command given")
                                    : QStringLiteral("unknown command \"%1\"").arg(name)) +
                        QStringLiteral("; run \"%1 help\" for the commands").arg(ProgramName)};
            // The parser takes its first argument for the program name: the command's name
            // stands in for it.
            const ParsedCommand command(*syntax, arguments.mid(1));
            syntax->Run(command, Out);
        }
    } catch (const CommandFailure &failure) {
        Err << ProgramName << QStringLiteral(": ") << failure.Message << u'\n';
        status = failure.Status;
    }
    Out.flush();
    Err.flush();
    return status;
}

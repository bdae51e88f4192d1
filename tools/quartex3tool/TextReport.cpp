#include "TextReport.h"

#include "HexText.h"
#include "fileio.h"

#include <array>
#include <span>
#include <vector>

namespace {

// Lines of 16 bytes separated by single spaces; the last line may be shorter.
void AppendBytes(QString &text, std::span<const uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += HexText(bytes[i]);
        text += (i % 16 == 15 || i + 1 == bytes.size()) ? u'\n' : u' ';
    }
}

template <size_t N>
std::vector<uint8_t> AllSets(const StageData &stage,
                             const std::array<uint8_t, N> &(StageData::*set)(int) const) {
    std::vector<uint8_t> bytes;
    for (int s = 0; s < PaletteSetCount; ++s) {
        const auto &one = (stage.*set)(s);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

void AppendObjects(QString &text, const StageData &stage) {
    for (int room = 0; room < RoomCount; ++room) {
        for (const ObjectNode &object : stage.ObjectList(room)) {
            text += QStringLiteral("%1 %2 %3 %4\n")
                        .arg(HexText(room), HexText(object.X & 0xFF), HexText(object.Y & 0xFF),
                             HexText(object.Kind & 0xFF));
        }
    }
}

struct DumpSection {
    const char16_t *Name;
    void (*Append)(QString &text, const StageData &stage);
};

// The palette tables list set 0 first: entries 0..15 (slots 0..3), then set 1, and so on.
const std::array<DumpSection, 9> Sections = {{
    {u"bgbank", [](QString &text, const StageData &stage) { AppendBytes(text, stage.BGBank()); }},
    {u"chip16",
     [](QString &text, const StageData &stage) { AppendBytes(text, stage.Chip16x16()); }},
    {u"chipprop",
     [](QString &text, const StageData &stage) { AppendBytes(text, stage.ChipProperty()); }},
    {u"chip32",
     [](QString &text, const StageData &stage) { AppendBytes(text, stage.Chip32x32()); }},
    {u"mapset", [](QString &text, const StageData &stage) { AppendBytes(text, stage.MapSet()); }},
    {u"map", [](QString &text, const StageData &stage) { AppendBytes(text, stage.Map()); }},
    {u"palette",
     [](QString &text, const StageData &stage) {
         AppendBytes(text, AllSets(stage, &StageData::BGPalette));
     }},
    {u"anime",
     [](QString &text, const StageData &stage) {
         AppendBytes(text, AllSets(stage, &StageData::BGPaletteAnime));
     }},
    {u"objects", AppendObjects},
}};

} // namespace

QString TextReport::Info(const RomImageData &rom) {
    const ImageBuffer &image = rom.Image();
    const int prgUnits = image[4];
    QString text;
    text += QStringLiteral("file-size %1\n").arg(HexText(rom.Size(), 6));
    text += QStringLiteral("prg-units %1\n").arg(HexText(prgUnits));
    text += QStringLiteral("chr-units %1\n").arg(HexText(image[5]));
    text += QStringLiteral("chr-base  %1\n").arg(HexText(rom.ChrBase(), 6));
    text += QStringLiteral("chr-pages %1\n").arg(HexText(rom.ChrPageCount()));

    // One column per table named by its settings key, so a line reads like the settings
    // file that produced it; each column as wide as its name or a six-digit offset.
    QStringList header{QStringLiteral("Stage")};
    for (int t = 0; t < StageTableCount; ++t)
        header << QString::fromLatin1(TableInfo(static_cast<StageTable>(t)).Key);
    header << QStringLiteral("Share");
    QList<qsizetype> widths;
    for (const QString &name : header)
        widths << std::max<qsizetype>(name.size(), 6);
    const auto appendRow = [&](const QStringList &cells) {
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const bool last = c + 1 == cells.size();
            text += last ? cells[c] : cells[c].leftJustified(widths[c]) + u' ';
        }
        text += u'\n';
    };
    appendRow(header);
    const AddressData &addresses = rom.Addresses();
    for (int stage = 0; stage < StageCount; ++stage) {
        QStringList cells{HexText(stage)};
        for (int t = 0; t < StageTableCount; ++t)
            cells << HexText(addresses.TableOffset(static_cast<StageTable>(t), stage), 6);
        cells << HexText(addresses.ShareSource(stage));
        appendRow(cells);
    }
    return text;
}

const QStringList &TextReport::DumpSections() {
    static const QStringList Names = [] {
        QStringList names;
        for (const DumpSection &section : Sections)
            names << QString::fromUtf16(section.Name);
        return names;
    }();
    return Names;
}

QString TextReport::Dump(const StageData &stage, const QStringList &sections) {
    QString text;
    for (const DumpSection &section : Sections) {
        const QString name = QString::fromUtf16(section.Name);
        if (!sections.contains(name))
            continue;
        text += u'[' + name + QStringLiteral("]\n");
        section.Append(text, stage);
    }
    return text;
}

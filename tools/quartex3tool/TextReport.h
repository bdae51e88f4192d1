#pragma once

#include <QString>
#include <QStringList>

class RomImageData;
class StageData;

/// The plain-text reports of the tool: the image summary with every stage's table offsets,
/// and a stage's tables as the model decodes them. Every number is upper-case hexadecimal.
class TextReport {
public:
    /// File size, PRG and CHR unit counts, CHR base, 1 KB CHR page count, then one line
    /// per stage with its twelve table offsets and the stage it shares chip tables with.
    static QString Info(const RomImageData &rom);

    /// The dump section names, in the order a full dump lists them.
    static const QStringList &DumpSections();
    /// The sections of `stage` named in `sections` (each one of `DumpSections`), in the
    /// order of `DumpSections`: a "[name]" line, then the table bytes 16 to a line, or for
    /// "objects" one "RR XX YY KK" line per object, rooms ascending.
    static QString Dump(const StageData &stage, const QStringList &sections);
};

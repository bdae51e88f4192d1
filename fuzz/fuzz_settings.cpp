// The settings file with an image: the bytes before the first zero byte are the INI text,
// the bytes after it the image. The editor's start is played (addresses resolved, display
// options read), the image toured, the settings written back as at exit and read again:
// the second reading must give what the first gave.
#include "FuzzDocument.h"
#include "FuzzSupport.h"
#include "address.h"
#include "dialogfolders.h"
#include "language.h"
#include "settings.h"

#include <QStringList>

namespace {

QString Summary(const AddressData &addresses) {
    QStringList numbers;
    for (int t = 0; t < StageTableCount; ++t) {
        for (int stage = 0; stage < StageCount; ++stage)
            numbers << QString::number(addresses.TableOffset(static_cast<StageTable>(t), stage));
    }
    for (int stage = 0; stage < StageCount; ++stage)
        numbers << QString::number(addresses.ShareSource(stage));
    numbers << QString::number(addresses.PaletteAnimationPointer())
            << QString::number(addresses.PaletteAnimationData())
            << QString::number(addresses.PaletteAnimationPalette());
    return numbers.join(u' ');
}

QString Summary(const DisplaySettings &display) {
    return QStringList{
        QString::number(display.SortObjectList), QString::number(display.PopupHint),
        QString::number(display.Chip32x32Grid),  QString::number(display.MapSetGrid),
        QString::number(display.TimerInterval),  QString::number(display.UndoEnabled)}
        .join(u' ');
}

/// One part of the settings the editor reads: read as at start, written back as at exit
/// (into the in-memory file), summarised for comparison.
using SettingsPart = QString (*)(TMyMemIniFile &file);

// Every part the editor reads; a part added to the editor is one line here.
constexpr SettingsPart SettingsParts[] = {
    [](TMyMemIniFile &file) { return Summary(AddressData(file)); },
    [](TMyMemIniFile &file) {
        const DisplaySettings display = DisplaySettings::Read(file);
        display.Write(file);
        return Summary(display);
    },
    [](TMyMemIniFile &file) {
        const QString language = InterfaceLanguage::Read(file);
        InterfaceLanguage::Write(file, language);
        return language;
    },
    [](TMyMemIniFile &file) {
        DialogFolders folders;
        folders.Read(file);
        folders.Write(file);
        return folders.OpenFolder() + u'|' + folders.SaveFolder();
    },
};

QStringList ReadAndWriteBack(TMyMemIniFile &file) {
    QStringList summaries;
    for (SettingsPart part : SettingsParts)
        summaries << part(file);
    return summaries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray iniText = split < 0 ? input : input.left(split);
    const QByteArray image = split < 0 ? QByteArray() : input.mid(split + 1);
    const QString iniPath = WriteScratchFile(QStringLiteral("quartex3editor.ini"), iniText);

    TMyMemIniFile asWritten(iniPath);
    const QStringList first = ReadAndWriteBack(asWritten);
    {
        // The session: the document resolves the addresses, the display options are read at
        // start and written at exit, and the file is rewritten.
        FuzzDocument document(iniPath);
        ReadAndWriteBack(document.Settings());
        if (document.OpenBytes(image))
            TourDocument(document, InputDigest(data, size));
        Require(document.Settings().UpdateFile(), "the settings file can be written");
    }
    TMyMemIniFile again(iniPath);
    Require(ReadAndWriteBack(again) == first, "settings read back as they were written");
    return 0;
}

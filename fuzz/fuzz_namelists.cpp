// The files read beside the program and in the working folder: the bytes as a name list
// (object kinds, chip attributes: Shift-JIS, any line ends) and as the colour table.
#include "FuzzDocument.h"
#include "FuzzSupport.h"
#include "fcpalette.h"
#include "graphics.h"
#include "namelists.h"

namespace {

void ReadAsNameList(const QString &path, const QByteArray &bytes) {
    const std::optional<QStringList> names = ReadNameList(path);
    Require(names.has_value(), "a readable name list is read");
    // CR LF, LF and a lone CR end lines whatever the bytes around them (neither byte is ever
    // part of a Shift-JIS character), and a last line end closes the last line rather than
    // opening an empty one.
    qsizetype lineEnds = bytes.count('\n');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        lineEnds += bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
    const bool lastLineOpen = !bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r');
    const qsizetype expected = lineEnds + (lastLineOpen ? 1 : 0);
    Require(names->size() == expected, "one name per line");
    Require(ObjectKindTexts(*names).size() == ObjectKindCount, "every object kind has a text");

    FuzzDocument document(QString(), *names);
    for (int property = 0; property <= 0xFF; ++property)
        document.Rom().ChipAttributeName(static_cast<uint8_t>(property));
}

void ReadAsColourTable(const QString &path, const QByteArray &bytes) {
    CollectingPrompt prompt;
    const std::unique_ptr<FcPaletteData> colours = FcPaletteData::Load(path, prompt);
    Require((colours != nullptr) == (bytes.size() == FcPaletteData::FileSize),
            "a colour table loads exactly when it has the right size");
    if (!colours)
        return;
    for (int index = 0; index <= 0xFF; ++index)
        Require(colours->Colour(index) == colours->Colour(index & 0x3F),
                "a colour index counts by its low six bits");
    FuzzDocument document;
    EditorGraphics graphics(*colours, document.Rom());
    graphics.LoadMasterPalette();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = WriteScratchFile(QStringLiteral("names.txt"), bytes);
    ReadAsNameList(path, bytes);
    ReadAsColourTable(path, bytes);
    return 0;
}

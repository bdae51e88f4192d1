#include "GraphicsFixture.h"

#include "TestFiles.h"

#include <stdexcept>

QRgb MasterColour(int index) {
    return qRgb(4 * index, 0x80 ^ index, 255 - 4 * index);
}

QByteArray MasterColourTable() {
    QByteArray table;
    for (int index = 0; index < FcPaletteData::ColourCount; ++index) {
        const QRgb colour = MasterColour(index);
        table.append(static_cast<char>(qRed(colour)));
        table.append(static_cast<char>(qGreen(colour)));
        table.append(static_cast<char>(qBlue(colour)));
    }
    return table;
}

int ColourNumber(const ImageBuffer &image, int64_t address, int column, int row) {
    const int bit = 7 - column;
    return ((image[address + row] >> bit) & 1) + 2 * ((image[address + row + 8] >> bit) & 1);
}

void Require(bool condition, const char *what) {
    if (!condition)
        throw std::runtime_error(what);
}

GraphicsFixture::GraphicsFixture(const CartridgeBuilder &cartridge, const QString &settingsText) {
    Require(Folder.isValid(), "no temporary folder");
    const QString tablePath = Folder.filePath(QStringLiteral("fcpalette.pal"));
    const QString settingsPath = Folder.filePath(QStringLiteral("quartex3editor.ini"));
    const QString imagePath = Folder.filePath(QStringLiteral("stage.nes"));
    Require(WriteFile(tablePath, MasterColourTable()) &&
                WriteFile(settingsPath, settingsText.toUtf8()) && cartridge.WriteTo(imagePath),
            "cannot write the fixture files");

    ColourTable = FcPaletteData::Load(tablePath, Messages);
    Require(ColourTable != nullptr, "colour table refused");
    Settings = std::make_unique<TMyMemIniFile>(settingsPath);
    Rom = std::make_unique<RomImageData>(EditFlags, AttributeNames, *Settings, Messages);
    Require(Rom->Open(imagePath), "cartridge refused");
    EditFlags.ClearAll();
    Renderer = std::make_unique<EditorGraphics>(*ColourTable, *Rom);
    Renderer->LocateChr();
}

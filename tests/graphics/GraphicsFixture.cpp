#include "GraphicsFixture.h"

#include <QFile>
#include <stdexcept>

namespace {

bool WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

QRgb GraphicsFixture::MasterColour(int index) {
    return qRgb(4 * index, 255 - 4 * index, (37 * index) & 0xFF);
}

GraphicsFixture::GraphicsFixture(const CartridgeBuilder &cartridge, const QString &settingsText) {
    if (!Folder.isValid())
        throw std::runtime_error("no temporary folder");
    QByteArray table;
    for (int index = 0; index < FcPaletteData::ColourCount; ++index) {
        const QRgb colour = MasterColour(index);
        table.append(static_cast<char>(qRed(colour)));
        table.append(static_cast<char>(qGreen(colour)));
        table.append(static_cast<char>(qBlue(colour)));
    }
    const QString tablePath = Folder.filePath(QStringLiteral("fcpalette.pal"));
    const QString settingsPath = Folder.filePath(QStringLiteral("quartex3editor.ini"));
    const QString imagePath = Folder.filePath(QStringLiteral("stage.nes"));
    if (!WriteFile(tablePath, table) || !WriteFile(settingsPath, settingsText.toUtf8()) ||
        !cartridge.WriteTo(imagePath))
        throw std::runtime_error("cannot write the fixture files");

    ColourTable = FcPaletteData::Load(tablePath, Messages);
    if (!ColourTable)
        throw std::runtime_error("colour table refused");
    Settings = std::make_unique<TMyMemIniFile>(settingsPath);
    Rom = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Messages);
    if (!Rom->Open(imagePath))
        throw std::runtime_error("cartridge refused");
    Renderer = std::make_unique<EditorGraphics>(*ColourTable, *Rom);
    Renderer->LocateChr();
}

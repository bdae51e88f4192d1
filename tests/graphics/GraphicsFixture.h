#pragma once

#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "edit_flag.h"
#include "fcpalette.h"
#include "fileio.h"
#include "graphics.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

/// A renderer over an opened synthetic cartridge, for the graphics tests and benchmarks.
///
/// Writes a colour table whose every colour is distinct (`MasterColour`), an optional
/// settings file, and the cartridge into a temporary folder, opens the cartridge and
/// locates its character data. Owns everything it creates; throws std::runtime_error when
/// a step fails.
class GraphicsFixture {
public:
    explicit GraphicsFixture(const CartridgeBuilder &cartridge,
                             const QString &settingsText = QString());

    /// The opaque colour the fixture's table gives master index 0..63.
    static QRgb MasterColour(int index);

    RomImageData &Document() { return *Rom; }
    ImageBuffer &Image() { return Rom->Image(); }
    EditorGraphics &Graphics() { return *Renderer; }
    ScriptedPrompt &Prompt() { return Messages; }

private:
    QTemporaryDir Folder;
    ScriptedPrompt Messages;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<FcPaletteData> ColourTable;
    std::unique_ptr<RomImageData> Rom;
    std::unique_ptr<EditorGraphics> Renderer;
};

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

/// The opaque colour the fixture's colour table gives master index 0..63. Every colour is
/// different, and none is black, grey, white or the magenta of the hover frame, so a
/// pixel of those colours comes from a frame, line or marker.
QRgb MasterColour(int index);
/// The 192 bytes of a colour table file holding the 64 colours of `MasterColour`.
QByteArray MasterColourTable();

/// Colour number 0..3 of one pixel of the tile whose 16 bytes start at `address`, decoded
/// here from the bytes: the two bit planes eight bytes apart, the leftmost pixel in bit 7.
int ColourNumber(const ImageBuffer &image, int64_t address, int column, int row);

/// A renderer over an opened synthetic cartridge, for the graphics and editor tests and the
/// graphics benchmark: the model and renderer the main window owns, set up as it does.
///
/// Writes the colour table of `MasterColour`, a settings file and the cartridge into a
/// temporary folder, opens the cartridge, clears the flags and locates its character data.
/// Owns everything it creates; throws std::runtime_error when a step fails.
class GraphicsFixture {
public:
    explicit GraphicsFixture(const CartridgeBuilder &cartridge,
                             const QString &settingsText = QString());

    RomImageData &Document() { return *Rom; }
    ImageBuffer &Image() { return Rom->Image(); }
    EditorGraphics &Graphics() { return *Renderer; }
    const FcPaletteData &Colours() const { return *ColourTable; }
    ScriptedPrompt &Prompt() { return Messages; }
    EditFlagManagement &Flags() { return EditFlags; }

private:
    QTemporaryDir Folder;
    ScriptedPrompt Messages;
    EditFlagManagement EditFlags;
    QStringList AttributeNames;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<FcPaletteData> ColourTable;
    std::unique_ptr<RomImageData> Rom;
    std::unique_ptr<EditorGraphics> Renderer;
};

/// Setting up a fixture cannot go on after a failure: throws std::runtime_error(`what`).
void Require(bool condition, const char *what);

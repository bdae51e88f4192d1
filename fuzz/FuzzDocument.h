#pragma once

#include "MyIniFiles.h"
#include "ToolDocument.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

class FcPaletteData;

/// A document as the main window holds one: the settings file it was built from, the
/// modified flags, the chip attribute names and a prompt that keeps what the model reports.
/// Owns all of them.
class FuzzDocument {
public:
    /// Reads the settings from `settingsPath`; with none, every value is the built-in default.
    explicit FuzzDocument(const QString &settingsPath = QString(),
                          const QStringList &attributeNames = QStringList());

    /// Writes `image` to a scratch file and opens it as ファイル → 開く does.
    bool OpenBytes(const QByteArray &image);
    /// Flags every table of every stage, as if all had been edited: saving encodes them all.
    void FlagEverything();

    RomImageData &Rom() { return Document; }
    TMyMemIniFile &Settings() { return SettingsFile; }
    EditFlagManagement &Flags() { return ModifiedFlags; }

private:
    CollectingPrompt Prompt;
    EditFlagManagement ModifiedFlags;
    QStringList AttributeNames;
    TMyMemIniFile SettingsFile;
    RomImageData Document;
};

/// What a user's session shows of an opened image: every stage decoded, both chip sheets,
/// the map sets, rooms and object marks in the palette sets, a few dozen palette-animation
/// ticks and the chip usage lists; then every table encoded and saved to a scratch file,
/// which must hold exactly the encoded image. Draws every stage unlike those before it in
/// every palette set or, while exploring, one stage in one palette set and a sample of its
/// map sets, chosen by `sample`.
void TourDocument(FuzzDocument &document, uint32_t sample);

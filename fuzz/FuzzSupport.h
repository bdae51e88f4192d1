#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class FcPaletteData;

// What every harness shares: reading the fuzzer's bytes as a script, the files a harness
// hands to the editor's readers, the colour table, the one application object and the
// property check.

/// The fuzzer's bytes read front to back; past the end every read yields zeros (or fewer
/// bytes), so a script cut short still runs.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size) : Data(data), Size(size) {}

    bool AtEnd() const { return Position >= Size; }
    uint8_t Byte();
    /// Two bytes, low first, as a signed number: positions below zero and past every table.
    int16_t Int16();
    /// Up to `count` bytes.
    QByteArray Bytes(size_t count);
    /// `N` bytes, zeros where the input has ended.
    template <size_t N> std::array<uint8_t, N> Block() {
        std::array<uint8_t, N> block{};
        const QByteArray taken = Bytes(N);
        std::copy(taken.begin(), taken.end(), block.begin());
        return block;
    }
    /// A text of up to `maxLength` bytes (the length is the next byte), read as UTF-8.
    QString Text(size_t maxLength = 255);
    QByteArray Rest();

private:
    const uint8_t *Data;
    size_t Size;
    size_t Position = 0;
};

/// Stops the run with a message when a property does not hold: the fuzzer takes the abort
/// for a crash and keeps the input.
void Require(bool condition, const char *property);

/// Whether a harness draws every picture (replaying the corpus) or a sample chosen from the
/// input (exploring, where speed counts). Exploring is the default.
bool DrawEveryPicture();
void SetDrawEveryPicture(bool everything);

/// A path in the harness's own temporary folder, removed when the program ends.
QString ScratchPath(const QString &name);
/// Writes `bytes` to the scratch file `name` and returns its path.
QString WriteScratchFile(const QString &name, const QByteArray &bytes);
QByteArray ReadWholeFile(const QString &path);

/// A 4 KB image of varied bytes for the patch harnesses to apply their inputs to.
const QByteArray &SmallPatchImage();

/// The demo generator's colour table, loaded once through the editor's own reader.
const FcPaletteData &DemoColours();

/// Creates the application object once, on the offscreen platform: text and fonts need one.
void EnsureGuiApplication();

/// A small number mixed from every byte of the input: picks the sample to draw.
uint32_t InputDigest(const uint8_t *data, size_t size);

#include "FuzzSupport.h"

#include "ColourTable.h"
#include "ToolDocument.h"
#include "fcpalette.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
bool EveryPicture = false;
} // namespace

uint8_t FuzzInput::Byte() {
    return Position < Size ? Data[Position++] : uint8_t{0};
}

int16_t FuzzInput::Int16() {
    const uint8_t low = Byte();
    const uint8_t high = Byte();
    return static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
}

QByteArray FuzzInput::Bytes(size_t count) {
    const size_t taken = std::min(count, Size - std::min(Position, Size));
    QByteArray bytes(reinterpret_cast<const char *>(Data + Position),
                     static_cast<qsizetype>(taken));
    Position += taken;
    return bytes;
}

QString FuzzInput::Text(size_t maxLength) {
    return QString::fromUtf8(Bytes(std::min<size_t>(Byte(), maxLength)));
}

QByteArray FuzzInput::Rest() {
    return Bytes(Size);
}

void Require(bool condition, const char *property) {
    if (condition)
        return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

bool DrawEveryPicture() {
    return EveryPicture;
}
void SetDrawEveryPicture(bool everything) {
    EveryPicture = everything;
}

QString ScratchPath(const QString &name) {
    // In memory where the system offers it: saving syncs the file to disk, and on a busy disk
    // one sync can take longer than the fuzzer allows a whole input.
    static const QTemporaryDir directory(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                             ? QStringLiteral("/dev/shm/quartex-fuzz-XXXXXX")
                                             : QDir::tempPath() +
                                                   QStringLiteral("/quartex-fuzz-XXXXXX"));
    Require(directory.isValid(), "a temporary folder can be made");
    return directory.filePath(name);
}

QString WriteScratchFile(const QString &name, const QByteArray &bytes) {
    const QString path = ScratchPath(name);
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size(),
            "a scratch file can be written");
    return path;
}

QByteArray ReadWholeFile(const QString &path) {
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "a scratch file can be read");
    return file.readAll();
}

const FcPaletteData &DemoColours() {
    static const std::unique_ptr<FcPaletteData> colours = [] {
        CollectingPrompt prompt;
        auto loaded = FcPaletteData::Load(
            WriteScratchFile(QStringLiteral("fcpalette.pal"), MakeColourTable()), prompt);
        Require(loaded != nullptr, "the demo colour table loads");
        return loaded;
    }();
    return *colours;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Held for the whole run: the harness is called again and again in one process.
    static QGuiApplication application(argc, argv);
}

uint32_t InputDigest(const uint8_t *data, size_t size) {
    uint32_t digest = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        digest = (digest ^ data[i]) * 16777619u;
    return digest;
}

const QByteArray &SmallPatchImage() {
    static const QByteArray image = [] {
        constexpr int size = 4096;
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + (i >> 8));
        return bytes;
    }();
    return image;
}

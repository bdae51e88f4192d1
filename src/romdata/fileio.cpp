#include "fileio.h"

#include "UserPrompt.h"
#include "edit_flag.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t HeaderSize = 16;

bool HasInesSignature(const QByteArray &bytes) {
    return bytes.size() >= 4 && bytes[0] == 'N' && bytes[1] == 'E' && bytes[2] == 'S' &&
           bytes[3] == 0x1A;
}

} // namespace

RomImageData::RomImageData(EditFlagManagement &flags, const QStringList &chipAttributeNames,
                           TMyMemIniFile &settings, UserPrompt &prompt)
    : Flags(flags), AttributeNames(chipAttributeNames), Prompt(prompt),
      Buffer(std::make_unique<ImageBuffer>()), Address(std::make_unique<AddressData>(settings)) {
    for (int stage = 0; stage < StageCount; ++stage)
        Stages[stage] = std::make_unique<StageData>(stage, *Buffer, *Address, UndoRecording);
    // Ascending, so that a stage takes whatever tables its source holds at that moment:
    // the same rule that gave the shared offsets, so storage and offsets always agree.
    for (int stage = 0; stage < StageCount; ++stage) {
        const int source = Address->ShareSource(stage);
        if (source != stage)
            Stages[stage]->ShareChipTablesWith(*Stages[source]);
    }
}

RomImageData::~RomImageData() = default;

bool RomImageData::Open(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompt.ShowError(file.errorString());
        return false;
    }
    const qint64 length = file.size();
    if (length < HeaderSize || length > ImageBufferSize) {
        Prompt.ShowMessage(tr("ファイルを開けませんでした"));
        return false;
    }
    // Read aside: the loaded image stays intact until the new one has passed every check.
    const QByteArray bytes = file.read(length);
    if (bytes.size() != length) {
        Prompt.ShowError(file.errorString());
        return false;
    }
    if (!HasInesSignature(bytes)) {
        Prompt.ShowMessage(tr("ROMイメージが異常です"));
        return false;
    }

    // Zero the rest too: tables lying past the end of a shorter image must read as zero,
    // not as leftovers of the image opened before.
    std::memcpy(Buffer->data(), bytes.constData(), static_cast<size_t>(length));
    std::fill(Buffer->begin() + length, Buffer->end(), uint8_t{0});
    ImageSize = static_cast<int32_t>(length);
    Path = path;
    for (const auto &stage : Stages)
        stage->LoadAll();
    return true;
}

void RomImageData::StoreFlaggedTables() {
    for (int stage = 0; stage < StageCount; ++stage) {
        StageData &data = *Stages[stage];
        if (Flags.EditFlag(EditArea::Chip16x16, stage)) {
            data.StoreChip16x16();
            data.StoreBGBank();
            data.StoreChipProperty();
        }
        if (Flags.EditFlag(EditArea::Chip32x32, stage))
            data.StoreChip32x32();
        if (Flags.EditFlag(EditArea::MapSet, stage))
            data.StoreMapSet();
        if (Flags.EditFlag(EditArea::Map, stage))
            data.StoreMap();
        if (Flags.EditFlag(EditArea::Palette, stage)) {
            data.StoreBGPalette();
            data.StoreBGPaletteAnime();
        }
        if (Flags.EditFlag(EditArea::Object, stage))
            data.StoreObjects();
    }
}

QByteArray RomImageData::EditedImage() {
    // The stages encode into the live buffer they borrow; keep its bytes aside and put them
    // back, so reloading a page still reads the image as opened or last saved.
    const ImageBuffer live = *Buffer;
    StoreFlaggedTables();
    QByteArray edited(reinterpret_cast<const char *>(Buffer->data()), ImageSize);
    *Buffer = live;
    return edited;
}

bool RomImageData::Save(const QString &path) {
    StoreFlaggedTables();

    // Exactly the loaded length: tables configured past the end of the image are edited in
    // the buffer but never make the file grow.
    QSaveFile file(path);
    const auto *data = reinterpret_cast<const char *>(Buffer->data());
    if (!file.open(QIODevice::WriteOnly) || file.write(data, ImageSize) != ImageSize ||
        !file.commit()) {
        Prompt.ShowError(file.errorString());
        return false;
    }
    Flags.ClearAll();
    ClearAllHistories();
    Path = path;
    return true;
}

void RomImageData::Close() {
    Buffer->fill(0);
    Current = 0;
    ClearAllHistories();
}

int RomImageData::ChrPageCount() const {
    return (*Buffer)[5] * 8;
}

void RomImageData::SetCurrentStage(int stage) {
    if (stage >= 0 && stage < StageCount)
        Current = stage;
}

bool RomImageData::CanUndo() const {
    return Stages[Current]->CanUndo();
}
bool RomImageData::CanRedo() const {
    return Stages[Current]->CanRedo();
}
QString RomImageData::UndoName() const {
    return Stages[Current]->UndoName();
}
QString RomImageData::RedoName() const {
    return Stages[Current]->RedoName();
}
uint8_t RomImageData::Undo() {
    return Stages[Current]->Undo();
}
uint8_t RomImageData::Redo() {
    return Stages[Current]->Redo();
}

void RomImageData::ClearAllHistories() {
    for (const auto &stage : Stages)
        stage->ClearHistory();
}

QString RomImageData::ChipAttributeName(uint8_t property) const {
    static constexpr std::array<const char *, 16> BuiltInNames = {
        QT_TRANSLATE_NOOP("RomImageData", "0x 背景"),
        QT_TRANSLATE_NOOP("RomImageData", "1x ブロック"),
        QT_TRANSLATE_NOOP("RomImageData", "2x はしご(途中)"),
        QT_TRANSLATE_NOOP("RomImageData", "3x 特殊ブロック"),
        QT_TRANSLATE_NOOP("RomImageData", "4x はしご(頂点)"),
        QT_TRANSLATE_NOOP("RomImageData", "5x コンベア(右)"),
        QT_TRANSLATE_NOOP("RomImageData", "6x 前景"),
        QT_TRANSLATE_NOOP("RomImageData", "7x コンベア(左)"),
        QT_TRANSLATE_NOOP("RomImageData", "8x 水中"),
        QT_TRANSLATE_NOOP("RomImageData", "9x ?"),
        QT_TRANSLATE_NOOP("RomImageData", "Ax ?"),
        QT_TRANSLATE_NOOP("RomImageData", "Bx ?"),
        QT_TRANSLATE_NOOP("RomImageData", "Cx ?"),
        QT_TRANSLATE_NOOP("RomImageData", "Dx ダメージ床"),
        QT_TRANSLATE_NOOP("RomImageData", "Ex ?"),
        QT_TRANSLATE_NOOP("RomImageData", "Fxトゲ"),
    };
    // Lines 0..15 name the attributes with variant bits 0, lines 16..31 variant 1, and so on.
    const int attribute = property >> 4;
    const int index = ((property & 0x0C) << 2) | attribute;
    if (AttributeNames.size() > index)
        return AttributeNames[index];
    return tr(BuiltInNames[attribute]);
}

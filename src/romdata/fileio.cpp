#include "fileio.h"

#include "HexText.h"
#include "UserPrompt.h"
#include "edit_flag.h"
#include "filewriting.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t HeaderSize = 16;
constexpr int32_t PrgUnit = 0x4000;
constexpr int32_t TrainerSize = 512;
constexpr uint8_t TrainerFlag = 0x04;

bool HasInesSignature(const QByteArray &bytes) {
    return bytes.size() >= 4 && bytes[0] == 'N' && bytes[1] == 'E' && bytes[2] == 'S' &&
           bytes[3] == 0x1A;
}

// The edit area whose flag makes a save encode each table, in `StageTable` order: the
// tables `StoreFlaggedTables` writes for that area.
constexpr std::array<EditArea, StageTableCount> AreaOfTable = {
    EditArea::Chip16x16, EditArea::Chip16x16, EditArea::Chip16x16, EditArea::Chip32x32,
    EditArea::MapSet,    EditArea::Map,       EditArea::Palette,   EditArea::Palette,
    EditArea::Object,    EditArea::Object,    EditArea::Object,    EditArea::Object,
};

} // namespace

QString StageTableListText(const std::vector<StageTableRef> &tables) {
    QStringList lines;
    int lineStage = -1;
    for (const StageTableRef &ref : tables) {
        const QString key = QString::fromLatin1(TableInfo(ref.Table).Key);
        if (ref.Stage == lineStage) {
            lines.back() += QStringLiteral(", ") + key;
            continue;
        }
        lineStage = ref.Stage;
        lines << QCoreApplication::translate("RomImageData", "ステージ %1: ")
                         .arg(HexText(ref.Stage)) +
                     key;
    }
    return lines.join(u'\n');
}

RomImageData::RomImageData(EditFlagManagement &flags, const QStringList &chipAttributeNames,
                           TMyMemIniFile &settings, UserPrompt &prompt)
    : Flags(flags), AttributeNames(chipAttributeNames), Prompt(prompt),
      Buffer(std::make_unique<ImageBuffer>()), Address(std::make_unique<AddressData>(settings)),
      Chr(std::make_unique<ChrTiles>(UndoRecording)) {
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
    // One byte past the largest image is enough to refuse a file as too long without
    // reading a huge one whole.
    QString error;
    const std::optional<QByteArray> read =
        FileWriting::ReadFileStart(path, qint64{ImageBufferSize} + 1, error);
    if (!read) {
        Prompt.ShowError(error);
        return false;
    }
    // Read aside: the loaded image stays intact until the new one has passed every check.
    const QByteArray &bytes = *read;
    const qint64 length = bytes.size();
    if (length < HeaderSize || length > ImageBufferSize) {
        Prompt.ShowMessage(tr("ファイルを開けませんでした"));
        return false;
    }
    return Commit(bytes, path);
}

bool RomImageData::OpenUnsaved(const QByteArray &bytes, const QString &name) {
    if (!Commit(bytes, QString()))
        return false;
    UnsavedName = name;
    return true;
}

bool RomImageData::Commit(const QByteArray &bytes, const QString &path) {
    const qsizetype length = bytes.size();
    if (length < HeaderSize || length > ImageBufferSize) {
        Prompt.ShowMessage(tr("ファイルを開けませんでした"));
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
    OnDisk.Take(path, bytes);
    for (const auto &stage : Stages)
        stage->LoadAll();
    ReloadTiles();
    const std::vector<StageTableRef> outside = TablesOutsideImage(false);
    if (!outside.empty())
        Prompt.ShowMessage(tr("次の表はROMイメージの範囲外にあるため、0として読み込みました。"
                              "編集しても保存できません。") +
                           u'\n' + StageTableListText(outside));
    return true;
}

std::vector<StageTableRef> RomImageData::TablesOutsideImage(bool flaggedOnly) const {
    std::vector<StageTableRef> tables;
    for (int stage = 0; stage < StageCount; ++stage) {
        for (int t = 0; t < StageTableCount; ++t) {
            const auto table = static_cast<StageTable>(t);
            if (flaggedOnly && !Flags.EditFlag(AreaOfTable[t], stage))
                continue;
            const int64_t end = int64_t{Address->TableOffset(table, stage)} + TableInfo(table).Span;
            if (end > ImageSize)
                tables.push_back({stage, table});
        }
    }
    return tables;
}

std::vector<StageTableRef> RomImageData::UnsavableTables() const {
    return TablesOutsideImage(true);
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
    if (Flags.ChrFlag())
        Chr->StoreChanged(*Buffer);
}

bool RomImageData::RefuseUnsavable(const QString &lead) {
    const std::vector<StageTableRef> unsavable = UnsavableTables();
    if (unsavable.empty())
        return false;
    Prompt.ShowMessage(lead + u'\n' + StageTableListText(unsavable));
    return true;
}

std::optional<QByteArray> RomImageData::EditedImage() {
    if (RefuseUnsavable(
            tr("次の表はROMイメージの範囲外にあるため、編集後のイメージを作れませんでした。")))
        return std::nullopt;
    // The stages encode into the live buffer they borrow; keep its bytes aside and put them
    // back, so reloading a page still reads the image as opened or last saved and a later
    // save writes exactly what it would have without this copy. The copy is
    // as large as the buffer, far too large for the stack.
    const auto live = std::make_unique<ImageBuffer>(*Buffer);
    // The object store stages the table it writes, and what it leaves behind the end marker
    // is what a later save writes there: put that back as well.
    std::vector<std::array<ObjectTableEntry, ObjectTableSize>> staged;
    for (const auto &stage : Stages)
        staged.push_back(stage->ObjectTable());
    StoreFlaggedTables();
    QByteArray edited(reinterpret_cast<const char *>(Buffer->data()), ImageSize);
    *Buffer = *live;
    for (int stage = 0; stage < StageCount; ++stage)
        Stages[stage]->RestoreObjectTable(staged[stage]);
    return edited;
}

bool RomImageData::Save(const QString &path) {
    // The file keeps the loaded length, so an edit of a table past its end has nowhere to
    // go: refuse before encoding anything, and the edit stays, flagged and undoable.
    if (RefuseUnsavable(tr("次の表はROMイメージの範囲外にあるため、保存できませんでした。")))
        return false;
    StoreFlaggedTables();

    const QByteArray bytes(reinterpret_cast<const char *>(Buffer->data()), ImageSize);
    if (!FileWriting::WriteWholeFile(path, bytes, Prompt))
        return false;
    Flags.ClearAll();
    ClearAllHistories();
    Chr->ForgetChanges();
    Path = path;
    OnDisk.Take(path, bytes);
    return true;
}

void RomImageData::Close() {
    Buffer->fill(0);
    Current = 0;
    ClearAllHistories();
    Chr->Clear();
    OnDisk.Forget();
}

bool RomImageData::ChangedOnDisk(DiskLook look) {
    if (!OnDisk.IsTaken() || (look == DiskLook::Quick && !OnDisk.IdentityDiffers()))
        return false;
    // One byte past the largest image tells a file grown beyond any image without reading
    // all of it.
    QString error;
    const std::optional<QByteArray> bytes =
        FileWriting::ReadFileStart(OnDisk.Path(), qint64{ImageBufferSize} + 1, error);
    if (!bytes)
        return false;
    if (OnDisk.ContentsDiffer(*bytes))
        return true;
    OnDisk.TakeIdentity();
    return false;
}

void RomImageData::IgnoreDiskChange() {
    OnDisk.TakeIdentity();
}

std::vector<StageTableRef> RomImageData::FlaggedTables() const {
    std::vector<StageTableRef> tables;
    for (int stage = 0; stage < StageCount; ++stage)
        for (int t = 0; t < StageTableCount; ++t)
            if (Flags.EditFlag(AreaOfTable[t], stage))
                tables.push_back({stage, static_cast<StageTable>(t)});
    return tables;
}

bool RomImageData::SaveKeepingOtherChanges() {
    if (RefuseUnsavable(tr("次の表はROMイメージの範囲外にあるため、保存できませんでした。")))
        return false;
    // One byte more than the image tells a grown file without reading all of it.
    QString error;
    const std::optional<QByteArray> onDisk =
        FileWriting::ReadFileStart(Path, qint64{ImageSize} + 1, error);
    if (!onDisk) {
        Prompt.ShowError(error);
        return false;
    }
    if (onDisk->size() != ImageSize) {
        Prompt.ShowMessage(
            Path + tr("は大きさが変わっているため、両方の変更を残して保存できませんでした。"));
        return false;
    }

    // The buffer holds the image as opened or last saved: where the file differs from it
    // inside a table about to be written, the other program changed that table too.
    const auto asOpened = std::make_unique<ImageBuffer>(*Buffer);
    StoreFlaggedTables();
    QByteArray merged = *onDisk;
    std::vector<StageTableRef> overwritten;
    for (const StageTableRef &ref : FlaggedTables()) {
        bool changedThere = false;
        for (const StoredRun &run : Stages[ref.Stage]->StoredRuns(ref.Table)) {
            const char *encoded = reinterpret_cast<const char *>(Buffer->data()) + run.Offset;
            const char *opened = reinterpret_cast<const char *>(asOpened->data()) + run.Offset;
            changedThere =
                changedThere || std::memcmp(onDisk->constData() + run.Offset, opened,
                                            static_cast<size_t>(run.Length)) != 0;
            std::memcpy(merged.data() + run.Offset, encoded, static_cast<size_t>(run.Length));
        }
        if (changedThere)
            overwritten.push_back(ref);
    }
    // The changed tiles are written the same way, tile by tile.
    int overwrittenTiles = 0;
    for (int tile = 0; Flags.ChrFlag() && tile < Chr->TileCount(); ++tile) {
        if (!Chr->IsTileChanged(tile))
            continue;
        const int32_t offset = Chr->TileOffset(tile);
        if (std::memcmp(onDisk->constData() + offset, asOpened->data() + offset,
                        TileByteCount) != 0)
            ++overwrittenTiles;
        std::memcpy(merged.data() + offset, Buffer->data() + offset, TileByteCount);
    }
    if (!FileWriting::WriteWholeFile(Path, merged, Prompt)) {
        *Buffer = *asOpened;
        return false;
    }

    std::memcpy(Buffer->data(), merged.constData(), static_cast<size_t>(ImageSize));
    for (const auto &stage : Stages)
        stage->LoadAll();
    ReloadTiles();
    Flags.ClearAll();
    OnDisk.Take(Path, merged);
    if (!overwritten.empty() || overwrittenTiles > 0) {
        QStringList areas;
        if (!overwritten.empty())
            areas << StageTableListText(overwritten);
        if (overwrittenTiles > 0)
            areas << tr("CHRデータのタイル %1個").arg(overwrittenTiles);
        Prompt.ShowMessage(tr("次の表は他のプログラムでも変更されていたため、このエディタの"
                              "内容で上書きしました。") +
                           u'\n' + areas.join(u'\n'));
    }
    return true;
}

void RomImageData::ReloadTiles() {
    Chr->Load(*Buffer, ImageSize, ChrBase(), ChrPageCount() * BankByteUnit);
}

int RomImageData::ChrPageCount() const {
    return (*Buffer)[5] * 8;
}

int32_t RomImageData::ChrBase() const {
    const int32_t trainer = ((*Buffer)[6] & TrainerFlag) ? TrainerSize : 0;
    return HeaderSize + trainer + PrgUnit * (*Buffer)[4];
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
    Chr->ClearHistory();
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

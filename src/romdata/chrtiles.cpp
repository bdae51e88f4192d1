#include "chrtiles.h"

#include <algorithm>
#include <cstring>

ChrTiles::ChrTiles(const bool &undoRecording) : UndoRecording(undoRecording) {}

void ChrTiles::Load(const ImageBuffer &image, int32_t imageSize, int32_t base, int32_t length) {
    Clear();
    ++Loads;
    ChrBase = base;
    const int64_t end = std::min<int64_t>(
        {int64_t{base} + std::max(length, 0), int64_t{imageSize}, int64_t{ImageBufferSize}});
    if (base < 0 || end <= base)
        return;
    const int64_t whole = (end - base) / TileByteCount * TileByteCount;
    Bytes.assign(image.begin() + base, image.begin() + base + whole);
    Changed.assign(static_cast<size_t>(TileCount()), false);
}

void ChrTiles::Clear() {
    Bytes.clear();
    Changed.clear();
    LastChanged.clear();
    ClearHistory();
}

int ChrTiles::TileAtOffset(int64_t offset) const {
    const int64_t relative = offset - ChrBase;
    if (relative < 0 || relative % TileByteCount != 0 || relative / TileByteCount >= TileCount())
        return -1;
    return static_cast<int>(relative / TileByteCount);
}

int ChrTiles::WindowTile(uint8_t bank, int index) const {
    if (index < 0 || index >= WindowTileCount)
        return -1;
    return TileAtOffset(int64_t{ChrBase} + int64_t{BankByteUnit} * bank +
                        int64_t{TileByteCount} * index);
}

TileData ChrTiles::TileBytes(int tile) const {
    TileData bytes{};
    std::memcpy(bytes.data(), Tile(tile), TileByteCount);
    return bytes;
}

void ChrTiles::Write(int tile, const TileData &bytes) {
    std::memcpy(Bytes.data() + TileByteCount * tile, bytes.data(), TileByteCount);
    Changed[static_cast<size_t>(tile)] = true;
    LastChanged.push_back(tile);
}

bool ChrTiles::SetTile(int tile, const TileData &bytes, bool continueStroke) {
    const bool joins = continueStroke && UndoRecording && RedoStack.empty() && !UndoStack.empty() &&
                       UndoStack.back().Category == CategoryTileEdit &&
                       UndoStack.back().Before.size() == 1 &&
                       UndoStack.back().Before.front().Tile == tile;
    if (joins) {
        if (std::memcmp(Tile(tile), bytes.data(), TileByteCount) == 0)
            return false;
        LastChanged.clear();
        Write(tile, bytes);
        return true;
    }
    if (SetTiles({{tile, bytes}}) == 0)
        return false;
    if (UndoRecording)
        UndoStack.back().Category = CategoryTileEdit;
    return true;
}

int ChrTiles::SetTiles(const std::vector<TileChange> &changes) {
    Step step{CategoryTileImport, {}};
    LastChanged.clear();
    for (const TileChange &change : changes) {
        if (change.Tile < 0 || change.Tile >= TileCount() ||
            std::memcmp(Tile(change.Tile), change.Bytes.data(), TileByteCount) == 0)
            continue;
        step.Before.push_back({change.Tile, TileBytes(change.Tile)});
        Write(change.Tile, change.Bytes);
    }
    if (step.Before.empty())
        return 0;
    // Also unrecorded: a redo would otherwise put back tiles over this change.
    RedoStack.clear();
    if (UndoRecording)
        UndoStack.push_back(std::move(step));
    return static_cast<int>(LastChanged.size());
}

void ChrTiles::StoreChanged(ImageBuffer &image) const {
    for (int tile = 0; tile < TileCount(); ++tile)
        if (Changed[static_cast<size_t>(tile)])
            std::memcpy(image.data() + TileOffset(tile), Tile(tile), TileByteCount);
}

void ChrTiles::ForgetChanges() {
    std::fill(Changed.begin(), Changed.end(), false);
}

QString ChrTiles::StepName(const std::vector<Step> &stack) {
    if (stack.empty())
        return QString();
    return stack.back().Category == CategoryTileImport ? tr("タイルの読み込み")
                                                       : tr("タイルの編集");
}

QString ChrTiles::UndoName() const {
    return StepName(UndoStack);
}

QString ChrTiles::RedoName() const {
    return StepName(RedoStack);
}

uint8_t ChrTiles::Undo() {
    return ApplyStep(UndoStack, RedoStack);
}

uint8_t ChrTiles::Redo() {
    return ApplyStep(RedoStack, UndoStack);
}

void ChrTiles::ClearHistory() {
    UndoStack.clear();
    RedoStack.clear();
}

// Puts the step's tiles back and pushes what they held on the other stack. A changed tile
// stays marked: the next save writes it back, undone or not.
uint8_t ChrTiles::ApplyStep(std::vector<Step> &source, std::vector<Step> &target) {
    if (source.empty())
        return CategoryNothingApplied;
    const Step step = std::move(source.back());
    source.pop_back();
    Step inverse{step.Category, {}};
    LastChanged.clear();
    for (const TileChange &change : step.Before) {
        if (change.Tile >= TileCount())
            continue;
        inverse.Before.push_back({change.Tile, TileBytes(change.Tile)});
        Write(change.Tile, change.Bytes);
    }
    target.push_back(std::move(inverse));
    return step.Category;
}

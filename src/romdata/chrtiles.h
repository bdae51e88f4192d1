#pragma once

#include "EditHistory.h"
#include "editdata.h"

#include <QCoreApplication>
#include <array>
#include <cstdint>
#include <vector>

inline constexpr int TileByteCount = 16;
/// A tile window: the 128 tiles one bank byte selects, 2 KB.
inline constexpr int WindowTileCount = 128;
inline constexpr int32_t BankByteUnit = 0x400;
using TileData = std::array<uint8_t, TileByteCount>;

/// One tile's new contents, by its number inside the CHR data.
struct TileChange {
    int Tile = 0;
    TileData Bytes{};
};

/// The image's CHR data as an edit area of its own: a copy of the character tiles decoded
/// from the image, which tiles have changed since the image was opened or saved, and the
/// undo history of tile edits. Every stage draws from it, so it belongs to the image, not
/// to a stage.
///
/// Tiles are numbered from the start of the CHR data, 16 bytes each; only whole tiles that
/// lie inside both the CHR data and the loaded image exist. Borrows the program-wide
/// undo-recording switch.
class ChrTiles : public EditHistory {
    Q_DECLARE_TR_FUNCTIONS(ChrTiles)

public:
    /// Category of a step that changed one drawn tile.
    static constexpr uint8_t CategoryTileEdit = 0x10;
    /// Category of a step that changed several tiles at once (a picture import).
    static constexpr uint8_t CategoryTileImport = 0x11;

    explicit ChrTiles(const bool &undoRecording);

    /// Copies the `length` bytes of CHR data at `base` from the first `imageSize` bytes of
    /// `image`, cut to whole tiles inside the image. Forgets every change and the history.
    void Load(const ImageBuffer &image, int32_t imageSize, int32_t base, int32_t length);
    /// No tiles, no changes, no history.
    void Clear();

    int32_t Base() const { return ChrBase; }
    int TileCount() const { return static_cast<int>(Bytes.size() / TileByteCount); }
    /// The tile whose data starts at file offset `offset`; -1 when no tile starts there.
    int TileAtOffset(int64_t offset) const;
    /// The tile number of entry `index` (0..127) of the window bank byte `bank` selects;
    /// -1 when that tile does not exist.
    int WindowTile(uint8_t bank, int index) const;
    int32_t TileOffset(int tile) const { return ChrBase + TileByteCount * tile; }
    /// The 16 bytes of an existing tile.
    const uint8_t *Tile(int tile) const { return Bytes.data() + TileByteCount * tile; }
    TileData TileBytes(int tile) const;

    /// Puts new contents into one tile as one step of its own. False, changing nothing,
    /// when the tile does not exist or already holds them. With `continueStroke` a change of
    /// the tile the last step changed joins that step, so one drag of the pen is undone as
    /// a whole.
    bool SetTile(int tile, const TileData &bytes, bool continueStroke = false);
    /// Puts new contents into several tiles as one step; tiles that do not exist or hold
    /// their contents already are left out. Returns how many tiles changed. Any change
    /// empties the redo stack, recorded or not.
    int SetTiles(const std::vector<TileChange> &changes);

    bool IsTileChanged(int tile) const { return Changed[static_cast<size_t>(tile)]; }
    /// Writes the changed tiles, and nothing else, into `image`.
    void StoreChanged(ImageBuffer &image) const;
    /// After a save: the image now holds every tile as it is here.
    void ForgetChanges();

    /// Counts the loads: a new count means tiles from another image or read again.
    int LoadCount() const { return Loads; }
    /// The tiles the last edit, undo or redo changed.
    const std::vector<int> &LastChangedTiles() const { return LastChanged; }

    bool CanUndo() const override { return !UndoStack.empty(); }
    bool CanRedo() const override { return !RedoStack.empty(); }
    QString UndoName() const override;
    QString RedoName() const override;
    uint8_t Undo() override;
    uint8_t Redo() override;
    void ClearHistory();

private:
    struct Step {
        uint8_t Category = CategoryTileEdit;
        std::vector<TileChange> Before; ///< the tiles' contents the step replaced
    };

    static QString StepName(const std::vector<Step> &stack);
    uint8_t ApplyStep(std::vector<Step> &source, std::vector<Step> &target);
    void Write(int tile, const TileData &bytes);

    const bool &UndoRecording;
    int32_t ChrBase = 0;
    int Loads = 0;
    std::vector<uint8_t> Bytes;
    std::vector<bool> Changed;
    std::vector<int> LastChanged;
    std::vector<Step> UndoStack;
    std::vector<Step> RedoStack;
};

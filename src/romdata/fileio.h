#pragma once

#include "EditHistory.h"
#include "address.h"
#include "chrtiles.h"
#include "disksnapshot.h"
#include "editdata.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class EditFlagManagement;
class TMyMemIniFile;
class UserPrompt;

/// One table of one stage.
struct StageTableRef {
    int Stage = 0;
    StageTable Table = StageTable::BGBank;
    bool operator==(const StageTableRef &) const = default;
};

/// The tables as one line per stage, "ステージ 0E: Chip16x16, ChipProperty", for messages.
QString StageTableListText(const std::vector<StageTableRef> &tables);

/// The document: the whole cartridge image in one fixed buffer, the 18 stage models
/// decoded from it, the current stage and the path of the file.
///
/// Owns the buffer, the address table and the stage models. Borrows the modified flags,
/// the chip attribute name list, the settings file (read at construction only) and the
/// prompt through which it reports failures.
class RomImageData : public EditHistory {
    Q_DECLARE_TR_FUNCTIONS(RomImageData)

public:
    RomImageData(EditFlagManagement &flags, const QStringList &chipAttributeNames,
                 TMyMemIniFile &settings, UserPrompt &prompt);
    ~RomImageData();

    /// Loads and decodes an image. The file is read aside and committed only when its size
    /// and header are valid; a failed open leaves the loaded image, its stages, histories
    /// and path as they were. An image that opens but ends before some tables says once
    /// which: they read as zeros and can never be saved.
    bool Open(const QString &path);
    /// Loads and decodes `bytes` as an image that has no file yet (a patched image): checked
    /// and committed as `Open` does, with an empty `FilePath` and `name` as `DisplayName`.
    bool OpenUnsaved(const QByteArray &bytes, const QString &name);
    /// Encodes the flagged edit areas (the changed tiles among them) and writes exactly `Size`
    /// bytes. On success clears the flags and all histories and takes `path` as the file path; on
    /// failure reports it and keeps flags and histories. Refuses, naming them and writing nothing,
    /// while `UnsavableTables` is not empty: the file never grows, so those edits would be lost.
    bool Save(const QString &path);
    void Close();

    /// How closely `ChangedOnDisk` looks at the file.
    enum class DiskLook {
        Quick,   ///< reads the contents only when the size or a time stamp changed
        Thorough ///< always compares the contents
    };
    /// True when the open file's contents on disk are no longer those read at open or written
    /// by the last save: another program changed them. A file that is gone or cannot be read
    /// counts as unchanged, as a save then simply writes it (or says why it cannot).
    bool ChangedOnDisk(DiskLook look);
    /// Looks no more at the present change of the file until it changes again; a save still
    /// finds it.
    void IgnoreDiskChange();
    /// Saves over the open file as another program left it: writes into it only the bytes of
    /// the flagged tables, so every other byte stays as it is now on disk, then reads the
    /// whole image again from what was written (the stages show the other program's changes
    /// too, flags and histories are cleared as after any save). Says which tables the other
    /// program had changed as well, the only bytes of its that are overwritten. Refuses, with
    /// a message and nothing written, a file whose size changed.
    bool SaveKeepingOtherChanges();
    /// The image exactly as `Save` would write it now: the flagged tables encoded into a copy.
    /// The live buffer, the flags and the histories stay as they are (test play, patches).
    /// Refused like a save, with a message naming them, while `UnsavableTables` is not empty.
    std::optional<QByteArray> EditedImage();
    /// The tables of flagged edit areas that reach past the end of the image: the edits no
    /// file of this size can hold.
    std::vector<StageTableRef> UnsavableTables() const;

    const QString &FilePath() const { return Path; }
    /// The file path, or for an image without a file the name it was opened under.
    const QString &DisplayName() const { return Path.isEmpty() ? UnsavedName : Path; }
    int32_t Size() const { return ImageSize; }
    /// Number of 1 KB character-ROM pages: header byte 5 times 8.
    int ChrPageCount() const;
    /// File offset of the character ROM: 16 + 0x4000 x header byte 4, plus 512 when the
    /// header's trainer flag (byte 6 bit 2) is set, as a 512-byte trainer then sits between
    /// the header and the PRG data.
    int32_t ChrBase() const;

    void SetCurrentStage(int stage);
    int CurrentStage() const { return Current; }
    StageData &Stage(int n) { return *Stages[n]; }
    const StageData &Stage(int n) const { return *Stages[n]; }
    StageData &CurrentStageData() { return *Stages[Current]; }
    ImageBuffer &Image() { return *Buffer; }
    const ImageBuffer &Image() const { return *Buffer; }
    const AddressData &Addresses() const { return *Address; }

    /// The program-wide undo-recording switch (settings "Undo" / "Enabled").
    void SetUndoRecording(bool enabled) { UndoRecording = enabled; }
    bool IsUndoRecording() const { return UndoRecording; }

    bool CanUndo() const override;
    bool CanRedo() const override;
    QString UndoName() const override;
    QString RedoName() const override;
    uint8_t Undo() override;
    uint8_t Redo() override;
    /// Every stage's history and the tiles' history.
    void ClearAllHistories();

    /// The image's CHR tiles as last loaded from the image or edited since.
    ChrTiles &Tiles() { return *Chr; }
    const ChrTiles &Tiles() const { return *Chr; }
    /// Copies the tiles from the image in memory again, forgetting their edits and history.
    void ReloadTiles();

    /// The name of a chip property byte: line 16·v + a of the attribute list when it has
    /// one, else the built-in name of attribute a.
    QString ChipAttributeName(uint8_t property) const;

private:
    /// Tables reaching past the image's end; with `flaggedOnly`, of flagged edit areas only.
    std::vector<StageTableRef> TablesOutsideImage(bool flaggedOnly) const;
    /// Shows `lead` and the unsavable tables, when there are any; true then.
    bool RefuseUnsavable(const QString &lead);
    void StoreFlaggedTables();
    /// The flagged tables, stage by stage in table order.
    std::vector<StageTableRef> FlaggedTables() const;
    /// Checks the size and header of `bytes` (read from `path`) and makes them the image.
    bool Commit(const QByteArray &bytes, const QString &path);

    EditFlagManagement &Flags;
    const QStringList &AttributeNames;
    UserPrompt &Prompt;
    int32_t ImageSize = 0;
    std::unique_ptr<ImageBuffer> Buffer;
    int Current = 0;
    bool UndoRecording = true;
    std::unique_ptr<AddressData> Address;
    std::array<std::unique_ptr<StageData>, StageCount> Stages;
    std::unique_ptr<ChrTiles> Chr;
    QString Path;
    DiskSnapshot OnDisk;
    QString UnsavedName;
};

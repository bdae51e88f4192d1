#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <functional>

/// The six edit areas; each has one modified flag per stage and names the tables that
/// saving encodes back into the image.
enum class EditArea {
    Chip16x16 = 0, ///< Chip16x16, BGBank, ChipProperty
    Chip32x32 = 1, ///< Chip32x32
    MapSet = 2,    ///< MapSet
    Map = 3,       ///< Map
    Object = 4,    ///< the four object planes
    Palette = 5,   ///< BGPalette, BGPaletteAnime
};
inline constexpr int EditAreaCount = 6;

/// What has changed since the image was opened or last saved: one flag per stage and
/// edit area, and the overall modified flag shown as "変更あり" in the status bar.
/// The status text goes to a sink the main window provides (status panel 0).
class EditFlagManagement {
    Q_DECLARE_TR_FUNCTIONS(EditFlagManagement)

public:
    using StatusSink = std::function<void(const QString &)>;

    explicit EditFlagManagement(StatusSink statusSink = {});

    /// True puts "変更あり" into the status text.
    void SetModified(bool value);
    bool IsModified() const { return Modified; }

    /// Stores the flag of one stage and edit area; true also sets the overall flag.
    void SetEditFlag(EditArea area, int stage, bool value);
    bool EditFlag(EditArea area, int stage) const;

    /// The flag of the image's CHR tiles, which belong to no stage; true also sets the
    /// overall flag.
    void SetChrFlag(bool value);
    bool ChrFlag() const { return Chr; }

    /// Clears the overall flag, all 108 stage flags, the CHR flag and the status text.
    void ClearAll();

private:
    StatusSink Status;
    bool Modified = false;
    bool Chr = false;
    std::array<std::array<bool, 18>, EditAreaCount> Flags{};
};

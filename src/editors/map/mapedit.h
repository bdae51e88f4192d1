#pragma once

#include "common/PageController.h"

#include <QObject>
#include <array>
#include <cstdint>

class EditFlagManagement;
class EditorGraphics;
class QLabel;
class QPushButton;
class QScrollBar;
class RomImageData;
class StageData;
class TImageEx;
class UserPrompt;

/// The controls of the map page, created by the main window and handed over.
struct MapEditControls {
    std::array<TImageEx *, 2> ImgEditMapPage{};
    std::array<QScrollBar *, 2> ScrbarEditMapPage{};
    QScrollBar *ScrBarMap = nullptr;
    std::array<QLabel *, 2> LblMapVal{};
    QLabel *LblMapPage = nullptr;
    QPushButton *BtnMapEditReload = nullptr;
    QLabel *StatusPanel = nullptr; ///< the main window's hover panel; this page shows no hover
};

/// The map page: two neighbouring rooms of the current stage side by side, each drawn with
/// the map set its map entry names, and the choice of that map set.
///
/// Borrows the document, the modified flags, the renderer (whose 32x32 chip sheet must be
/// current when the page draws), the prompt and the page's controls.
///
/// A map entry above 31 can only come from the image. It is shown by its stored value in
/// the label, while the picture and the scroll bar use map set `entry & 31`, so nothing is
/// ever read outside the stage's 32 map sets.
class MapEditClass : public QObject, public PageController {
    Q_OBJECT
public:
    static constexpr int PageCount = 2;
    static constexpr int MapSetCount = 32;
    static constexpr int LastFirstRoom = 46; ///< the left room; the right one is the next

    MapEditClass(RomImageData &document, EditFlagManagement &flags, EditorGraphics &graphics,
                 UserPrompt &prompt);

    /// Takes the page's controls and gives the two room images their pictures.
    void SetControls(const MapEditControls &controls);

    void Refresh() override;
    void PageActivated() override;
    void RedrawForPalette() override;

    /// Shows rooms `position` and `position` + 1 (position clamped to 0..46).
    void ScrollRooms(int position);
    /// Makes the room shown on `page` (0 left, 1 right) show map set `value` (clamped to
    /// 0..31); one undo step when the entry changes.
    void SetRoomMapSet(int page, int value);
    /// Asks, then reads the stage's map again from the image and empties its history.
    void Reload();

private:
    StageData &Stage();
    /// The map set the room on `page` is drawn with.
    int ShownMapSet(int page);
    void DrawRoom(int page);
    void ShowMapSetControls(int page);

    RomImageData &Document;
    EditFlagManagement &Flags;
    EditorGraphics &Graphics;
    UserPrompt &Prompt;
    MapEditControls Controls;
    std::array<int, PageCount> ShownRoom{0, 1}; ///< left and right room; right = left + 1
};

#pragma once

#include "namelists.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QScrollBar;
class QWidget;

/// The editor pages the main window fills in, one widget per tab.
struct EditPages {
    QWidget *TabMapEdit = nullptr;
    QWidget *TabMapSetEdit = nullptr;
    QWidget *Tab32x32ChipEdit = nullptr;
    QWidget *Tab16x16ChipEdit = nullptr;
    QWidget *TabObjectEdit = nullptr;
};

/// The controls on the editor pages that the main window itself reads and writes: the
/// display options of the settings file, the name lists' targets and the scroll bars whose
/// ranges it sets. They belong to their pages; these are borrowed pointers.
struct ShellPageControls {
    QCheckBox *ChkSortObjectList = nullptr;
    QCheckBox *ChkPopupHint = nullptr;
    QCheckBox *Chk32x32ChipEditDrawGrid = nullptr;
    QCheckBox *ChkMapSetEditDrawGrid = nullptr;
    QGroupBox *RGChipPropertySelect = nullptr;
    /// The sixteen attribute items of `RGChipPropertySelect`, id = attribute.
    QButtonGroup *ChipPropertyItems = nullptr;
    QComboBox *CBSelectObject = nullptr;
    QScrollBar *ScrBarBGBank0 = nullptr;
    QScrollBar *ScrBarBGBank1 = nullptr;
    QScrollBar *ScrBarMap = nullptr;
    QScrollBar *ScrBarObjectMap = nullptr;
    QScrollBar *ScrbarEditMapPage0 = nullptr;
    QScrollBar *ScrbarEditMapPage1 = nullptr;
    QScrollBar *ScrBarMapSet = nullptr;
    QScrollBar *ScrBarSelectPage0 = nullptr;
    QScrollBar *ScrBarSelectPage1 = nullptr;
};

/// Creates those controls on their pages with their design captions, entries and states.
ShellPageControls BuildShellPageControls(const EditPages &pages);

/// Puts `texts` on the attribute items, item i showing text i.
void SetChipAttributeChoiceTexts(QButtonGroup &items, const ChipAttributeChoice &texts);

#pragma once

#include "chip16x16/16x16chipedit.h"
#include "chip32x32/32x32chipedit.h"
#include "common/LazyDialog.h"
#include "map/mapedit.h"
#include "mapset/mapsetedit.h"
#include "objects/objectedit.h"
#include "palette/paletteedit.h"
#include "tiles/tileedit.h"

class QLabel;
class QTabWidget;
class AnimationTimer;
class TMapSetEditGridForm;
class TObjectEditForm;
class TShowUnusedChipNumForm;

/// The editor pages in tab order.
enum EditPageIndex {
    MapPage,
    MapSetPage,
    Chip32x32Page,
    Chip16x16Page,
    PalettePage,
    ObjectPage,
    TilePage,
    EditPageCount,
};

/// The three dialogs the pages open; made by the main window the first time a page opens
/// one, and reused.
struct EditDialogs {
    LazyDialog<TShowUnusedChipNumForm> ReportWindow;
    LazyDialog<TMapSetEditGridForm> GridForm;
    LazyDialog<TObjectEditForm> ObjectForm;
};

/// The controls of all seven pages. The tab pages own them; these are borrowed pointers that
/// the main window hands over to the controllers and reads for the settings file.
struct EditPageControls {
    MapEditControls Map;
    MapSetEditControls MapSet;
    Chip32x32EditControls Chip32x32;
    Chip16x16EditControls Chip16x16;
    PaletteEditControls Palette;
    ObjectEditControls Object;
    TileEditControls Tile;
};

/// Adds the seven pages to `pageControl` in tab order, with their object names and captions,
/// and builds every page's controls on them. `statusPanel` is where hover texts go.
EditPageControls BuildEditPages(QTabWidget &pageControl, QLabel *statusPanel,
                                AnimationTimer *frameTimer, const EditDialogs &dialogs);

/// Puts the first lines of the chip attribute name list on the attribute items, line i on
/// item i; items the list has no line for keep their design texts.
void CopyChipAttributeNames(const Chip16x16EditControls &controls, const QStringList &names);

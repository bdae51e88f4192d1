#pragma once

#include "common/LazyDialog.h"
#include "mapsetedit.h"

class QLabel;
class QWidget;
class TMapSetEditGridForm;
class TShowUnusedChipNumForm;

/// Creates the map set page's controls on `page` (object names, sizes, ranges and captions as
/// the user sees them) and returns them for the hand-over, together with the main window's
/// hover panel and the two dialogs the page uses.
MapSetEditControls BuildMapSetPage(QWidget *page, QLabel *statusPanel,
                                   LazyDialog<TMapSetEditGridForm> gridForm,
                                   LazyDialog<TShowUnusedChipNumForm> reportWindow);

/// Connects the page's control events to the controller's handlers.
void ForwardMapSetPageEvents(const MapSetEditControls &controls, MapSetEditClass &controller);

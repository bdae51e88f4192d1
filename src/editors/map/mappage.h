#pragma once

#include "mapedit.h"

class QLabel;
class QWidget;

/// Creates the map page's controls on `page` (object names, sizes, ranges and captions as
/// the user sees them) and returns them for the hand-over; `statusPanel` is the main
/// window's hover panel.
MapEditControls BuildMapPage(QWidget *page, QLabel *statusPanel);

/// Connects the page's control events to the controller's handlers.
void ForwardMapPageEvents(const MapEditControls &controls, MapEditClass &controller);

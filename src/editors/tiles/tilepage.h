#pragma once

#include "tileedit.h"

class QWidget;

/// Creates the tile page's controls on `page` and returns them for the hand-over.
TileEditControls BuildTilePage(QWidget *page);

/// Connects the page's control events to the controller's handlers, Ctrl+C and Ctrl+V on the
/// page among them.
void ForwardTilePageEvents(const TileEditControls &controls, TileEditClass &controller);

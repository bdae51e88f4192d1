#pragma once

#include "paletteedit.h"

class AnimationTimer;
class QWidget;

/// Creates the palette page's controls on `page` (object names, sizes and captions as the
/// user sees them) and returns them for the hand-over; `frameTimer` is the main window's.
PaletteEditControls BuildPalettePage(QWidget *page, AnimationTimer *frameTimer);

/// Connects the page's control events to the controller's handlers.
void ForwardPalettePageEvents(const PaletteEditControls &controls, PaletteEditClass &controller);

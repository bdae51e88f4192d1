#pragma once

#include "16x16chipedit.h"
#include "common/LazyDialog.h"

class QLabel;
class QWidget;
class TShowUnusedChipNumForm;

/// Creates the 16x16 chip page's controls on `page` (object names, sizes, captions, ranges
/// and tags as the user sees them) and returns them for the hand-over, together with the
/// main window's status panel and report window, which the page borrows.
Chip16x16EditControls BuildChip16x16Page(QWidget *page, QLabel *statusPanel,
                                         LazyDialog<TShowUnusedChipNumForm> reportWindow);

/// Connects the page's control events to the controller's handlers.
void ForwardChip16x16PageEvents(const Chip16x16EditControls &controls,
                                Chip16x16EditClass &controller);

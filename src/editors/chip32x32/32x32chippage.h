#pragma once

#include "32x32chipedit.h"
#include "common/LazyDialog.h"

class QLabel;
class QWidget;
class TShowUnusedChipNumForm;

/// Creates the 32x32 chip page's controls on `page` (object names, sizes and captions as the
/// user sees them) and returns them for the hand-over, together with the main window's
/// status panel and report window.
Chip32x32EditControls BuildChip32x32Page(QWidget *page, QLabel *statusPanel,
                                         LazyDialog<TShowUnusedChipNumForm> reportWindow);

/// Connects the page's control events to the controller's handlers.
void ForwardChip32x32PageEvents(const Chip32x32EditControls &controls,
                                Chip32x32EditClass &controller);

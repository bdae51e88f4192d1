#pragma once

#include "common/LazyDialog.h"
#include "objectedit.h"

class QLabel;
class QWidget;
class TObjectEditForm;

/// Creates the object page's controls on `page` (object names, sizes, ranges and captions
/// as the user sees them), including the page's popup menu, and returns them for the
/// hand-over together with the main window's hover panel and the object list dialog.
ObjectEditControls BuildObjectPage(QWidget *page, QLabel *statusPanel,
                                   LazyDialog<TObjectEditForm> objectForm);

/// Connects the page's control events to the controller's handlers.
void ForwardObjectPageEvents(const ObjectEditControls &controls, ObjectEditClass &controller);

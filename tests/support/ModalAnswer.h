#pragma once

#include <QWidget>
#include <functional>

/// Answers the modal dialog that the call made next opens, from inside that dialog's own
/// event loop: only there does closing it end exec(). A check that fails inside `answer`
/// leaves the dialog open, so whatever is still up is rejected afterwards; a dialog that
/// never comes fails the test at the end of the wait instead of hanging it.
void WhenModalShows(std::function<void(QWidget *)> answer);

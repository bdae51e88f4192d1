#pragma once

#include <QList>
#include <QStringView>

/// The lines of a text file. A line ends at CR LF, at LF or at a lone CR, whichever editor
/// wrote the file; a line end at the very end of the text starts no further line, so an
/// empty text has no lines and "a\n" has one. The views point into `text`.
QList<QStringView> SplitLines(QStringView text);

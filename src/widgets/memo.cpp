#include "memo.h"

#include <QMimeData>

namespace {
bool OffersData(const QMimeData *source) {
    return source != nullptr && !source->formats().isEmpty();
}
} // namespace

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent) {}

bool TMemo::canInsertFromMimeData(const QMimeData *source) const {
    return OffersData(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void TMemo::insertFromMimeData(const QMimeData *source) {
    if (OffersData(source))
        QPlainTextEdit::insertFromMimeData(source);
}

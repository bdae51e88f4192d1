#include "EditorControls.h"

#include "HexText.h"
#include "ImageEx.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

void AssignPicture(TImageEx *image, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    image->SetPicture(picture);
}

void SetTextQuietly(QLineEdit *edit, const QString &text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void SetPositionQuietly(QScrollBar *bar, int position) {
    const QSignalBlocker blocker(bar);
    bar->setValue(position);
}

std::optional<uint8_t> ParseHexByte(const QString &text) {
    if (text.size() != 2)
        return std::nullopt;
    const std::optional<uint32_t> value = ParseHexDigits(text);
    if (!value)
        return std::nullopt;
    return static_cast<uint8_t>(*value);
}

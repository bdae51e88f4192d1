#include "PictureFile.h"

#include <QBuffer>

QByteArray PngBytes(const QImage &picture) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return QByteArray();
    return png;
}

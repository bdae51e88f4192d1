#pragma once

#include <QByteArray>
#include <QImage>

/// The PNG file bytes of `picture`; empty when it cannot be encoded.
QByteArray PngBytes(const QImage &picture);

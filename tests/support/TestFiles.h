#pragma once

#include <QByteArray>
#include <QString>

/// Writes `bytes` as the whole of the file at `path`; false when it cannot be written.
bool WriteFile(const QString &path, const QByteArray &bytes);
/// The whole file at `path`, or nothing when it cannot be read.
QByteArray ReadFile(const QString &path);
/// `value` as two upper-case hexadecimal digits, as the editor shows a byte.
QString Hex2(int value);

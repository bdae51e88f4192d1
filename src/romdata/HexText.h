#pragma once

#include <QString>

/// Upper-case hexadecimal text of `value` with at least `digits` digits: how the editor
/// shows every number (two digits for a byte).
inline QString HexText(qint64 value, int digits = 2) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

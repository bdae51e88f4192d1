#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

/// Upper-case hexadecimal text of `value` with at least `digits` digits: how the editor
/// shows every number (two digits for a byte).
inline QString HexText(qint64 value, int digits = 2) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

/// The 32-bit value spelt by `text` when it is one or more ASCII hexadecimal digits of either
/// case (leading zeros allowed) and nothing else; nothing for an empty text, a sign, a prefix,
/// any other character or a value past 32 bits. Every typed or stored hexadecimal number is
/// read through this; callers add their own rules (length, range, prefixes) around it.
inline std::optional<uint32_t> ParseHexDigits(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        uint64_t digit = 0;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

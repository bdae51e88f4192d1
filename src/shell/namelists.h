#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// Reads one of the optional name list files next to the program: Shift-JIS text, one
/// entry per line, lines split as `SplitLines` does (CR LF, LF or a lone CR); nothing is
/// trimmed, so "a\nb\n" and "a\nb" both give two entries. Nothing when the file cannot
/// be read.
std::optional<QStringList> ReadNameList(const QString &path);

inline constexpr int ObjectKindCount = 256;

/// The text shown for object kind `kind`: line `kind` of the object names when the list has
/// it, else the kind as two upper-case hexadecimal digits. Every kind gets a text.
QString ObjectKindText(const QStringList &objectNames, int kind);

/// The 256 entries of the object kind selector, entry k naming kind k. Lines past the
/// 256th name no kind and are left out.
QStringList ObjectKindTexts(const QStringList &objectNames);

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// Reads one of the optional name list files next to the program: Shift-JIS text, one
/// entry per line. Lines end at LF, and a CR ending a line is dropped; nothing else is
/// trimmed. A line ending at the very end of the file closes the last line rather than
/// starting an empty one, so "a\nb\n" and "a\nb" both give two entries. Nothing when the
/// file cannot be read.
std::optional<QStringList> ReadNameList(const QString &path);

/// Where the name list `fileName` ("ObjectList.txt") in `directory` is read from for the
/// interface language `language`: the language's own sample list beside it
/// ("ObjectList.en.txt") when there is one, else the usual file, which is the user's own data
/// and read whatever the language.
QString NameListPath(const QString &directory, const QString &fileName, const QString &language);

inline constexpr int ObjectKindCount = 256;

/// The text shown for object kind `kind`: line `kind` of the object names when the list has
/// it, else the kind as two upper-case hexadecimal digits. Every kind gets a text.
QString ObjectKindText(const QStringList &objectNames, int kind);

/// The 256 entries of the object kind selector, entry k naming kind k. Lines past the
/// 256th name no kind and are left out.
QStringList ObjectKindTexts(const QStringList &objectNames);

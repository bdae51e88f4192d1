#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class UserPrompt;

/// Every file the programs write (the cartridge on save, the settings at exit, the tool's
/// outputs) is written here, and read here where a failure must name the file, so each
/// lands the same way. All of it goes through `FileSystemCalls`.
///
/// A symbolic link is followed to the end of its chain: the file at the end gets the bytes
/// and the links stay links. An existing file is replaced by a complete new file renamed
/// over it only where the new file keeps everything the old one had: its owner, group and
/// permissions, its single name (no other hard link) and no ACLs or extended attributes.
/// Otherwise it is written in place, safely: a copy of its old bytes is made first (beside
/// it, else in the user's cache folder), the new bytes are written over the old without
/// emptying the file first, the length is set last, and on any failure the old bytes are
/// written back. Where no copy can be made the file is not touched at all. Success is
/// reported only when every byte has reached the disk.
namespace FileWriting {

/// Makes `bytes` the whole content of the file at `path`. False with a message for the user
/// in `errorText` (naming the file, the system's reason and what became of the file) when
/// that fails.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &errorText);
/// The same, telling the user why it failed with the toolkit's standard error box.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt);

/// The first `limit` bytes of the file at `path` (all of it when shorter), or nothing with
/// a message naming the file and the reason in `errorText`.
std::optional<QByteArray> ReadFileStart(const QString &path, qint64 limit, QString &errorText);
/// The whole file at `path`, or nothing after telling the user why not with the toolkit's
/// standard error box.
std::optional<QByteArray> ReadWholeFile(const QString &path, UserPrompt &prompt);

} // namespace FileWriting

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class UserPrompt;

/// Every file the programs write (the cartridge on save, the settings at exit, the tool's
/// outputs) is written here, so each lands the same way.
///
/// Where the folder takes a new file, the bytes go to a file beside the target that is then
/// renamed over it: an interrupted write never leaves half a file, and the file is replaced
/// (a hard link to the old file keeps the old bytes). Where the folder refuses new files (a
/// writable file in a read-only folder), the file itself is truncated and written, as a
/// plain overwrite would. Success is reported only when every byte reached the file.
namespace FileWriting {

/// Makes `bytes` the whole content of the file at `path`. False with the system's reason in
/// `errorText` when that fails.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &errorText);
/// The same, telling the user why it failed with the toolkit's standard error box.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, UserPrompt &prompt);

/// The whole file at `path`, or nothing after telling the user why not with the toolkit's
/// standard error box.
std::optional<QByteArray> ReadWholeFile(const QString &path, UserPrompt &prompt);

/// While one exists, every folder counts as refusing new files: lets a test take the
/// in-place path even where folder permissions do not bind (as the superuser).
class FoldersRefuseNewFiles {
public:
    FoldersRefuseNewFiles();
    ~FoldersRefuseNewFiles();
    FoldersRefuseNewFiles(const FoldersRefuseNewFiles &) = delete;
    FoldersRefuseNewFiles &operator=(const FoldersRefuseNewFiles &) = delete;
};

} // namespace FileWriting

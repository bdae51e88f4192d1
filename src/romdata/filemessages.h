#pragma once

#include <QCoreApplication>
#include <QString>

/// The words the user reads when a file cannot be saved or opened: which file, what was
/// being done, the system's reason in the interface language, and what became of the file.
class FileMessages {
    Q_DECLARE_TR_FUNCTIONS(FileMessages)

public:
    /// The system's reason for the error number `error`, never an empty or unknown text.
    static QString Reason(int error);
    /// A file that is a folder, a device or a pipe, where only a plain file will do.
    static QString NotAPlainFile();

    static QString SaveFailed(const QString &path, const QString &reason,
                              const QString &aftermath = {});
    static QString OpenFailed(const QString &path, const QString &reason);
    static QString ReadFailed(const QString &path, const QString &reason);

    /// The save stopped before the file was touched.
    static QString FileUnchanged();
    /// The save stopped because no copy of the old bytes could be kept first.
    static QString NoCopyOfOldBytes();
    /// The save failed part way and the old bytes were written back.
    static QString OldBytesRestored();
    /// The save failed part way and the old bytes could not be written back: they wait in
    /// the copy at `copyPath`.
    static QString OldBytesKeptIn(const QString &copyPath);
};

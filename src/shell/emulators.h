#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// An emulator installed on this machine: its program as the emulator command names it (the
/// bare name when the search path finds it, the full path otherwise).
struct FoundEmulator {
    QString Name;
    QString Program;

    bool operator==(const FoundEmulator &) const = default;
};

/// Finds the known NES emulators. Distributions put games, emulators among them, in folders
/// that are not on every user's search path (root's, a service's, some desktop sessions'),
/// so those folders are searched too.
namespace EmulatorSearch {

/// The program names looked for, in the order they are offered.
QStringList KnownNames();
/// The folders distributions install games into.
QStringList GameFolders();
/// Each known emulator found in `pathFolders` (named by its bare name) or else in
/// `gameFolders` (named by its full path), in the order of `KnownNames`.
QList<FoundEmulator> Find(const QStringList &pathFolders, const QStringList &gameFolders);
/// `Find` over this process's PATH and the distributions' game folders.
QList<FoundEmulator> FindInstalled();
/// The folders of this process's PATH.
QStringList PathFolders();

/// Why a program cannot be started, found before trying.
enum class Problem { None, NotFound, NotExecutable };
/// Looks `program` up as starting it would: a name with a slash as a file, a bare name on
/// `pathFolders`.
Problem Check(const QString &program, const QStringList &pathFolders);

} // namespace EmulatorSearch

#include "emulators.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// An executable file, or a link to one; a folder of that name does not count.
bool IsProgram(const QFileInfo &file) {
    return file.isFile() && file.isExecutable();
}

// The first executable `name` in `folders`, as a full path; empty when there is none.
QString ProgramIn(const QStringList &folders, const QString &name) {
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (IsProgram(file))
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

QStringList EmulatorSearch::KnownNames() {
    return {QStringLiteral("fceux"), QStringLiteral("nestopia"), QStringLiteral("mednafen")};
}

QStringList EmulatorSearch::GameFolders() {
    return {QStringLiteral("/usr/games"), QStringLiteral("/usr/local/games")};
}

QStringList EmulatorSearch::PathFolders() {
    return QString::fromLocal8Bit(qgetenv("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

QList<FoundEmulator> EmulatorSearch::Find(const QStringList &pathFolders,
                                          const QStringList &gameFolders) {
    QList<FoundEmulator> found;
    for (const QString &name : KnownNames()) {
        if (!ProgramIn(pathFolders, name).isEmpty())
            found.append({name, name});
        else if (const QString path = ProgramIn(gameFolders, name); !path.isEmpty())
            found.append({name, path});
    }
    return found;
}

QList<FoundEmulator> EmulatorSearch::FindInstalled() {
    return Find(PathFolders(), GameFolders());
}

EmulatorSearch::Problem EmulatorSearch::Check(const QString &program,
                                              const QStringList &pathFolders) {
    if (program.contains(u'/')) {
        const QFileInfo file(program);
        if (!file.exists())
            return Problem::NotFound;
        return IsProgram(file) ? Problem::None : Problem::NotExecutable;
    }
    if (!ProgramIn(pathFolders, program).isEmpty())
        return Problem::None;
    const bool present =
        std::any_of(pathFolders.begin(), pathFolders.end(), [&](const QString &folder) {
            return QFileInfo::exists(QDir(folder).filePath(program));
        });
    return present ? Problem::NotExecutable : Problem::NotFound;
}

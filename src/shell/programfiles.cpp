#include "programfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString ColourTableName = QStringLiteral("fcpalette.pal");

// The first of `directories` holding `fileName`; the first directory when none does.
QString FirstHolding(const QStringList &directories, const QString &fileName) {
    for (const QString &directory : directories) {
        const QString path = QDir(directory).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QDir(directories.constFirst()).filePath(fileName);
}

} // namespace

ProgramFiles ProgramFiles::ForProgram(const QString &programDirectory,
                                      const QString &configDirectory) {
    const QString data = QDir(programDirectory).filePath(QStringLiteral("../share/quartex3editor"));
    if (QFileInfo(data).isDir())
        return ProgramFiles(configDirectory, QDir::cleanPath(data));
    return ProgramFiles(programDirectory, QString());
}

ProgramFiles ProgramFiles::ForProgram(const QString &programDirectory) {
    return ForProgram(programDirectory,
                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString ProgramFiles::SettingsFile() const {
    return QDir(OwnDirectory).filePath(QStringLiteral("quartex3editor.ini"));
}

void ProgramFiles::MakeSettingsFolder() const {
    QDir().mkpath(OwnDirectory);
}

QString ProgramFiles::NameList(const QString &fileName) const {
    if (!IsInstalled())
        return QDir(OwnDirectory).filePath(fileName);
    return FirstHolding({OwnDirectory, DataDirectory}, fileName);
}

QString ProgramFiles::ColourTable() const {
    // The current directory comes first in both layouts: a table a user keeps beside the
    // cartridge always wins.
    if (!IsInstalled() || QFileInfo(ColourTableName).isFile())
        return ColourTableName;
    const QString path = FirstHolding({OwnDirectory, DataDirectory}, ColourTableName);
    return QFileInfo(path).isFile() ? path : ColourTableName;
}

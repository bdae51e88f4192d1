#include "programfiles.h"

#include "language.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace {

const QString ColourTableName = QStringLiteral("fcpalette.pal");

// The first of `names` found, looking through `directories` in turn; nothing when none holds any.
std::optional<QString> FirstHolding(const QStringList &directories, const QStringList &names) {
    for (const QString &directory : directories) {
        for (const QString &name : names) {
            const QString path = QDir(directory).filePath(name);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return std::nullopt;
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

QString ProgramFiles::NameList(const QString &fileName, const QString &language) const {
    QStringList names{fileName};
    if (language != InterfaceLanguage::Japanese) {
        const QFileInfo usual(fileName);
        names.prepend(usual.completeBaseName() + u'.' + language + u'.' + usual.suffix());
    }
    QStringList places{OwnDirectory};
    if (IsInstalled())
        places << DataDirectory;
    return FirstHolding(places, names).value_or(QDir(OwnDirectory).filePath(fileName));
}

QString ProgramFiles::ColourTable() const {
    // The current directory comes first in both layouts: a table a user keeps beside the
    // cartridge always wins.
    if (!IsInstalled() || QFileInfo(ColourTableName).isFile())
        return ColourTableName;
    return FirstHolding({OwnDirectory, DataDirectory}, {ColourTableName}).value_or(ColourTableName);
}

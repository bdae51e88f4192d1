#pragma once

#include <QString>
#include <utility>

/// Where the editor's own files are: the settings file, the name lists and the colour
/// table. Two layouts, told apart by where the data files are, never by which folders
/// happen to be writable (an administrator can write anywhere):
///
/// - portable (the build tree or an unpacked folder): settings and name lists beside the
///   program, the colour table from the current directory;
/// - installed (`<prefix>/bin` with the data in `<prefix>/share/quartex3editor`): settings in
///   the user's configuration folder, name lists from there first and then from the data
///   folder, the colour table from the current directory, then the configuration folder,
///   then the copy in the data folder.
///
/// A plain value: it looks at the disk when asked and writes nothing but the settings folder.
class ProgramFiles {
public:
    /// The layout of a program run from `programDirectory`: installed when the data folder
    /// `../share/quartex3editor` exists, portable otherwise. `configDirectory` is the user's
    /// configuration folder the installed layout keeps its settings in.
    static ProgramFiles ForProgram(const QString &programDirectory, const QString &configDirectory);
    /// ForProgram with the user's configuration folder of this application.
    static ProgramFiles ForProgram(const QString &programDirectory);

    bool IsInstalled() const { return !DataDirectory.isEmpty(); }

    /// The settings file, read at start-up and written at exit.
    QString SettingsFile() const;
    /// Makes the folder of the settings file, so the first exit of an installed editor can
    /// write there. When it cannot be made, the write at exit reports why.
    void MakeSettingsFolder() const;
    /// The name list `fileName` (such as "ObjectList.txt") for the interface `language`: the
    /// first place holding it, or where the user would put it when none does. In each place a
    /// language other than Japanese first looks for its own sample list ("ObjectList.en.txt");
    /// the usual file is the user's own data and read whatever the language.
    QString NameList(const QString &fileName, const QString &language) const;
    /// The colour table to load. When no place holds one this is the bare file name, so the
    /// message about the missing table names it as it always has.
    QString ColourTable() const;

private:
    ProgramFiles(QString ownDirectory, QString dataDirectory)
        : OwnDirectory(std::move(ownDirectory)), DataDirectory(std::move(dataDirectory)) {}

    /// Beside the program (portable) or the configuration folder (installed).
    QString OwnDirectory;
    /// The installed data folder; empty in the portable layout.
    QString DataDirectory;
};

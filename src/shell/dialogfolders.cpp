#include "dialogfolders.h"

#include "MyIniFiles.h"

#include <QFileInfo>

namespace {

const QString FoldersSection = QStringLiteral("Folders");
const QString OpenKey = QStringLiteral("Open");
const QString SaveKey = QStringLiteral("Save");

QString ExistingFolder(const QString &folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString FolderOf(const QString &path) {
    return QFileInfo(path).absolutePath();
}

} // namespace

void DialogFolders::Read(const TMyMemIniFile &file) {
    Open = file.ReadString(FoldersSection, OpenKey, QString());
    Save = file.ReadString(FoldersSection, SaveKey, QString());
}

void DialogFolders::Write(TMyMemIniFile &file) const {
    file.WriteString(FoldersSection, OpenKey, Open);
    file.WriteString(FoldersSection, SaveKey, Save);
}

QString DialogFolders::OpenFolder() const {
    return ExistingFolder(Open);
}

QString DialogFolders::SaveFolder() const {
    return ExistingFolder(Save);
}

void DialogFolders::ChosenToOpen(const QString &path) {
    Open = FolderOf(path);
}

void DialogFolders::ChosenToSave(const QString &path) {
    Save = FolderOf(path);
}

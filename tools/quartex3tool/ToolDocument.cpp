#include "ToolDocument.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A path inside a directory that is removed again at once: no file can be there, so the
// settings start empty and every offset takes its built-in default.
QString AbsentFilePath() {
    const QTemporaryDir directory;
    return directory.filePath(QStringLiteral("quartex3editor.ini"));
}

} // namespace

// The settings are never written back: the tool leaves the editor's file as it found it.
ToolDocument::ToolDocument(const QString &settingsPath)
    : Settings(settingsPath.isEmpty() ? AbsentFilePath() : settingsPath),
      Document(Flags, AttributeNames, Settings, Prompt) {}

std::unique_ptr<ToolDocument> ToolDocument::Open(const QString &romPath,
                                                 const QString &settingsPath, QString &error) {
    // The editor takes a missing settings file for "all defaults"; a file named on the
    // command line that is not there is a typing mistake worth reporting instead.
    if (!settingsPath.isEmpty()) {
        const QFileInfo settingsFile(settingsPath);
        if (!settingsFile.isFile() || !settingsFile.isReadable()) {
            error = QStringLiteral("cannot read the settings file %1").arg(settingsPath);
            return nullptr;
        }
    }
    std::unique_ptr<ToolDocument> document(new ToolDocument(settingsPath));
    if (!document->Document.Open(romPath)) {
        error = QStringLiteral("cannot load %1: %2").arg(romPath, document->Prompt.Report());
        return nullptr;
    }
    return document;
}

std::optional<QByteArray> ToolDocument::WithTiles(const std::vector<TileChange> &changes,
                                                  QString &error) {
    Document.Tiles().SetTiles(changes);
    Flags.SetChrFlag(true);
    std::optional<QByteArray> edited = Document.EditedImage();
    if (!edited)
        error = Prompt.Report();
    return edited;
}

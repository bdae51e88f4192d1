#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class TMyMemIniFile;
class UserPrompt;

/// The images opened or saved under a new name lately, newest first, as the submenu
/// "最近使ったファイル" of the file menu and the settings section "RecentFiles" (`File1`..).
///
/// Owns the list and the submenu. Borrows the prompt, which reports a listed file that is
/// gone. Choosing a file that exists is handed to the window as `FileChosen`, which opens it
/// the way the open dialog's choice is opened.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int Capacity = 8;

    /// Puts the submenu into `fileMenu` before `before`, followed by a separator.
    RecentFiles(UserPrompt &prompt, QMenu &fileMenu, QAction *before, QObject *parent);

    /// Takes the listed files in order; empty and repeated entries are skipped.
    void ReadSettings(const TMyMemIniFile &file);
    /// Writes all `Capacity` keys, the unused ones empty, so no stale entry survives.
    void WriteSettings(TMyMemIniFile &file) const;

    /// Puts `path` first (moving it up when it is listed) and drops the oldest beyond
    /// `Capacity`.
    void Add(const QString &path);
    const QStringList &Files() const { return Paths; }

signals:
    void FileChosen(const QString &path);

private:
    void Choose(const QString &path);
    void Rebuild();

    UserPrompt &Prompt;
    QMenu *Menu = nullptr;
    QStringList Paths;
};

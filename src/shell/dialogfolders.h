#pragma once

#include <QString>

class TMyMemIniFile;

/// The folders the open and the save dialog of cartridge images start in: where the user
/// last chose a file in each (settings section "Folders"). A plain value; owns and borrows
/// nothing.
class DialogFolders {
public:
    void Read(const TMyMemIniFile &file);
    void Write(TMyMemIniFile &file) const;

    /// Where the dialog should start; empty when nothing is remembered or the folder is gone.
    QString OpenFolder() const;
    QString SaveFolder() const;
    /// Remembers the folder of a file chosen in the open or the save dialog.
    void ChosenToOpen(const QString &path);
    void ChosenToSave(const QString &path);

private:
    QString Open;
    QString Save;
};

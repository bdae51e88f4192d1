#pragma once

#include <QStringList>
#include <memory>

class TMainForm;
class UserPrompt;

/// Creates the main window, shows it and opens the cartridge image named first in
/// `arguments` (the command line after the program name) as if it had been chosen in the
/// open dialog. Nothing when the start-up failed: no window is shown and the program ends.
std::unique_ptr<TMainForm> StartEditor(UserPrompt &prompt, const QString &programDirectory,
                                       const QStringList &arguments);

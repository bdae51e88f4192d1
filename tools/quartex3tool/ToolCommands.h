#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

/// Exit statuses of the tool.
enum class ExitStatus : int {
    Success = 0,
    BadInput = 1, ///< unreadable or unwritable file, bad header, number out of range
    Usage = 2,    ///< unknown command or option, missing or malformed argument
};

/// The command-line front end of quartex3tool: parses one invocation, runs its command and
/// reports on the given streams (results on `out`, one error line on `err`).
///
/// Numbers on the command line are hexadecimal, as everywhere in the editor. Borrows the
/// streams. `render` needs a QGuiApplication to exist (the object markers draw text).
class ToolCommands {
public:
    ToolCommands(QTextStream &out, QTextStream &err);

    /// `arguments` as the program receives them, its own name first.
    ExitStatus Run(const QStringList &arguments);

    /// The synopsis of every command, one per line.
    static QString UsageText();

private:
    QTextStream &Out;
    QTextStream &Err;
};

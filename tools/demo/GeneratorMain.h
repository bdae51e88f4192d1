#pragma once

#include <QByteArray>
#include <QStringList>

/// Exit statuses of the demo generators.
enum GeneratorExit : int {
    GeneratorSucceeded = 0,
    GeneratorWriteFailed = 1,
    GeneratorUsageError = 2
};

/// Runs a generator whose only argument is the output file: `arguments` holds the program
/// name and then the arguments. Writes `bytes` to the file, or explains on standard error
/// why it could not (usage, or the file cannot be written), and returns the exit status.
int RunGenerator(const QStringList &arguments, const QByteArray &bytes);

/// The arguments of main() as text.
QStringList ArgumentList(int argc, char **argv);

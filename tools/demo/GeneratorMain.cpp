#include "GeneratorMain.h"

#include "filewriting.h"

#include <QFileInfo>
#include <cstdio>

int RunGenerator(const QStringList &arguments, const QByteArray &bytes) {
    const QString program =
        arguments.isEmpty() ? QStringLiteral("generator") : QFileInfo(arguments.first()).fileName();
    // An option such as --help is never taken for a file name to write.
    if (arguments.size() != 2 || arguments[1].isEmpty() || arguments[1].startsWith(u'-')) {
        std::fprintf(stderr, "usage: %s OUTPUT-FILE\n", qPrintable(program));
        return GeneratorUsageError;
    }
    QString error;
    if (!FileWriting::WriteWholeFile(arguments[1], bytes, error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(program),
                     qPrintable(error.replace(u'\n', u' ')));
        return GeneratorWriteFailed;
    }
    return GeneratorSucceeded;
}

QStringList ArgumentList(int argc, char **argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

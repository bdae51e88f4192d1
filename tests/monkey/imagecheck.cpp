// Compares an image the editor saved with the image it opened. Only the tables the editor
// encodes may differ; every other byte, and the length, must be as opened. The table offsets
// come from the editor's own settings file, read the way the editor reads them.
#include "MyIniFiles.h"
#include "address.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <vector>

namespace {

std::optional<QByteArray> ReadAll(const QString &path, QTextStream &err) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": " << file.errorString() << '\n';
        return std::nullopt;
    }
    return file.readAll();
}

// One flag a byte: true where some stage's table lies.
std::vector<bool> EncodedBytes(const AddressData &addresses, qsizetype size) {
    std::vector<bool> encoded(static_cast<size_t>(size), false);
    for (int t = 0; t < StageTableCount; ++t) {
        const auto table = static_cast<StageTable>(t);
        for (int stage = 0; stage < StageCount; ++stage) {
            const qsizetype begin = addresses.TableOffset(table, stage);
            const qsizetype end = std::min<qsizetype>(begin + TableInfo(table).Span, size);
            for (qsizetype i = begin; i < end; ++i)
                encoded[static_cast<size_t>(i)] = true;
        }
    }
    return encoded;
}

} // namespace

int main(int argc, char *argv[]) {
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        err << "usage: monkey_imagecheck OPENED SAVED SETTINGS.ini\n";
        return 2;
    }
    const std::optional<QByteArray> opened = ReadAll(arguments[1], err);
    const std::optional<QByteArray> saved = ReadAll(arguments[2], err);
    if (!opened || !saved)
        return 2;
    if (opened->size() != saved->size()) {
        err << arguments[2] << ": " << saved->size() << " bytes saved, " << opened->size()
            << " opened\n";
        return 1;
    }
    TMyMemIniFile settings(arguments[3]);
    const std::vector<bool> encoded = EncodedBytes(AddressData(settings), opened->size());
    int inside = 0;
    int outside = 0;
    for (qsizetype i = 0; i < opened->size(); ++i) {
        if (opened->at(i) == saved->at(i))
            continue;
        if (encoded[static_cast<size_t>(i)]) {
            ++inside;
            continue;
        }
        if (++outside <= 20)
            err << QStringLiteral("outside the tables at 0x%1: 0x%2 opened, 0x%3 saved\n")
                       .arg(i, 6, 16, QLatin1Char('0'))
                       .arg(static_cast<uint8_t>(opened->at(i)), 2, 16, QLatin1Char('0'))
                       .arg(static_cast<uint8_t>(saved->at(i)), 2, 16, QLatin1Char('0'));
    }
    out << inside << " bytes changed inside the tables, " << outside << " outside\n";
    return outside == 0 ? 0 : 1;
}

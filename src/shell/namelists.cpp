#include "namelists.h"

#include "HexText.h"
#include "TextLines.h"

#include <QFile>
#include <QStringDecoder>

std::optional<QStringList> ReadNameList(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder decode("Shift_JIS");
    if (!decode.isValid())
        return std::nullopt;
    QByteArray bytes = file.readAll();
    // The decoder holds back a character cut short at the end, waiting for bytes that never
    // come, and the last line would vanish with it. Closed by a line feed it shows as the
    // decoder's substitute, like any other broken character.
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    const QString text = decode(bytes);

    QStringList lines;
    for (QStringView line : SplitLines(text))
        lines << line.toString();
    return lines;
}

QString ObjectKindText(const QStringList &objectNames, int kind) {
    if (kind >= 0 && kind < ObjectKindCount && kind < objectNames.size())
        return objectNames[kind];
    return HexText(kind);
}

QStringList ObjectKindTexts(const QStringList &objectNames) {
    QStringList texts;
    texts.reserve(ObjectKindCount);
    for (int kind = 0; kind < ObjectKindCount; ++kind)
        texts << ObjectKindText(objectNames, kind);
    return texts;
}

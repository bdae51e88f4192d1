#include "namelists.h"

#include "HexText.h"
#include "language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

std::optional<QStringList> ReadNameList(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder decode("Shift_JIS");
    if (!decode.isValid())
        return std::nullopt;
    const QString text = decode(file.readAll());

    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const qsizetype next = end + 1;
        if (end > start && text[end - 1] == u'\r')
            --end;
        lines << text.mid(start, end - start);
        start = next;
    }
    return lines;
}

QString NameListPath(const QString &directory, const QString &fileName, const QString &language) {
    const QDir folder(directory);
    const QFileInfo usual(folder.filePath(fileName));
    const QString ownList =
        folder.filePath(usual.completeBaseName() + u'.' + language + u'.' + usual.suffix());
    if (language != InterfaceLanguage::Japanese && QFileInfo::exists(ownList))
        return ownList;
    return usual.filePath();
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

#include "namelists.h"

#include <QFile>
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

QString ObjectKindText(const QStringList &objectNames, int kind) {
    if (kind >= 0 && kind < ObjectKindCount && kind < objectNames.size())
        return objectNames[kind];
    return QStringLiteral("%1").arg(kind, 2, 16, QLatin1Char('0')).toUpper();
}

QStringList ObjectKindTexts(const QStringList &objectNames) {
    QStringList texts;
    texts.reserve(ObjectKindCount);
    for (int kind = 0; kind < ObjectKindCount; ++kind)
        texts << ObjectKindText(objectNames, kind);
    return texts;
}

const ChipAttributeChoice &ChipAttributeChoiceDesignTexts() {
    static const ChipAttributeChoice Texts = {
        QStringLiteral("0x 背景"),
        QStringLiteral("1x ブロック"),
        QStringLiteral("2x はしご(途中)"),
        QStringLiteral("3x 特殊ブロック"),
        QStringLiteral("4x はしご(頂点)"),
        QStringLiteral("5x コンベア(右)"),
        QStringLiteral("6x 背景裏に隠れる"),
        QStringLiteral("7x コンベア(左)"),
        QStringLiteral("8x 水中"),
        QStringLiteral("9x ?"),
        QStringLiteral("Ax ?"),
        QStringLiteral("Bx ?"),
        QStringLiteral("Cx ?"),
        QStringLiteral("Dx ダメージ床"),
        QStringLiteral("Ex ?"),
        QStringLiteral("Fx トゲ"),
    };
    return Texts;
}

ChipAttributeChoice ChipAttributeChoiceTexts(const QStringList &attributeNames) {
    ChipAttributeChoice texts = ChipAttributeChoiceDesignTexts();
    for (int i = 0; i < ChipAttributeChoiceCount && i < attributeNames.size(); ++i)
        texts[i] = attributeNames[i];
    return texts;
}

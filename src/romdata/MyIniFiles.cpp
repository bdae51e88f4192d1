#include "MyIniFiles.h"

#include "HexText.h"
#include "TextLines.h"
#include "filewriting.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>
#include <utility>

namespace {

// Blanks and control characters are what hand editing leaves around names and values.
bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

QString Stripped(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toString();
}

bool SameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<int32_t> ParseInteger(QStringView text) {
    for (QStringView prefix : {QStringView(u"$"), QStringView(u"0x"), QStringView(u"0X")}) {
        if (text.startsWith(prefix)) {
            const auto bits = ParseHexDigits(text.mid(prefix.size()));
            if (!bits)
                return std::nullopt;
            return static_cast<int32_t>(*bits);
        }
    }
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty())
        return std::nullopt;
    int64_t value = 0;
    for (QChar c : digits) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

TMyMemIniFile::TMyMemIniFile(const QString &fileName) : FileName_(fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    QStringDecoder decode(QStringConverter::Utf8);
    QString text = decode(bytes);
    // A file saved by a hand editor in another character set (Shift-JIS, say) is taken
    // byte for byte, so that the texts the program never touches are written back unchanged.
    if (decode.hasError()) {
        Encoding = QStringConverter::Latin1;
        text = QString::fromLatin1(bytes);
    }

    Section *current = nullptr;
    for (QStringView rawLine : SplitLines(text)) {
        const QString line = Stripped(rawLine);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = Stripped(QStringView(line).mid(1, line.size() - 2));
            current = FindSection(name);
            if (!current) {
                Sections.push_back({name, {}});
                current = &Sections.back();
            }
            continue;
        }
        if (!current)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            current->Lines.push_back({false, line, QString()});
        else
            current->Lines.push_back({true, Stripped(QStringView(line).left(equals)),
                                      Stripped(QStringView(line).mid(equals + 1))});
    }
}

const TMyMemIniFile::Section *TMyMemIniFile::FindSection(const QString &name) const {
    for (const Section &section : Sections)
        if (SameName(section.Name, name))
            return &section;
    return nullptr;
}

TMyMemIniFile::Section *TMyMemIniFile::FindSection(const QString &name) {
    return const_cast<Section *>(std::as_const(*this).FindSection(name));
}

const TMyMemIniFile::Line *TMyMemIniFile::FindLine(const QString &section,
                                                   const QString &key) const {
    const Section *found = FindSection(section);
    if (!found)
        return nullptr;
    for (const Line &line : found->Lines)
        if (line.HasKey && SameName(line.Key, key))
            return &line;
    return nullptr;
}

QString TMyMemIniFile::ReadString(const QString &section, const QString &key,
                                  const QString &def) const {
    const Line *line = FindLine(section, key);
    return line ? line->Value : def;
}

void TMyMemIniFile::WriteString(const QString &section, const QString &key, const QString &value) {
    if (Line *line = const_cast<Line *>(FindLine(section, key))) {
        line->Value = value;
        return;
    }
    Section *target = FindSection(section);
    if (!target) {
        Sections.push_back({section, {}});
        target = &Sections.back();
    }
    target->Lines.push_back({true, key, value});
}

int32_t TMyMemIniFile::ReadInteger(const QString &section, const QString &key, int32_t def) const {
    const Line *line = FindLine(section, key);
    if (!line)
        return def;
    return ParseInteger(line->Value).value_or(def);
}

void TMyMemIniFile::WriteInteger(const QString &section, const QString &key, int32_t value) {
    WriteString(section, key, QString::number(value));
}

bool TMyMemIniFile::ReadBool(const QString &section, const QString &key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMyMemIniFile::WriteBool(const QString &section, const QString &key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int32_t TMyMemIniFile::ReadHex(const QString &section, const QString &key, int32_t def) const {
    const Line *line = FindLine(section, key);
    if (!line)
        return def;
    const auto bits = ParseHexDigits(line->Value);
    return bits ? static_cast<int32_t>(*bits) : def;
}

void TMyMemIniFile::WriteHex(const QString &section, const QString &key, int32_t value) {
    WriteString(section, key, HexText(static_cast<uint32_t>(value), 1));
}

bool TMyMemIniFile::SectionExists(const QString &section) const {
    return FindSection(section) != nullptr;
}

bool TMyMemIniFile::ValueExists(const QString &section, const QString &key) const {
    return FindLine(section, key) != nullptr;
}

QString TMyMemIniFile::Text() const {
    QString text;
    for (const Section &section : Sections) {
        text += u'[' + section.Name + QStringLiteral("]\n");
        for (const Line &line : section.Lines)
            text += line.HasKey ? line.Key + u'=' + line.Value + u'\n' : line.Key + u'\n';
        text += u'\n';
    }
    return text;
}

bool TMyMemIniFile::UpdateFile(QString *errorText) const {
    QStringEncoder encode(Encoding);
    QString error;
    if (FileWriting::WriteWholeFile(FileName_, encode(Text()), error))
        return true;
    if (errorText)
        *errorText = error;
    return false;
}

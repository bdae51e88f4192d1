#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <cstdint>
#include <vector>

/// An INI file held wholly in memory.
///
/// The whole text is read when the object is created; reads and writes act on the
/// in-memory copy only, and the disk file is rewritten, whole, by `UpdateFile`.
/// Section and key names match without regard to letter case. Comment lines and blank
/// lines of the file read are not kept. A file that is not UTF-8 is kept byte for byte.
class TMyMemIniFile {
public:
    explicit TMyMemIniFile(const QString &fileName);

    const QString &FileName() const { return FileName_; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    void WriteString(const QString &section, const QString &key, const QString &value);

    /// Decimal (optional minus sign), or hexadecimal after "$", "0x" or "0X";
    /// a text that does not parse yields `def`.
    int32_t ReadInteger(const QString &section, const QString &key, int32_t def) const;
    /// Writes the value in decimal.
    void WriteInteger(const QString &section, const QString &key, int32_t value);

    /// Read as an integer: 0 is false, any other integer true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    /// Written as 1 or 0.
    void WriteBool(const QString &section, const QString &key, bool value);

    /// Hexadecimal digits without prefix, either letter case; anything else yields `def`.
    int32_t ReadHex(const QString &section, const QString &key, int32_t def) const;
    /// Upper-case hexadecimal without prefix and without leading zeros (at least one digit).
    void WriteHex(const QString &section, const QString &key, int32_t value);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;

    /// The text `UpdateFile` writes: every section in order as "[name]", its lines,
    /// then one empty line.
    QString Text() const;

    /// Rewrites the disk file, whole, as every file is written (`FileWriting`). Returns
    /// false with `errorText` set when it cannot be written.
    bool UpdateFile(QString *errorText = nullptr) const;

private:
    struct Line {
        bool HasKey = false;
        QString Key; // the key when HasKey, else the whole line as read
        QString Value;
    };
    struct Section {
        QString Name;
        std::vector<Line> Lines;
    };

    const Section *FindSection(const QString &name) const;
    Section *FindSection(const QString &name);
    const Line *FindLine(const QString &section, const QString &key) const;

    QString FileName_;
    /// The character set of the file read, used again when it is rewritten.
    QStringConverter::Encoding Encoding = QStringConverter::Utf8;
    std::vector<Section> Sections;
};

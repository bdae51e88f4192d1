#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

class TMyMemIniFile;

/// The languages the interface speaks: Japanese, in which every text of the program is
/// written, and one more for each translation built into the program.
namespace InterfaceLanguage {

inline const QString Japanese = QStringLiteral("ja");

/// Japanese first, then the codes of the built-in translations in name order.
QStringList Available();
/// The language's own name for itself, as the language menu lists it.
QString NativeName(const QString &language);
/// `source` of `context` said in `language`, whichever language the interface speaks now;
/// Japanese, or a text the translation lacks, gives the source text itself.
QString Translate(const QString &language, const char *context, const char *source);

/// The "Language" value of the "Display" section; a missing or unknown code reads as
/// Japanese, so that a bad text is replaced at the next exit.
QString Read(const TMyMemIniFile &file);
void Write(TMyMemIniFile &file, const QString &language);

} // namespace InterfaceLanguage

/// Puts one language's translation into effect for the whole program while it lives and
/// takes it away again when it goes: the program's own (Japanese needs none, the texts are
/// written in it) and the toolkit's, which says the standard buttons and dialogs in that
/// language too. Owns the translators.
class InterfaceTranslation {
public:
    explicit InterfaceTranslation(const QString &language);
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation &) = delete;
    InterfaceTranslation &operator=(const InterfaceTranslation &) = delete;

    const QString &Language() const { return Code; }

private:
    QString Code;
    QTranslator Translator;
    QTranslator ToolkitTranslator;
    bool Installed = false;
    bool ToolkitInstalled = false;
};

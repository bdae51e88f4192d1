#include "language.h"

#include "MyIniFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace {

const QString TranslationFolder = QStringLiteral(":/i18n");
const QString TranslationPrefix = QStringLiteral("quartex3editor_");
const QString TranslationSuffix = QStringLiteral(".qm");
const QString DisplaySection = QStringLiteral("Display");
const QString LanguageKey = QStringLiteral("Language");

// Each translation names its own language: the translation of this text is that name.
const char *const NameContext = "InterfaceLanguage";
//: The name of this translation's language, written in that language.
const char *const JapaneseName = QT_TRANSLATE_NOOP("InterfaceLanguage", "日本語");

bool LoadTranslation(QTranslator &translator, const QString &language) {
    return translator.load(TranslationPrefix + language, TranslationFolder);
}

} // namespace

QStringList InterfaceLanguage::Available() {
    QStringList languages{Japanese};
    const QStringList files =
        QDir(TranslationFolder)
            .entryList({TranslationPrefix + u'*' + TranslationSuffix}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        languages << file.mid(TranslationPrefix.size(),
                              file.size() - TranslationPrefix.size() - TranslationSuffix.size());
    return languages;
}

QString InterfaceLanguage::NativeName(const QString &language) {
    if (language == Japanese)
        return QString::fromUtf8(JapaneseName);
    QTranslator translator;
    if (!LoadTranslation(translator, language))
        return language;
    const QString name = translator.translate(NameContext, JapaneseName);
    return name.isEmpty() ? language : name;
}

QString InterfaceLanguage::Translate(const QString &language, const char *context,
                                     const char *source) {
    QTranslator translator;
    if (language != Japanese && LoadTranslation(translator, language)) {
        const QString text = translator.translate(context, source);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(source);
}

QString InterfaceLanguage::Read(const TMyMemIniFile &file) {
    const QString language = file.ReadString(DisplaySection, LanguageKey, Japanese);
    return Available().contains(language) ? language : Japanese;
}

void InterfaceLanguage::Write(TMyMemIniFile &file, const QString &language) {
    file.WriteString(DisplaySection, LanguageKey, language);
}

InterfaceTranslation::InterfaceTranslation(const QString &language) : Code(language) {
    if (language != InterfaceLanguage::Japanese && LoadTranslation(Translator, language))
        Installed = QCoreApplication::installTranslator(&Translator);
    // The distribution's translations of the toolkit; without them its buttons and dialogs
    // stay English whatever the interface speaks.
    if (ToolkitTranslator.load(QStringLiteral("qtbase_") + language,
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        ToolkitInstalled = QCoreApplication::installTranslator(&ToolkitTranslator);
}

InterfaceTranslation::~InterfaceTranslation() {
    if (ToolkitInstalled)
        QCoreApplication::removeTranslator(&ToolkitTranslator);
    if (Installed)
        QCoreApplication::removeTranslator(&Translator);
}

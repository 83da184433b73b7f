#include "language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>

namespace callcfg {

Language languageOfLocale(const QString& lcAll, const QString& lcMessages, const QString& lang) {
    for (const QString& setting : {lcAll, lcMessages, lang}) {
        if (setting.isEmpty())
            continue;
        return setting == QLatin1String("zh") || setting.startsWith(QLatin1String("zh_")) ||
                       setting.startsWith(QLatin1String("zh."))
                   ? Language::Chinese
                   : Language::English;
    }
    return Language::English;
}

Language commandLineLanguage() {
    const auto variable = [](const char* name) { return qEnvironmentVariable(name); };
    const QString lcAll = variable("LC_ALL"), lcMessages = variable("LC_MESSAGES"),
                  lang = variable("LANG");
#ifdef Q_OS_WIN
    if (lcAll.isEmpty() && lcMessages.isEmpty() && lang.isEmpty())
        return QLocale::system().language() == QLocale::Chinese ? Language::Chinese
                                                                : Language::English;
#endif
    return languageOfLocale(lcAll, lcMessages, lang);
}

namespace {

// Qt's translations: Debian's qt6-translations-l10n on Linux; on Windows the setup and the zip put
// them beside the program, where Qt does not look by itself.
QString qtTranslations() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath();
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

void useLanguage(Language language) {
    // The tool's own texts, then Qt's: the buttons of its boxes and dialogs, the command line
    // parser's messages and, on Linux, the serial port's reasons. Without Qt's files Qt's texts
    // stay English.
    static std::array<QTranslator, 3> chinese;
    static const bool loaded = [] {
        static_cast<void>(chinese[1].load(QStringLiteral("qtbase_zh_CN"), qtTranslations()));
        static_cast<void>(chinese[2].load(QStringLiteral("qtserialport_zh_CN"), qtTranslations()));
        return chinese[0].load(QStringLiteral(":/translations/callcfg_zh_CN.qm"));
    }();
    for (QTranslator& translator : chinese)
        QCoreApplication::removeTranslator(&translator);
    if (language == Language::Chinese && loaded)
        for (QTranslator& translator : chinese)
            if (!translator.isEmpty())
                QCoreApplication::installTranslator(&translator);
}

} // namespace callcfg

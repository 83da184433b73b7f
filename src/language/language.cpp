#include "language/language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

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

void useLanguage(Language language) {
    static QTranslator chinese;
    static const bool loaded = chinese.load(QStringLiteral(":/translations/callcfg_zh_CN.qm"));
    QCoreApplication::removeTranslator(&chinese);
    if (language == Language::Chinese && loaded)
        QCoreApplication::installTranslator(&chinese);
}

} // namespace callcfg

#pragma once
// The language of the texts the tool adds: the windows always speak Chinese; the command line
// speaks Chinese under a Chinese locale and English otherwise.

#include <QString>

namespace callcfg {

enum class Language { English, Chinese };

// The language the locale settings ask for: the first of LC_ALL, LC_MESSAGES and LANG that is
// set decides; Chinese when it names zh (zh_CN.UTF-8, zh_TW, zh).
Language languageOfLocale(const QString& lcAll, const QString& lcMessages, const QString& lang);

// The command line's language on this system: the locale variables; on Windows the user's
// language when none is set.
Language commandLineLanguage();

// Makes the program's translated texts speak `language` from now on: the tool's own and Qt's.
void useLanguage(Language language);

} // namespace callcfg

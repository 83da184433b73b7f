#include "app/terminalquestions.h"

#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#define callcfg_isatty _isatty
#define callcfg_fileno _fileno
#else
#include <unistd.h>
#define callcfg_isatty isatty
#define callcfg_fileno fileno
#endif

namespace callcfg {

std::function<std::optional<QString>(const QString& question)>
terminalQuestions(ProgramOutput& output) {
    if (!output.errIsTerminal() || !callcfg_isatty(callcfg_fileno(stdin)))
        return {};
    return [&output](const QString& question) -> std::optional<QString> {
        output.err() << question << ' ' << Qt::flush;
        std::string line;
        if (!std::getline(std::cin, line))
            return std::nullopt;
        return QString::fromLocal8Bit(line);
    };
}

} // namespace callcfg

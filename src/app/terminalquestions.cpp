#include "app/terminalquestions.h"

#include "cli/heldinterrupts.h"

#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#define callcfg_isatty _isatty
#define callcfg_fileno _fileno
#else
#include <poll.h>
#include <unistd.h>
#define callcfg_isatty isatty
#define callcfg_fileno fileno
#endif

namespace callcfg {

namespace {

// True once a line can be read; false when an interrupt held meanwhile asks the question to
// end (Ctrl+C at the question of a table caller not pressed ends the run there). On Windows
// the console's own read ends on Ctrl+C.
bool lineReady() {
#ifndef _WIN32
    pollfd in{STDIN_FILENO, POLLIN, 0};
    while (std::cin.rdbuf()->in_avail() <= 0 && ::poll(&in, 1, 100) <= 0)
        if (interruptHeld())
            return false;
#endif
    return true;
}

} // namespace

std::function<std::optional<QString>(const QString& question)>
terminalQuestions(ProgramOutput& output) {
    if (!output.errIsTerminal() || !callcfg_isatty(callcfg_fileno(stdin)))
        return {};
    return [&output](const QString& question) -> std::optional<QString> {
        output.err() << question << ' ' << Qt::flush;
        std::string line;
        if (!lineReady() || !std::getline(std::cin, line))
            return std::nullopt;
        return QString::fromLocal8Bit(line);
    };
}

} // namespace callcfg

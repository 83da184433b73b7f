// callcfg_soak [EXCHANGES] [--seed N] [--cli | --all]: the fault soak of the windows (see
// windowsoak.h), of the command line (--cli, see clisoak.h) or of both (--all). Prints one
// table; its last line is "violations: N", and the exit status is 1 when N > 0.

#include "clisoak.h"
#include "windowsoak.h"

#include <QApplication>

#include <cstdio>

namespace {

int usage() {
    std::fputs("usage: callcfg_soak [EXCHANGES] [--seed N] [--cli | --all]\n"
               "  EXCHANGES and N are whole numbers, EXCHANGES at least 1 (default 2000, seed 1)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    int exchanges = 2000;
    quint32 seed = 1;
    bool window = true, commandLine = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        bool number = true;
        if (arguments[i] == QLatin1String("--seed") && i + 1 < arguments.size())
            seed = arguments[++i].toUInt(&number);
        else if (arguments[i] == QLatin1String("--cli"))
            window = !(commandLine = true);
        else if (arguments[i] == QLatin1String("--all"))
            window = commandLine = true;
        else {
            exchanges = arguments[i].toInt(&number);
            number = number && exchanges > 0;
        }
        if (!number)
            return usage();
    }
    soak::Tally windowTally, commandLineTally;
    if (window)
        soak::WindowSoak(seed, windowTally).run(exchanges);
    if (commandLine)
        soak::runCommandLineSoak(seed, commandLineTally, QStringLiteral(CALLCFG_BINARY), exchanges,
                                 4);
    std::fputs(qPrintable(soak::Tally::report(window ? &windowTally : nullptr,
                                              commandLine ? &commandLineTally : nullptr)),
               stdout);
    return windowTally.violations() + commandLineTally.violations() > 0 ? 1 : 0;
}

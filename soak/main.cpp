// callcfg_soak [EXCHANGES] [--seed N]: the fault soak (see soak.h). Prints one table; its last
// line is "violations: N", and the exit status is 1 when N > 0.

#include "soak.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    int exchanges = 2000;
    quint32 seed = 1;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--seed") && i + 1 < arguments.size())
            seed = arguments[++i].toUInt();
        else
            exchanges = arguments[i].toInt();
    }
    Soak soak(seed);
    soak.run(exchanges);
    std::fputs(qPrintable(soak.report()), stdout);
    return soak.violations() > 0 ? 1 : 0;
}

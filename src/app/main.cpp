#include "app/options.h"
#include "app/program.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

#ifdef CALLCFG_SIMULATOR
#include "hostsim/ptyhost.h"
#endif

using namespace callcfg;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Options options = parseOptions(QApplication::arguments().mid(1));
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "callcfg: %s\n", qPrintable(options.error));
        std::fputs(qPrintable(usageText()), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    installFontSubstitutions();
    // The tool keeps nothing between runs: whatever Qt's own dialogs would remember (the
    // file dialog's last folder and history) goes to a folder removed at exit.
    QTemporaryDir scratchSettings;
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, scratchSettings.path());

#ifdef CALLCFG_SIMULATOR
    std::unique_ptr<hostsim::PtyHost> simulator;
    if (options.simulate) {
        simulator = std::make_unique<hostsim::PtyHost>();
        options.portMap.map(1, QString::fromStdString(simulator->devicePath()));
        std::printf("simulated host unit on COM1 = %s\n", simulator->devicePath().c_str());
        std::fflush(stdout);
    }
#endif

    Program program(options.portMap);
    program.form1.show();
    return QApplication::exec();
}

// callcfg: the windows, or one subcommand without a display.

#include "app/program.h"
#include "app/termination.h"
#include "cli/commandline.h"
#include "language/language.h"
#include "link/platformport.h"
#include "link/serialdevices.h"
#include "link/trafficlog.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

#ifdef CALLCFG_SIMULATOR
#include "hostsim/ptyhost.h"
#endif

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

using namespace callcfg;

namespace {

#ifdef CALLCFG_SIMULATOR
constexpr bool kSimulatorAvailable = true;
#else
constexpr bool kSimulatorAvailable = false;
#endif

QStringList rawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runWithoutDisplay(int argc, char** argv) {
#ifdef Q_OS_WIN
    // The same bytes as elsewhere: line ends stay LF, as the listings print them.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    useLanguage(commandLineLanguage());
    QTextStream out(stdout), err(stderr);
    CommandLineEnvironment environment{
        out, err, makePlatformPort, isatty(2) != 0, 1.0, systemDeviceLister()};
    const QStringList arguments = QCoreApplication::arguments();
    if (!subcommandOf(arguments).isEmpty())
        return runSubcommand(arguments, environment);
    WindowOptions options;
    return parseWindowOptions(arguments, options, environment, kSimulatorAvailable).value_or(0);
}

} // namespace

int main(int argc, char** argv) {
    // Help, the version, the subcommands and usage errors need no display.
    if (!startsWindow(rawArguments(argc, argv)))
        return runWithoutDisplay(argc, argv);

#ifdef Q_OS_WIN
    // Started from Explorer, the program got a console of its own: the window needs none.
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1)
        FreeConsole();
#endif
    QApplication app(argc, argv);
    useLanguage(commandLineLanguage()); // the windows speak Chinese once they are made
    QTextStream out(stdout), err(stderr);
    CommandLineEnvironment environment{out,   err, makePlatformPort,
                                       false, 1.0, systemDeviceLister()};
    WindowOptions options;
    if (const auto status = parseWindowOptions(QApplication::arguments(), options, environment,
                                               kSimulatorAvailable))
        return *status;
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
    TrafficLog log(program.link);
    if (!options.logFile.isEmpty()) {
        if (!log.open(options.logFile)) {
            err << "callcfg: cannot open the log " << options.logFile << ": " << log.error()
                << Qt::endl;
            return kUsageOrFileError;
        }
        program.link.addObserver(&log);
    }
    program.mainWindow.show();
    quitOnTermination(&app);
    const int status = QApplication::exec();
    program.link.removeObserver(&log);
    return status;
}

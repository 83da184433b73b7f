// callcfg: the windows, or one subcommand without a display.

#include "app/program.h"
#include "app/programoutput.h"
#include "app/terminalquestions.h"
#include "app/termination.h"
#include "cli/commandline.h"
#include "cli/heldinterrupts.h"
#include "cli/windowoptions.h"
#include "language/language.h"
#include "link/platformport.h"
#include "link/serialdevices.h"
#include "link/trafficlog.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>

#ifdef CALLCFG_SIMULATOR
#include "hostsim/line/ptyhost.h"
#endif

#ifdef Q_OS_WIN
#include "app/windowsconsole.h"
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
    QCoreApplication app(argc, argv);
    useLanguage(commandLineLanguage());
    ProgramOutput output;
    CommandLineEnvironment environment{
        output.out(), output.err(),         makePlatformPort,         output.errIsTerminal(),
        1.0,          systemDeviceLister(), terminalQuestions(output)};
    const QStringList arguments = QCoreApplication::arguments();
    if (!subcommandOf(arguments).isEmpty()) {
        endOnConsoleInterrupts();
        return output.finish(runSubcommand(arguments, environment));
    }
    // The window's command line, told without a display: its help, a usage error, or that
    // there is no display to show the window on.
    WindowOptions options;
    const auto status = parseWindowOptions(arguments, options, environment, kSimulatorAvailable);
    return output.finish(status ? *status : windowWithoutDisplay(environment));
}

} // namespace

int main(int argc, char** argv) {
    // Help, the version, the subcommands and usage errors need no display; without one, Qt
    // would end the program in its platform plugin's loader.
    const QStringList arguments = rawArguments(argc, argv);
    if (!startsWindow(arguments) ||
        !displayAvailable(arguments, QProcessEnvironment::systemEnvironment()))
        return runWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    // Until the window shows, a usage error or an unwritable log is told as a subcommand's is,
    // in the command line's language.
    useLanguage(commandLineLanguage());
    std::optional<ProgramOutput> output(std::in_place);
    WindowOptions options;
    {
        CommandLineEnvironment environment{
            output->out(), output->err(), makePlatformPort, false, 1.0, systemDeviceLister(), {}};
        if (const auto status = parseWindowOptions(QApplication::arguments(), options, environment,
                                                   kSimulatorAvailable))
            return output->finish(*status);
    }
    // The windows speak Chinese whatever the locale, and so do Qt's boxes and dialogs.
    useLanguage(Language::Chinese);
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
            output->err() << "callcfg: cannot open the log " << options.logFile << ": "
                          << log.error() << Qt::endl;
            return output->finish(kUsageOrFileError);
        }
        program.link.addObserver(&log);
        program.portRow->setSearchLog(log.file());
    }
    output.reset();
#ifdef Q_OS_WIN
    releaseOwnConsole();
#endif
    program.mainWindow.show();
    quitOnTermination(&app);
    const int status = QApplication::exec();
    program.link.removeObserver(&log);
    return status;
}

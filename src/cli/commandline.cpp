#include "cli/commandline.h"

#include "cli/options.h"
#include "cli/subcommands.h"
#include "cli/subcommandtable.h"
#include "link/link.h"
#include "link/texts.h"
#include "link/trafficlog.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace callcfg {

void Invocation::tell(const QString& message) const {
    environment.err << kProgram << ": " << message << Qt::endl;
}

int Invocation::usageError(const QString& message) const {
    tell(message);
    environment.err << Texts::tr("Try '%1 %2 --help'.").arg(kProgram, name) << Qt::endl;
    return kUsageOrFileError;
}

bool Invocation::agrees(const QString& question) const {
    const auto answer = environment.ask ? environment.ask(question) : std::nullopt;
    return answer &&
           (answer->trimmed() == QLatin1String("y") || answer->trimmed() == QLatin1String("Y"));
}

bool Invocation::expectFiles(int count) const {
    if (files().size() == count)
        return true;
    usageError(Texts::tr("expected %1 file argument(s), got %2").arg(count).arg(files().size()));
    return false;
}

std::optional<int> Invocation::openLog(TrafficLogFile& file) const {
    if (!logFile.isEmpty() && !file.open(logFile)) {
        tell(Texts::tr("cannot open the log %1: %2").arg(logFile, file.error()));
        return kUsageOrFileError;
    }
    return std::nullopt;
}

std::optional<int> Invocation::attachLog(Link& link, TrafficLog& log) const {
    if (logFile.isEmpty())
        return std::nullopt;
    if (const auto status = openLog(*log.file()))
        return status;
    link.addObserver(&log);
    return std::nullopt;
}

int runSubcommand(const QStringList& arguments, CommandLineEnvironment& environment) {
    QTextStream& err = environment.err;
    // The program's own options, then the subcommand and everything after it.
    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QList globalOptions{portOption(), logOption(), helpOption(), versionOption()};
    global.addOptions(globalOptions);
    if (!global.parse(arguments)) {
        err << kProgram << ": " << global.errorText() << Qt::endl;
        return kUsageOrFileError;
    }
    if (global.isSet(QStringLiteral("version"))) {
        environment.out << versionText() << Qt::endl;
        return kDone;
    }
    if (global.isSet(QStringLiteral("help"))) {
        environment.out << mainHelp(globalOptions);
        environment.out.flush();
        return kDone;
    }
    const QStringList rest = global.positionalArguments();
    const Subcommand* subcommand = rest.isEmpty() ? nullptr : findSubcommand(rest.first());
    if (!subcommand)
        return noSuchSubcommand(rest.value(0), err);
    const QString name = QString::fromLatin1(subcommand->name);

    QCommandLineParser parser;
    const QList options = QList{portOption(), logOption(), helpOption()} + subcommand->options();
    parser.addOptions(options);
    Invocation call{name, parser, PortMap(environment.listDevices),
                    global.value(QStringLiteral("log")), environment};
    if (!parser.parse(QStringList{kProgram + QLatin1Char(' ') + name} + rest.mid(1)))
        return call.usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        environment.out << helpText(
            options,
            QStringLiteral("%1 %2 [options] %3")
                .arg(kProgram, name, QString::fromLatin1(subcommand->arguments)),
            Texts::tr(subcommand->description));
        environment.out.flush();
        return kDone;
    }
    if (!addMappings(global.values(QStringLiteral("port")), call.portMap, err) ||
        !addMappings(parser.values(QStringLiteral("port")), call.portMap, err))
        return kUsageOrFileError;
    call.portMappings =
        global.values(QStringLiteral("port")) + parser.values(QStringLiteral("port"));
    if (parser.isSet(QStringLiteral("log")))
        call.logFile = parser.value(QStringLiteral("log"));
    return subcommand->run(call);
}

} // namespace callcfg

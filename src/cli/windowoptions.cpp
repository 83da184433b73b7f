#include "cli/windowoptions.h"

#include "cli/commandline.h"
#include "cli/options.h"
#include "cli/subcommandtable.h"
#include "link/texts.h"

#include <QCommandLineParser>
#include <QProcessEnvironment>
#include <QTextStream>

namespace callcfg {

namespace {

// Qt's own options, which the application object takes before the window's options are
// parsed (-platform offscreen, say); Qt accepts them with one dash or two.
QString asQtOption(const QString& argument) {
    return argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
}

bool isQtOptionWithValue(const QString& argument) {
    static const QStringList withValue{
        QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
        QStringLiteral("-style"),           QStringLiteral("-stylesheet"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
        QStringLiteral("-qwindowicon"),     QStringLiteral("-display"),
        QStringLiteral("-geometry"),        QStringLiteral("-session")};
    return withValue.contains(asQtOption(argument));
}

bool isQtFlag(const QString& argument) {
    static const QStringList flags{QStringLiteral("-reverse"), QStringLiteral("-nograb"),
                                   QStringLiteral("-dograb"), QStringLiteral("-sync"),
                                   QStringLiteral("-widgetcount")};
    return flags.contains(asQtOption(argument));
}

// The options whose value is the next argument: ours and Qt's.
bool takesValue(const QString& argument) {
    static const QStringList ours{QStringLiteral("--port"), QStringLiteral("--log"),
                                  QStringLiteral("--device"), QStringLiteral("--from"),
                                  QStringLiteral("--output")};
    return ours.contains(argument) || isQtOptionWithValue(argument);
}

// An option the window knows: its own, or one of Qt's.
bool isWindowOption(const QString& argument) {
    for (const char* own : {"--port", "--log"})
        if (argument == QLatin1String(own) ||
            argument.startsWith(QLatin1String(own) + QLatin1Char('=')))
            return true;
    return argument == QLatin1String("--simulate") || isQtOptionWithValue(argument) ||
           isQtFlag(argument);
}

// The arguments less Qt's options, which only a window's application object takes away.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (i > 0 && isQtOptionWithValue(arguments[i]))
            ++i;
        else if (i == 0 || !isQtFlag(arguments[i]))
            rest << arguments[i];
    }
    return rest;
}

// The first argument that is neither an option nor an option's value.
QString firstPositional(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            if (takesValue(argument))
                ++i;
            continue;
        }
        return argument;
    }
    return {};
}

} // namespace

QString subcommandOf(const QStringList& arguments) {
    const QString name = firstPositional(arguments);
    return findSubcommand(name) ? name : QString();
}

bool startsWindow(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1))
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h") ||
            argument == QLatin1String("--version"))
            return false;
    // Anything else, an unknown option included, is told without a display.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!isWindowOption(arguments[i]) || (takesValue(arguments[i]) && ++i == arguments.size()))
            return false;
    }
    return true;
}

bool displayAvailable(const QStringList& arguments, const QProcessEnvironment& environment) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const QString option = asQtOption(arguments[i]);
        if (option == QLatin1String("-display"))
            return true; // an X display named on the command line
        if (option == QLatin1String("-platform"))
            platform = arguments[i + 1];
    }
    // A platform other than X11's and Wayland's (offscreen, minimal, vnc, eglfs, linuxfb)
    // needs neither; Qt tries the platforms of a list in turn.
    for (const QString& entry : platform.split(QLatin1Char(';'))) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (!name.isEmpty() && name != QLatin1String("xcb") &&
            !name.startsWith(QLatin1String("wayland")))
            return true;
    }
    return !environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
           !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
#else
    Q_UNUSED(arguments);
    Q_UNUSED(environment);
    return true; // Windows and macOS always have their own
#endif
}

int windowWithoutDisplay(CommandLineEnvironment& environment) {
    environment.err << kProgram << ": "
                    << Texts::tr("no display: use a subcommand, see %1 --help").arg(kProgram)
                    << Qt::endl;
    return kUsageOrFileError;
}

std::optional<int> parseWindowOptions(const QStringList& arguments, WindowOptions& options,
                                      CommandLineEnvironment& environment,
                                      bool simulatorAvailable) {
    QList known{portOption(), logOption(), helpOption(), versionOption()};
    if (simulatorAvailable)
        known << flag("simulate", QT_TRANSLATE_NOOP("callcfg", "Serve a simulated host unit "
                                                               "in-process on COM1."));
    QCommandLineParser parser;
    parser.addOptions(known);
    QTextStream& err = environment.err;
    if (!parser.parse(withoutQtOptions(arguments))) {
        err << kProgram << ": " << parser.errorText() << Qt::endl
            << Texts::tr("Try '%1 --help'.").arg(kProgram) << Qt::endl;
        return kUsageOrFileError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        environment.out << mainHelp(known);
        environment.out.flush();
        return kDone;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        environment.out << versionText() << Qt::endl;
        return kDone;
    }
    if (!parser.positionalArguments().isEmpty())
        return noSuchSubcommand(parser.positionalArguments().first(), err);
    options.portMap = PortMap(environment.listDevices);
    if (!addMappings(parser.values(QStringLiteral("port")), options.portMap, err))
        return kUsageOrFileError;
    options.simulate = simulatorAvailable && parser.isSet(QStringLiteral("simulate"));
    options.logFile = parser.value(QStringLiteral("log"));
    return std::nullopt;
}

} // namespace callcfg

#include "cli/commandline.h"

#include "cli/helptext.h"
#include "cli/subcommands.h"
#include "link/link.h"
#include "link/texts.h"
#include "link/trafficlog.h"

#include <QCommandLineParser>
#include <QFile>
#include <QProcessEnvironment>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace callcfg {

namespace {

const QString kProgram = QStringLiteral("callcfg");

QCommandLineOption portOption() {
    return {QStringLiteral("port"),
            Texts::tr("Port COMn (n from 1 to 255) opens DEVICE (repeatable); by default COMn is "
                      "the n-th serial device present (on-board ports first, then USB adapters "
                      "by their /dev/serial/by-id name), or COMn on Windows."),
            QStringLiteral("COMn=DEVICE")};
}

QCommandLineOption logOption() {
    return {QStringLiteral("log"),
            Texts::tr("Append a line for every request sent and every read that returned "
                      "bytes to FILE."),
            QStringLiteral("FILE")};
}

QCommandLineOption helpOption() {
    return {{QStringLiteral("h"), QStringLiteral("help")}, Texts::tr("Show this help.")};
}

QCommandLineOption versionOption() {
    return {QStringLiteral("version"), Texts::tr("Show the program's version.")};
}

QCommandLineOption deviceOption() {
    return {QStringLiteral("device"),
            Texts::tr("The serial device (a path) or a port name COMn, mapped as the port "
                      "list maps it."),
            QStringLiteral("DEV")};
}

// `description` is marked with QT_TRANSLATE_NOOP and translated here.
QCommandLineOption flag(const char* name, const char* description) {
    return {QString::fromLatin1(name), Texts::tr(description)};
}

QCommandLineOption anyNameOption() {
    return flag("any-name",
                QT_TRANSLATE_NOOP("callcfg", "Take a backup file whose name does not end in .cat "
                                             "or .CAT (the window takes only those)."));
}

struct Subcommand {
    const char* name;
    const char* summary;                    // its line in the main help, QT_TRANSLATE_NOOP
    const char* arguments;                  // after the options, in the usage line
    const char* description;                // marked with QT_TRANSLATE_NOOP
    QList<QCommandLineOption> (*options)(); // besides --port, --log and --help
    int (*run)(const Invocation&);
};

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> all{
        {"backup", QT_TRANSLATE_NOOP("callcfg", "Read the host unit's memory into a backup file."),
         "--device DEV FILE",
         QT_TRANSLATE_NOOP("callcfg", "Read the host unit's memory and write it to FILE (8192 "
                                      "bytes). FILE is written only when the whole read "
                                      "succeeded."),
         [] {
             return QList{deviceOption(), anyNameOption()};
         },
         runBackup},
        {"restore",
         QT_TRANSLATE_NOOP("callcfg", "Write a backup file into the host unit, then read it back."),
         "--device DEV FILE",
         QT_TRANSLATE_NOOP("callcfg", "Download FILE into the host unit, then read the host "
                                      "unit back and compare. It names the device first; on a "
                                      "terminal it reads the host unit, shows what FILE and the "
                                      "host unit hold and asks before it writes (exit status 1 "
                                      "when declined). Ctrl+C or SIGTERM finishes the block in "
                                      "flight and says which blocks are new."),
         [] {
             return QList{
                 deviceOption(),
                 flag("no-verify", QT_TRANSLATE_NOOP("callcfg", "Do not read the host unit back.")),
                 flag("yes", QT_TRANSLATE_NOOP("callcfg", "Write without asking, and without the "
                                                          "read of the host unit before it.")),
                 anyNameOption()};
         },
         runRestore},
        {"verify", QT_TRANSLATE_NOOP("callcfg", "Compare the host unit with a backup file."),
         "--device DEV FILE",
         QT_TRANSLATE_NOOP("callcfg",
                           "Read the host unit and compare it with FILE; nothing is changed."),
         [] {
             return QList{deviceOption(), anyNameOption()};
         },
         runVerify},
        {"show",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print a backup file's pagers, table callers, work mode or hex view."),
         "FILE [--pagers|--tables|--mode|--hex]",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print what the memory reader window shows for the image in FILE."),
         [] {
             return QList{
                 flag("pagers", QT_TRANSLATE_NOOP("callcfg", "The pager listing (the default).")),
                 flag("tables", QT_TRANSLATE_NOOP("callcfg", "The table caller listing.")),
                 flag("mode", QT_TRANSLATE_NOOP("callcfg", "The work mode.")),
                 flag("hex", QT_TRANSLATE_NOOP("callcfg", "The hex view.")), anyNameOption()};
         },
         runShow},
        {"diff", QT_TRANSLATE_NOOP("callcfg", "Print what differs between two backup files."),
         "A B",
         QT_TRANSLATE_NOOP("callcfg", "Print the differences between two backup files: pagers, "
                                      "table callers and settings, then the differing byte "
                                      "addresses."),
         [] { return QList{anyNameOption()}; }, runDiff},
        {"export",
         QT_TRANSLATE_NOOP("callcfg", "Print a backup file's pagers or table callers as CSV."),
         "FILE --pagers|--tables [--output CSV]",
         QT_TRANSLATE_NOOP("callcfg", "Print the pager or table caller entries as CSV (RFC "
                                      "4180, UTF-8, a header row)."),
         [] {
             return QList{
                 flag("pagers", QT_TRANSLATE_NOOP("callcfg", "The pager entries.")),
                 flag("tables", QT_TRANSLATE_NOOP("callcfg", "The table caller entries.")),
                 QCommandLineOption{QStringLiteral("output"),
                                    Texts::tr("Write the CSV to the file CSV instead, for Excel "
                                              "and WPS to open with a double-click (UTF-8 with "
                                              "a byte-order mark)."),
                                    QStringLiteral("CSV")},
                 anyNameOption()};
         },
         runExport},
        {"ports",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print what each port opens; with --find, which leads to a host unit."),
         "[--find]",
         QT_TRANSLATE_NOOP("callcfg", "Print what COM1 to COM8, and every higher port present "
                                      "or mapped, open and what is there. With --find, ask each "
                                      "device present or mapped (USB adapters first; never one "
                                      "that another program holds; a Bluetooth port only when "
                                      "--port maps it; 2 s at most each) for the host memory's "
                                      "first block, to tell which ports lead to a host unit; exit "
                                      "status 0 when one answered, 1 when none did."),
         [] {
             return QList{
                 flag("find", QT_TRANSLATE_NOOP("callcfg",
                                                "Write one read request (the host "
                                                "memory's first block) to every device present or "
                                                "mapped and say which answered as a "
                                                "host unit."))};
         },
         runPorts},
        {"program",
         QT_TRANSLATE_NOOP("callcfg", "Set pagers or table callers row by row from a CSV plan."),
         "--device DEV PLAN.csv [--verify] [--dry-run] [--from ROW]",
         QT_TRANSLATE_NOOP("callcfg",
                           "Set the pagers or table callers of PLAN.csv (a CSV file as export "
                           "writes it) row by row, each through the window's set pager or set "
                           "table caller command. For a table caller, press its service key "
                           "when asked. Exit status 0 every row done, 1 some rows refused, "
                           "declined or not pressed (or, with --verify, not in the unit), 2 "
                           "usage or file error, 3 communication failure."),
         [] {
             return QList{
                 deviceOption(),
                 flag("verify", QT_TRANSLATE_NOOP("callcfg", "Afterwards read the host unit back "
                                                             "and compare every row with it.")),
                 flag("dry-run",
                      QT_TRANSLATE_NOOP("callcfg", "Check every row and print it in words beside "
                                                   "the frame it would send, then a count; no "
                                                   "device needed.")),
                 QCommandLineOption{
                     QStringLiteral("from"),
                     Texts::tr("Start at row ROW of the file (the header is row 1)."),
                     QStringLiteral("ROW")}};
         },
         runProgram},
    };
    return all;
}

const Subcommand* find(const QString& name) {
    for (const Subcommand& subcommand : subcommands())
        if (name == QLatin1String(subcommand.name))
            return &subcommand;
    return nullptr;
}

// The help: the usage line, the description and the options, in the tool's language.
QString helpText(const QList<QCommandLineOption>& options, const QString& usage,
                 const QString& description) {
    return paragraph(Texts::tr("Usage: %1").arg(usage)) + paragraph(description) +
           QLatin1Char('\n') + Texts::tr("Options:") + QLatin1Char('\n') + optionLines(options);
}

QString mainHelp(const QList<QCommandLineOption>& options) {
    QString text = helpText(options, kProgram + QStringLiteral(" [options] [SUBCOMMAND ...]"),
                            Texts::tr("Programmes the host unit of a restaurant wireless "
                                      "calling system. Without a subcommand it opens the "
                                      "window."));
    QList<std::pair<QString, QString>> lines;
    for (const Subcommand& subcommand : subcommands())
        lines.append({QString::fromLatin1(subcommand.name), Texts::tr(subcommand.summary)});
    text += QLatin1Char('\n') + Texts::tr("Subcommands (callcfg SUBCOMMAND --help for each):") +
            QLatin1Char('\n') + columnLines(lines) + QLatin1Char('\n');
    text += paragraph(Texts::tr("Exit status: 0 done (identical, for verify and diff; a host unit "
                                "found, for ports --find), 1 the images differ (none found), 2 "
                                "usage or file error, 3 communication failure."));
    return text;
}

// The edits that turn one word into the other: insertions, deletions and substitutions.
qsizetype editDistance(const QString& a, const QString& b) {
    std::vector<qsizetype> row(std::size_t(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[std::size_t(j)] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[std::size_t(j)];
            row[std::size_t(j)] =
                std::min({above + 1, row[std::size_t(j - 1)] + 1,
                          diagonal + (a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// The subcommand a mistyped name most likely meant: the nearest within two edits, or the one
// it begins; none when no name is that near.
QString nearestSubcommand(const QString& typed) {
    QString nearest;
    qsizetype best = 3;
    for (const Subcommand& subcommand : subcommands()) {
        const QString name = QString::fromLatin1(subcommand.name);
        const qsizetype distance = typed.size() >= 3 && name.startsWith(typed, Qt::CaseInsensitive)
                                       ? 1
                                       : editDistance(typed, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}

// "no such subcommand: bakup; did you mean backup?" and where to look; status 2.
int noSuchSubcommand(const QString& typed, QTextStream& err) {
    const QString nearest = nearestSubcommand(typed);
    err << kProgram << ": "
        << (nearest.isEmpty()
                ? Texts::tr("no such subcommand: %1").arg(typed)
                : Texts::tr("no such subcommand: %1; did you mean %2?").arg(typed, nearest))
        << Qt::endl
        << Texts::tr("Try '%1 --help'.").arg(kProgram) << Qt::endl;
    return kUsageOrFileError;
}

// Applies the --port mappings; false after a message when one is not COMn=DEVICE.
bool addMappings(const QStringList& values, PortMap& portMap, QTextStream& err) {
    for (const QString& value : values) {
        if (!portMap.addMapping(value)) {
            err << kProgram << ": " << Texts::tr("--port expects COMn=DEVICE, got: %1").arg(value)
                << Qt::endl;
            return false;
        }
    }
    return true;
}

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

QString version() {
    return kProgram + QLatin1Char(' ') + QStringLiteral(CALLCFG_VERSION);
}

} // namespace

QStringList subcommandNames() {
    QStringList names;
    for (const Subcommand& subcommand : subcommands())
        names << QString::fromLatin1(subcommand.name);
    return names;
}

namespace {

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
    return find(name) ? name : QString();
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

void Invocation::tell(const QString& message) const {
    environment.err << kProgram << ": " << message << Qt::endl;
}

int Invocation::usageError(const QString& message) const {
    tell(message);
    environment.err << Texts::tr("Try '%1 %2 --help'.").arg(kProgram, name) << Qt::endl;
    return kUsageOrFileError;
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
        environment.out << version() << Qt::endl;
        return kDone;
    }
    if (global.isSet(QStringLiteral("help"))) {
        environment.out << mainHelp(globalOptions);
        environment.out.flush();
        return kDone;
    }
    const QStringList rest = global.positionalArguments();
    const Subcommand* subcommand = rest.isEmpty() ? nullptr : find(rest.first());
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
        environment.out << version() << Qt::endl;
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

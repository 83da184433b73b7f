#pragma once
// The subcommands behind runSubcommand(), with what they share: the parsed options, the
// loading of backup files and the messages on stderr.

#include "cli/commandline.h"
#include "memory/hostmemory.h"

#include <QCommandLineParser>

#include <optional>

namespace callcfg {

class Link;
class TrafficLog;
class TrafficLogFile;

// One subcommand's parsed command line.
struct Invocation {
    QString name;
    QCommandLineParser& parser; // the subcommand's own options, already parsed
    PortMap portMap;            // --port mappings
    QString logFile;            // --log, empty without it
    CommandLineEnvironment& environment;
    QStringList portMappings{}; // the --port values as given, the program's before the command's

    QStringList files() const { return parser.positionalArguments(); }
    // "callcfg: <message>" on stderr.
    void tell(const QString& message) const;
    // A usage error: the message, a pointer to --help, status 2.
    int usageError(const QString& message) const;
    // True when the installer at the terminal answered the question with y or Y; false without
    // a terminal.
    bool agrees(const QString& question) const;
    // True when there are `count` file arguments; false after a usage error.
    bool expectFiles(int count) const;
    // Opens the --log file as `file`, if one was asked for; status 2 after a message when it
    // cannot.
    std::optional<int> openLog(TrafficLogFile& file) const;
    // Opens the --log file, if one was asked for, and has `log` record `link`'s traffic;
    // status 2 after a message when it cannot.
    std::optional<int> attachLog(Link& link, TrafficLog& log) const;
};

// True when `path` names a backup file as the memory reader window takes it (ending in ".cat"
// or ".CAT"), or --any-name is given; false after the window's reason otherwise: its save
// box's when `saving`, its open box's when not.
bool backupNameAccepted(const Invocation& call, const QString& path, bool saving);

// The backup file's 8192 bytes, or nothing after a message (a name the window refuses,
// missing, unreadable or short).
std::optional<HostMemory> loadBackupFile(const Invocation& call, const QString& path);

int runBackup(const Invocation& call);  // devicecommands.cpp
int runRestore(const Invocation& call); // devicecommands.cpp
int runVerify(const Invocation& call);  // devicecommands.cpp
int runShow(const Invocation& call);    // filecommands.cpp
int runDiff(const Invocation& call);    // filecommands.cpp
int runExport(const Invocation& call);  // filecommands.cpp
int runPorts(const Invocation& call);   // portcommands.cpp
int runProgram(const Invocation& call); // programcommand.cpp

} // namespace callcfg

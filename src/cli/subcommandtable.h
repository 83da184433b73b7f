#pragma once
// The subcommands by name, with their options and help, and what a mistyped name meant.

#include "cli/commandline.h"

#include <QCommandLineOption>
#include <QList>

#include <vector>

namespace callcfg {

struct Invocation;

struct Subcommand {
    const char* name;
    const char* summary;                    // its line in the main help, QT_TRANSLATE_NOOP
    const char* arguments;                  // after the options, in the usage line
    const char* description;                // marked with QT_TRANSLATE_NOOP
    QList<QCommandLineOption> (*options)(); // besides --port, --log and --help
    int (*run)(const Invocation&);
};

const std::vector<Subcommand>& subcommands();
// The subcommand of that name; nullptr when there is none.
const Subcommand* findSubcommand(const QString& name);

// The help: the usage line, the description and the options, in the tool's language.
QString helpText(const QList<QCommandLineOption>& options, const QString& usage,
                 const QString& description);
// The program's help: its options, one line per subcommand and the exit statuses.
QString mainHelp(const QList<QCommandLineOption>& options);

// "no such subcommand: bakup; did you mean backup?" and where to look; status 2.
int noSuchSubcommand(const QString& typed, QTextStream& err);

} // namespace callcfg

#pragma once
// The command line of callcfg: without a subcommand it starts the windows; with one it runs
// without a display and exits.
//
//   callcfg [--port COMn=DEVICE]... [--simulate] [--log FILE]
//   callcfg backup  --device DEV FILE            read the host unit into a backup file
//   callcfg restore --device DEV FILE [--no-verify] [--yes]  download a backup (on a terminal
//                                                after a question), then read it back
//   callcfg verify  --device DEV FILE            compare the host unit with a backup
//   callcfg show    FILE [--pagers|--tables|--mode|--hex]
//   callcfg diff    A B
//   callcfg export  FILE --pagers|--tables [--output CSV]  (CSV: UTF-8 with a BOM, CR LF)
//   callcfg ports   [--find]                     what each port list entry opens; which answer
//   callcfg program --device DEV PLAN.csv [--verify] [--dry-run] [--from ROW]
//                                                set pagers or table callers row by row
//
// backup, restore, verify, show, diff and export take only backup file names the window takes
// (".cat" or ".CAT") unless --any-name is given.
//
// Exit status: 0 done (identical, for verify and diff; a host unit found, for ports --find);
// 1 the images differ (none found; restore declined); 2 usage or file error; 3 communication
// failure.

#include "link/portmap.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QTextStream;

namespace callcfg {

class SerialPort;

enum ExitStatus { kDone = 0, kDiffer = 1, kUsageOrFileError = 2, kCommunicationFailure = 3 };

// What a shell reports for a command that Ctrl+C ended; a subcommand that stops on an interrupt
// ends by the interrupt itself, so this is only what it returns where it cannot.
inline constexpr int kInterrupted = 130;

// What a subcommand works with besides its arguments.
struct CommandLineEnvironment {
    QTextStream& out;
    QTextStream& err;
    // The platform's serial port.
    std::function<std::unique_ptr<SerialPort>()> makePort;
    // stderr is a terminal: show a progress line ("block 17/64").
    bool progress = false;
    // Multiplies every wait; 1.0 in the product, only tests shorten waits.
    double timeScale = 1.0;
    // The serial devices present; none when empty. The system's in the product.
    DeviceLister listDevices;
    // Asks a question on the terminal and returns the answer line (nothing at the end of input);
    // empty when stdin or stderr is not a terminal.
    std::function<std::optional<QString>(const QString& question)> ask{};
};

// Runs the subcommand the arguments name (program name first) and returns its exit status.
int runSubcommand(const QStringList& arguments, CommandLineEnvironment& environment);

} // namespace callcfg

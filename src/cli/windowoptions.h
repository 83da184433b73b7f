#pragma once
// The window's command line: whether the arguments start the window or name a subcommand,
// whether there is a display to show it on, and the window's own options.

#include "link/portmap.h"

#include <QString>
#include <QStringList>

#include <optional>

class QProcessEnvironment;

namespace callcfg {

struct CommandLineEnvironment;

// The subcommand named in the arguments (program name first), or an empty string when they
// start the windows.
QString subcommandOf(const QStringList& arguments);

// True when the arguments open the window: only the window's options and Qt's, each with its
// value; no help, no version, no subcommand, no unknown option.
bool startsWindow(const QStringList& arguments);

// False when the window would have no display to show on: on Linux and the like without
// DISPLAY and WAYLAND_DISPLAY, unless Qt is given a platform that needs neither (-platform
// offscreen, QT_QPA_PLATFORM=minimal) or an X display (-display).
bool displayAvailable(const QStringList& arguments, const QProcessEnvironment& environment);

// Says that the window cannot show without a display and that the subcommands can; status 2.
int windowWithoutDisplay(CommandLineEnvironment& environment);

// The window's options.
struct WindowOptions {
    PortMap portMap;
    bool simulate = false;
    QString logFile;
};

// Parses the window's command line. Returns an exit status when the program is to end here
// (help, version, a usage error: the text is written to `environment`), nothing otherwise.
std::optional<int> parseWindowOptions(const QStringList& arguments, WindowOptions& options,
                                      CommandLineEnvironment& environment, bool simulatorAvailable);

} // namespace callcfg

#pragma once
// The command line of callcfg: --port COMn=DEVICE (repeatable) and --simulate.

#include "link/portmap.h"

#include <QStringList>

namespace callcfg {

struct Options {
    PortMap portMap;
    bool simulate = false;
    bool help = false;
    QString error; // empty when the command line was understood
};

Options parseOptions(const QStringList& arguments); // arguments without the program name

QString usageText();

} // namespace callcfg

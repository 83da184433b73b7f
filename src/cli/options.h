#pragma once
// What the window's command line and the subcommands share: the program's name and version,
// the common options and the --port mappings.

#include "link/portmap.h"

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

class QTextStream;

namespace callcfg {

inline const QString kProgram = QStringLiteral("callcfg");

// "callcfg 4.0"
QString versionText();

QCommandLineOption portOption();
QCommandLineOption logOption();
QCommandLineOption helpOption();
QCommandLineOption versionOption();
QCommandLineOption deviceOption();
QCommandLineOption anyNameOption();
QCommandLineOption forceOption();
// `description` is marked with QT_TRANSLATE_NOOP and translated here.
QCommandLineOption flag(const char* name, const char* description);

// Applies the --port mappings; false after a message when one is not COMn=DEVICE.
bool addMappings(const QStringList& values, PortMap& portMap, QTextStream& err);

} // namespace callcfg

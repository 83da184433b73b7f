#include "cli/options.h"

#include "link/texts.h"

#include <QTextStream>

namespace callcfg {

QString versionText() {
    return kProgram + QLatin1Char(' ') + QStringLiteral(CALLCFG_VERSION);
}

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

QCommandLineOption forceOption() {
    return flag("force", QT_TRANSLATE_NOOP("callcfg", "Replace an existing file without asking."));
}

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

} // namespace callcfg

#include "link/portmap.h"

#include <QRegularExpression>

namespace callcfg {

std::optional<int> portNumberOf(const QString& portListText) {
    if (portListText.isEmpty())
        return std::nullopt;
    const QChar last = portListText.back();
    if (last < QLatin1Char('1') || last > QLatin1Char('9'))
        return std::nullopt;
    return last.unicode() - '0';
}

QString PortMap::defaultDevice(int port) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QString PortMap::deviceFor(int port) const {
    return overrides_.value(port, defaultDevice(port));
}

bool PortMap::addMapping(const QString& argument) {
    static const QRegularExpression form(QStringLiteral("^COM([1-9])=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(argument);
    if (!match.hasMatch())
        return false;
    map(match.captured(1).toInt(), match.captured(2));
    return true;
}

} // namespace callcfg

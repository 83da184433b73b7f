#include "link/portmap.h"

#include "link/texts.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace callcfg {

std::optional<int> portNumberOf(const QString& portListText) {
    qsizetype start = portListText.size();
    while (start > 0 && portListText[start - 1] >= QLatin1Char('0') &&
           portListText[start - 1] <= QLatin1Char('9'))
        --start;
    const QStringView digits = QStringView(portListText).mid(start);
    bool ok = false; // no digits, or too many to be a number: no port
    const qulonglong number = digits.size() <= 18 ? digits.toULongLong(&ok) : 0;
    if (!ok || number < 1 || number > kHighestPort)
        return std::nullopt;
    return int(number);
}

std::optional<int> portNamed(const QString& name) {
    if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) || name.size() == 3 ||
        !std::all_of(name.begin() + 3, name.end(),
                     [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return std::nullopt;
    return portNumberOf(name);
}

QString PortTarget::summary() const {
    if (device.isEmpty())
        return absence;
    QString text = QStringLiteral("%1 → %2").arg(name(), device);
    if (found)
        text += Texts::tr(": ") + whatItIs(*found);
    else if (!present)
        text += Texts::tr(": not present");
    return text;
}

bool PortMap::addMapping(const QString& argument) {
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    const auto port = portNamed(argument.left(equals));
    if (equals < 0 || !port || equals + 1 == argument.size())
        return false;
    map(*port, argument.mid(equals + 1));
    return true;
}

std::vector<SerialDevice> PortMap::present() const {
    return listDevices_ ? listDevices_() : std::vector<SerialDevice>{};
}

namespace {

// The present device that `device` names, if any.
std::optional<SerialDevice> lookUp(const std::vector<SerialDevice>& devices,
                                   const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    for (const SerialDevice& d : devices)
        if (d.path.compare(device, Qt::CaseInsensitive) == 0 ||
            (!canonical.isEmpty() && QFileInfo(d.path).canonicalFilePath() == canonical))
            return d;
    return std::nullopt;
}

#ifndef Q_OS_WIN
// "COM3: only 1 serial device present (COM1 → /dev/ttyUSB0, FT232R USB UART)".
QString tooFew(int port, const std::vector<SerialDevice>& devices) {
    const QString name = QStringLiteral("COM%1").arg(port);
    if (devices.empty())
        return Texts::tr("%1: no serial device present").arg(name);
    QStringList entries;
    for (std::size_t i = 0; i < devices.size(); ++i)
        entries << QStringLiteral("COM%1 → %2%3")
                       .arg(i + 1)
                       .arg(devices[i].path, Texts::tr(", ") + whatItIs(devices[i]));
    const QString list = entries.join(Texts::tr("; "));
    return devices.size() == 1 ? Texts::tr("%1: only 1 serial device present (%2)").arg(name, list)
                               : Texts::tr("%1: only %2 serial devices present (%3)")
                                     .arg(name)
                                     .arg(devices.size())
                                     .arg(list);
}

#endif

} // namespace

PortTarget PortMap::target(int port) const {
    PortTarget target;
    target.port = port;
    const std::vector<SerialDevice> devices = present();
    if (overrides_.contains(port)) {
        target.mapped = true;
        target.device = overrides_.value(port);
        target.found = lookUp(devices, target.device);
#ifdef Q_OS_WIN
        target.present = true; // named by the user: tried whether the system lists it or not
#else
        target.present = target.found || QFileInfo::exists(target.device);
#endif
        return target;
    }
#ifdef Q_OS_WIN
    target.device = target.name();
    target.found = lookUp(devices, target.device);
    target.present = target.found.has_value();
#else
    const std::vector<SerialDevice> ordered = inPortOrder(devices);
    if (port >= 1 && std::size_t(port) <= ordered.size()) {
        target.device = ordered[std::size_t(port) - 1].path;
        target.found = ordered[std::size_t(port) - 1];
        target.present = true;
    } else {
        target.absence = tooFew(port, ordered);
    }
#endif
    return target;
}

std::vector<int> PortMap::ports() const {
    std::vector<int> ports;
    for (int port = 1; port <= kListedPorts; ++port)
        ports.push_back(port);
#ifdef Q_OS_WIN
    for (const SerialDevice& device : present())
        if (const auto port = portNamed(device.path))
            ports.push_back(*port);
#else
    const int count = int(inPortOrder(present()).size());
    for (int port = kListedPorts + 1; port <= std::min(count, kHighestPort); ++port)
        ports.push_back(port);
#endif
    for (auto it = overrides_.keyBegin(); it != overrides_.keyEnd(); ++it)
        ports.push_back(*it);
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

} // namespace callcfg

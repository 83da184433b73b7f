#include "link/portmap.h"

#include "link/texts.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace callcfg {

std::optional<int> portNumberOf(const QString& portListText) {
    if (portListText.isEmpty())
        return std::nullopt;
    const QChar last = portListText.back();
    if (last < QLatin1Char('1') || last > QLatin1Char('9'))
        return std::nullopt;
    return last.unicode() - '0';
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
    static const QRegularExpression form(QStringLiteral("^COM([1-9])=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(argument);
    if (!match.hasMatch())
        return false;
    map(match.captured(1).toInt(), match.captured(2));
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

} // namespace callcfg

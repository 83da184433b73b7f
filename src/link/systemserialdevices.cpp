// The serial devices Qt reports on Linux, with their /dev/serial/by-id names.

#include "link/serialdevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

namespace callcfg {

namespace {

// Device node -> its name under /dev/serial/by-id (udev makes these links for USB adapters).
QHash<QString, QString> byIdNames() {
    QHash<QString, QString> names;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files)) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty())
            names.insert(target, link.fileName());
    }
    return names;
}

// The kernel's UART type of an on-board port; -1 when it tells none.
int uartType(const QString& portName) {
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(portName));
    if (!type.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const int value = type.readAll().trimmed().toInt(&ok);
    return ok ? value : -1;
}

} // namespace

DeviceLister systemDeviceLister() {
    return [] {
        const QHash<QString, QString> names = byIdNames();
        std::vector<SerialDevice> devices;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
            SerialDevice device;
            device.path = info.systemLocation();
            device.byIdName = names.value(QFileInfo(device.path).canonicalFilePath());
            device.usb = info.hasVendorIdentifier() || !device.byIdName.isEmpty();
            device.bluetooth = info.portName().startsWith(QLatin1String("rfcomm"));
            device.description = info.description();
            device.manufacturer = info.manufacturer();
            device.serialNumber = info.serialNumber();
            device.uartType = uartType(info.portName());
            devices.push_back(device);
        }
        return devices;
    };
}

} // namespace callcfg

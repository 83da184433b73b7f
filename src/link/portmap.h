#pragma once
// Port list entries and the devices they name.
//
// The port list holds "COM1" to "COM8"; a text names port n, 1 to 255, by the whole number it
// ends with ("COM12" is port 12). On Windows port n is COMn. Elsewhere port n is the n-th serial
// device present at the moment it is opened, in port-list order (serialdevices.h), unless the
// command line maps it to a device with --port COMn=DEVICE.

#include "link/serialdevices.h"

#include <QMap>
#include <QString>

#include <optional>

namespace callcfg {

inline constexpr int kListedPorts = 8;   // the port list's items, COM1 to COM8
inline constexpr int kHighestPort = 255; // the highest port a text can name

// The port the port list's text names: the whole number it ends with, 1 to 255; nullopt when
// it ends in no such number ("COM", "COM0", "COM256", "COM1 ").
std::optional<int> portNumberOf(const QString& portListText);

// The port a port name names: "COMn" (any case) for n from 1 to 255; nullopt for anything else.
std::optional<int> portNamed(const QString& name);

// What a port list entry leads to at this moment.
struct PortTarget {
    int port = 0;
    QString device;                    // the device it opens; empty when there is none
    std::optional<SerialDevice> found; // the system's description of that device, if present
    bool mapped = false;               // named by --port
    bool present = false;              // the device is there to be opened
    QString absence;                   // why there is no device, when there is none

    QString name() const { return QStringLiteral("COM%1").arg(port); }
    // "COM1 → /dev/ttyUSB0: FT232R USB UART, FTDI", "COM1 → /dev/pts/3", or why nothing is
    // there.
    QString summary() const;
};

class PortMap {
public:
    // `listDevices` tells which serial devices are present; without it none are.
    explicit PortMap(DeviceLister listDevices = {}) : listDevices_(std::move(listDevices)) {}

    void map(int port, const QString& device) { overrides_[port] = device; }
    // Parses one "COMn=DEVICE" argument; false if it is not of that form.
    bool addMapping(const QString& argument);

    PortTarget target(int port) const;
    // The ports worth listing: COM1 to COM8, then every higher port present or mapped.
    std::vector<int> ports() const;
    // The device port n opens now; empty when there is none.
    QString deviceFor(int port) const { return target(port).device; }

private:
    std::vector<SerialDevice> present() const;

    DeviceLister listDevices_;
    QMap<int, QString> overrides_;
};

} // namespace callcfg

#pragma once
// Port list entries and the devices they name.
//
// The port list holds "COM1" to "COM8"; the port number is the last character of the
// entry's text. On Windows port n is COMn. Elsewhere port n is /dev/ttyS(n-1) unless the
// command line maps it to another device with --port COMn=DEVICE.

#include <QMap>
#include <QString>

#include <optional>

namespace callcfg {

// Port number named by the port list's text: its last character, 1 to 9; nullopt otherwise.
std::optional<int> portNumberOf(const QString& portListText);

class PortMap {
public:
    // The device port n opens by default on this platform.
    static QString defaultDevice(int port);

    void map(int port, const QString& device) { overrides_[port] = device; }
    QString deviceFor(int port) const;

    // Parses one "COMn=DEVICE" argument; false if it is not of that form.
    bool addMapping(const QString& argument);

private:
    QMap<int, QString> overrides_;
};

} // namespace callcfg

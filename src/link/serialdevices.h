#pragma once
// The serial devices present on this machine and the order in which the port list's entries
// take them: on-board UARTs first, by number, then USB serial adapters by their
// /dev/serial/by-id name, so that one adapter keeps its entry whichever socket it is in.

#include <QString>

#include <functional>
#include <vector>

namespace callcfg {

// One serial device as the system describes it.
struct SerialDevice {
    QString path;     // "/dev/ttyUSB0"; "COM3" on Windows
    QString byIdName; // its name under /dev/serial/by-id, empty when it has none
    bool usb = false; // behind a USB adapter
    // A Bluetooth serial port (rfcomm, or Windows' "Standard Serial over Bluetooth link"): its
    // open may wait many seconds for a far device.
    bool bluetooth = false;
    QString description;
    QString manufacturer;
    QString serialNumber;
    // The UART type the kernel reports for an on-board port (/sys/class/tty/*/type): 0 for a
    // node without a UART behind it; -1 when not known.
    int uartType = -1;
};

// The devices present at the moment of the call, in any order.
using DeviceLister = std::function<std::vector<SerialDevice>()>;

// The devices in port-list order: devices not behind USB by name and number (ttyS2 before
// ttyS10), then USB adapters by their by-id name, adapters without one last by name. Nodes
// without a UART are left out: they are no devices.
std::vector<SerialDevice> inPortOrder(std::vector<SerialDevice> devices);

// What the device is: "FT232R USB UART, FTDI, serial number A1B2C3", the parts the system
// knows, or "serial port" when it knows none.
QString whatItIs(const SerialDevice& device);

// The devices the system reports now: Qt's list on Linux (which leaves out ttyS nodes without
// a UART), the registry's SERIALCOMM list on Windows.
DeviceLister systemDeviceLister();

} // namespace callcfg

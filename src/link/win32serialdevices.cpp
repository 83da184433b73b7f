// The serial ports Windows reports: the registry's SERIALCOMM list names every COM port
// present; SetupAPI adds what each is (description, manufacturer, serial number).

#ifdef _WIN32

#include "link/serialdevices.h"

#include <QHash>

#include <iterator>

#include <windows.h>
// Order matters: devguid.h needs the GUID machinery of windows.h.
#include <devguid.h>
#include <setupapi.h>

namespace callcfg {

namespace {

// The COM port names in HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, with the kernel device behind
// each ("\Device\VCP0", "\Device\Serial0").
QHash<QString, QString> serialComm() {
    QHash<QString, QString> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLength = DWORD(std::size(name));
        DWORD dataBytes = sizeof(data);
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        const QString port =
            QString::fromWCharArray(data, int(dataBytes / sizeof(wchar_t))).section(QChar(0), 0, 0);
        ports.insert(port.toUpper(), QString::fromWCharArray(name, int(nameLength)));
    }
    RegCloseKey(key);
    return ports;
}

QString property(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD which) {
    wchar_t text[512];
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, which, &type,
                                           reinterpret_cast<BYTE*>(text), sizeof(text), nullptr) ||
        type != REG_SZ)
        return {};
    return QString::fromWCharArray(text);
}

// The port name ("COM3") of a device of the Ports class.
QString portNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64];
    DWORD bytes = sizeof(name);
    DWORD type = 0;
    QString port;
    if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        port = QString::fromWCharArray(name, int(bytes / sizeof(wchar_t))).section(QChar(0), 0, 0);
    RegCloseKey(key);
    return port.toUpper();
}

// What SetupAPI knows of the ports present, by port name.
QHash<QString, SerialDevice> described() {
    QHash<QString, SerialDevice> devices;
    HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
        const QString port = portNameOf(set, device);
        if (port.isEmpty())
            continue;
        SerialDevice d;
        d.path = port;
        d.description = property(set, device, SPDRP_DEVICEDESC);
        d.manufacturer = property(set, device, SPDRP_MFG);
        wchar_t instance[512];
        if (SetupDiGetDeviceInstanceIdW(set, &device, instance, DWORD(std::size(instance)),
                                        nullptr)) {
            // "USB\VID_0403&PID_6001\A1B2C3", "FTDIBUS\VID_0403+PID_6001+A1B2C3A\0000"
            const QString id = QString::fromWCharArray(instance);
            d.usb = id.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive) ||
                    id.startsWith(QLatin1String("FTDIBUS\\"), Qt::CaseInsensitive);
            d.bluetooth = id.startsWith(QLatin1String("BTHENUM\\"), Qt::CaseInsensitive);
            const QString last = id.section(QLatin1Char('\\'), -1);
            if (id.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive) &&
                !last.contains(QLatin1Char('&')))
                d.serialNumber = last; // a generated instance id has '&' in it
        }
        devices.insert(port, d);
    }
    SetupDiDestroyDeviceInfoList(set);
    return devices;
}

} // namespace

DeviceLister systemDeviceLister() {
    return [] {
        const QHash<QString, SerialDevice> known = described();
        std::vector<SerialDevice> devices;
        const QHash<QString, QString> ports = serialComm();
        for (auto it = ports.begin(); it != ports.end(); ++it) {
            SerialDevice device = known.value(it.key());
            device.path = it.key();
            if (!device.usb)
                device.usb = it.value().contains(QLatin1String("VCP")) ||
                             it.value().contains(QLatin1String("USB"), Qt::CaseInsensitive);
            devices.push_back(device);
        }
        return devices;
    };
}

} // namespace callcfg

#endif

#include "link/serialdevices.h"

#include "link/texts.h"

#include <QStringList>

#include <algorithm>

namespace callcfg {

namespace {

enum class Group { NotUsb, UsbById, UsbWithoutId };

Group groupOf(const SerialDevice& device) {
    if (!device.usb)
        return Group::NotUsb;
    return device.byIdName.isEmpty() ? Group::UsbWithoutId : Group::UsbById;
}

// The run of digits starting at i, without its leading zeros; i moves past it.
QStringView digitsAt(const QString& text, qsizetype& i) {
    while (i + 1 < text.size() && text[i] == QLatin1Char('0') && text[i + 1].isDigit())
        ++i;
    const qsizetype start = i;
    while (i < text.size() && text[i].isDigit())
        ++i;
    return QStringView(text).mid(start, i - start);
}

// Whether a sorts before b, numbers inside the names compared by value (ttyS2 before ttyS10)
// and everything else by character code: the same order on every machine, whatever its locale.
bool naturallyBefore(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const QStringView x = digitsAt(a, i), y = digitsAt(b, j);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (const int c = x.compare(y); c != 0)
                return c < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

std::vector<SerialDevice> inPortOrder(std::vector<SerialDevice> devices) {
    std::erase_if(devices, [](const SerialDevice& d) { return d.uartType == 0; });
    const auto key = [](const SerialDevice& d) {
        return groupOf(d) == Group::UsbById ? d.byIdName : d.path;
    };
    std::stable_sort(devices.begin(), devices.end(),
                     [&](const SerialDevice& a, const SerialDevice& b) {
                         if (groupOf(a) != groupOf(b))
                             return groupOf(a) < groupOf(b);
                         return naturallyBefore(key(a), key(b));
                     });
    return devices;
}

QString whatItIs(const SerialDevice& device) {
    QStringList parts;
    if (!device.description.isEmpty())
        parts << device.description;
    if (!device.manufacturer.isEmpty() && device.manufacturer != device.description)
        parts << device.manufacturer;
    if (!device.serialNumber.isEmpty())
        parts << Texts::tr("serial number %1").arg(device.serialNumber);
    return parts.isEmpty() ? Texts::tr("serial port") : parts.join(Texts::tr(", "));
}

} // namespace callcfg

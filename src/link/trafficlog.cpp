#include "link/trafficlog.h"

#include "link/link.h"

#include <chrono>

namespace callcfg {

bool TrafficLog::open(const QString& path) {
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void TrafficLog::sent(std::span<const std::uint8_t> wire) {
    write("sent", wire);
}

void TrafficLog::received(std::span<const std::uint8_t> bytes) {
    write("read", bytes);
}

void TrafficLog::write(const char* direction, std::span<const std::uint8_t> bytes) {
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const QByteArray hex =
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
            .toHex(' ')
            .toUpper();
    file_.write(QByteArray::number(qint64(now.count())) + ' ' + direction + ' ' +
                link_.device().toUtf8() + ' ' + hex + '\n');
    file_.flush();
}

} // namespace callcfg

#include "link/trafficlog.h"

#include "link/link.h"

#include <chrono>

namespace callcfg {

namespace {

const char* nameOf(LineError error) {
    switch (error) {
    case LineError::Overrun:
        return "overrun";
    case LineError::ReceiveBufferOverrun:
        return "receive-buffer-overrun";
    case LineError::Framing:
        return "framing";
    case LineError::Parity:
        return "parity";
    case LineError::Break:
        return "break";
    }
    return "unknown";
}

} // namespace

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

void TrafficLog::dropped(std::span<const std::uint8_t> bytes) {
    write("dropped", bytes);
}

void TrafficLog::lineError(LineError error) {
    writeLine("line-error", nameOf(error));
}

void TrafficLog::portLost(const QString& message) {
    writeLine("lost", message.toUtf8());
}

void TrafficLog::note(const QString& text) {
    writeStamped(QByteArray("note ") + text.toUtf8());
}

QByteArray spacedHex(std::span<const std::uint8_t> bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
        .toHex(' ')
        .toUpper();
}

void TrafficLog::write(const char* direction, std::span<const std::uint8_t> bytes) {
    writeLine(direction, spacedHex(bytes));
}

void TrafficLog::writeLine(const char* what, const QByteArray& text) {
    writeStamped(what + (' ' + link_.device().toUtf8()) + ' ' + text);
}

void TrafficLog::writeStamped(const QByteArray& line) {
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    file_.write(QByteArray::number(qint64(now.count())) + ' ' + line + '\n');
    file_.flush();
}

} // namespace callcfg

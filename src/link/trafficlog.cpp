#include "link/trafficlog.h"

#include "link/link.h"

#include <QFile>

#include <chrono>
#include <mutex>

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

struct TrafficLogFile::Guarded {
    mutable std::mutex lines;
    QFile file;
};

TrafficLogFile::TrafficLogFile() : guarded_(std::make_unique<Guarded>()) {}

TrafficLogFile::~TrafficLogFile() = default;

bool TrafficLogFile::open(const QString& path) {
    const std::lock_guard lock(guarded_->lines);
    guarded_->file.setFileName(path);
    return guarded_->file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

bool TrafficLogFile::isOpen() const {
    const std::lock_guard lock(guarded_->lines);
    return guarded_->file.isOpen();
}

QString TrafficLogFile::error() const {
    const std::lock_guard lock(guarded_->lines);
    return guarded_->file.errorString();
}

void TrafficLogFile::writeLine(const QByteArray& line) {
    const std::lock_guard lock(guarded_->lines);
    if (guarded_->file.isOpen()) {
        guarded_->file.write(line);
        guarded_->file.flush();
    }
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
    file_->writeLine(QByteArray::number(qint64(now.count())) + ' ' + line + '\n');
}

} // namespace callcfg

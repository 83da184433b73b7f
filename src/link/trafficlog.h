#pragma once
// A traffic log for support: one line per request sent, per read that returned bytes, per
// drop of late bytes, per line error, per port lost and per note,
//   <milliseconds on the monotonic clock> <sent|read|dropped> <device> <bytes in hex>
//   <milliseconds on the monotonic clock> line-error <device> <the error>
//   <milliseconds on the monotonic clock> lost <device> <what happened>
//   <milliseconds on the monotonic clock> note <what happened>
// (the error: overrun, receive-buffer-overrun, framing, parity or break), appended to a file
// that is opened once, at start.

#include "link/linkobserver.h"

#include <QFile>
#include <QString>

namespace callcfg {

// Bytes as the log writes them: upper-case hex, a space between bytes ("55 AA 02").
QByteArray spacedHex(std::span<const std::uint8_t> bytes);

class Link;

class TrafficLog final : public LinkObserver {
public:
    explicit TrafficLog(const Link& link) : link_(link) {}

    // Opens `path` for appending; false with error() when it cannot.
    bool open(const QString& path);
    QString error() const { return file_.errorString(); }

    void sent(std::span<const std::uint8_t> wire) override;
    void received(std::span<const std::uint8_t> bytes) override;
    void dropped(std::span<const std::uint8_t> bytes) override;
    void lineError(LineError error) override;
    void portLost(const QString& message) override;
    void note(const QString& text) override;

private:
    void write(const char* direction, std::span<const std::uint8_t> bytes);
    void writeLine(const char* what, const QByteArray& text);
    void writeStamped(const QByteArray& line);

    const Link& link_;
    QFile file_;
};

} // namespace callcfg

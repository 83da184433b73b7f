#pragma once
// A traffic log for support: one line per request sent and per read that returned bytes,
//   <milliseconds on the monotonic clock> <sent|read> <device> <bytes in hex>
// appended to a file that is opened once, at start.

#include "link/linkobserver.h"

#include <QFile>
#include <QString>

namespace callcfg {

class Link;

class TrafficLog final : public LinkObserver {
public:
    explicit TrafficLog(const Link& link) : link_(link) {}

    // Opens `path` for appending; false with error() when it cannot.
    bool open(const QString& path);
    QString error() const { return file_.errorString(); }

    void sent(std::span<const std::uint8_t> wire) override;
    void received(std::span<const std::uint8_t> bytes) override;

private:
    void write(const char* direction, std::span<const std::uint8_t> bytes);

    const Link& link_;
    QFile file_;
};

} // namespace callcfg

#pragma once
// What the link tells whoever watches it: the bytes it sent, read and dropped, the line errors
// the port noticed, replies that failed their checksum, a port lost during an exchange, the
// moments between short sleeps of a wait, and notes the windows leave for the traffic log.

#include "link/serialport.h"

#include <QString>

#include <cstdint>
#include <span>

namespace callcfg {

class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // A whole request has been handed to the device.
    virtual void sent(std::span<const std::uint8_t> /*wire*/) {}
    // A read of the port returned these bytes (not called for an empty read).
    virtual void received(std::span<const std::uint8_t> /*bytes*/) {}
    // Bytes that came after an exchange gave up, dropped before the next request left.
    virtual void dropped(std::span<const std::uint8_t> /*bytes*/) {}
    // The port noticed a fault of the line when it was read; one call per occurrence.
    virtual void lineError(LineError /*error*/) {}
    // The port failed during an exchange (the adapter was pulled, say): "COM1 (/dev/ttyUSB0)
    // disconnected: <the system's reason>".
    virtual void portLost(const QString& /*message*/) {}
    // A reply to the request failed its checksum; the wait goes on.
    virtual void checksumFailed() {}
    // The wait is between two short sleeps; only painting may happen here.
    virtual void waiting() {}
    // Something that went wrong beside the line (a backup file that could not be saved), for
    // whoever records the session.
    virtual void note(const QString& /*text*/) {}
};

} // namespace callcfg

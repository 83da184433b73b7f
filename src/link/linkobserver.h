#pragma once
// What the link tells whoever watches it: the bytes it sent and read, replies that failed
// their checksum, and the moments between short sleeps of a wait.

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
    // A reply to the request failed its checksum; the wait goes on.
    virtual void checksumFailed() {}
    // The wait is between two short sleeps; only painting may happen here.
    virtual void waiting() {}
};

} // namespace callcfg

#pragma once
// What the line carried in answer to one request, read as a listener on the tool's side reads
// it (55 AA 02, the command, the length, the data, the checksum), and what the tool may
// therefore have made of the exchange, given when its request left and how long it waits. What
// the line carried before the request does not count: the tool drops it before the request
// leaves, and the unit drops a second copy of a reply that is not out when the next request
// begins.

#include "hostsim/line/ptyhost.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace soak {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

struct Exchange {
    const hostsim::LineRecord* record = nullptr;
    std::optional<Clock::time_point> sent; // when the tool's request had left
    double waitSeconds = 0;                // the tool's whole wait for the reply
};

// What the tool may have made of one exchange.
struct Allowed {
    std::optional<Bytes> reply; // the data of the good reply to the request, if one came
    bool noReply = true;        // no good reply taken in time, or the device gone meanwhile
    bool sendFailure = false;   // the device went away while the request was being written
    int minChecksumErrors = 0;  // replies that failed their checksum and came surely in time
    int maxChecksumErrors = 0;  // ... and those that may have been read at all
};

Allowed allowedOutcomes(const Exchange& exchange);

} // namespace soak

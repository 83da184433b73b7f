#pragma once
// One exchange with the host unit: a request, how long to wait for its reply, and what came of
// it.

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace callcfg {

struct Request {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> data; // at most 255 bytes
};

// Wait `periods` periods of `seconds` each (at least one period); the reply is looked for in
// what has arrived at the end of each period.
struct WaitPlan {
    int periods = 1;
    double seconds = 1.0;
};

// A reply to the request passed its checksum: its data bytes (its data length is their count).
struct Replied {
    std::vector<std::uint8_t> data;
};

// No good reply by the end of the last period: nothing usable came within the wait.
struct NoReply {};

// The port failed, with the system's reason: the device refused a byte of the request
// (`whileSending`), or a read failed during the wait, which ends it at once. A command shows its
// own failure box for the one and its no-reply verdict for the other, so the moment is kept.
// A device that took no byte for a second has `stalled`: it is still there, and the reason is
// the system's, if it gave one.
struct PortFault {
    QString reason;
    bool whileSending = false;
    bool stalled = false;
};

using Outcome = std::variant<Replied, NoReply, PortFault>;

} // namespace callcfg

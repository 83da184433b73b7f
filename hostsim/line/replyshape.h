#pragma once
// How the unit's answer goes on the wire once the faults that apply to it have shaped it, and
// whether two shapes put the same on the line.

#include "hostsim/line/fault.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hostsim {

// One answer and how to send it.
struct Reply {
    std::vector<std::uint8_t> bytes; // as they go on the wire, noise included
    double delay = 0;                // seconds between the request and the first byte
    std::size_t splitAt = 0;         // > 0: send bytes [0, splitAt), pause, then the rest
    double splitPause = 0;           // seconds
    double tricklePause = 0;         // > 0: every byte on its own, this many seconds apart
    bool goAway = false;             // the device disappears after these bytes
    double copyPause = -1;           // >= 0: the bytes go out again this many seconds after
    std::uint64_t sequence = 0;      // the Applied record of the request it answers
};

// The reply to `command` with `data`, leaving `delay` seconds after the request, as `faults`
// shape it (MemoryFull aside: it acts on the answer, not on the reply). Timings that cannot
// matter are left out: a split past the end, a trickle of one byte, a delay before nothing.
Reply shapeReply(std::uint8_t command, std::vector<std::uint8_t> data, double delay,
                 std::span<const Fault* const> faults);

// The same bytes leave at the same moments and the device stays or goes alike.
bool sameOnTheLine(const Reply& a, const Reply& b);

} // namespace hostsim

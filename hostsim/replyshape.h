#pragma once
// How the unit's answer goes on the wire once the faults that apply to it have shaped it, and
// whether two shapes put the same on the line.

#include "hostsim/fault.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hostsim {

struct Reply;

// The reply to `command` with `data`, leaving `delay` seconds after the request, as `faults`
// shape it (MemoryFull aside: it acts on the answer, not on the reply). Timings that cannot
// matter are left out: a split past the end, a trickle of one byte, a delay before nothing.
Reply shapeReply(std::uint8_t command, std::vector<std::uint8_t> data, double delay,
                 std::span<const Fault* const> faults);

// The same bytes leave at the same moments and the device stays or goes alike.
bool sameOnTheLine(const Reply& a, const Reply& b);

} // namespace hostsim

#pragma once
// Finding the host unit: every port list entry that leads to a device present is opened in
// turn and asked for the host memory's block 0, with that request's own wait of 0.2 s. A
// device that another program holds cannot be opened and is left alone.

#include "link/portmap.h"

#include <QString>

#include <vector>

namespace callcfg {

class Link;

enum class ProbeAnswer {
    NotPresent, // nothing to open
    NotOpened,  // the device could not be opened (another program holds it, say)
    NoAnswer,   // nothing answered as a host unit does
    HostUnit,   // a host unit answered with block 0
};

struct Probe {
    PortTarget target;
    ProbeAnswer answer = ProbeAnswer::NotPresent;
    QString reason; // the system's reason when the device could not be opened or was lost
};

// Entries COM1 to COM8 in order, each device asked once (an entry that leads to a device asked
// before shares its answer). Uses `link`, which must be closed; it is closed again, RTS off.
std::vector<Probe> searchHostUnits(Link& link, const PortMap& portMap);

// The first entry where a host unit answered, or 0.
int firstHostUnit(const std::vector<Probe>& probes);

} // namespace callcfg

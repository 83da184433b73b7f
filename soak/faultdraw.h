#pragma once
// Draws the faults of the soaks: any kind that can act on the request, the kinds applied least
// so far more often, with parameters that reach from harmless to fatal. Until every kind that
// can act on the request has acted kEnough times, only those short of it are drawn, so that a
// soak of a few thousand exchanges applies each kind enough, whichever of them act seldom on a
// machine.

#include "tally.h"

#include "hostsim/line/fault.h"

#include <QRandomGenerator>

namespace soak {

// The request a fault is drawn for.
struct FaultTarget {
    std::uint8_t command = 0;
    int block = -1;           // the block of a block command, or -1
    std::size_t wireSize = 6; // of its right reply, about
    double waitSeconds = 1;   // the tool's wait for it, as the tool waits (time scale applied)
    bool learns = false;      // a table caller set or a repeater write: memory full can act
    bool lossAtOnce = true;   // a request loss may be armed now: the tool is not mid-exchange
};

class FaultDraw {
public:
    static constexpr int kEnough = 20;

    FaultDraw(QRandomGenerator& random, const Tally& tally) : random_(random), tally_(tally) {}

    hostsim::Fault draw(const FaultTarget& target);
    // `count` faults on distinct blocks of a transfer of `blocks`, mostly the first `early`:
    // a request loss first, then the kinds that mostly let the transfer go on, then the rest, so
    // that several act before one ends it, and a transfer that fails ends soon.
    std::vector<hostsim::Fault> drawTransfer(FaultTarget target, int blocks, int count, int early);
    // Whether the kind is the one applied least so far (of those that can act in this soak).
    bool lagging(hostsim::Fault::Kind kind, const std::vector<hostsim::Fault::Kind>& kinds) const;

private:
    hostsim::Fault::Kind chooseKind(const std::vector<hostsim::Fault::Kind>& kinds);
    std::vector<std::uint8_t> noise();

    QRandomGenerator& random_;
    const Tally& tally_;
};

} // namespace soak

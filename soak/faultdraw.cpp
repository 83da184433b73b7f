#include "faultdraw.h"

#include <algorithm>

namespace soak {

using hostsim::Fault;
using K = Fault::Kind;

bool FaultDraw::lagging(K kind, const std::vector<K>& kinds) const {
    const int mine = tally_.applied(kind);
    return std::all_of(kinds.begin(), kinds.end(),
                       [&](K other) { return tally_.applied(other) >= mine; });
}

// Only the kinds short of kEnough while there are any; each kind weighs more the further it is
// behind the kind applied most.
K FaultDraw::chooseKind(const std::vector<K>& applicable) {
    std::vector<K> kinds;
    std::copy_if(applicable.begin(), applicable.end(), std::back_inserter(kinds),
                 [&](K k) { return tally_.applied(k) < kEnough; });
    if (kinds.empty())
        kinds = applicable;
    int most = 0;
    for (K k : kinds)
        most = std::max(most, tally_.applied(k));
    std::vector<int> weights;
    int total = 0;
    for (K k : kinds) {
        const int behind = most - tally_.applied(k) + 1;
        weights.push_back(behind * behind);
        total += weights.back();
    }
    int roll = random_.bounded(total);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (roll < weights[i])
            return kinds[i];
        roll -= weights[i];
    }
    return kinds.back();
}

std::vector<std::uint8_t> FaultDraw::noise() {
    std::vector<std::uint8_t> bytes;
    for (int i = random_.bounded(1, 8); i > 0; --i)
        bytes.push_back(static_cast<std::uint8_t>(random_.bounded(256)));
    return bytes;
}

Fault FaultDraw::draw(const FaultTarget& t) {
    std::vector<K> kinds;
    for (K k : allFaultKinds())
        if ((k != K::MemoryFull || t.learns) &&
            (k != K::GoneBeforeRequest || t.lossAtOnce || t.block > 0))
            kinds.push_back(k);
    const int wire = int(std::max<std::size_t>(t.wireSize, 2));
    // From well within the wait to half as long again.
    const auto someOfTheWait = [&] { return t.waitSeconds * random_.bounded(150) / 100.0; };
    Fault f;
    switch (chooseKind(kinds)) {
    case K::NoReply:
        f = Fault::noReply();
        break;
    case K::BadChecksum:
        f = Fault::badChecksum();
        break;
    case K::Noise:
        f = Fault::noise(noise());
        break;
    case K::NoiseAfter:
        f = Fault::noiseAfter(noise());
        break;
    case K::Split:
        f = Fault::split(random_.bounded(1, wire), std::max(0.001, someOfTheWait()));
        break;
    case K::Trickle:
        f = Fault::trickle(random_.bounded(1, 4) / 1000.0);
        break;
    case K::WrongCommand:
        f = Fault::wrongCommand(static_cast<std::uint8_t>(t.command ^ (1 << random_.bounded(8))));
        break;
    case K::WrongLength: {
        const int lengths[] = {0, 1, 2, 3, 127, 129};
        f = Fault::wrongLength(static_cast<std::uint8_t>(lengths[random_.bounded(6)]),
                               static_cast<std::uint8_t>(random_.bounded(256)));
        break;
    }
    case K::ForceData: {
        std::vector<std::uint8_t> status(std::size_t(random_.bounded(4)));
        for (std::uint8_t& b : status)
            b = static_cast<std::uint8_t>(random_.bounded(4) == 0 ? 0xFF : random_.bounded(3));
        f = Fault::forceData(status);
        break;
    }
    case K::Truncate:
        f = Fault::truncate(random_.bounded(1, wire));
        break;
    case K::Corrupt:
        f = Fault::corrupt(random_.bounded(wire));
        break;
    case K::Delay:
        f = Fault::delay(someOfTheWait());
        break;
    case K::MemoryFull:
        f = Fault::memoryFull();
        break;
    case K::GoAway:
        f = Fault::goAway(random_.bounded(wire + 1));
        break;
    case K::LoseMidRequest:
        f = Fault::loseMidRequest();
        break;
    case K::GoneBeforeRequest:
        f = Fault::goneBeforeRequest();
        break;
    case K::Twice:
        // A transfer's next request follows the reply at once: its copy comes within the wait.
        // A command's comes within its wait or after it, before the next operation.
        f = Fault::twice(t.block >= 0 ? t.waitSeconds * random_.bounded(50) / 100.0
                                      : someOfTheWait());
        break;
    }
    f = f.onCommand(t.command);
    return t.block >= 0 ? f.onBlock(t.block) : f;
}

std::vector<Fault> FaultDraw::drawTransfer(FaultTarget target, int blocks, int count, int early) {
    std::vector<int> used;
    for (int i = 0; i < count; ++i) {
        const int block = random_.bounded(8) == 0 ? random_.bounded(blocks)
                                                  : random_.bounded(std::min(blocks, early));
        if (std::find(used.begin(), used.end(), block) == used.end())
            used.push_back(block);
    }
    std::sort(used.begin(), used.end());
    target.block = 1; // any block may take any kind; the block is set below
    std::vector<Fault> faults;
    for (std::size_t i = 0; i < used.size(); ++i)
        faults.push_back(draw(target));
    const auto order = [](const Fault& f) {
        switch (f.kind) {
        case K::LoseMidRequest:
        case K::GoneBeforeRequest:
            return 0;
        case K::Noise:
        case K::NoiseAfter:
        case K::Delay:
        case K::Split:
            return 1;
        default:
            return 2;
        }
    };
    std::stable_sort(faults.begin(), faults.end(),
                     [&](const Fault& a, const Fault& b) { return order(a) < order(b); });
    for (std::size_t i = 0; i < faults.size(); ++i) {
        faults[i].block = used[i];
        // Gone before a transfer's first request would be gone before the program opens it.
        if (faults[i].kind == K::GoneBeforeRequest && !target.lossAtOnce && used[i] == 0)
            faults[i].block = 1;
    }
    return faults;
}

} // namespace soak

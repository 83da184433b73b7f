#include "memory/hostsearch.h"

#include "link/link.h"
#include "memory/blocktransfer.h"

#include <QHash>

namespace callcfg {

namespace {

constexpr int kEntries = 8;

Probe ask(Link& link, const PortTarget& target) {
    Probe probe{target, ProbeAnswer::NoAnswer, {}};
    if (!link.open(target.device, target.name())) {
        probe.answer = ProbeAnswer::NotOpened;
        probe.reason = link.portError();
        link.close();
        link.setRts(false);
        return probe;
    }
    const BlockPlan plan = hostReadPlan();
    const Outcome outcome = link.exchange(plan.request(0), plan.wait(0));
    if (const auto* replied = std::get_if<Replied>(&outcome)) {
        if (static_cast<int>(replied->data.size()) == plan.replyLength)
            probe.answer = ProbeAnswer::HostUnit;
    } else if (const auto* lost = std::get_if<PortFault>(&outcome)) {
        probe.reason = lost->reason;
    }
    link.close();
    link.setRts(false);
    return probe;
}

} // namespace

std::vector<Probe> searchHostUnits(Link& link, const PortMap& portMap) {
    std::vector<Probe> probes;
    QHash<QString, Probe> asked; // device -> its probe
    for (int port = 1; port <= kEntries; ++port) {
        const PortTarget target = portMap.target(port);
        if (!target.present) {
            probes.push_back({target, ProbeAnswer::NotPresent, {}});
        } else if (asked.contains(target.device)) {
            Probe shared = asked.value(target.device);
            shared.target = target;
            probes.push_back(shared);
        } else {
            probes.push_back(ask(link, target));
            asked.insert(target.device, probes.back());
        }
    }
    return probes;
}

int firstHostUnit(const std::vector<Probe>& probes) {
    for (const Probe& probe : probes)
        if (probe.answer == ProbeAnswer::HostUnit)
            return probe.target.port;
    return 0;
}

} // namespace callcfg

#include "memory/hostsearch.h"

#include <QSet>

#include <algorithm>

namespace callcfg {

namespace {

bool behindUsb(const PortTarget& target) {
    return target.found && target.found->usb;
}

} // namespace

HostSearch::HostSearch(const PortMap& portMap, QuestionSettings settings)
    : settings_(std::move(settings)) {
    QSet<QString> devices;
    for (int port : portMap.ports()) {
        const PortTarget target = portMap.target(port);
        ProbeAnswer answer = ProbeAnswer::NotAsked;
        if (!target.present)
            answer = ProbeAnswer::NotPresent;
        else if (target.found && target.found->bluetooth && !target.mapped)
            answer = ProbeAnswer::Skipped;
        probes_.push_back({target, answer, {}});
        if (answer == ProbeAnswer::NotAsked && !devices.contains(target.device)) {
            devices.insert(target.device);
            order_.push_back(probes_.size() - 1);
        }
    }
    std::stable_partition(order_.begin(), order_.end(),
                          [this](std::size_t i) { return behindUsb(probes_[i].target); });
}

HostSearch::~HostSearch() = default;

const PortTarget* HostSearch::asking() const {
    return question_ ? &probes_[order_[next_]].target : nullptr;
}

// The answer of a device is the answer of every port that leads to it.
void HostSearch::take(std::size_t index, const Probe& probe) {
    const QString device = probes_[index].target.device;
    for (Probe& p : probes_) {
        if (p.answer == ProbeAnswer::NotAsked && p.target.device == device) {
            p.answer = probe.answer;
            p.reason = probe.reason;
            p.failure = probe.failure;
        }
    }
    if (probe.answer == ProbeAnswer::HostUnit && found_ == 0)
        found_ = probes_[index].target.port;
}

bool HostSearch::advance(Clock::time_point until) {
    while (next_ < order_.size()) {
        if (stopAtFirst_ && found_ != 0) {
            stop();
            break;
        }
        const std::size_t index = order_[next_];
        if (!question_) {
            question_ = std::make_unique<PortQuestion>(probes_[index].target, settings_);
            deadline_ = Clock::now() + bound_;
        }
        const auto progress = question_->waitUntil(std::min(until, deadline_));
        if (!progress.closed && Clock::now() < deadline_)
            return false;
        // Past its bound, an answer the unit gave counts though the port is still closing.
        take(index, progress.answer.value_or(Probe{{}, ProbeAnswer::Stalled, {}}));
        question_.reset();
        ++next_;
    }
    return true;
}

void HostSearch::stop() {
    // A question that runs as it should ends within its request's wait: given that long, it
    // has closed its port, and the port can be opened again at once.
    if (question_)
        question_->waitUntil(Clock::now() + kStopGrace);
    question_.reset();
    next_ = order_.size();
}

} // namespace callcfg

// The line at the simulated host unit: requests in, the unit's answers out as faults shape them.
#include "hostsim/line/hostline.h"

#include "protocol/commands.h"
#include "protocol/protocol.h"

#include <algorithm>
#include <utility>

namespace hostsim {

namespace {

namespace P = callcfg::protocol;

bool isBlockCommand(std::uint8_t command) {
    return command == P::kReadHostBlock || command == P::kReadReceiverBlock ||
           command == P::kWriteHostBlock;
}

bool matches(const Fault& f, const ReceivedRequest& r) {
    if (f.command >= 0 && f.command != r.command)
        return false;
    if (f.kind == Fault::Kind::MemoryFull && r.command != P::kSetTableCaller)
        return false;
    if (f.block >= 0 && (!isBlockCommand(r.command) || r.data.empty() || r.data[0] != f.block))
        return false;
    return true;
}

} // namespace

std::vector<Reply> HostLine::feed(const std::uint8_t* bytes, std::size_t count) {
    raw_.insert(raw_.end(), bytes, bytes + count);
    std::vector<Reply> replies;
    for (ReceivedRequest& request : parser_.feed(bytes, count)) {
        requests_.push_back(request);
        lastRequest_ = request;
        Reply reply = makeReply(request);
        if (!reply.bytes.empty() || reply.goAway)
            replies.push_back(std::move(reply));
    }
    return replies;
}

std::vector<ReceivedRequest> HostLine::takeRequests() {
    return std::exchange(requests_, {});
}

std::vector<std::uint8_t> HostLine::takeRawReceived() {
    return std::exchange(raw_, {});
}

std::vector<Applied> HostLine::takeApplied() {
    return std::exchange(applied_, {});
}

std::vector<Fault> HostLine::takeMatchingFaults(const ReceivedRequest& request) {
    std::vector<Fault> taken;
    for (auto it = faults_.begin(); it != faults_.end();) {
        if (it->losesRequest() || !matches(*it, request)) {
            ++it;
            continue;
        }
        taken.push_back(*it);
        if (it->times > 0 && --it->times == 0)
            it = faults_.erase(it);
        else
            ++it;
    }
    return taken;
}

std::optional<std::size_t> HostLine::dueRequestLoss() const {
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const Fault& f = faults_[i];
        if (!f.losesRequest())
            continue;
        if (f.block <= 0)
            return i;
        const ReceivedRequest* last = lastRequest_ ? &*lastRequest_ : nullptr;
        if (last && isBlockCommand(last->command) && !last->data.empty() &&
            last->data[0] == f.block - 1 && (f.command < 0 || f.command == last->command))
            return i;
    }
    return std::nullopt;
}

std::optional<Fault> HostLine::requestLossDue() const {
    const auto due = dueRequestLoss();
    return due ? std::optional(faults_[*due]) : std::nullopt;
}

void HostLine::recordRequestLoss(std::size_t bytesReceived) {
    const auto due = dueRequestLoss();
    if (!due)
        return;
    const auto it = faults_.begin() + static_cast<std::ptrdiff_t>(*due);
    Applied& applied = applied_.emplace_back();
    applied.sequence = nextSequence_++;
    applied.lostAfter = bytesReceived;
    applied.faults = {it->kind};
    applied.goAway = true;
    if (it->times > 0 && --it->times == 0)
        faults_.erase(it);
    parser_.dropPartialFrame();
}

// The faults that made the reply what it is: each is dropped in turn when the line carries the
// same without it, so that of several faults that agree (two that cut the reply at once, noise
// that a dropped reply never sends) only those that changed something count.
Reply HostLine::makeReply(const ReceivedRequest& request) {
    if (!HostUnit::knows(request.command))
        return {};

    const std::vector<Fault> faults = takeMatchingFaults(request);
    const bool memoryFull = std::any_of(faults.begin(), faults.end(), [](const Fault& f) {
        return f.kind == Fault::Kind::MemoryFull;
    });
    Applied& applied = applied_.emplace_back();
    applied.sequence = nextSequence_++;
    applied.request = request;
    const HostUnit::Answer a = unit_->carryOut(request, memoryFull);
    applied.refused = a.refused;
    const double delay = a.learns ? unit_->learnDelay() : 0.0;

    std::vector<const Fault*> kept;
    for (const Fault& f : faults)
        if (f.kind != Fault::Kind::MemoryFull)
            kept.push_back(&f);
    Reply reply = shapeReply(request.command, a.data, delay, kept);
    for (std::size_t i = 0; i < kept.size();) {
        std::vector<const Fault*> without = kept;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        if (sameOnTheLine(shapeReply(request.command, a.data, delay, without), reply))
            kept = std::move(without);
        else
            ++i;
    }
    bool memoryFullCounted = false; // several MemoryFull faults on one request count once
    for (const Fault& f : faults) {
        if (f.kind == Fault::Kind::MemoryFull
                ? a.memoryFullActed && !std::exchange(memoryFullCounted, true)
                : std::find(kept.begin(), kept.end(), &f) != kept.end())
            applied.faults.push_back(f.kind);
    }

    applied.right = P::replyWire(request.command, a.data);
    applied.wire = reply.bytes;
    if (reply.copyPause >= 0)
        applied.wire.insert(applied.wire.end(), reply.bytes.begin(), reply.bytes.end());
    applied.goAway = reply.goAway;
    const auto whole = [&reply](const std::vector<std::uint8_t>& wanted) {
        return std::search(reply.bytes.begin(), reply.bytes.end(), wanted.begin(), wanted.end()) !=
               reply.bytes.end();
    };
    if (whole(applied.right))
        applied.answer = reply.goAway ? Applied::Answer::Uncertain : Applied::Answer::Correct;
    reply.sequence = applied.sequence;
    return reply;
}

} // namespace hostsim

#include "hostsim/hostunit.h"

#include "hostsim/replyshape.h"

#include "protocol/commands.h"
#include "protocol/memoryblocks.h"
#include "protocol/memorymap.h"
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

HostUnit::HostUnit() {
    initialise();
    receivers_[BuiltInReceiver] = factoryReceiverImage(BuiltInReceiver);
    receivers_[ExternalReceiver] = factoryReceiverImage(ExternalReceiver);
}

std::vector<Reply> HostUnit::feed(const std::uint8_t* bytes, std::size_t count) {
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

std::vector<ReceivedRequest> HostUnit::takeRequests() {
    return std::exchange(requests_, {});
}

std::vector<std::uint8_t> HostUnit::takeRawReceived() {
    return std::exchange(raw_, {});
}

std::vector<Applied> HostUnit::takeApplied() {
    return std::exchange(applied_, {});
}

std::vector<Fault> HostUnit::takeMatchingFaults(const ReceivedRequest& request) {
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

std::optional<std::size_t> HostUnit::dueRequestLoss() const {
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

std::optional<Fault> HostUnit::requestLossDue() const {
    const auto due = dueRequestLoss();
    return due ? std::optional(faults_[*due]) : std::nullopt;
}

void HostUnit::recordRequestLoss(std::size_t bytesReceived) {
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
Reply HostUnit::makeReply(const ReceivedRequest& request) {
    if (std::find(P::kCommandCodes.begin(), P::kCommandCodes.end(), request.command) ==
        P::kCommandCodes.end())
        return {};

    const std::vector<Fault> faults = takeMatchingFaults(request);
    const bool memoryFull = std::any_of(faults.begin(), faults.end(), [](const Fault& f) {
        return f.kind == Fault::Kind::MemoryFull;
    });
    Applied& applied = applied_.emplace_back();
    applied.sequence = nextSequence_++;
    applied.request = request;
    Answer a = answer(request, memoryFull).value_or(Answer{});
    applied.refused = a.refused;
    const double delay = a.learns ? learnDelay_ : 0.0;

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

DisplayType HostUnit::displayType() const {
    return memory_[storage::kDisplayType] == P::kVoiceDisplay ? DisplayType::Voice
                                                              : DisplayType::Digital;
}

void HostUnit::setDisplayType(DisplayType type) {
    memory_[storage::kDisplayType] = static_cast<std::uint8_t>(type);
}

void HostUnit::setNextCallerCode(const CallerCode& code) {
    nextCallerCode_ = code;
    lastCallerCode_.reset();
}

CallerCode HostUnit::learnCaller() {
    const CallerCode code = nextCallerCode_;
    lastCallerCode_ = code;
    unsigned value = (code[0] << 16 | code[1] << 8 | code[2]) + 1;
    nextCallerCode_ = {static_cast<std::uint8_t>(value >> 16),
                       static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    return code;
}

void HostUnit::initialise() {
    memory_.fill(storage::kUnset);
    setTableCount(0);
    memory_[callcfg::memorymap::kWorkModeOffset] = 1;
    memory_[storage::kRepeaterCount] = 0;
}

ReceiverImage HostUnit::factoryReceiverImage(int receiver) {
    ReceiverImage image;
    image.fill(storage::kUnset);
    image[0] = receiver == ExternalReceiver ? 1 : 0; // receiver number
    image[1] = 7;                                    // frequency 315.6 MHz
    return image;
}

} // namespace hostsim

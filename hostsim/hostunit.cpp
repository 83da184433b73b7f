#include "hostsim/hostunit.h"

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
        if (!matches(*it, request)) {
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

Reply HostUnit::makeReply(const ReceivedRequest& request) {
    Reply reply;
    if (std::find(P::kCommandCodes.begin(), P::kCommandCodes.end(), request.command) ==
        P::kCommandCodes.end())
        return reply;

    const std::vector<Fault> faults = takeMatchingFaults(request);
    auto has = [&](Fault::Kind kind) {
        return std::any_of(faults.begin(), faults.end(),
                           [kind](const Fault& f) { return f.kind == kind; });
    };
    Applied& applied = applied_.emplace_back();
    applied.request = request;
    for (const Fault& f : faults)
        applied.faults.push_back(f.kind);
    std::optional<Answer> answered = answer(request, has(Fault::Kind::MemoryFull));
    if (!answered)
        return reply;
    Answer a = std::move(*answered);
    const std::vector<std::uint8_t> right = P::replyWire(request.command, a.data);

    std::uint8_t echoed = request.command;
    bool badChecksum = false;
    std::vector<std::uint8_t> noise, noiseAfter;
    std::optional<std::size_t> corrupt;
    std::size_t keep = SIZE_MAX;
    reply.delay = a.learns ? learnDelay_ : 0.0;
    for (const Fault& f : faults) {
        switch (f.kind) {
        case Fault::Kind::ForceData:
            a.data = f.bytes;
            break;
        case Fault::Kind::WrongLength:
            a.data.resize(static_cast<std::uint8_t>(f.value), f.filler);
            break;
        case Fault::Kind::WrongCommand:
            echoed = static_cast<std::uint8_t>(f.value);
            break;
        case Fault::Kind::BadChecksum:
            badChecksum = true;
            break;
        case Fault::Kind::Noise:
            noise.insert(noise.end(), f.bytes.begin(), f.bytes.end());
            break;
        case Fault::Kind::Split:
            reply.splitAt = static_cast<std::size_t>(f.value);
            reply.splitPause = f.pause;
            break;
        case Fault::Kind::Truncate:
            keep = std::min(keep, static_cast<std::size_t>(f.value));
            break;
        case Fault::Kind::Delay:
            reply.delay += f.pause;
            break;
        case Fault::Kind::NoReply:
            keep = 0;
            break;
        case Fault::Kind::GoAway:
            reply.goAway = true;
            keep = std::min(keep, static_cast<std::size_t>(f.value));
            break;
        case Fault::Kind::Trickle:
            reply.tricklePause = f.pause;
            break;
        case Fault::Kind::NoiseAfter:
            noiseAfter.insert(noiseAfter.end(), f.bytes.begin(), f.bytes.end());
            break;
        case Fault::Kind::Corrupt:
            corrupt = static_cast<std::size_t>(f.value);
            break;
        case Fault::Kind::MemoryFull:
            break;
        }
    }
    if (a.data.size() > P::kMaxDataLength)
        a.data.resize(P::kMaxDataLength);

    std::vector<std::uint8_t> wire = P::replyWire(echoed, a.data);
    if (badChecksum)
        ++wire.back();
    if (corrupt && *corrupt < wire.size())
        wire[*corrupt] ^= 0x5A;
    reply.bytes = std::move(noise);
    reply.bytes.insert(reply.bytes.end(), wire.begin(), wire.end());
    reply.bytes.insert(reply.bytes.end(), noiseAfter.begin(), noiseAfter.end());
    if (keep < reply.bytes.size())
        reply.bytes.resize(keep);
    // The right reply went out when it stands whole among the bytes sent.
    const auto whole = [&reply](const std::vector<std::uint8_t>& wanted) {
        return std::search(reply.bytes.begin(), reply.bytes.end(), wanted.begin(), wanted.end()) !=
               reply.bytes.end();
    };
    if (whole(right))
        applied.answer = reply.goAway ? Applied::Answer::Uncertain : Applied::Answer::Correct;
    if (whole(P::replyWire(request.command, a.data)))
        applied.delivered = a.data;
    if (reply.splitAt >= reply.bytes.size()) {
        reply.splitAt = 0;
        reply.splitPause = 0;
    }
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

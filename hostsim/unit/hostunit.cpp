// The simulated host unit: its state, and which command each request is for.
#include "hostsim/unit/hostunit.h"

#include "protocol/commands.h"
#include "protocol/memoryblocks.h"
#include "protocol/memorymap.h"

#include <algorithm>

namespace hostsim {

namespace L = storage;
namespace M = callcfg::memorymap;
namespace P = callcfg::protocol;
using Bytes = std::vector<std::uint8_t>;

HostUnit::HostUnit() {
    initialise();
    receivers_[BuiltInReceiver] = factoryReceiverImage(BuiltInReceiver);
    receivers_[ExternalReceiver] = factoryReceiverImage(ExternalReceiver);
}

bool HostUnit::knows(std::uint8_t command) {
    return std::find(P::kCommandCodes.begin(), P::kCommandCodes.end(), command) !=
           P::kCommandCodes.end();
}

HostUnit::Answer HostUnit::carryOut(const ReceivedRequest& r, bool memoryFull) {
    const Bytes& d = r.data;
    const Answer refused = refusal();
    switch (r.command) {
    case P::kSetPager:
        return setPager(d);
    case P::kSetReceiverNumber:
        if (d.size() != 1 || d[0] < 1 || d[0] > L::kMaxReceiverNumber)
            return refused;
        memory_[L::kReceiverNumber] = d[0];
        receivers_[ExternalReceiver][0] = d[0];
        return Answer{};
    case P::kSetTableCaller: // and P::kWriteRepeater
        if (d.size() == 6)
            return setTableCaller(d, memoryFull);
        return d.empty() ? writeRepeater(memoryFull) : refused;
    case P::kDeletePager:
        return deletePager(d);
    case P::kDeleteTableCaller: // and P::kDeleteRepeater
        if (d.size() == 2)
            return deleteTableCaller(d);
        return d.empty() ? deleteRepeater() : refused;
    case P::kInitialiseReceiver:
        if (!d.empty())
            return refused;
        receivers_[BuiltInReceiver] = factoryReceiverImage(BuiltInReceiver);
        return Answer{};
    case P::kInitialiseHost:
        if (!d.empty())
            return refused;
        initialise();
        return Answer{};
    case P::kSetReceiverFrequency:
        return setReceiverFrequency(d);
    case P::kSetTransmitterFrequency:
        return setTransmitterFrequency(d);
    case P::kReadHostBlock:
        return readHostBlock(d);
    case P::kReadReceiverBlock:
        return readReceiverBlock(d);
    case P::kSetUrgeUnit:
        return setUrgeUnit(d);
    case P::kDeleteUrgeUnit:
        return deleteUrgeUnit(d);
    case P::kSetDisplayType:
        if (d.size() != 1 || (d[0] != P::kVoiceDisplay && d[0] != P::kDigitalDisplay))
            return refused;
        memory_[L::kDisplayType] = d[0];
        return Answer{};
    case P::kSetVoicePrompts:
    case P::kHandheldModeByTable:
    case P::kHandheldModeByPager:
        return setVoiceOnly(r.command, d);
    case P::kSetWorkMode:
        if (d.size() != 1 || d[0] > 2)
            return refused;
        memory_[M::kWorkModeOffset] = d[0];
        return Answer{};
    case P::kWriteHostBlock:
        return writeHostBlock(d);
    default:
        return {};
    }
}

DisplayType HostUnit::displayType() const {
    return memory_[L::kDisplayType] == P::kVoiceDisplay ? DisplayType::Voice : DisplayType::Digital;
}

void HostUnit::setDisplayType(DisplayType type) {
    memory_[L::kDisplayType] = static_cast<std::uint8_t>(type);
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
    memory_.fill(L::kUnset);
    setTableCount(0);
    memory_[M::kWorkModeOffset] = 1;
    memory_[L::kRepeaterCount] = 0;
}

ReceiverImage HostUnit::factoryReceiverImage(int receiver) {
    ReceiverImage image;
    image.fill(L::kUnset);
    image[0] = receiver == ExternalReceiver ? 1 : 0; // receiver number
    image[1] = 7;                                    // frequency 315.6 MHz
    return image;
}

} // namespace hostsim

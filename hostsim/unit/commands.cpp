// How the simulated host unit acts on each command and what it answers.
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

namespace {

bool isPhrase(std::uint8_t v) {
    return v <= 15 || v == P::kNoPhrase;
}

} // namespace

HostUnit::Answer HostUnit::refusal() {
    return {{P::kRefused}, false, true};
}

HostUnit::Answer HostUnit::setPager(const Bytes& d) {
    if (d.size() != 13)
        return refusal();
    const int pager = d[0] * 100 + d[1];
    const int mode = d[2] * 10 + d[3];
    const bool digitsOk = std::all_of(d.begin() + 5, d.begin() + 12, [](auto v) { return v <= 9; });
    if (d[0] > 2 || d[1] > 99 || pager < 1 || pager > M::kPagerSlots || d[2] > 1 || d[3] > 9 ||
        mode > 11 || d[4] > 1 || !digitsOk || d[12] > 3)
        return refusal();
    const std::uint8_t code = P::kPagerModeCodes[mode];
    const char letter = L::kPagerKindLetters[code >> 4][code & 0x0F];
    std::uint8_t* rec = &memory_[M::pagerRecordOffset(pager)];
    rec[0] = static_cast<std::uint8_t>(letter + (d[4] == 1 ? L::kLowerCase : 0));
    rec[1] = static_cast<std::uint8_t>(d[5] << 4 | d[6]);
    rec[2] = static_cast<std::uint8_t>(d[7] << 4 | d[8]);
    rec[3] = static_cast<std::uint8_t>(d[9] << 4 | d[10]);
    rec[4] = static_cast<std::uint8_t>(d[11] << 4 | d[12]);
    return {};
}

HostUnit::Answer HostUnit::deletePager(const Bytes& d) {
    if (d.size() != 1)
        return refusal();
    if (d[0] < 1)
        return {{P::kNoSuchPager}};
    std::uint8_t* rec = &memory_[M::pagerRecordOffset(d[0])];
    if (rec[0] == 0x00 || rec[0] == 0xFF)
        return {{P::kNoSuchPager}};
    std::fill(rec, rec + M::kPagerRecordSize, L::kUnset);
    return {};
}

HostUnit::Answer HostUnit::setReceiverFrequency(const Bytes& d) {
    if (d.empty() || d.size() > 2 || d[0] > 7)
        return refusal();
    if (d.size() == 1) {
        memory_[L::kBuiltInFrequency] = d[0];
        receivers_[BuiltInReceiver][1] = d[0];
        return {};
    }
    if (d[1] < 1 || d[1] > L::kMaxReceiverNumber)
        return refusal();
    memory_[L::kExternalFrequencies + d[1]] = d[0];
    if (receivers_[ExternalReceiver][0] == d[1])
        receivers_[ExternalReceiver][1] = d[0];
    return {};
}

HostUnit::Answer HostUnit::setTransmitterFrequency(const Bytes& d) {
    std::uint8_t* stored = &memory_[L::kTransmitterFrequency];
    if (d.empty()) {
        std::fill(stored, stored + 3, L::kUnset);
        return {};
    }
    // 100 to 500 MHz in 100 Hz steps, a whole multiple of 12.5 kHz.
    const long n = d.size() == 3 ? (d[0] << 16 | d[1] << 8 | d[2]) : -1;
    if (n < 1000000 || n > 5000000 || n % 125 != 0)
        return refusal();
    std::copy(d.begin(), d.end(), stored);
    return {};
}

HostUnit::Answer HostUnit::readHostBlock(const Bytes& d) const {
    if (d.size() != 1 || d[0] >= P::kHostBlockCount)
        return refusal();
    auto first = memory_.begin() + static_cast<std::ptrdiff_t>(d[0] * P::kBlockSize);
    return {{first, first + P::kBlockSize}};
}

HostUnit::Answer HostUnit::readReceiverBlock(const Bytes& d) const {
    const bool builtIn = d.size() == 1;
    const bool external = d.size() == 2 && d[1] == P::kExternalReceiver;
    if ((!builtIn && !external) || d[0] >= P::kReceiverBlockCount)
        return refusal();
    const ReceiverImage& image = receivers_[external ? ExternalReceiver : BuiltInReceiver];
    auto first = image.begin() + d[0] * P::kBlockSize;
    return {{first, first + P::kBlockSize}};
}

HostUnit::Answer HostUnit::setUrgeUnit(const Bytes& d) {
    if (d.size() != 1 || d[0] < 1 || d[0] > L::kMaxUrgeUnit)
        return refusal();
    const CallerCode code = learnCaller();
    std::uint8_t* rec = &memory_[L::kUrgeUnits + (d[0] - 1) * L::kUrgeRecordSize];
    rec[0] = 0x01;
    rec[1] = code[1];
    rec[2] = code[2];
    return {{code[1], code[2]}, true};
}

HostUnit::Answer HostUnit::deleteUrgeUnit(const Bytes& d) {
    if (d.size() != 1 || d[0] < 1 || d[0] > L::kMaxUrgeUnit)
        return refusal();
    std::uint8_t* rec = &memory_[L::kUrgeUnits + (d[0] - 1) * L::kUrgeRecordSize];
    std::fill(rec, rec + L::kUrgeRecordSize, L::kUnset);
    return {};
}

HostUnit::Answer HostUnit::setVoiceOnly(std::uint8_t command, const Bytes& d) {
    if (displayType() == DisplayType::Digital)
        return {{P::kDigitalDisplayRefuses}};
    if (command == P::kSetVoicePrompts) {
        if (d.size() != L::kVoiceSettingsSize || d[0] > 1 || (d[1] > 8 && d[1] != P::kNoPhrase) ||
            !std::all_of(d.begin() + 2, d.end(), isPhrase))
            return refusal();
        std::copy(d.begin(), d.end(), memory_.begin() + L::kVoiceSettings);
        return {};
    }
    if (d.size() != 1 || d[0] > 2)
        return refusal();
    memory_[command == P::kHandheldModeByTable ? L::kHandheldByTable : L::kHandheldByPager] = d[0];
    return {};
}

HostUnit::Answer HostUnit::writeHostBlock(const Bytes& d) {
    if (d.size() != 1 + P::kBlockSize || d[0] >= P::kHostBlockCount)
        return {{}, false, true};
    std::copy(d.begin() + 1, d.end(),
              memory_.begin() + static_cast<std::ptrdiff_t>(d[0] * P::kBlockSize));
    return {{P::kBlockWritten}};
}

} // namespace hostsim

// What the simulated host unit holds, read back the way its commands store it.
#include "hostsim/unit/hostunit.h"

#include "protocol/memorymap.h"

#include <algorithm>

namespace hostsim {

namespace L = storage;
namespace M = callcfg::memorymap;

std::optional<HostUnit::PagerEntry> HostUnit::pager(int number) const {
    if (number < 1 || number > M::kPagerSlots)
        return std::nullopt;
    const std::uint8_t* rec = &memory_[M::pagerRecordOffset(number)];
    if (rec[0] == 0x00 || rec[0] == L::kUnset)
        return std::nullopt;
    PagerEntry entry;
    entry.machineType = entry.rate = -1; // a letter of no known kind
    for (int polarity = 0; polarity < 2; ++polarity)
        for (int type = 0; type < 4; ++type)
            for (int rate = 0; rate < 3; ++rate)
                if (rec[0] == L::kPagerKindLetters[type][rate] + polarity * L::kLowerCase) {
                    entry.machineType = type;
                    entry.rate = rate;
                    entry.polarity = polarity;
                }
    for (int i = 0; i < 7; ++i)
        entry.address[i] =
            static_cast<std::uint8_t>(i % 2 ? rec[1 + i / 2] & 0x0F : rec[1 + i / 2] >> 4);
    entry.tone = rec[4] & 0x0F;
    return entry;
}

std::optional<HostUnit::TableEntry> HostUnit::tableCaller(int table) const {
    for (int i = 0; i < tableCount(); ++i) {
        const std::uint8_t* rec = &memory_[M::tableRecordOffset(i)];
        if ((rec[M::kTableNumberAt] << 8 | rec[M::kTableNumberAt + 1]) != table)
            continue;
        TableEntry entry;
        std::copy(rec + M::kTableFeatureCodeAt, rec + M::kTableFeatureCodeAt + 3,
                  entry.code.begin());
        std::copy(rec + M::kTablePagersAt, rec + M::kTablePagersAt + 3, entry.pagers.begin());
        return entry;
    }
    return std::nullopt;
}

int HostUnit::workMode() const {
    return memory_[M::kWorkModeOffset];
}

std::optional<std::array<std::uint8_t, 2>> HostUnit::urgeUnit(int number) const {
    if (number < 1 || number > L::kMaxUrgeUnit)
        return std::nullopt;
    const std::uint8_t* rec = &memory_[L::kUrgeUnits + (number - 1) * L::kUrgeRecordSize];
    if (rec[0] != 0x01)
        return std::nullopt;
    return std::array<std::uint8_t, 2>{rec[1], rec[2]};
}

std::vector<CallerCode> HostUnit::repeaterEntries() const {
    std::vector<CallerCode> entries(static_cast<std::size_t>(repeaterCount()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        std::copy_n(memory_.begin() + static_cast<std::ptrdiff_t>(L::kRepeaterEntries + 3 * i), 3,
                    entries[i].begin());
    return entries;
}

std::uint8_t HostUnit::receiverNumber() const {
    return memory_[L::kReceiverNumber];
}

std::uint8_t HostUnit::receiverFrequency(int receiver) const {
    if (receiver == 0)
        return memory_[L::kBuiltInFrequency];
    return memory_.at(L::kExternalFrequencies + static_cast<std::size_t>(receiver));
}

std::array<std::uint8_t, 3> HostUnit::transmitterFrequency() const {
    std::array<std::uint8_t, 3> stored;
    std::copy_n(memory_.begin() + L::kTransmitterFrequency, 3, stored.begin());
    return stored;
}

std::array<std::uint8_t, 5> HostUnit::voiceSettings() const {
    std::array<std::uint8_t, 5> stored;
    std::copy_n(memory_.begin() + L::kVoiceSettings, L::kVoiceSettingsSize, stored.begin());
    return stored;
}

std::uint8_t HostUnit::handheldMode(bool byTable) const {
    return memory_[byTable ? L::kHandheldByTable : L::kHandheldByPager];
}

} // namespace hostsim

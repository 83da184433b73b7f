// How the simulated host unit learns, finds and removes table callers and repeater entries.
#include "hostsim/unit/hostunit.h"

#include "protocol/commands.h"
#include "protocol/memorymap.h"

#include <algorithm>

namespace hostsim {

namespace L = storage;
namespace M = callcfg::memorymap;
namespace P = callcfg::protocol;
using Bytes = std::vector<std::uint8_t>;

int HostUnit::tableCount() const {
    const int count = memory_[M::kTableCountOffset] << 8 | memory_[M::kTableCountOffset + 1];
    return count <= M::kMaxTables ? count : 0;
}

void HostUnit::setTableCount(int count) {
    memory_[M::kTableCountOffset] = static_cast<std::uint8_t>(count >> 8);
    memory_[M::kTableCountOffset + 1] = static_cast<std::uint8_t>(count);
}

namespace {

// Index of the table caller record of table number `table`, or -1.
int findTable(const Memory& m, int count, int table) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* rec = &m[M::tableRecordOffset(i)];
        if ((rec[M::kTableNumberAt] << 8 | rec[M::kTableNumberAt + 1]) == table)
            return i;
    }
    return -1;
}

// Removes record i of n packed records of `size` bytes from `base`; the freed one becomes 0xFF.
void removePacked(Memory& m, std::size_t base, std::size_t size, int i, int n) {
    auto first = m.begin() + static_cast<std::ptrdiff_t>(base + i * size);
    auto end = m.begin() + static_cast<std::ptrdiff_t>(base + n * size);
    std::copy(first + static_cast<std::ptrdiff_t>(size), end, first);
    std::fill(end - static_cast<std::ptrdiff_t>(size), end, L::kUnset);
}

} // namespace

HostUnit::Answer HostUnit::setTableCaller(const Bytes& d, bool memoryFull) {
    const int table = d[1] << 8 | d[2];
    if (table == 0)
        return refusal();
    const int count = tableCount();
    int index = findTable(memory_, count, table);
    const bool full = index < 0 && count >= M::kMaxTables;
    if (memoryFull || full)
        return {{}, false, false, memoryFull && !full};
    if (index < 0) {
        index = count;
        setTableCount(count + 1);
    }
    const CallerCode code = learnCaller();
    std::uint8_t* rec = &memory_[M::tableRecordOffset(index)];
    std::copy(code.begin(), code.end(), rec + M::kTableFeatureCodeAt);
    rec[M::kTableNumberAt] = d[1];
    rec[M::kTableNumberAt + 1] = d[2];
    std::copy(d.begin() + 3, d.end(), rec + M::kTablePagersAt);
    return {{code.begin(), code.end()}, true};
}

HostUnit::Answer HostUnit::deleteTableCaller(const Bytes& d) {
    const int count = tableCount();
    const int index = findTable(memory_, count, d[0] << 8 | d[1]);
    if (index < 0 || (d[0] == 0 && d[1] == 0))
        return {{P::kNoSuchTable}};
    removePacked(memory_, M::kTableRecordsOffset, M::kTableRecordSize, index, count);
    setTableCount(count - 1);
    return {};
}

int HostUnit::repeaterCount() const {
    const int count = memory_[L::kRepeaterCount];
    return count <= L::kMaxRepeaterEntries ? count : 0;
}

namespace {

int findRepeaterEntry(const Memory& m, int count, const CallerCode& code) {
    for (int i = 0; i < count; ++i)
        if (std::equal(code.begin(), code.end(), m.begin() + L::kRepeaterEntries + 3 * i))
            return i;
    return -1;
}

} // namespace

HostUnit::Answer HostUnit::writeRepeater(bool memoryFull) {
    const int count = repeaterCount();
    const bool full = count >= L::kMaxRepeaterEntries;
    if (memoryFull || full)
        return {{}, false, false, memoryFull && !full};
    const CallerCode code = learnCaller();
    if (findRepeaterEntry(memory_, count, code) < 0) {
        std::copy(code.begin(), code.end(), memory_.begin() + L::kRepeaterEntries + 3 * count);
        memory_[L::kRepeaterCount] = static_cast<std::uint8_t>(count + 1);
    }
    return {{code.begin(), code.end()}, true};
}

HostUnit::Answer HostUnit::deleteRepeater() {
    const int count = repeaterCount();
    if (count == 0)
        return {{P::kRepeaterEmpty}, true};
    const CallerCode pressed = lastCallerCode_.value_or(nextCallerCode_);
    const int index = findRepeaterEntry(memory_, count, pressed);
    if (index < 0)
        return {{P::kNotInRepeater}, true};
    removePacked(memory_, L::kRepeaterEntries, 3, index, count);
    memory_[L::kRepeaterCount] = static_cast<std::uint8_t>(count - 1);
    return {{}, true};
}
} // namespace hostsim

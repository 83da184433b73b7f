#pragma once
// Reading the host unit's whole memory (a HostMemory, memoryimage.h) from the host unit, writing
// it to the host unit and comparing two of them. Used by the command line and the memory reader
// window alike.

#include "memory/blocktransfer.h"
#include "memory/memoryimage.h"
#include "protocol/memoryblocks.h"

#include <functional>
#include <optional>

namespace callcfg {

// Reads the host unit's memory as the memory reader window's host read does; `into` holds the
// blocks that came. `replied(k)` runs for each block answered.
TransferResult readHostMemory(Link& link, HostMemory& into,
                              const std::function<void(int block)>& replied = {});

// Writes the memory into the host unit as the memory reader window's download does; `stopAsked` may
// end it between two blocks.
TransferResult writeHostMemory(Link& link, const HostMemory& memory,
                               const std::function<void(int block)>& replied = {},
                               const StopAsked& stopAsked = {});

struct MemoryDifference {
    int firstOffset = 0; // the first byte that differs
    int bytes = 0;       // how many bytes differ
    int firstBlock() const { return firstOffset / protocol::kBlockSize; }
};

// Nothing when the two are equal.
std::optional<MemoryDifference> compareMemory(const HostMemory& a, const HostMemory& b);

} // namespace callcfg

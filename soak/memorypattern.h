#pragma once
// Memory filled so that every 128-byte block differs from every other: a block read back in
// the wrong place, or a reply taken for the wrong block, never compares equal.

#include <QRandomGenerator>

#include <cstdint>
#include <span>

namespace soak {

// Random bytes, redrawn block by block until no two blocks are equal.
void fillDistinctBlocks(std::span<std::uint8_t> memory, QRandomGenerator& random);
bool blocksDistinct(std::span<const std::uint8_t> memory);

template <class Memory> Memory distinctBlocks(QRandomGenerator& random) {
    Memory memory{};
    fillDistinctBlocks(memory, random);
    return memory;
}

} // namespace soak

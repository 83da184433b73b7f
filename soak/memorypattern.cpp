#include "memorypattern.h"

#include "protocol/memoryblocks.h"

#include <algorithm>

namespace soak {

namespace {

constexpr std::size_t kBlock = callcfg::protocol::kBlockSize;

// Whether block k equals one of the blocks before it.
bool repeats(std::span<const std::uint8_t> memory, std::size_t k) {
    const auto block = memory.subspan(k * kBlock, kBlock);
    for (std::size_t j = 0; j < k; ++j)
        if (std::ranges::equal(block, memory.subspan(j * kBlock, kBlock)))
            return true;
    return false;
}

} // namespace

void fillDistinctBlocks(std::span<std::uint8_t> memory, QRandomGenerator& random) {
    for (std::size_t k = 0; k < memory.size() / kBlock; ++k) {
        do {
            for (std::uint8_t& byte : memory.subspan(k * kBlock, kBlock))
                byte = static_cast<std::uint8_t>(random.bounded(256));
        } while (repeats(memory, k));
    }
}

bool blocksDistinct(std::span<const std::uint8_t> memory) {
    for (std::size_t k = 1; k < memory.size() / kBlock; ++k)
        if (repeats(memory, k))
            return false;
    return true;
}

} // namespace soak

#include "memory/hostmemory.h"

#include <algorithm>

namespace callcfg {

TransferResult readHostMemory(Link& link, HostMemory& into,
                              const std::function<void(int block)>& replied) {
    return transferBlocks(
        link, hostReadPlan(), replied, [&into](int k, std::span<const std::uint8_t> data) {
            std::copy(data.begin(), data.end(), into.begin() + k * protocol::kBlockSize);
        });
}

TransferResult writeHostMemory(Link& link, const HostMemory& memory,
                               const std::function<void(int block)>& replied,
                               const StopAsked& stopAsked) {
    return transferBlocks(link, downloadPlan(memory), replied, {}, stopAsked);
}

std::optional<MemoryDifference> compareMemory(const HostMemory& a, const HostMemory& b) {
    std::optional<MemoryDifference> difference;
    for (std::size_t n = 0; n < a.size(); ++n) {
        if (a[n] == b[n])
            continue;
        if (!difference)
            difference = MemoryDifference{static_cast<int>(n), 0};
        ++difference->bytes;
    }
    return difference;
}

} // namespace callcfg

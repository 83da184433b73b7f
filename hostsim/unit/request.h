#pragma once
// One request as the host unit received it: its command code and data.

#include <cstdint>
#include <vector>

namespace hostsim {

struct ReceivedRequest {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const ReceivedRequest&) const = default;
};

} // namespace hostsim

#include "link/frame.h"

namespace callcfg {

std::uint8_t checksumOf(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

std::vector<std::uint8_t> completeFrame(ByteBuffer& frame) {
    const std::size_t n = frame[2];
    frame[n + 3] = checksumOf(frame.data(), n + 3);
    std::vector<std::uint8_t> wire{0x55, 0x55, 0xAA};
    for (std::size_t i = 0; i < n + 4; ++i)
        wire.push_back(frame[i]);
    return wire;
}

} // namespace callcfg

#include "protocol/protocol.h"

namespace callcfg::protocol {

namespace {

template <std::size_t N>
std::vector<std::uint8_t> wireOf(const std::array<std::uint8_t, N>& preamble, std::uint8_t address,
                                 std::uint8_t command, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> wire(preamble.begin(), preamble.end());
    wire.reserve(N + kHeaderSize + data.size() + 1);
    wire.push_back(address);
    wire.push_back(command);
    wire.push_back(static_cast<std::uint8_t>(data.size()));
    for (std::uint8_t byte : data)
        wire.push_back(byte);
    wire.push_back(checksumOf(std::span(wire).subspan(N)));
    return wire;
}

} // namespace

std::uint8_t checksumOf(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t byte : bytes)
        sum += byte;
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

std::vector<std::uint8_t> requestWire(std::uint8_t command, std::span<const std::uint8_t> data) {
    return wireOf(kRequestPreamble, kRequestAddress, command, data);
}

std::vector<std::uint8_t> replyWire(std::uint8_t command, std::span<const std::uint8_t> data) {
    return wireOf(kReplyPreamble, kReplyAddress, command, data);
}

} // namespace callcfg::protocol

#pragma once
// The serial protocol between the tool and the host unit: frames, replies and the checksum.
// Written once, for the tool, the simulated host unit and the benchmark.
//
// A request on the wire: 55 55 AA, address 01, command, data length n, n data bytes, checksum.
// A reply on the wire:   55 AA, address 02, the command echoed, data length m, m data bytes,
// checksum. The checksum is 0xFF minus the low 8 bits of the sum of the address byte, the
// command, the data length and the data; the preamble is not summed. No byte is escaped.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace callcfg::protocol {

inline constexpr auto kRequestPreamble = std::to_array<std::uint8_t>({0x55, 0x55, 0xAA});
inline constexpr auto kReplyPreamble = std::to_array<std::uint8_t>({0x55, 0xAA});
inline constexpr std::uint8_t kRequestAddress = 0x01;
inline constexpr std::uint8_t kReplyAddress = 0x02;
// Address, command and data length: the bytes before the data, after the preamble.
inline constexpr std::size_t kHeaderSize = 3;
inline constexpr std::size_t kMaxDataLength = 255;

// 0xFF minus the low 8 bits of the sum of the bytes.
std::uint8_t checksumOf(std::span<const std::uint8_t> bytes);

// The bytes of a request as they go on the wire. At most kMaxDataLength data bytes.
std::vector<std::uint8_t> requestWire(std::uint8_t command, std::span<const std::uint8_t> data);

// The bytes of a reply as they go on the wire. At most kMaxDataLength data bytes.
std::vector<std::uint8_t> replyWire(std::uint8_t command, std::span<const std::uint8_t> data);

} // namespace callcfg::protocol

#pragma once
// Command frames and the checksum shared by requests and replies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace callcfg {

// Size of the program-wide frame and reply buffers (index 0 to 9000).
inline constexpr std::size_t kBufferSize = 9001;
using ByteBuffer = std::array<std::uint8_t, kBufferSize>;

// 0xFF minus the low 8 bits of the sum of the given bytes.
std::uint8_t checksumOf(const std::uint8_t* bytes, std::size_t count);

// Completes the frame body standing in `frame` (address, command, length n, n data bytes):
// stores its checksum at index n+3 and returns the bytes that go on the wire,
// 55 55 AA followed by frame indices 0 to n+3.
std::vector<std::uint8_t> completeFrame(ByteBuffer& frame);

} // namespace callcfg

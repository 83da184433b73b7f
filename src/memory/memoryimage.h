#pragma once
// The memories the tool reads and writes, as bytes: byte n of an image is the byte at memory
// offset n.

#include "protocol/memoryblocks.h"

#include <array>
#include <cstdint>

namespace callcfg {

// The host unit's 8192 memory bytes: a host image, a backup file's contents.
using HostMemory = std::array<std::uint8_t, protocol::kHostMemorySize>;

// A receiver's 256 memory bytes.
using ReceiverMemory = std::array<std::uint8_t, protocol::kReceiverMemorySize>;

} // namespace callcfg

#pragma once
// The host unit's and the receivers' memories, and the block commands that move them (their
// codes are in commands.h).
//
// Read host block k:     command 0x0D, data k; the reply's 128 data bytes are offsets k*128 on.
// Read receiver block k: command 0x0E, data k (built-in receiver) or k, 01 (external receiver).
// Write host block k:    command 0x18, data k and the 128 bytes; the reply has one data byte.

#include "protocol/commands.h"

#include <cstdint>

namespace callcfg::protocol {

inline constexpr int kBlockSize = 128;
inline constexpr int kHostMemorySize = 8192;
inline constexpr int kHostBlockCount = kHostMemorySize / kBlockSize;
inline constexpr int kReceiverMemorySize = 256;
inline constexpr int kReceiverBlockCount = kReceiverMemorySize / kBlockSize;

inline constexpr std::uint8_t kExternalReceiver = 0x01; // second data byte of a receiver read
inline constexpr int kWriteAcknowledgeLength = 1;

} // namespace callcfg::protocol

#pragma once
// Where the simulated host unit keeps the settings the tool does not read back, in offsets of
// its 8192-byte memory that the tool's memory map leaves alone, so that a backup and restore
// carries every setting. The memory map the tool reads (pagers, table callers, work mode,
// table count) is callcfg::memorymap. 0xFF means "never set" unless stated otherwise.

#include <cstddef>

namespace hostsim::storage {

inline constexpr std::size_t kReceiverNumber = 5376;       // 0x02
inline constexpr std::size_t kDisplayType = 5377;          // 0x13: 0xFF digital, 0x00 voice
inline constexpr std::size_t kTransmitterFrequency = 5378; // 0x0B: 3 bytes, FF FF FF cleared
inline constexpr std::size_t kBuiltInFrequency = 5381;     // 0x0A without a receiver number
inline constexpr std::size_t kVoiceSettings = 5382;        // 0x14: 5 bytes as sent
inline constexpr std::size_t kVoiceSettingsSize = 5;
inline constexpr std::size_t kHandheldByTable = 5387;     // 0x15
inline constexpr std::size_t kHandheldByPager = 5388;     // 0x16
inline constexpr std::size_t kExternalFrequencies = 5391; // 0x0A: + receiver number 1..80
inline constexpr int kMaxReceiverNumber = 80;
inline constexpr std::size_t kUrgeUnits = 5472; // unit n at 5472 + 3*(n-1): 01 learned, code
inline constexpr std::size_t kUrgeRecordSize = 3;
inline constexpr int kMaxUrgeUnit = 9;
inline constexpr std::size_t kRepeaterCount = 5504;   // 0-64
inline constexpr std::size_t kRepeaterEntries = 5505; // 3-byte caller codes, packed
inline constexpr int kMaxRepeaterEntries = 64;

inline constexpr unsigned char kUnset = 0xFF;

// A pager record's kind letter by machine type (数字标准, 数字新型, 中文字符, 英文) and rate
// (512, 1200, 2400); lower case for negative polarity.
inline constexpr char kPagerKindLetters[4][3] = {
    {'M', 'U', 'I'}, {'B', 'Q', 'D'}, {'H', 'K', 'C'}, {'F', 'E', 'J'}};
inline constexpr int kLowerCase = 32;

} // namespace hostsim::storage

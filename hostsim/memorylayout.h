#pragma once
// Where the simulated host unit keeps things in its 8192-byte memory.
//
// Read by the tool (memory listing):
//   0..1274      pager records, pager n at (n-1)*5:
//                  0  kind byte: kind letter of machine type/rate, +32 (lower case) for polarity
//                  正;
//                     0xFF (or 0) = empty slot
//                  1..3 address digits 1-6, two per byte, high nibble first
//                  4  address digit 7 (high nibble), tone 0-3 (low nibble)
//   1280..5375   table caller records, packed, record i at 1280+8*i:
//                  feature code (3 bytes), table number hi/lo, pagers 1-3 (0xFF = none)
//   8166         work mode (0 单键模式1, 1 多键模式, 2 单键模式0)
//   8190..8191   number of table caller records, high byte first
//
// Kept only by the host unit, so that a backup and restore carries every setting
// (0xFF = never set, unless stated otherwise):
//   5376         receiver number (0x02)
//   5377         display-unit type as sent by 0x13: 0xFF digital, 0x00 voice
//   5378..5380   transmitter frequency in 100 Hz steps, high byte first; FF FF FF = cleared
//   5381         built-in receiver frequency, list position 0-7 (0x0A without receiver number)
//   5382..5386   caller voice settings as sent by 0x14 (pronunciation, word, keys 1-3)
//   5387         handheld call mode by table number (0x15), place word 0-2
//   5388         handheld call mode by pager number (0x16), place word 0-2
//   5392..5471   frequency of external receiver n (1-80) at 5391+n
//   5472..5498   urge unit n (1-9) at 5472+3*(n-1): 0x01 learned / 0xFF empty, code hi, code lo
//   5504         number of repeater entries (0-64)
//   5505..5696   repeater entries, 3-byte caller codes, packed

#include <cstddef>

namespace hostsim::layout {

inline constexpr std::size_t kMemorySize = 8192;
inline constexpr std::size_t kBlockSize = 128;
inline constexpr std::size_t kBlockCount = kMemorySize / kBlockSize;

inline constexpr std::size_t kPagerRecords = 0;
inline constexpr std::size_t kPagerRecordSize = 5;
inline constexpr int kPagerSlots = 255;

inline constexpr std::size_t kTableRecords = 1280;
inline constexpr std::size_t kTableRecordSize = 8;
inline constexpr int kMaxTables = 512;
inline constexpr std::size_t kTableCount = 8190;

inline constexpr std::size_t kWorkMode = 8166;

inline constexpr std::size_t kReceiverNumber = 5376;
inline constexpr std::size_t kDisplayType = 5377;
inline constexpr std::size_t kTransmitterFrequency = 5378;
inline constexpr std::size_t kBuiltInFrequency = 5381;
inline constexpr std::size_t kVoiceSettings = 5382;
inline constexpr std::size_t kVoiceSettingsSize = 5;
inline constexpr std::size_t kHandheldByTable = 5387;
inline constexpr std::size_t kHandheldByPager = 5388;
inline constexpr std::size_t kExternalFrequencies = 5391; // + receiver number 1..80
inline constexpr int kMaxReceiverNumber = 80;
inline constexpr std::size_t kUrgeUnits = 5472;
inline constexpr std::size_t kUrgeRecordSize = 3;
inline constexpr int kMaxUrgeUnit = 9;
inline constexpr std::size_t kRepeaterCount = 5504;
inline constexpr std::size_t kRepeaterEntries = 5505;
inline constexpr int kMaxRepeaterEntries = 64;

inline constexpr unsigned char kUnset = 0xFF;

} // namespace hostsim::layout

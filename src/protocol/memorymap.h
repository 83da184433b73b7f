#pragma once
// Where the host unit keeps what the tool reads of its 8192 memory bytes. Every other offset
// is carried but not interpreted by the tool. Multi-byte numbers are unsigned, high byte first.

namespace callcfg::memorymap {

// Pager records, one slot per pager number 1 to 255; the record of pager n at (n - 1) * 5.
inline constexpr int kPagerRecordsOffset = 0;
inline constexpr int kPagerRecordSize = 5;
inline constexpr int kPagerSlots = 255;
// In a pager record: the kind byte (0 or 255: empty slot; above 96: polarity 正 and the kind
// letter in lower case), then the seven address digits one per nibble, then the tone code in
// the low nibble of the last byte.
inline constexpr int kPagerKindAt = 0;
inline constexpr int kPagerAddressAt = 1;

// Table caller records, packed: record i at 1280 + 8 * i; the table count says how many.
inline constexpr int kTableRecordsOffset = 1280;
inline constexpr int kTableRecordSize = 8;
inline constexpr int kMaxTables = 512;
// In a table caller record: the learned feature code (3 bytes), the table number (2 bytes)
// and the three bound pager numbers (255: none).
inline constexpr int kTableFeatureCodeAt = 0;
inline constexpr int kTableNumberAt = 3;
inline constexpr int kTablePagersAt = 5;
inline constexpr int kNoPager = 255;

inline constexpr int kWorkModeOffset = 8166;
inline constexpr int kTableCountOffset = 8190; // two bytes

constexpr int pagerRecordOffset(int pagerNumber) {
    return kPagerRecordsOffset + (pagerNumber - 1) * kPagerRecordSize;
}

constexpr int tableRecordOffset(int index) {
    return kTableRecordsOffset + index * kTableRecordSize;
}

} // namespace callcfg::memorymap

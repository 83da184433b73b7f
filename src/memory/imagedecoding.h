#pragma once
// Decoding of the host image: pager records, table caller records, table count, work mode.
// Multi-byte numbers in the host memory are unsigned, high byte first.

#include "memory/memoryimage.h"
#include "protocol/memorymap.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace callcfg {

// Machine type and rate of a kind letter.
struct PagerKind {
    QStringView machineType;
    QStringView rate;
};

// The twelve known kind letters; any other letter has neither type nor rate.
std::optional<PagerKind> pagerKind(int letter);

// The twelve kinds in the order of their letters K, Q, U, H, B, M, E, F, C, D, I, J, which is
// the order of the pager mode index (protocol::kPagerModeCodes).
std::span<const PagerKind, 12> pagerKindsByMode();

// The listing's words for polarity (正 or 反), tone code 0 to 3 (音调1 to 音调4; empty for any
// other code) and a table caller's empty pager binding (无).
QString polarityWord(bool positive);
QString toneWord(int tone);
QString noPagerWord();

struct PagerRecord {
    int number = 0;
    bool positive = false;                 // polarity 正 when set, 反 otherwise
    int letter = 0;                        // kind letter code, upper case
    std::array<std::uint8_t, 7> address{}; // the seven address digits, one nibble each
    int tone = 0;                          // tone code; 0 to 3 are 音调1 to 音调4
};

// The record of pager `number` (1 to 255); nothing when the slot is empty (kind byte 0 or 255).
std::optional<PagerRecord> pagerRecord(const HostMemory& memory, int number);

struct TableRecord {
    std::array<std::uint8_t, 3> featureCode{};
    int tableNumber = 0;
    std::array<int, 3> boundPagers{}; // memorymap::kNoPager for none
};

// Table count as stored, 0 to 65535; only 1 to 512 name valid records.
int tableCount(const HostMemory& memory);
bool tableCountValid(int count);
// Record `index` (0 to 511).
TableRecord tableRecord(const HostMemory& memory, int index);

// Name of the work mode: 单键模式1, 多键模式 or 单键模式0.
QStringView workModeName(const HostMemory& memory);

} // namespace callcfg

#pragma once
// Registering a pager with its address code and options (code 0x01) and deleting one (0x04).

#include "commands/command.h"

namespace callcfg {

struct PagerInput {
    QString number;      // Text1(0)
    QString address;     // Text1(1)
    int machineType = 0; // Combo1(0) position: 数字标准, 数字新型, 中文字符, 英文
    int polarity = 0;    // Combo1(1) position: 反, 正
    int rate = 1;        // Combo1(2) position: 512, 1200, 2400
    int tone = 0;        // Combo1(3) position: 音调1 to 音调4
};

const Command& setPagerCommand();
const Command& deletePagerCommand();

// The mode index 0 to 11 of a machine type and rate, nothing for a position off the lists.
std::optional<std::uint8_t> pagerModeIndex(int machineType, int rate);

Encoded encodeSetPager(const PagerInput& input);
Encoded encodeDeletePager(const QString& number); // Text4

} // namespace callcfg

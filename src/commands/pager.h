#pragma once
// Registering a pager with its address code and options (code 0x01) and deleting one (0x04).

#include "commands/command.h"

namespace callcfg {

struct PagerInput {
    QString number;      // the pager number as typed
    QString address;     // the address code as typed
    int machineType = 0; // list position: 数字标准, 数字新型, 中文字符, 英文
    int polarity = 0;    // list position: 反, 正
    int rate = 1;        // list position: 512, 1200, 2400
    int tone = 0;        // list position: 音调1 to 音调4
};

const Command& setPagerCommand();
const Command& deletePagerCommand();

// The mode index 0 to 11 of a machine type and rate, nothing for a position off the lists.
std::optional<std::uint8_t> pagerModeIndex(int machineType, int rate);

Encoded encodeSetPager(const PagerInput& input);
Encoded encodeDeletePager(const QString& number); // the pager number to delete

} // namespace callcfg

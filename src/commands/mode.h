#pragma once
// The host unit's work mode (code 0x17) and the display unit's type, digital or voice (0x13).

#include "commands/command.h"

namespace callcfg {

const Command& workModeCommand();
// The display-unit command names the type it set in its success box, so each type
// has its own description.
const Command& digitalDisplayCommand();
const Command& voiceDisplayCommand();

// The work-mode list's position: 单键模式1, 多键模式, 单键模式0; no position is unsendable.
Encoded encodeWorkMode(int position);
// The display-type list's position: 数字 (0) is sent as 0xFF, anything else, no position included,
// as 语音 0x00.
Encoded encodeDisplayType(int position);

} // namespace callcfg

#pragma once
// Write repeater (Command16, 0x03 without data) and delete repeater (Command17, 0x07
// without data); both show the caller wait box Form2, the delete already before sending.

#include "commands/command.h"

namespace callcfg {

const Command& writeRepeaterCommand();
const Command& deleteRepeaterCommand();

Encoded encodeWriteRepeater();
Encoded encodeDeleteRepeater();

} // namespace callcfg

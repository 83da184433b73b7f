#pragma once
// Set urge unit (Command19, 0x11, with the wait box Form4) and delete urge unit
// (Command10, 0x12).

#include "commands/command.h"

namespace callcfg {

const Command& setUrgeCommand();
const Command& deleteUrgeCommand();

Encoded encodeSetUrge(const QString& number);    // Text11
Encoded encodeDeleteUrge(const QString& number); // Text5

} // namespace callcfg

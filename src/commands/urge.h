#pragma once
// Registering an urge unit (code 0x11, while the urge wait box asks for its keys) and
// deleting one (0x12).

#include "commands/command.h"

namespace callcfg {

const Command& setUrgeCommand();
const Command& deleteUrgeCommand();

Encoded encodeSetUrge(const QString& number); // the urge number to register
Encoded encodeDeleteUrge(const QString& number);

} // namespace callcfg

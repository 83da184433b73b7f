#pragma once
// Writing a table caller into the repeater (code 0x03 without data) and deleting one from it
// (0x07 without data): both wait for the caller's key with the caller wait box, the delete's
// shown already before sending.

#include "commands/command.h"

namespace callcfg {

const Command& writeRepeaterCommand();
const Command& deleteRepeaterCommand();

} // namespace callcfg

#pragma once
// Questions on the terminal for the subcommands: the question on stderr, the answer one line
// of stdin.

#include "app/programoutput.h"

#include <functional>
#include <optional>

namespace callcfg {

// Nothing (an empty function) when stdin or stderr is not a terminal: no one is there to answer.
std::function<std::optional<QString>(const QString& question)>
terminalQuestions(ProgramOutput& output);

} // namespace callcfg

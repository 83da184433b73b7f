#pragma once
// Ctrl+C (SIGINT) and SIGTERM held off while the backup subcommand has a file open next to the
// backup, so that an interruption never leaves a temporary file behind. A signal that arrives
// meanwhile ends the process by that signal (the shell's status 130 for Ctrl+C, 143 for
// SIGTERM) once the file is in its place or gone; an ignored one stays ignored. Outside these
// moments nothing is open and the signals end the process at once.

#include <csignal>

namespace callcfg {

class HeldInterrupts {
public:
    HeldInterrupts();
    ~HeldInterrupts();
    HeldInterrupts(const HeldInterrupts&) = delete;
    HeldInterrupts& operator=(const HeldInterrupts&) = delete;

private:
    using Handler = void (*)(int);
    Handler previous_[2];
};

} // namespace callcfg

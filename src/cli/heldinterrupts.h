#pragma once
// Interrupts while a subcommand runs end the process as they end any command: Ctrl+C with the
// shell's status 130, SIGTERM with 143. They are held off while the backup subcommand has a file
// open next to the backup, so that an interruption never leaves a temporary file behind, and
// while restore downloads, so that a block once sent is finished and the host unit's mix of old
// and new blocks can be told: one that arrives meanwhile, or several, end the process once the
// hold ends; an ignored one stays ignored. Outside these moments they end it at once.
//
// On Linux these are the signals SIGINT, SIGTERM and SIGHUP (the terminal closed). On Windows
// they are the console's events: Ctrl+C and Ctrl+Break, and closing the console, logging off
// or shutting down, for which the system waits a few seconds before it ends the process
// itself; each ends the process with status 130.

#include <csignal>

namespace callcfg {

// Makes the console's events end the process as above, for the rest of the run. Nothing on
// Linux, where the signals' own default does it.
void endOnConsoleInterrupts();

// True once an interrupt has arrived during the hold that runs now; a question on the terminal
// then stops waiting for its answer.
bool interruptHeld();

class HeldInterrupts {
public:
    HeldInterrupts();
    ~HeldInterrupts();
    HeldInterrupts(const HeldInterrupts&) = delete;
    HeldInterrupts& operator=(const HeldInterrupts&) = delete;

    // True once an interrupt has arrived during the hold.
    bool interrupted() const;

#ifndef _WIN32
private:
    using Handler = void (*)(int);
    Handler previous_[3];
#endif
};

} // namespace callcfg

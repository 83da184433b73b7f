#pragma once
// Runs a host-unit command from its button to its message box: ensure the port
// is open, check and encode the inputs, ask the confirmation if any, show the wait box if any,
// exchange the request, judge the outcome, show the box and move the focus.

#include "commands/command.h"

#include <functional>

namespace callcfg {

class Link;

// What a window does for a command being run.
class CommandScreen {
public:
    virtual ~CommandScreen() = default;
    // Opens the chosen port unless it is open; false (the reason already shown) when it cannot.
    virtual bool ensurePortOpen() = 0;
    // Asks the question; false when the user answered Cancel.
    virtual bool confirm(const Box& question) = 0;
    // Shows the wait box on screen before returning, or hides it.
    virtual void showWaitBox(WaitBoxKind kind) = 0;
    virtual void hideWaitBox(WaitBoxKind kind) = 0;
    // Shows the verdict's box, then moves the focus.
    virtual void show(const Verdict& verdict) = 0;
};

// The verdict on an exchange's outcome: a port that refused the request fails the command, one
// that failed during the wait ended it without a reply.
Verdict verdictOn(const Command& command, const Outcome& outcome);

// `encode` reads the window's controls; it runs only once the port is open.
void runCommand(Link& link, CommandScreen& screen, const std::function<Encoded()>& encode);

} // namespace callcfg

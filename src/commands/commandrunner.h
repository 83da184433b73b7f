#pragma once
// Runs a host-unit command from its button to its message box: ensure the port is open, check
// and encode the inputs, ask the confirmation if any, show the wait box if any, exchange the
// request, judge the outcome, show the box and move the focus. The windows, the rows of a site's
// sheet and the command line's plans all run their commands here, each with an interaction of
// its own: what it shows the installer and asks.

#include "commands/command.h"

#include <functional>

namespace callcfg {

class Link;

// What the one running a command shows and asks: a window's boxes, a sheet's row.
class CommandInteraction {
public:
    virtual ~CommandInteraction() = default;
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

// What came of a command: the exchange's outcome (none when nothing was sent: the port could not
// be opened, an input was refused, the question was declined) and the verdict shown.
struct CommandRun {
    std::optional<Outcome> outcome;
    Verdict verdict;
};

// `encode` reads the inputs; it runs only once the port is open.
CommandRun runCommand(Link& link, CommandInteraction& interaction,
                      const std::function<Encoded()>& encode);

} // namespace callcfg

#pragma once
// The rows of a plan sent to the host unit one after another, each run by runCommand through
// the window's command: its check, its frame, its wait and its outcome table. The command line
// and the site sheet each run the rows with an interaction of their own (RowInteraction), so the
// runner knows no terminal and no widget.
//
// A table caller's request is answered once the unit has learned a caller, which may be after
// the command's wait: a key pressed late. Such a late reply must not be taken for the next
// row's, so after a table row that got no reply the next request (and a read of the unit, see
// settle()) waits until one more period of the command's wait has passed; the link drops what
// came meanwhile before the request leaves.

#include "commands/commandrunner.h"
#include "link/link.h"
#include "plan/plan.h"

#include <chrono>
#include <optional>

namespace callcfg {

// How a row ended.
enum class RowEnd { Done, Failed, Stop, CommunicationFailure };

// What becomes of a table row whose caller's key was not pressed.
enum class NotPressedChoice { Retry, Skip, Stop };

// Where a plan's rows run: the command's interaction (the caller's wait box, the row's outcome as
// its verdict) and what a run of rows adds to it.
class RowInteraction : public CommandInteraction {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Before each attempt at a row: the row, its position among the rows run and their count.
    virtual void starting(const PlanRow& row, int position, int total) = 0;
    // A table row's caller was not pressed.
    virtual NotPressedChoice notPressed(const PlanRow& row) = 0;
    // The port failed during a row: the link's message, after the row's outcome.
    virtual void lost(const QString& message) = 0;
    // Sleeps until `until`; a window may keep painting meanwhile.
    virtual void sleepUntil(TimePoint until);
    // Asked before each attempt: true ends the run there.
    virtual bool stopAsked() { return false; }

    // A plan's rows need no question, and the port is opened before the run.
    bool ensurePortOpen() override { return true; }
    bool confirm(const Box&) override { return true; }
};

struct PlanTally {
    int done = 0;
    int failed = 0;               // declined by the unit, not pressed
    std::optional<int> stoppedAt; // the row a communication failure or a stop ended the run at
    bool communicationFailure = false;
};

class PlanRunner {
public:
    PlanRunner(Link& link, RowInteraction& interaction);

    // One row on the open link, sent again as long as notPressed says Retry; `position` and
    // `total` are what starting() is told.
    RowEnd send(const PlanRow& row, int position = 1, int total = 1);
    // The plan's rows from row `from` on, until a communication failure or a stop.
    PlanTally run(const Plan& plan, int from);
    // Returns once a caller that may still answer an unanswered table row has had one more
    // period of its command's wait; at once when none may. Before a read of the unit.
    void settle();

private:
    // One attempt; nothing when the row is to be sent again.
    std::optional<RowEnd> attempt(const PlanRow& row);

    Link& link_;
    RowInteraction& interaction_;
    std::optional<RowInteraction::TimePoint> quietAt_;
};

} // namespace callcfg

#pragma once
// The rows of a plan sent to the host unit one after another, each through the window's
// command: its check, its frame, its wait and its outcome table. The command line and the
// windows share it: what a row shows, asks and reports goes through the hooks, so the runner
// knows no terminal and no widget.
//
// A table caller's request is answered once the unit has learned a caller, which may be after
// the command's wait: a key pressed late. Such a late reply must not be taken for the next
// row's, so after a table row that got no reply the next request (and a read of the unit, see
// settle()) waits until one more period of the command's wait has passed; the link drops what
// came meanwhile before the request leaves.

#include "link/link.h"
#include "plan/plan.h"

#include <chrono>
#include <functional>
#include <optional>

namespace callcfg {

// How a row ended.
enum class RowEnd { Done, Failed, Stop, CommunicationFailure };

// What becomes of a table row whose caller's key was not pressed.
enum class NotPressedChoice { Retry, Skip, Stop };

struct RowHooks {
    using TimePoint = std::chrono::steady_clock::time_point;

    // Before each attempt at a row: its position among the rows run and their count (run()).
    std::function<void(int position, int total)> starting;
    // Right after a table row's request left: the caller's service key is to be pressed now.
    std::function<void(const PlanRow& row)> callerWait;
    // Each attempt's outcome: the command's box text, or its check's refusal.
    std::function<void(const PlanRow& row, const QString& text)> reported;
    // The port failed during a row: the link's message, before the row's report.
    std::function<void(const QString& message)> lost;
    // A table row's caller was not pressed; the row is skipped when no one is there to ask.
    std::function<NotPressedChoice(const PlanRow& row)> notPressed;
    // Sleeps until `until`; a plain sleep when empty (a window may keep painting here).
    std::function<void(TimePoint until)> sleepUntil;
    // Asked before each row is sent: true ends the run there (run() then stops at that row).
    std::function<bool()> stopAsked;
};

struct PlanTally {
    int done = 0;
    int failed = 0;               // refused by a check, declined by the unit, not pressed
    std::optional<int> stoppedAt; // the row a communication failure or a stop ended the run at
    bool communicationFailure = false;
};

class PlanRunner {
public:
    PlanRunner(Link& link, RowHooks hooks);

    // One row on the open link, sent again as long as notPressed says Retry.
    RowEnd send(const PlanRow& row);
    // The plan's rows from row `from` on, until a communication failure or a stop.
    PlanTally run(const Plan& plan, int from);
    // Returns once a caller that may still answer an unanswered table row has had one more
    // period of its command's wait; at once when none may. Before a read of the unit.
    void settle();

private:
    // One attempt; nothing when the row is to be sent again.
    std::optional<RowEnd> attempt(const PlanRow& row);

    Link& link_;
    RowHooks hooks_;
    std::optional<RowHooks::TimePoint> quietAt_;
};

// The box text of a row its check refuses, or what a plan says of a value that cannot be put into
// a request; none for a request ready to send.
std::optional<QString> refusalOf(const Encoded& encoded);

} // namespace callcfg

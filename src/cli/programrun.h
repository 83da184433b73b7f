#pragma once
// The rows of a plan sent to the host unit one after another, each through the window's
// command: its check, its frame, its wait (the table caller's wait with the request to press
// the caller's service key) and its outcome table. One line per row on stdout.

#include "cli/session.h"
#include "plan/plan.h"

namespace callcfg {

struct ProgramTally {
    int done = 0;
    int failed = 0;               // refused by a check, declined by the unit, not pressed
    std::optional<int> stoppedAt; // the row a communication failure or a quit stopped at
    bool communicationFailure = false;
};

// Sends the plan's rows from row `from` on.
ProgramTally programRows(const Invocation& call, Session& session, const Plan& plan, int from);

// The box text of a row its check refuses or that cannot be put into a request; none for a
// request ready to send.
std::optional<QString> refusalOf(const Encoded& encoded);

// The row's line: "row 3: pager 12: <outcome>".
QString rowLine(const PlanRow& row, const QString& outcome);

} // namespace callcfg

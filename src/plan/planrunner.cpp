#include "plan/planrunner.h"

#include <thread>

namespace callcfg {

void RowInteraction::sleepUntil(TimePoint until) {
    std::this_thread::sleep_until(until);
}

PlanRunner::PlanRunner(Link& link, RowInteraction& interaction)
    : link_(link), interaction_(interaction) {}

void PlanRunner::settle() {
    if (!quietAt_)
        return;
    interaction_.sleepUntil(*quietAt_);
    quietAt_.reset();
}

std::optional<RowEnd> PlanRunner::attempt(const PlanRow& row) {
    const Encoded encoded = encodePlanRow(row);
    const auto* prepared = std::get_if<Prepared>(&encoded);
    const bool learns = prepared && prepared->command->waitBox == WaitBoxKind::Caller;
    if (prepared)
        settle();
    const CommandRun ran = runCommand(link_, interaction_, [&] { return encoded; });
    if (!ran.outcome)
        return RowEnd::Failed; // refused by its check
    if (const auto* lost = std::get_if<PortFault>(&*ran.outcome)) {
        interaction_.lost(link_.lostMessage(*lost));
        return RowEnd::CommunicationFailure;
    }
    if (!std::holds_alternative<NoReply>(*ran.outcome))
        return ran.verdict.succeeded ? RowEnd::Done : RowEnd::Failed;
    // A table caller's request goes unanswered while no caller's key is pressed; any other
    // request unanswered means the unit does not hear.
    if (!learns)
        return RowEnd::CommunicationFailure;
    // A key pressed late is answered yet: the next request waits out one more period.
    const std::chrono::duration<double> period(prepared->command->wait.seconds * link_.timeScale());
    quietAt_ = std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
    switch (interaction_.notPressed(row)) {
    case NotPressedChoice::Retry:
        return std::nullopt;
    case NotPressedChoice::Stop:
        return RowEnd::Stop;
    case NotPressedChoice::Skip:
        break;
    }
    return RowEnd::Failed;
}

RowEnd PlanRunner::send(const PlanRow& row, int position, int total) {
    for (;;) {
        if (interaction_.stopAsked())
            return RowEnd::Stop;
        interaction_.starting(row, position, total);
        if (const std::optional<RowEnd> end = attempt(row))
            return *end;
    }
}

PlanTally PlanRunner::run(const Plan& plan, int from) {
    PlanTally tally;
    int total = 0;
    for (const PlanRow& row : plan.rows)
        total += row.row >= from ? 1 : 0;
    int position = 0;
    for (const PlanRow& row : plan.rows) {
        if (row.row < from)
            continue;
        const RowEnd end = send(row, ++position, total);
        if (end == RowEnd::Done)
            ++tally.done;
        if (end == RowEnd::Failed)
            ++tally.failed;
        if (end == RowEnd::Stop || end == RowEnd::CommunicationFailure) {
            tally.stoppedAt = row.row;
            tally.communicationFailure = end == RowEnd::CommunicationFailure;
            break;
        }
    }
    return tally;
}

} // namespace callcfg

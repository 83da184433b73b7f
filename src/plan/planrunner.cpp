#include "plan/planrunner.h"

#include "commands/commandrunner.h"

#include <thread>

namespace callcfg {

PlanRunner::PlanRunner(Link& link, RowHooks hooks) : link_(link), hooks_(std::move(hooks)) {}

void PlanRunner::settle() {
    if (!quietAt_)
        return;
    if (hooks_.sleepUntil)
        hooks_.sleepUntil(*quietAt_);
    else
        std::this_thread::sleep_until(*quietAt_);
    quietAt_.reset();
}

std::optional<RowEnd> PlanRunner::attempt(const PlanRow& row) {
    const auto report = [&](const QString& text, RowEnd end) {
        if (hooks_.reported)
            hooks_.reported(row, text);
        return end;
    };
    const Encoded encoded = encodePlanRow(row);
    if (const std::optional<QString> refusal = refusalOf(encoded))
        return report(*refusal, RowEnd::Failed);
    const Prepared& prepared = std::get<Prepared>(encoded);
    const Command& command = *prepared.command;
    const bool learns = command.waitBox == WaitBoxKind::Caller;

    settle();
    const Outcome outcome = link_.exchange(prepared.request(), command.wait, [&] {
        if (learns && hooks_.callerWait)
            hooks_.callerWait(row);
    });
    const Verdict verdict = verdictOn(command, outcome);
    const QString text = verdict.box ? verdict.box->text : QString();
    if (const auto* lost = std::get_if<PortFault>(&outcome)) {
        if (hooks_.lost)
            hooks_.lost(link_.lostMessage(*lost));
        return report(text, RowEnd::CommunicationFailure);
    }
    if (!std::holds_alternative<NoReply>(outcome))
        return report(text, verdict.succeeded ? RowEnd::Done : RowEnd::Failed);
    // A table caller's request goes unanswered while no caller's key is pressed; any other
    // request unanswered means the unit does not hear.
    if (!learns)
        return report(text, RowEnd::CommunicationFailure);
    // A key pressed late is answered yet: the next request waits out one more period.
    const std::chrono::duration<double> period(command.wait.seconds * link_.timeScale());
    quietAt_ = std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
    report(text, RowEnd::Failed);
    switch (hooks_.notPressed ? hooks_.notPressed(row) : NotPressedChoice::Skip) {
    case NotPressedChoice::Retry:
        return std::nullopt;
    case NotPressedChoice::Stop:
        return RowEnd::Stop;
    case NotPressedChoice::Skip:
        break;
    }
    return RowEnd::Failed;
}

RowEnd PlanRunner::send(const PlanRow& row) {
    for (;;)
        if (const std::optional<RowEnd> end = attempt(row))
            return *end;
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
        ++position;
        std::optional<RowEnd> end;
        while (!end) {
            if (hooks_.stopAsked && hooks_.stopAsked()) {
                end = RowEnd::Stop;
                break;
            }
            if (hooks_.starting)
                hooks_.starting(position, total);
            end = attempt(row);
        }
        if (*end == RowEnd::Done)
            ++tally.done;
        if (*end == RowEnd::Failed)
            ++tally.failed;
        if (*end == RowEnd::Stop || *end == RowEnd::CommunicationFailure) {
            tally.stoppedAt = row.row;
            tally.communicationFailure = *end == RowEnd::CommunicationFailure;
            break;
        }
    }
    return tally;
}

std::optional<QString> refusalOf(const Encoded& encoded) {
    if (const auto* refusal = std::get_if<Refusal>(&encoded))
        return refusal->box.text;
    if (const auto* unsendable = std::get_if<Unsendable>(&encoded))
        return unsendableText(unsendable->focus);
    return std::nullopt;
}

} // namespace callcfg

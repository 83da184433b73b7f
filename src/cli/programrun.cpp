#include "cli/programrun.h"

#include "commands/road.h"
#include "commands/verdicts.h"
#include "link/texts.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace callcfg {

namespace {

enum class RowEnd { Done, Failed, Retry, Stop, CommunicationFailure };

class RowSender {
public:
    RowSender(const Invocation& call, Session& session) : call_(call), session_(session) {}

    RowEnd send(const PlanRow& row) {
        const Encoded encoded = encodePlanRow(row);
        if (const std::optional<QString> refusal = refusalOf(encoded))
            return report(row, *refusal, RowEnd::Failed);
        const Prepared& prepared = std::get<Prepared>(encoded);
        const Command& command = *prepared.command;

        // The caller's wait box as a line: the unit learns the caller whose key is pressed now.
        const Outcome outcome = session_.link().exchange(prepared.request(), command.wait, [&] {
            if (command.waitBox != WaitBoxKind::Caller)
                return;
            if (call_.environment.progress)
                call_.environment.err << "\r\x1b[K";
            call_.environment.err << Texts::tr("Press the service key of the caller of "
                                               "table %1")
                                         .arg(planRowNumber(row))
                                  << Qt::endl;
        });
        const Verdict verdict = verdictOn(command, outcome);
        const QString text = verdict.box ? verdict.box->text : QString();
        if (const auto* lost = std::get_if<PortFault>(&outcome)) {
            call_.tell(session_.link().lostMessage(lost->reason));
            return report(row, text, RowEnd::CommunicationFailure);
        }
        if (std::holds_alternative<NoReply>(outcome)) {
            // A table caller's request goes unanswered while no caller's key is pressed; any
            // other request unanswered means the unit does not hear.
            if (command.waitBox != WaitBoxKind::Caller)
                return report(row, text, RowEnd::CommunicationFailure);
            report(row, text, RowEnd::Failed);
            return notPressed();
        }
        return report(row, text, verdicts::isSuccess(verdict) ? RowEnd::Done : RowEnd::Failed);
    }

private:
    RowEnd report(const PlanRow& row, const QString& outcome, RowEnd end) {
        if (call_.environment.progress)
            call_.environment.err << "\r\x1b[K" << Qt::flush;
        call_.environment.out << rowLine(row, outcome) << Qt::endl;
        return end;
    }

    // On a terminal the installer decides; otherwise the row counts as failed.
    RowEnd notPressed() {
        if (!call_.environment.ask)
            return RowEnd::Failed;
        for (;;) {
            const auto answer = call_.environment.ask(Texts::tr("r retry / s skip / q quit"));
            const QString choice = answer ? answer->trimmed().toLower() : QStringLiteral("q");
            if (choice == QLatin1String("r"))
                return RowEnd::Retry;
            if (choice == QLatin1String("s"))
                return RowEnd::Failed;
            if (choice == QLatin1String("q"))
                return RowEnd::Stop;
        }
    }

    const Invocation& call_;
    Session& session_;
};

} // namespace

std::optional<QString> refusalOf(const Encoded& encoded) {
    if (const auto* refusal = std::get_if<Refusal>(&encoded))
        return refusal->box.text;
    if (const auto* unsendable = std::get_if<Unsendable>(&encoded))
        return unsendable->command->failure.box->text;
    return std::nullopt;
}

QString rowLine(const PlanRow& row, const QString& outcome) {
    return std::holds_alternative<PagerInput>(row.input)
               ? Texts::tr("row %1: pager %2: %3").arg(row.row).arg(planRowNumber(row), outcome)
               : Texts::tr("row %1: table %2: %3").arg(row.row).arg(planRowNumber(row), outcome);
}

ProgramTally programRows(const Invocation& call, Session& session, const Plan& plan, int from) {
    ProgramTally tally;
    RowSender sender(call, session);
    QElapsedTimer clock;
    clock.start();
    int total = 0;
    for (const PlanRow& row : plan.rows)
        total += row.row >= from ? 1 : 0;
    int position = 0;
    for (const PlanRow& row : plan.rows) {
        if (row.row < from)
            continue;
        ++position;
        for (;;) {
            if (call.environment.progress)
                call.environment.err << '\r'
                                     << Texts::tr("row %1 of %2, %3 s")
                                            .arg(position)
                                            .arg(total)
                                            .arg(clock.elapsed() / 1000)
                                     << Qt::flush;
            const RowEnd end = sender.send(row);
            if (end == RowEnd::Retry)
                continue;
            if (end == RowEnd::Done)
                ++tally.done;
            if (end == RowEnd::Failed)
                ++tally.failed;
            if (end == RowEnd::Stop || end == RowEnd::CommunicationFailure) {
                tally.stoppedAt = row.row;
                tally.communicationFailure = end == RowEnd::CommunicationFailure;
                return tally;
            }
            break;
        }
    }
    return tally;
}

} // namespace callcfg

// The program subcommand: a plan file of pagers or table callers sent row by row through the
// window's set commands, then, with --verify, the unit read back and compared with the plan.

#include "cli/heldinterrupts.h"
#include "cli/programrun.h"
#include "cli/session.h"
#include "cli/subcommands.h"
#include "link/texts.h"
#include "link/trafficlog.h"
#include "plan/planverify.h"
#include "protocol/protocol.h"

#include <QTextStream>

namespace callcfg {

namespace {

// The plan in the file, or the exit status after a message. The rows passed over are said.
std::variant<Plan, int> loadPlan(const Invocation& call, const QString& path) {
    auto read = readPlanFile(path);
    if (const auto* error = std::get_if<PlanError>(&read)) {
        call.tell(Texts::tr("%1: %2").arg(path, planErrorText(*error)));
        return kUsageOrFileError;
    }
    Plan plan = std::get<Plan>(std::move(read));
    for (const QString& note : plan.notes)
        call.tell(Texts::tr("%1: %2").arg(path, note));
    // Every refusal at once, so that one edit of the sheet mends them all; nothing is sent.
    for (const PlanError& refusal : plan.refusals)
        call.tell(Texts::tr("%1: %2").arg(path, planErrorText(refusal)));
    if (!plan.refusals.empty())
        return kUsageOrFileError;
    if (const QStringList ignored = ignoredColumns(plan); !ignored.isEmpty())
        call.tell(Texts::tr("%1: not read: %2").arg(path, ignored.join(QStringLiteral(", "))));
    return plan;
}

// Every row in words beside its frame, nothing sent; then how many rows would set what. A plan
// with refusals ends in loadPlan, so every row here is ready to send.
int dryRun(const Invocation& call, const Plan& plan, int from) {
    int rows = 0;
    for (const PlanRow& row : plan.rows) {
        if (row.row < from)
            continue;
        ++rows;
        const Encoded encoded = encodePlanRow(row);
        const Prepared& prepared = std::get<Prepared>(encoded);
        call.environment.out << Texts::tr("row %1: %2: %3")
                                    .arg(row.row)
                                    .arg(rowWords(row, encoded),
                                         QString::fromLatin1(spacedHex(protocol::requestWire(
                                             prepared.command->code, prepared.data))))
                             << '\n';
    }
    call.environment.out.flush();
    const bool pagers = plan.kind == PlanKind::Pagers;
    call.tell(Texts::tr("%1 row(s): %2 pager(s) and %3 table(s) to set")
                  .arg(rows)
                  .arg(pagers ? rows : 0)
                  .arg(pagers ? 0 : rows));
    return kDone;
}

// Status 2 after a message when no row is left to run: a plan without rows, or --from past
// its last row.
std::optional<int> nothingToRun(const Invocation& call, const Plan& plan, int from,
                                const QString& path) {
    if (plan.rows.empty()) {
        call.tell(Texts::tr("%1 has no rows below its header").arg(path));
        return kUsageOrFileError;
    }
    if (plan.rows.back().row < from) {
        call.tell(Texts::tr("--from %1 is past the last row of %2 (row %3)")
                      .arg(from)
                      .arg(path)
                      .arg(plan.rows.back().row));
        return kUsageOrFileError;
    }
    return std::nullopt;
}

// Reads the unit back and compares it with every row of the plan.
std::optional<int> verified(const Invocation& call, Session& session, const Plan& plan,
                            const QString& path) {
    HostMemory memory{};
    if (!session.read(memory))
        return kCommunicationFailure;
    const QStringList differences = planDifferences(plan, memory);
    for (const QString& line : differences)
        call.environment.out << line << '\n';
    // What the unit holds besides the plan is told, though it keeps no row from being done.
    if (const QString extra = onlyInUnitText(plan.kind, numbersOnlyInUnit(plan, memory));
        !extra.isEmpty())
        call.environment.out << extra << '\n';
    call.environment.out.flush();
    if (differences.isEmpty()) {
        call.tell(Texts::tr("the host unit holds every row of %1").arg(path));
        return std::nullopt;
    }
    call.tell(Texts::tr("%1 row(s) of %2 are not in the host unit as planned")
                  .arg(differences.size())
                  .arg(path));
    return kDiffer;
}

} // namespace

int runProgram(const Invocation& call) {
    int from = 1;
    if (call.parser.isSet(QStringLiteral("from"))) {
        bool ok = false;
        from = call.parser.value(QStringLiteral("from")).toInt(&ok);
        if (!ok || from < 2)
            return call.usageError(Texts::tr("--from expects a row number of 2 or more, got: %1")
                                       .arg(call.parser.value(QStringLiteral("from"))));
    }
    const bool dry = call.parser.isSet(QStringLiteral("dry-run"));
    Session session(call);
    if (dry ? !call.expectFiles(1) : false)
        return kUsageOrFileError;
    if (!dry)
        if (const auto status = session.prepare(1))
            return *status;
    const QString path = call.files().first();
    auto loaded = loadPlan(call, path);
    if (const int* status = std::get_if<int>(&loaded))
        return *status;
    const Plan& plan = std::get<Plan>(loaded);
    if (const auto status = nothingToRun(call, plan, from, path))
        return *status;
    if (dry)
        return dryRun(call, plan, from);

    if (!session.open())
        return kCommunicationFailure;
    // Ctrl+C and SIGTERM wait for the row in flight, then stop the run; the hold's end ends the
    // process by that interrupt (status 130 or 143), after the message and the resume line.
    std::optional<HeldInterrupts> held(std::in_place);
    TerminalRows rows(call, [&held] { return held->interrupted(); });
    PlanRunner runner(session.link(), rows);
    const PlanTally tally = runner.run(plan, from);
    if (held->interrupted()) {
        if (tally.stoppedAt)
            call.tell(Texts::tr("interrupted before row %1; to go on from there: %2")
                          .arg(*tally.stoppedAt)
                          .arg(resumeCommand(call, *tally.stoppedAt, path)));
        else
            call.tell(Texts::tr("interrupted after the last row: every row was sent"));
        return kInterrupted;
    }
    held.reset();
    if (tally.stoppedAt) {
        call.tell(Texts::tr("stopped at row %1; to go on from there: %2")
                      .arg(*tally.stoppedAt)
                      .arg(resumeCommand(call, *tally.stoppedAt, path)));
        return tally.communicationFailure ? kCommunicationFailure : kDiffer;
    }
    call.tell(Texts::tr("%1 row(s) done, %2 refused, declined or not answered")
                  .arg(tally.done)
                  .arg(tally.failed));
    if (call.parser.isSet(QStringLiteral("verify"))) {
        runner.settle(); // a caller pressed late is learned before the read
        if (const auto status = verified(call, session, plan, path))
            return *status;
    }
    return tally.failed ? kDiffer : kDone;
}

} // namespace callcfg

// The program subcommand: a plan file of pagers or table callers sent row by row through the
// window's set commands, then, with --verify, the unit read back and compared with the plan.

#include "cli/programrun.h"
#include "cli/session.h"
#include "cli/subcommands.h"
#include "link/texts.h"
#include "link/trafficlog.h"
#include "plan/planverify.h"
#include "protocol/protocol.h"

#include <QFile>
#include <QTextStream>

namespace callcfg {

namespace {

// The plan in the file, or the exit status after a message.
std::variant<Plan, int> loadPlan(const Invocation& call, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        call.tell(Texts::tr("cannot open %1: %2").arg(path, file.errorString()));
        return kUsageOrFileError;
    }
    auto read = readPlan(file.readAll());
    if (const auto* error = std::get_if<PlanError>(&read)) {
        call.tell(Texts::tr("%1: %2").arg(path, planErrorText(*error)));
        return kUsageOrFileError;
    }
    Plan plan = std::get<Plan>(std::move(read));
    // Every refusal at once, so that one edit of the sheet mends them all; nothing is sent.
    for (const PlanError& refusal : plan.refusals)
        call.tell(Texts::tr("%1: %2").arg(path, planErrorText(refusal)));
    if (!plan.refusals.empty())
        return kUsageOrFileError;
    if (const QStringList ignored = ignoredColumns(plan); !ignored.isEmpty())
        call.tell(Texts::tr("%1: not read: %2").arg(path, ignored.join(QStringLiteral(", "))));
    return plan;
}

// Every row's check and frame, nothing sent.
int dryRun(const Invocation& call, const Plan& plan, int from) {
    bool refused = false;
    for (const PlanRow& row : plan.rows) {
        if (row.row < from)
            continue;
        const Encoded encoded = encodePlanRow(row);
        std::optional<QString> outcome = refusalOf(encoded);
        refused = refused || outcome;
        if (const auto* prepared = std::get_if<Prepared>(&encoded))
            outcome = QString::fromLatin1(
                spacedHex(protocol::requestWire(prepared->command->code, prepared->data)));
        call.environment.out << rowLine(row, *outcome) << '\n';
    }
    call.environment.out.flush();
    return refused ? kDiffer : kDone;
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
    if (dry)
        return dryRun(call, plan, from);

    if (!session.open())
        return kCommunicationFailure;
    const ProgramTally tally = programRows(call, session, plan, from);
    if (tally.stoppedAt) {
        call.tell(Texts::tr("stopped at row %1; to go on from there: callcfg program --device %2 "
                            "--from %1 %3")
                      .arg(*tally.stoppedAt)
                      .arg(call.parser.value(QStringLiteral("device")), path));
        return tally.communicationFailure ? kCommunicationFailure : kDiffer;
    }
    call.tell(Texts::tr("%1 row(s) done, %2 refused, declined or not answered")
                  .arg(tally.done)
                  .arg(tally.failed));
    if (call.parser.isSet(QStringLiteral("verify")))
        if (const auto status = verified(call, session, plan, path))
            return *status;
    return tally.failed ? kDiffer : kDone;
}

} // namespace callcfg

// The ports subcommand: what each port opens (COM1 to COM8, then every higher port present or
// mapped), and with --find which of them lead to a host unit.

#include "cli/subcommands.h"
#include "link/portremedy.h"
#include "link/texts.h"
#include "link/trafficlog.h"
#include "memory/hostsearch.h"

#include <QTextStream>

namespace callcfg {

namespace {

// "COM1  /dev/ttyUSB0  FT232R USB UART, FTDI", "COM3  not present".
QString entryLine(const PortTarget& target) {
    if (target.device.isEmpty() || (!target.present && !target.mapped))
        return Texts::tr("%1  not present").arg(target.name());
    QString line = QStringLiteral("%1  %2").arg(target.name(), target.device);
    if (target.found)
        line += QStringLiteral("  ") + whatItIs(*target.found);
    else if (!target.present)
        line += QStringLiteral("  ") + Texts::tr("not present");
    if (target.mapped)
        line += QStringLiteral("  (--port)");
    return line;
}

QString answerText(const Probe& probe) {
    switch (probe.answer) {
    case ProbeAnswer::NotPresent:
    case ProbeAnswer::NotAsked:
        return {};
    case ProbeAnswer::Skipped:
        return Texts::tr("not asked: a Bluetooth serial port, whose open may wait many seconds "
                         "(map it with --port COMn=DEVICE to ask it)");
    case ProbeAnswer::Stalled:
        return Texts::tr("no answer within %1 s: its driver did not return; left alone")
            .arg(HostSearch::kBound.count() / 1000);
    case ProbeAnswer::NotOpened:
        return openFailurePhrase(probe.reason, probe.failure);
    case ProbeAnswer::NoAnswer:
        if (probe.failure == PortFailure::Stalled)
            return probe.reason.isEmpty()
                       ? Texts::tr("took no byte for a second")
                       : Texts::tr("took no byte for a second: %1").arg(probe.reason);
        return probe.reason.isEmpty() ? Texts::tr("no host unit answered")
                                      : Texts::tr("lost: %1").arg(probe.reason);
    case ProbeAnswer::HostUnit:
        return Texts::tr("a host unit answered");
    }
    return {};
}

} // namespace

int runPorts(const Invocation& call) {
    if (!call.expectFiles(0))
        return kUsageOrFileError;
    QTextStream& out = call.environment.out;
    if (!call.parser.isSet(QStringLiteral("find"))) {
        for (int port : call.portMap.ports())
            out << entryLine(call.portMap.target(port)) << '\n';
        out.flush();
        return kDone;
    }

    // The questions log through links of their own, into the --log file.
    auto log = std::make_shared<TrafficLogFile>();
    if (const auto status = call.openLog(*log))
        return *status;
    HostSearch search(call.portMap, {call.environment.makePort, call.environment.timeScale,
                                     log->isOpen() ? log : nullptr});
    search.run();
    QStringList found;
    for (const Probe& probe : search.probes()) {
        QString line = entryLine(probe.target);
        if (const QString answer = answerText(probe); !answer.isEmpty())
            line += QStringLiteral("  ") + answer;
        out << line << '\n';
        if (probe.answer == ProbeAnswer::HostUnit)
            found << probe.target.name();
    }
    out.flush();
    if (found.isEmpty()) {
        call.tell(Texts::tr("no host unit found; check the cable and the host unit's power"));
        return kDiffer;
    }
    call.tell(Texts::tr("host unit found on %1").arg(found.join(QStringLiteral(", "))));
    return kDone;
}

} // namespace callcfg

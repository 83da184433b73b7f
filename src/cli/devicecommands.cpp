// The subcommands that talk to the host unit: backup, restore and verify. They read and write
// the memory exactly as the memory reader window does: the same requests, waits and checks.

#include "cli/backupoutput.h"
#include "cli/session.h"
#include "cli/subcommands.h"
#include "link/texts.h"

#include <QTextStream>

namespace callcfg {

namespace {

// Compares what the host unit holds with the file's image.
int compared(const Invocation& call, const HostMemory& host, const HostMemory& file,
             const QString& path) {
    const auto difference = compareMemory(host, file);
    if (!difference) {
        call.tell(Texts::tr("the host unit holds %1").arg(path));
        return kDone;
    }
    call.tell(Texts::tr("the host unit differs from %1: %2 bytes, the first at 0x%3 in block %4")
                  .arg(path)
                  .arg(difference->bytes)
                  .arg(difference->firstOffset, 4, 16, QLatin1Char('0'))
                  .arg(difference->firstBlock() + 1)); // counted from 1
    return kDiffer;
}

} // namespace

int runBackup(const Invocation& call) {
    Session session(call);
    if (const auto status = session.prepare(1))
        return *status;
    const QString path = call.files().first();
    if (const auto problem = backupWriteProblem(path)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    HostMemory memory{};
    if (!session.open() || !session.read(memory))
        return kCommunicationFailure;
    if (const auto problem = writeBackupFile(path, memory)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    call.tell(
        Texts::tr("%1 bytes from %2 written to %3").arg(memory.size()).arg(session.device(), path));
    return kDone;
}

namespace {

// The start of restore and verify: the options, the log, the file.
std::optional<int> prepareWithFile(const Invocation& call, Session& session,
                                   std::optional<HostMemory>& memory) {
    if (const auto status = session.prepare(1))
        return status;
    memory = loadBackupFile(call, call.files().first());
    if (!memory)
        return kUsageOrFileError;
    return std::nullopt;
}

} // namespace

int runRestore(const Invocation& call) {
    Session session(call);
    std::optional<HostMemory> memory;
    if (const auto status = prepareWithFile(call, session, memory))
        return *status;
    const QString path = call.files().first();
    if (!session.open() || !session.write(*memory))
        return kCommunicationFailure;
    if (call.parser.isSet(QStringLiteral("no-verify"))) {
        call.tell(Texts::tr("%1 written to %2").arg(path, session.device()));
        return kDone;
    }
    HostMemory readBack{};
    if (!session.read(readBack))
        return kCommunicationFailure;
    return compared(call, readBack, *memory, path);
}

int runVerify(const Invocation& call) {
    Session session(call);
    std::optional<HostMemory> memory;
    if (const auto status = prepareWithFile(call, session, memory))
        return *status;
    const QString path = call.files().first();
    HostMemory host{};
    if (!session.open() || !session.read(host))
        return kCommunicationFailure;
    return compared(call, host, *memory, path);
}

} // namespace callcfg

// The subcommands that talk to the host unit: backup, restore and verify. They read and write
// the memory exactly as the memory reader window does: the same requests, waits and checks.

#include "cli/heldinterrupts.h"
#include "cli/outputfiles.h"
#include "cli/session.h"
#include "cli/subcommands.h"
#include "link/texts.h"
#include "memory/backupfile.h"
#include "memory/imagedecoding.h"

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
    if (!backupNameAccepted(call, path, true) || !mayReplace(call, path))
        return kUsageOrFileError;
    if (const auto problem = outputWriteProblem(path)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    HostMemory memory{};
    if (!session.open() || !session.read(memory))
        return kCommunicationFailure;
    if (const auto problem = writeOutputFile(path, backupBytes(memory))) {
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

// "shop.cat: 12 pager(s), 2 table caller(s), work mode 多键模式".
QString holdings(const QString& what, const HostMemory& image) {
    int pagers = 0;
    for (int number = 1; number <= memorymap::kPagerSlots; ++number)
        pagers += pagerRecord(image, number) ? 1 : 0;
    const int tables = tableCount(image);
    return Texts::tr("%1: %2 pager(s), %3 table caller(s), work mode %4")
        .arg(what)
        .arg(pagers)
        .arg(tableCountValid(tables) ? tables : 0)
        .arg(workModeName(image).toString());
}

// On a terminal, unless --yes answers for a script: reads the host unit, shows what the file
// and the unit hold and asks before the download. The exit status after a message when it is
// not to be written.
std::optional<int> declined(const Invocation& call, Session& session, const HostMemory& file,
                            const QString& path) {
    if (call.parser.isSet(QStringLiteral("yes")) || !call.environment.ask)
        return std::nullopt;
    HostMemory unit{};
    if (!session.read(unit))
        return kCommunicationFailure;
    const auto difference = compareMemory(file, unit);
    call.environment.err << holdings(path, file) << '\n'
                         << holdings(Texts::tr("host unit now"), unit) << '\n'
                         << Texts::tr("%1 of the %2 bytes differ (urge units, repeaters and the "
                                      "other settings are not listed above)")
                                .arg(difference ? difference->bytes : 0)
                                .arg(unit.size())
                         << '\n';
    if (call.agrees(Texts::tr("Write to the host unit? [y/N]")))
        return std::nullopt;
    call.tell(Texts::tr("nothing written; the host unit is as it was"));
    return kDiffer;
}

// What a download that ended after `written` blocks of 64 from the file left in the host unit,
// and what to do next.
QString unitAfterDownload(int written) {
    const int blocks = protocol::kHostBlockCount;
    if (written == 0)
        return Texts::tr("the host unit is as it was");
    if (written == blocks)
        return Texts::tr("all %1 blocks are new; the host unit was not read back").arg(blocks);
    return Texts::tr("the host unit now holds a mix of old and new blocks: blocks 1–%1 are new, "
                     "%2–%3 old; restore again to write the whole file, or verify to compare")
        .arg(written)
        .arg(written + 1)
        .arg(blocks);
}

} // namespace

int runRestore(const Invocation& call) {
    Session session(call);
    std::optional<HostMemory> memory;
    if (const auto status = prepareWithFile(call, session, memory))
        return *status;
    const QString path = call.files().first();
    if (!session.open())
        return kCommunicationFailure;
    // On Linux COMn follows the devices present at this moment: say which one is written.
    call.tell(Texts::tr("writing %1 into the host unit at %2").arg(path, session.deviceWords()));
    if (const auto status = declined(call, session, *memory, path))
        return *status;
    {
        // Ctrl+C and SIGTERM wait for the block in flight, then stop the download; the hold's
        // end ends the process by that interrupt (status 130 or 143), after the message.
        const HeldInterrupts held;
        const bool written = session.write(*memory, [&held] { return held.interrupted(); });
        if (const auto stop = session.stoppedAt(); stop || (written && held.interrupted())) {
            call.tell(Texts::tr("interrupted: %1")
                          .arg(unitAfterDownload(stop.value_or(protocol::kHostBlockCount))));
            return kInterrupted;
        }
        if (!written) {
            call.tell(unitAfterDownload(session.endedAt()));
            return kCommunicationFailure;
        }
    }
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

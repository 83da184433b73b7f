#include "cli/backupoutput.h"

#include "cli/heldinterrupts.h"
#include "memory/backupfile.h"

namespace callcfg {

std::optional<QString> backupWriteProblem(const QString& path) {
    const HeldInterrupts held; // while the trial file exists
    return wholeFileProblem(path);
}

std::optional<QString> writeBackupFile(const QString& path, const HostMemory& memory) {
    const HeldInterrupts held; // while the new file is written beside the old one, or over it
    const auto failure = writeWholeFile(
        path, QByteArray(reinterpret_cast<const char*>(memory.data()), qsizetype(memory.size())));
    if (failure)
        return failure->text();
    return std::nullopt;
}

} // namespace callcfg

#include "cli/backupoutput.h"

#include "cli/heldinterrupts.h"
#include "memory/backupfile.h"

#include <QFile>
#include <QSaveFile>

namespace callcfg {

std::optional<QString> backupWriteProblem(const QString& path) {
    const HeldInterrupts held; // while the trial file exists
    // A trial beside the old file, never in place: that would empty the old file.
    QSaveFile trial(path);
    if (trial.open(QIODevice::WriteOnly)) {
        commitWhole(trial, false); // discards the trial
        return std::nullopt;
    }
    // Opened for appending, an existing file is not changed.
    QFile existing(path);
    if (existing.exists() && existing.open(QIODevice::WriteOnly | QIODevice::Append))
        return std::nullopt;
    return trial.errorString();
}

std::optional<QString> writeBackupFile(const QString& path, const HostMemory& memory) {
    const HeldInterrupts held; // while the new file is written beside the old one
    QSaveFile file(path);
    allowWritingInPlace(file);
    if (file.open(QIODevice::WriteOnly) &&
        commitWhole(file, file.write(reinterpret_cast<const char*>(memory.data()),
                                     qint64(memory.size())) == qint64(memory.size())))
        return std::nullopt;
    return file.errorString();
}

} // namespace callcfg

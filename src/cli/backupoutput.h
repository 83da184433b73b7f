#pragma once
// The file the backup subcommand writes: found writable before the host unit is read, written
// only after the whole read, so that a failed or interrupted read leaves no file behind.

#include "memory/hostmemory.h"

#include <QString>

#include <optional>

namespace callcfg {

// Why no backup can be written at `path`, found without changing what is there; nothing when
// it can be (beside the old file, or over it in place where the folder allows no new file and
// the old file may be read and written).
std::optional<QString> backupWriteProblem(const QString& path);

// Writes the memory as the whole file; why not when it cannot (the system's reason), with the
// old file as it was: untouched, or, written in place, its old bytes put back (the text says
// when even that failed and the old file is damaged).
std::optional<QString> writeBackupFile(const QString& path, const HostMemory& memory);

} // namespace callcfg

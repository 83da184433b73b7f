#pragma once
// The backup file: the host unit's 8192 memory bytes in offset order, nothing else.

#include "memory/memoryimage.h"
#include "memory/wholefile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace callcfg {

inline constexpr int kBackupSize = protocol::kHostMemorySize;

// True when the last four characters are exactly ".cat" or exactly ".CAT".
bool hasBackupExtension(const QString& name);

// The backup file's bytes: the memory in offset order.
QByteArray backupBytes(const HostMemory& memory);

// Writes the memory over the start of the file through writeWholeFile, creating it if needed;
// an existing longer file keeps its bytes beyond 8192. Fails, with the old file untouched,
// when those bytes cannot be read whole.
std::optional<WriteFailure> saveBackup(const QString& path, const HostMemory& memory);

// The first 8192 bytes of an existing file; nothing when it does not exist, cannot be read or
// is shorter. A missing file is never created.
std::optional<HostMemory> readBackup(const QString& path);

} // namespace callcfg

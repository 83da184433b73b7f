#pragma once
// The backup file: the host unit's 8192 memory bytes in offset order, nothing else.

#include "memory/memoryimage.h"

#include <QSaveFile>
#include <QString>
#include <optional>

namespace callcfg {

inline constexpr int kBackupSize = protocol::kHostMemorySize;

// True when the last four characters are exactly ".cat" or exactly ".CAT".
bool hasBackupExtension(const QString& name);

// Writes the memory over the start of the file, creating it if needed; an existing longer file
// keeps its bytes beyond 8192. The new file takes the old one's place only once it is complete:
// false, with the old file untouched, when it cannot be written or its bytes beyond 8192
// cannot be read whole. In a folder where no file can be created beside it, a file the user
// may write is written in place.
bool saveBackup(const QString& path, const HostMemory& memory);

// Lets `file` write over the old file in place where the folder allows no file beside it.
void allowWritingInPlace(QSaveFile& file);

// Puts a file written through QSaveFile in its place, but only when `written` (every write
// returned its size) and every byte reached the disk; otherwise the old file stays and false
// is returned. Either way the file is closed.
bool commitWhole(QSaveFile& file, bool written);

// The first 8192 bytes of an existing file; nothing when it does not exist, cannot be read or
// is shorter. A missing file is never created.
std::optional<HostMemory> readBackup(const QString& path);

} // namespace callcfg

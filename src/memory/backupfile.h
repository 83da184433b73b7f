#pragma once
// The backup file: the host unit's 8192 memory bytes in offset order, nothing else.

#include "memory/hostmemory.h"
#include "memory/images.h"

#include <QSaveFile>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace callcfg {

inline constexpr int kBackupSize = protocol::kHostMemorySize;
using BackupBytes = HostMemory;

// True when the last four characters are exactly ".cat" or exactly ".CAT".
bool hasBackupExtension(const QString& name);

// Writes mainram entries 0 to 8191 over the start of the file, creating it if needed; an
// existing longer file keeps its bytes beyond 8192. The new file takes the old one's place
// only once it is complete: false, with the old file untouched, when it cannot be written.
bool saveBackup(const QString& path, const Image& mainram);

// Puts a file written through QSaveFile in its place, but only when every byte written reached
// the disk; otherwise the old file stays and false is returned.
bool commitWhole(QSaveFile& file);

// The first 8192 bytes of an existing file; nothing when it does not exist, cannot be read or
// is shorter. A missing file is never created.
std::optional<BackupBytes> readBackup(const QString& path);

// Mainram entries 0 to 8191 as bytes.
BackupBytes backupBytesOf(const Image& mainram);

// Puts the bytes into mainram entries 0 to 8191; later entries stay as they are.
void loadBackup(const BackupBytes& bytes, Image& mainram);

} // namespace callcfg

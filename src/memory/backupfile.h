#pragma once
// The backup file: the host unit's 8192 memory bytes in offset order, nothing else; and the
// writing of a whole file that never loses the old one without saying so.

#include "memory/memoryimage.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace callcfg {

inline constexpr int kBackupSize = protocol::kHostMemorySize;

// True when the last four characters are exactly ".cat" or exactly ".CAT".
bool hasBackupExtension(const QString& name);

// Why a file was not written: the system's reason (or the tool's, for a read that ended
// early), and whether the old file is damaged: it was being written in place and its old
// bytes could not be put back.
struct WriteFailure {
    QString reason;
    bool oldFileDamaged = false;

    // The reason, followed by "; the old file is damaged" (translated) when it is.
    QString text() const;
};

// Makes the file at `path` hold exactly `bytes`. The new file is written beside the old one
// and takes its place only once every byte is on disk; on any failure the old file stays as
// it was and nothing is left beside it. Only where no file can be created beside it (a folder
// the user may not write in) is an existing file the user may read and write written in
// place: its old bytes are read first and, should the writing fail part-way, put back with the
// old size; the old file is damaged only when even that fails.
std::optional<WriteFailure> writeWholeFile(const QString& path, const QByteArray& bytes);

// Why writeWholeFile could not write at `path`, found without changing what is there (a trial
// file is created beside it and removed); nothing when it could.
std::optional<QString> wholeFileProblem(const QString& path);

// Writes the memory over the start of the file through writeWholeFile, creating it if needed;
// an existing longer file keeps its bytes beyond 8192. Fails, with the old file untouched,
// when those bytes cannot be read whole.
std::optional<WriteFailure> saveBackup(const QString& path, const HostMemory& memory);

// The first 8192 bytes of an existing file; nothing when it does not exist, cannot be read or
// is shorter. A missing file is never created.
std::optional<HostMemory> readBackup(const QString& path);

// The folder the backup file dialog starts in: `current` when a file can be created there (one
// is created and removed: only that shows what permissions such as NTFS's allow), otherwise
// `documents` (unless that is empty).
QString backupStartFolder(const QString& current, const QString& documents);

} // namespace callcfg

#pragma once
// The one way the tool writes a file (a backup, a sheet): the whole file at once, every write,
// flush and close checked down to the disk, the old file kept on any failure, and nothing
// written where something other than a regular file stands.

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

namespace callcfg {

// Why a file was not written: the system's reason (or the tool's, for a read that ended
// early or a target that is no file), and whether the old file is damaged: it was being
// written in place and its old bytes could not be put back.
struct WriteFailure {
    QString reason;
    bool oldFileDamaged = false;

    // The reason, followed by "; the old file is damaged" (translated) when it is.
    QString text() const;
};

// Why nothing may be written at `path`: a folder, a FIFO, a device or a socket stands there
// (a symbolic link is followed); nothing when a regular file or nothing is there.
std::optional<QString> notARegularFile(const QString& path);

// Makes the file at `path` hold exactly `bytes`. The new file is written beside the old one
// and takes its place only once every byte has reached the disk; on any failure the old file
// stays as it was and nothing is left beside it. Only where no file can be created beside it
// (a folder the user may not write in) is an existing file the user may read and write
// written in place: its old bytes are read first and, should the writing fail part-way, put
// back with the old size; the old file is damaged only when even that fails.
std::optional<WriteFailure> writeWholeFile(const QString& path, const QByteArray& bytes);

// Why writeWholeFile could not write at `path`, found without changing what is there (a trial
// file is created beside it and removed); nothing when it could.
std::optional<QString> wholeFileProblem(const QString& path);

// What the open file holds from its position to its end, which lies at `size` or beyond;
// nothing, with `why` set, when a read fails or the file ends before (no permission, a failing
// USB stick, a network share that went away).
std::optional<QByteArray> readToEnd(QFile& file, qint64 size, QString& why);

} // namespace callcfg

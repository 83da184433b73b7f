#include "memory/backupfile.h"

#include <QFile>
#include <QSaveFile>

namespace callcfg {

bool hasBackupExtension(const QString& name) {
    return name.endsWith(QLatin1String(".cat")) || name.endsWith(QLatin1String(".CAT"));
}

namespace {

// What the old file holds beyond the image, read to its end: empty when it holds nothing
// there; nothing when it does but the read fails or ends short of the file's size (no
// permission, a failing USB stick, a network share that went away).
std::optional<QByteArray> tailOf(const QString& path) {
    QFile old(path);
    const qint64 size = old.exists() ? old.size() : 0;
    if (size <= kBackupSize)
        return QByteArray();
    if (!old.open(QIODevice::ReadOnly) || !old.seek(kBackupSize))
        return std::nullopt;
    QByteArray tail;
    char chunk[16384];
    qint64 n = 0;
    while ((n = old.read(chunk, sizeof chunk)) > 0)
        tail.append(chunk, n);
    if (n < 0 || tail.size() < size - kBackupSize)
        return std::nullopt;
    return tail;
}

// Writes the file anew beside the old one and puts it in its place only once every byte is
// on disk: a failure (a full disk, a vanished folder) leaves the old file as it was. Where the
// folder allows no new file, the old file is written in place.
bool writeWhole(const QString& path, const HostMemory& memory, const QByteArray& tail) {
    QSaveFile file(path);
    allowWritingInPlace(file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written =
        file.write(reinterpret_cast<const char*>(memory.data()), kBackupSize) == kBackupSize &&
        file.write(tail) == tail.size();
    return commitWhole(file, written);
}

} // namespace

void allowWritingInPlace(QSaveFile& file) {
    // Only where no file can be created beside the old one (a folder the user may not write
    // in, holding a file they may write) is the old file overwritten in place.
    file.setDirectWriteFallback(true);
}

bool commitWhole(QSaveFile& file, bool written) {
    if (written && file.flush())
        return file.commit();
    // QSaveFile remembers a failed write() but not a failed flush() (a full disk), and would
    // commit that file: cancelling makes commit() discard it. commit() also closes a file
    // written in place, so that nothing is left to the destructor.
    if (written || file.error() == QFileDevice::NoError)
        file.cancelWriting();
    file.commit();
    return false;
}

bool saveBackup(const QString& path, const HostMemory& memory) {
    // What an existing longer file holds beyond the image stays in it; a tail that cannot be
    // read whole cannot be kept, and the old file then stays as it is.
    const auto tail = tailOf(path);
    return tail && writeWhole(path, memory, *tail);
}

std::optional<HostMemory> readBackup(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) // never creates the file
        return std::nullopt;
    HostMemory bytes;
    qint64 got = 0;
    while (got < kBackupSize) {
        const qint64 n = file.read(reinterpret_cast<char*>(bytes.data()) + got, kBackupSize - got);
        if (n <= 0)
            return std::nullopt;
        got += n;
    }
    return bytes;
}

} // namespace callcfg

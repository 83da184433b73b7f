#include "memory/backupfile.h"

#include <QFile>
#include <QSaveFile>

namespace callcfg {

bool hasBackupExtension(const QString& name) {
    return name.endsWith(QLatin1String(".cat")) || name.endsWith(QLatin1String(".CAT"));
}

namespace {

// Writes the file anew beside the old one and puts it in its place only once every byte is
// on disk: a failure (a full disk, a vanished folder) leaves the old file as it was.
bool writeWhole(const QString& path, const HostMemory& memory, const QByteArray& tail) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(memory.data()), kBackupSize) == kBackupSize &&
           file.write(tail) == tail.size() && commitWhole(file);
}

} // namespace

bool commitWhole(QSaveFile& file) {
    // QSaveFile commits a file whose buffered bytes failed to reach the disk (a full disk)
    // unless the failure is caught here.
    if (!file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool saveBackup(const QString& path, const HostMemory& memory) {
    // What an existing longer file holds beyond the image stays in it.
    QByteArray tail;
    if (QFile old(path); old.exists()) {
        const bool readable = old.open(QIODevice::ReadOnly) && old.seek(kBackupSize);
        // The tail of a file that cannot be read cannot be kept.
        if (!readable && old.size() > kBackupSize)
            return false;
        if (readable)
            tail = old.readAll();
    }
    return writeWhole(path, memory, tail);
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

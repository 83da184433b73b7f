#include "memory/backupfile.h"

#include <QFile>

namespace callcfg {

bool hasBackupExtension(const QString& name) {
    return name.endsWith(QLatin1String(".cat")) || name.endsWith(QLatin1String(".CAT"));
}

namespace {

// What the old file holds beyond the image, read to its end: empty when it holds nothing
// there; nothing, with `why` set, when it does but cannot be read whole.
std::optional<QByteArray> tailOf(const QString& path, QString& why) {
    QFile old(path);
    const qint64 size = old.exists() ? old.size() : 0;
    if (size <= kBackupSize)
        return QByteArray();
    if (!old.open(QIODevice::ReadOnly) || !old.seek(kBackupSize)) {
        why = old.errorString();
        return std::nullopt;
    }
    return readToEnd(old, size, why);
}

} // namespace

QByteArray backupBytes(const HostMemory& memory) {
    return QByteArray(reinterpret_cast<const char*>(memory.data()), kBackupSize);
}

std::optional<WriteFailure> saveBackup(const QString& path, const HostMemory& memory) {
    // What an existing longer file holds beyond the image stays in it; a tail that cannot be
    // read whole cannot be kept, and the old file then stays as it is.
    QString why;
    const auto tail = tailOf(path, why);
    if (!tail)
        return WriteFailure{why};
    return writeWholeFile(path, backupBytes(memory) + *tail);
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

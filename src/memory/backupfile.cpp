#include "memory/backupfile.h"

#include <QFile>
#include <algorithm>

namespace callcfg {

bool hasBackupExtension(const QString& name) {
    return name.endsWith(QLatin1String(".cat")) || name.endsWith(QLatin1String(".CAT"));
}

BackupBytes backupBytesOf(const Image& mainram) {
    BackupBytes bytes;
    for (int n = 0; n < kBackupSize; ++n)
        bytes[n] = byteAt(mainram, n);
    return bytes;
}

bool saveBackup(const QString& path, const Image& mainram) {
    const BackupBytes bytes = backupBytesOf(mainram);
    QFile file(path);
    // ReadWrite, because a write-only QFile is truncated on open.
    if (!file.open(QIODevice::ReadWrite))
        return false;
    bool written =
        file.write(reinterpret_cast<const char*>(bytes.data()), kBackupSize) == kBackupSize &&
        file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

std::optional<BackupBytes> readBackup(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) // never creates the file
        return std::nullopt;
    BackupBytes bytes;
    qint64 got = 0;
    while (got < kBackupSize) {
        const qint64 n = file.read(reinterpret_cast<char*>(bytes.data()) + got, kBackupSize - got);
        if (n <= 0)
            return std::nullopt;
        got += n;
    }
    return bytes;
}

void loadBackup(const BackupBytes& bytes, Image& mainram) {
    std::copy(bytes.begin(), bytes.end(), mainram.begin());
}

} // namespace callcfg

#include "memory/backupfile.h"

#include "link/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace callcfg {

bool hasBackupExtension(const QString& name) {
    return name.endsWith(QLatin1String(".cat")) || name.endsWith(QLatin1String(".CAT"));
}

QString WriteFailure::text() const {
    return oldFileDamaged ? Texts::tr("%1; the old file is damaged").arg(reason) : reason;
}

namespace {

// What the file holds from its position to its end, which lies at `size` or beyond; nothing,
// with `why` set, when a read fails or the file ends before (no permission, a failing USB
// stick, a network share that went away).
std::optional<QByteArray> readToEnd(QFile& file, qint64 size, QString& why) {
    const qint64 from = file.pos();
    QByteArray bytes;
    char chunk[16384];
    qint64 n = 0;
    while ((n = file.read(chunk, sizeof chunk)) > 0)
        bytes.append(chunk, n);
    if (n < 0) {
        why = file.errorString();
        return std::nullopt;
    }
    if (from + bytes.size() < size) {
        why = Texts::tr("the file ended at byte %1 of its %2").arg(from + bytes.size()).arg(size);
        return std::nullopt;
    }
    return bytes;
}

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

// Writes every byte, going on after a short write, so that a write that fails leaves the
// system's reason in errorString().
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The open file holds `bytes` from its start and nothing after them.
bool overwrite(QFile& file, const QByteArray& bytes) {
    return file.seek(0) && writeAll(file, bytes) && file.flush() &&
           (file.size() == bytes.size() || file.resize(bytes.size()));
}

// QSaveFile could not create its file beside an existing one (the folder takes no new file):
// only then is the old file written in place.
bool onlyInPlace(const QSaveFile& failed, const QString& path) {
    return failed.error() == QFileDevice::OpenError && QFileInfo(path).isFile();
}

// Writes over the old file itself, opened for reading and writing (which does not empty it)
// and read whole first: a failure part-way puts the old bytes back, and the old size.
std::optional<WriteFailure> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return WriteFailure{file.errorString()};
    QString why;
    const auto old = readToEnd(file, file.size(), why);
    if (!old)
        return WriteFailure{why};
    if (overwrite(file, bytes))
        return std::nullopt;
    const QString reason = file.errorString();
    return WriteFailure{reason, !overwrite(file, *old)};
}

} // namespace

std::optional<WriteFailure> writeWholeFile(const QString& path, const QByteArray& bytes) {
    // Unbuffered, every failure shows in write() itself, where QSaveFile remembers it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (onlyInPlace(file, path))
            return writeInPlace(path, bytes);
        return WriteFailure{file.errorString()};
    }
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting(); // commit() then removes the unfinished file
        file.commit();
        return WriteFailure{reason};
    }
    if (!file.commit())
        return WriteFailure{file.errorString()};
    return std::nullopt;
}

std::optional<QString> wholeFileProblem(const QString& path) {
    QSaveFile trial(path);
    if (trial.open(QIODevice::WriteOnly)) {
        trial.cancelWriting(); // commit() then removes the trial instead of putting it in place
        trial.commit();
        return std::nullopt;
    }
    if (!onlyInPlace(trial, path))
        return trial.errorString();
    QFile existing(path);
    if (existing.open(QIODevice::ReadWrite)) // changes nothing in it
        return std::nullopt;
    return existing.errorString();
}

std::optional<WriteFailure> saveBackup(const QString& path, const HostMemory& memory) {
    // What an existing longer file holds beyond the image stays in it; a tail that cannot be
    // read whole cannot be kept, and the old file then stays as it is.
    QString why;
    const auto tail = tailOf(path, why);
    if (!tail)
        return WriteFailure{why};
    return writeWholeFile(
        path, QByteArray(reinterpret_cast<const char*>(memory.data()), kBackupSize) + *tail);
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

QString backupStartFolder(const QString& current, const QString& documents) {
    QTemporaryFile probe(QDir(current).filePath(QStringLiteral("callcfg-XXXXXX.tmp")));
    if (probe.open() || documents.isEmpty()) // removed again as it goes
        return current;
    return documents;
}

} // namespace callcfg

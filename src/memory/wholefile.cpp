#include "memory/wholefile.h"

#include "link/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>

namespace callcfg {

QString WriteFailure::text() const {
    return oldFileDamaged ? Texts::tr("%1; the old file is damaged").arg(reason) : reason;
}

std::optional<QString> notARegularFile(const QString& path) {
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    if (info.isDir())
        return Texts::tr("it is a folder, not a regular file");
    return Texts::tr("it is a device, not a regular file");
#else
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return std::nullopt; // nothing there, or nothing reachable: the write itself tells
    if (S_ISDIR(status.st_mode))
        return Texts::tr("it is a folder, not a regular file");
    if (S_ISFIFO(status.st_mode))
        return Texts::tr("it is a FIFO (a named pipe), not a regular file");
    if (S_ISSOCK(status.st_mode))
        return Texts::tr("it is a socket, not a regular file");
    return Texts::tr("it is a device, not a regular file");
#endif
}

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

namespace {

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

// Waits until what was written is on the disk: a full disk, a USB stick pulled or a network
// share that failed shows here, not after the file was reported saved. Why not, when not.
std::optional<QString> syncToDisk(QFileDevice& file) {
#ifdef Q_OS_WIN
    if (::_commit(file.handle()) == 0)
        return std::nullopt;
#else
    if (::fsync(file.handle()) == 0)
        return std::nullopt;
#endif
    return qt_error_string(errno);
}

// The open file holds `bytes` from its start and nothing after them, on the disk.
std::optional<QString> overwrite(QFile& file, const QByteArray& bytes) {
    if (!file.seek(0) || !writeAll(file, bytes) || !file.flush() ||
        (file.size() != bytes.size() && !file.resize(bytes.size())))
        return file.errorString();
    return syncToDisk(file);
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
    const auto failed = overwrite(file, bytes);
    if (!failed)
        return std::nullopt;
    return WriteFailure{*failed, overwrite(file, *old).has_value()};
}

} // namespace

std::optional<WriteFailure> writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (const auto notFile = notARegularFile(path))
        return WriteFailure{*notFile};
    // Unbuffered, every failure shows in write() itself, where QSaveFile remembers it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (onlyInPlace(file, path))
            return writeInPlace(path, bytes);
        return WriteFailure{file.errorString()};
    }
    std::optional<QString> failed;
    if (!writeAll(file, bytes))
        failed = file.errorString();
    else
        failed = syncToDisk(file); // commit() does not report a failed sync
    if (failed) {
        file.cancelWriting(); // commit() then removes the unfinished file
        file.commit();
        return WriteFailure{*failed};
    }
    if (!file.commit())
        return WriteFailure{file.errorString()};
    return std::nullopt;
}

std::optional<QString> wholeFileProblem(const QString& path) {
    if (const auto notFile = notARegularFile(path))
        return notFile;
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

} // namespace callcfg

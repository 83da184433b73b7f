// Saving a backup over an old file: none, one shorter or longer than the image, one whose
// reads fail part-way (EIO, or an early end as of a share that went away, injected into
// read(2)), one that may not be read, a folder in its place; in a folder that may or may not
// be written in (then an existing file is written in place); on a disk that fills up.
//
// Input: a flags byte, two bytes placing the read fault in the old file, the image's seed,
// then the old file's bytes.
// Checks: the save either leaves the image followed by the old file's bytes beyond 8192 and
// succeeds, or fails leaving the old bytes (untouched, or put back in place; damaged, and said
// so, only where they pass the limit); it fails exactly when the old tail (in place: the old
// file) cannot be read whole, no file can be written or the new one passes the limit; no other
// file is ever left.

#include "check.h"
#include "failingreads.h"
#include "permissionsenforced.h"

#include "memory/backupfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

enum Flags : std::uint8_t {
    kOldKind = 0x03, // 0 none, 1 a file, 2 a file whose reads fail, 3 a folder
    kReadOnlyFolder = 0x04,
    kEarlyEnd = 0x08,
    kUnreadable = 0x10,
    kSizeLimit = 0x20,
};

const QString& workFolder() {
    static QTemporaryDir top;
    static const QString folder = top.filePath(QStringLiteral("shared"));
    return folder;
}

QByteArray contents(const QString& path) {
    ::chmod(QFile::encodeName(path).constData(), 0644);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::uint8_t flags = data[0];
    const int kind = flags & kOldKind;
    const QByteArray old(reinterpret_cast<const char*>(data) + 4, qsizetype(size - 4));
    const qint64 failFrom = (qint64(data[1] | data[2] << 8) * (old.size() + 1)) >> 16;
    callcfg::HostMemory image;
    for (std::size_t n = 0; n < image.size(); ++n)
        image[n] = std::uint8_t((n * 131 + data[3] * 7 + n / 97) & 0xFF);
    const QByteArray imageBytes(reinterpret_cast<const char*>(image.data()), 8192);

    const QString folder = workFolder();
    const QString path = folder + QStringLiteral("/shop.cat");
    const QByteArray folderName = QFile::encodeName(folder);
    QDir(folder).removeRecursively();
    FUZZ_CHECK(QDir().mkpath(folder));
    if (kind == 3) {
        FUZZ_CHECK(QDir().mkdir(path));
    } else if (kind != 0) {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        if (flags & kUnreadable)
            ::chmod(QFile::encodeName(path).constData(), 0200);
    }
    if (flags & kReadOnlyFolder)
        ::chmod(folderName.constData(), 0555);

    std::optional<callcfg::WriteFailure> failure;
    bool readOnly = false, unreadable = false;
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const bool limited = flags & kSizeLimit; // no file grows beyond failFrom * 3 bytes
    const rlimit limit{limited ? rlim_t(failFrom * 3) : before.rlim_cur, before.rlim_max};
    {
        const PermissionsEnforced enforced;
        readOnly = !QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
        unreadable = kind != 0 && kind != 3 && !QFile(path).open(QIODevice::ReadOnly);
        std::optional<FailingReads> failing;
        if (kind == 2)
            failing.emplace(path.toStdString(), failFrom,
                            flags & kEarlyEnd ? ReadFault::EarlyEnd : ReadFault::Error);
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        failure = callcfg::saveBackup(path, image);
        setrlimit(RLIMIT_FSIZE, &before);
    }
    ::chmod(folderName.constData(), 0755);
    const bool saved = !failure;
    const bool full = limited && failFrom * 3 < std::max<qint64>(8192, kind == 0 ? 0 : old.size());
    FUZZ_CHECK(saved || !failure->reason.isEmpty());
    QFile::remove(folder + QStringLiteral("/probe"));

    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                    QDir::NoDotAndDotDot);
    if (kind == 0) {
        FUZZ_CHECK(saved == (!readOnly && !full));
        FUZZ_CHECK(left == (saved ? QStringList{QStringLiteral("shop.cat")} : QStringList()));
        FUZZ_CHECK(!saved || contents(path) == imageBytes);
        return 0;
    }
    FUZZ_CHECK(left == QStringList{QStringLiteral("shop.cat")});
    if (kind == 3) {
        FUZZ_CHECK(!saved && QFileInfo(path).isDir());
        return 0;
    }
    const bool hasTail = old.size() > 8192;
    const bool oldUnreadable = unreadable || (kind == 2 && failFrom < old.size());
    FUZZ_CHECK(saved == (!(hasTail && oldUnreadable) && !(readOnly && oldUnreadable) && !full));
    if (!saved && failure->oldFileDamaged)
        FUZZ_CHECK(readOnly && limited && failFrom * 3 < old.size());
    else
        FUZZ_CHECK(contents(path) == (saved ? imageBytes + old.mid(8192) : old));
    return 0;
}

// Backup file: extension rule, byte layout, saving in place and refusing unusable files.

#include "failingreads.h"
#include "files.h"
#include "memory/backupfile.h"
#include "permissionsenforced.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace callcfg;

namespace {

HostMemory randomImage(quint32 seed) {
    QRandomGenerator random(seed);
    HostMemory image;
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    return image;
}

} // namespace

Q_DECLARE_METATYPE(ReadFault)

class TestBackupFile : public QObject {
    Q_OBJECT
private slots:
    void extension_data();
    void extension();
    void roundTrip_data();
    void roundTrip();
    void saveOverALongerFile_data();
    void saveOverALongerFile();
    void openReadsOnlyTheStart();
    void openMissingCreatesNothing();
    void openShortFileFails_data();
    void openShortFileFails();
    void saveToUnwritablePlaceFails();
    void fullDiskLeavesTheOldFile_data();
    void fullDiskLeavesTheOldFile();
    void saveInAReadOnlyFolder_data();
    void saveInAReadOnlyFolder();

private:
    QTemporaryDir dir;
};

void TestBackupFile::extension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lower") << "backup.cat" << true;
    QTest::newRow("upper") << "BACKUP.CAT" << true;
    QTest::newRow("path") << "/tmp/x/y.cat" << true;
    QTest::newRow("extension only") << ".cat" << true;
    QTest::newRow("mixed Cat") << "backup.Cat" << false;
    QTest::newRow("mixed cAT") << "backup.cAT" << false;
    QTest::newRow("mixed CAt") << "backup.CAt" << false;
    QTest::newRow("no dot") << "backupcat" << false;
    QTest::newRow("other") << "backup.dat" << false;
    QTest::newRow("longer") << "backup.cats" << false;
    QTest::newRow("trailing blank") << "backup.cat " << false;
    QTest::newRow("short") << "cat" << false;
    QTest::newRow("empty") << "" << false;
}

void TestBackupFile::extension() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(hasBackupExtension(name), accepted);
}

void TestBackupFile::roundTrip_data() {
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 42u, 20240601u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestBackupFile::roundTrip() {
    QFETCH(quint32, seed);
    const HostMemory saved = randomImage(seed);
    const QString path = dir.filePath(QStringLiteral("round%1.cat").arg(seed));
    QVERIFY(!saveBackup(path, saved));
    const QByteArray bytes = readFile(path);
    QCOMPARE(bytes.size(), 8192);
    QCOMPARE(quint8(bytes[8191]), quint8(saved[8191]));

    const auto opened = readBackup(path);
    QVERIFY(opened.has_value());
    QVERIFY(*opened == saved);
}

void TestBackupFile::saveOverALongerFile_data() {
    QTest::addColumn<int>("failFrom"); // the byte from which reads of the old file fail; -1 none
    QTest::addColumn<ReadFault>("fault");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("saved");
    QTest::newRow("readable") << -1 << ReadFault::Error << 0644 << true;
    QTest::newRow("failing at the tail") << 8192 << ReadFault::Error << 0644 << false;
    QTest::newRow("failing part-way") << 9000 << ReadFault::Error << 0644 << false;
    QTest::newRow("ending early") << 9000 << ReadFault::EarlyEnd << 0644 << false;
    QTest::newRow("not readable") << -1 << ReadFault::Error << 0200 << false;
}

// The image replaces the first 8192 bytes and the rest stays; when the rest cannot be read
// whole, the old file stays exactly as it was and nothing is left beside it.
void TestBackupFile::saveOverALongerFile() {
    QFETCH(int, failFrom);
    QFETCH(ReadFault, fault);
    QFETCH(int, mode);
    QFETCH(bool, saved);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("longer.cat"));
    const QByteArray old = QByteArray(8192, '\x11') + QByteArray(100000, '\xEE');
    writeFile(path, old);
    QCOMPARE(::chmod(qPrintable(path), mode_t(mode)), 0);
    const HostMemory image = randomImage(7);
    bool result = false;
    {
        const PermissionsEnforced enforced;
        if (mode == 0200 && QFile(path).open(QIODevice::ReadOnly))
            QSKIP("file permissions cannot be enforced here");
        std::optional<FailingReads> failing;
        if (failFrom >= 0)
            failing.emplace(path.toStdString(), failFrom, fault);
        result = !saveBackup(path, image);
    }
    QCOMPARE(result, saved);
    ::chmod(qPrintable(path), 0644);
    const QByteArray expected =
        saved ? QByteArray(reinterpret_cast<const char*>(image.data()), 8192) + old.mid(8192) : old;
    QCOMPARE(readFile(path), expected);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("longer.cat")});
}

void TestBackupFile::openReadsOnlyTheStart() {
    const QString path = dir.filePath(QStringLiteral("tail.cat"));
    writeFile(path, QByteArray(8192, '\x5A') + QByteArray(500, '\x01'));
    const auto opened = readBackup(path);
    QVERIFY(opened.has_value());
    QVERIFY(std::all_of(opened->begin(), opened->end(), [](auto b) { return b == 0x5A; }));
}

void TestBackupFile::openMissingCreatesNothing() {
    const QString path = dir.filePath(QStringLiteral("missing.cat"));
    QVERIFY(!readBackup(path).has_value());
    QVERIFY(!QFile::exists(path));
}

void TestBackupFile::openShortFileFails_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("one byte short") << 8191;
}

void TestBackupFile::openShortFileFails() {
    QFETCH(int, size);
    const QString path = dir.filePath(QStringLiteral("short%1.cat").arg(size));
    writeFile(path, QByteArray(size, '\x33'));
    QVERIFY(!readBackup(path).has_value());
    QCOMPARE(readFile(path).size(), size);
}

void TestBackupFile::saveToUnwritablePlaceFails() {
    const HostMemory image{};
    const QString inMissingDir = dir.filePath(QStringLiteral("nowhere/backup.cat"));
    QCOMPARE(saveBackup(inMissingDir, image)->reason, "No such file or directory");
    QVERIFY(!QFile::exists(inMissingDir));
    const QString directory = dir.filePath(QStringLiteral("folder.cat"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.cat")));
    QVERIFY(saveBackup(directory, image));
    QVERIFY(!readBackup(directory).has_value());
}

void TestBackupFile::fullDiskLeavesTheOldFile_data() {
    QTest::addColumn<bool>("lateError"); // the disk reports the failure only at the sync
    QTest::newRow("full halfway") << false;
    QTest::newRow("a late error") << true;
}

// The file system fills up halfway through the save (a file size limit stands in for it), or
// tells of a failure only when the file is synced: the old file stays exactly as it was and no
// half-written file is left beside it.
void TestBackupFile::fullDiskLeavesTheOldFile() {
    QFETCH(bool, lateError);
    QTemporaryDir full;
    const QString path = full.filePath(QStringLiteral("shop.cat"));
    const QByteArray old = QByteArray(8192, '\x11') + QByteArray(808, '\x22');
    writeFile(path, old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{lateError ? before.rlim_cur : 4096, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    std::optional<WriteFailure> failure;
    {
        std::optional<FailingSync> sync;
        if (lateError)
            sync.emplace();
        failure = saveBackup(path, randomImage(3));
    }
    setrlimit(RLIMIT_FSIZE, &before);
    QCOMPARE(failure->text(), lateError ? "Input/output error" : "File too large");
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(full.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("shop.cat")});
}

void TestBackupFile::saveInAReadOnlyFolder_data() {
    QTest::addColumn<int>("mode");  // the old file's; 0 for none
    QTest::addColumn<int>("size");  // the old file's
    QTest::addColumn<int>("limit"); // no file may grow beyond it (a full disk); 0 for none, -1:
                                    // none, but the disk tells a late error at the sync
    QTest::addColumn<QString>("failure"); // what the failure's text holds; "-" when saved
    QTest::newRow("writable file") << 0644 << 8492 << 0 << "-";
    QTest::newRow("read-only file") << 0444 << 8492 << 0 << "";
    QTest::newRow("no file") << 0 << 0 << 0 << "Permission denied";
    QTest::newRow("full part-way: old bytes back") << 0644 << 300 << 4096 << "File too large";
    QTest::newRow("full part-way: damaged") << 0644 << 8492 << 4096 << "; the old file is damaged";
    QTest::newRow("a late error: old bytes back") << 0644 << 8492 << -1 << "Input/output error";
}

// A folder the user cannot write in, holding a file they can: the file is written in place,
// its tail kept; a write failing part-way puts the old bytes back or says it could not. Where
// no file can be written nothing changes. The backup dialog starts in the documents. As root
// the test gives up the capabilities that override permissions, skipped where it cannot.
void TestBackupFile::saveInAReadOnlyFolder() {
    QFETCH(int, mode);
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(QString, failure);
    QTemporaryDir top;
    const QString folder = top.filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/shop.cat");
    const QByteArray old = (QByteArray(8192, '\x11') + QByteArray(300, '\x22')).right(size);
    if (mode != 0) {
        writeFile(path, old);
        QCOMPARE(::chmod(qPrintable(path), mode_t(mode)), 0);
    }
    QCOMPARE(::chmod(qPrintable(folder), 0555), 0);
    const HostMemory image = randomImage(11);
    std::optional<WriteFailure> result;
    bool enforced = false;
    {
        const PermissionsEnforced permissions;
        enforced = !QFile(folder + QStringLiteral("/new")).open(QIODevice::WriteOnly);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{limit > 0 ? rlim_t(limit) : before.rlim_cur, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        std::optional<FailingSync> sync;
        if (limit < 0)
            sync.emplace();
        if (enforced)
            result = saveBackup(path, image);
        setrlimit(RLIMIT_FSIZE, &before);
    }
    ::chmod(qPrintable(folder), 0755);
    if (!enforced)
        QSKIP("file permissions cannot be enforced here");
    const bool saved = failure == "-";
    const QString text = result ? result->text() : "-";
    QVERIFY2(text.contains(failure) && text != "" && !result == saved, qPrintable(text));
    if (result && result->oldFileDamaged)
        return;
    const QByteArray expected =
        saved ? QByteArray(reinterpret_cast<const char*>(image.data()), 8192) + old.mid(8192) : old;
    QCOMPARE(readFile(path), mode != 0 ? expected : QByteArray("(missing)"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             mode != 0 ? QStringList{QStringLiteral("shop.cat")} : QStringList());
}

QTEST_APPLESS_MAIN(TestBackupFile)
#include "backupfile_test.moc"

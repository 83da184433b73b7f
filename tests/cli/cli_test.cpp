// The command line: backup, restore and verify against the simulated host unit over a real
// pseudo-terminal; show, diff and export on hand-made images; the exit statuses and messages;
// the traffic log; and the built binary without a display.

#include "cli/commandline.h"
#include "cli/heldinterrupts.h"
#include "files.h"
#include "hostsim/line/ptyhost.h"
#include "inprocessrun.h"
#include "language/language.h"
#include "link/link.h"
#include "link/qtserialport.h"
#include "permissionsenforced.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using hostsim::Fault;
Q_DECLARE_METATYPE(hostsim::Fault)

namespace {

using Memory = std::array<std::uint8_t, 8192>;

Memory patterned(int seed) {
    Memory m;
    for (std::size_t n = 0; n < m.size(); ++n)
        m[n] = static_cast<std::uint8_t>(n * 13 + seed + n / 256);
    return m;
}

QByteArray bytesOf(const Memory& m) {
    return QByteArray(reinterpret_cast<const char*>(m.data()), qsizetype(m.size()));
}

// The built program's environment without a display; with `lang` that is its only locale
// setting, and `messages` LC_MESSAGES over it.
QProcessEnvironment withoutDisplay(const char* lang = nullptr, const char* messages = nullptr) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (lang) {
        environment.remove("LC_ALL");
        environment.remove("LC_MESSAGES");
        environment.insert("LANG", lang);
    }
    if (messages)
        environment.insert("LC_MESSAGES", messages);
    return environment;
}

// A host image with pager 12 and two table callers, as the memory reader's examples have them.
Memory handMade() {
    Memory m;
    m.fill(0xFF);
    const std::uint8_t pager12[] = {0x6B, 0x12, 0x34, 0x56, 0x72};
    std::copy(std::begin(pager12), std::end(pager12), m.begin() + 55);
    const std::uint8_t tables[] = {0x0A, 0x1B, 0x2C, 0x00, 0x0C, 0x05, 0xFF, 0xFF,
                                   0xAB, 0xCD, 0xEF, 0x01, 0x00, 0x01, 0x02, 0x03};
    std::copy(std::begin(tables), std::end(tables), m.begin() + 1280);
    m[8166] = 1;
    m[8190] = 0;
    m[8191] = 2;
    return m;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<hostsim::PtyHost> host;

    QString path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    QString device() const { return QString::fromStdString(host->devicePath()); }
    void setMemory(const Memory& m) {
        host->withUnit([&](hostsim::HostUnit& u) { u.setMemory(m); });
    }
    Memory memory() {
        return host->withUnit([](hostsim::HostUnit& u) { return u.memory(); });
    }
    void fault(const Fault& f) {
        host->withLine([&](hostsim::HostLine& l) { l.addFault(f); });
    }
    std::vector<hostsim::ReceivedRequest> requests() {
        return host->withLine([](hostsim::HostLine& l) { return l.takeRequests(); });
    }
    void freshUnit() {
        host = std::make_unique<hostsim::PtyHost>();
        host->setPacing(false);
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        freshUnit();
    }
    void cleanup() {
        host.reset();
        dir.reset();
    }

    // A backup is the unit's memory byte for byte; restoring it into a fresh unit and backing
    // that up gives the same file; verify tells equal from changed.
    void backupRestoreVerify() {
        const Memory original = patterned(3);
        setMemory(original);
        const QString file = path("a.cat");
        Run r = run({"backup", "--device", device(), file});
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(file), bytesOf(original));

        freshUnit();
        r = run({"restore", "--device", device(), file}, {}, {}, true); // stderr on a terminal
        QCOMPARE(r.status, 0);
        QCOMPARE(memory(), original);
        QVERIFY2(r.err.startsWith("callcfg: writing " + file + " into the host unit at " +
                                  device() + "\n\rwriting block 1/64\r"),
                 qPrintable(r.err));
        QVERIFY(r.err.contains("\rwriting block 64/64\n\rreading block 1/64\r"));
        QVERIFY(r.err.contains("\rreading block 64/64\ncallcfg: the host unit holds"));
        r = run({"backup", "--port", "COM2=" + device(), "--device", "COM2", path("b.cat")});
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(path("b.cat")), bytesOf(original));

        QCOMPARE(run({"verify", "--device", device(), file}).status, 0);
        host->withUnit([](hostsim::HostUnit& u) { u.setMemoryAt(4000, u.memoryAt(4000) ^ 1); });
        r = run({"verify", "--device", device(), file});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("1 bytes, the first at 0x0fa0 in block 32"), qPrintable(r.err));
    }

    // At a terminal restore names the device, reads the unit, shows what the file and the unit
    // hold and writes only on y; --yes answers for a script, with no read and no question;
    // --no-verify sends only the download.
    void restoreAsks_data() {
        QTest::addColumn<QString>("answer"); // --yes: the options given, and n were it asked
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("sent"); // requests
        QTest::newRow("y") << "y" << 0 << 64 * 3;
        QTest::newRow("N") << "N" << 1 << 64;
        QTest::newRow("--yes") << "--yes" << 0 << 64 * 2;
        QTest::newRow("--yes --no-verify") << "--yes --no-verify" << 0 << 64;
    }
    void restoreAsks() {
        QFETCH(QString, answer);
        QFETCH(int, status);
        QFETCH(int, sent);
        const bool yes = answer.startsWith("--yes");
        Memory unit = handMade();
        unit[55] = unit[8190] = 0xFF; // no pager 12, no valid table count
        unit[8166] = 0;
        setMemory(unit);
        const QString file = path("shop.bak");
        writeFile(file, bytesOf(handMade()));
        callcfg::SerialDevice adapter;
        adapter.path = device();
        adapter.description = "FT232R USB UART";
        const Run r = run(
            QStringList{"restore", "--any-name", "--port", "COM2=" + device(), "--device", "COM2",
                        file} +
                (yes ? answer.split(' ') : QStringList()),
            {yes ? "n" : answer}, [adapter] { return std::vector{adapter}; }, false);
        QCOMPARE(r.status, status);
        QCOMPARE(memory(), status == 0 ? handMade() : unit);
        const QString asked =
            file +
            ": 1 pager(s), 2 table caller(s), work mode 多键模式\nhost unit now: 0 pager(s), "
            "0 table caller(s), work mode 单键模式1\n3 of the 8192 bytes differ (urge "
            "units, repeaters and the other settings are not listed above)\nWrite to the "
            "host unit? [y/N]\n";
        QVERIFY2(r.err.startsWith("callcfg: writing " + file + " into the host unit at COM2 → " +
                                  device() + ", FT232R USB UART\n" + (yes ? "" : asked)),
                 qPrintable(r.err));
        QCOMPARE(r.err.endsWith("\ncallcfg: nothing written; the host unit is as it was\n"),
                 status == 1);
        QCOMPARE(requests().size(), std::size_t(sent));
    }

    // At a terminal an existing file is replaced only on y, asked before the unit is read.
    void replaceAsks_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("y") << "y";
        QTest::newRow("N") << "N";
    }
    void replaceAsks() {
        QFETCH(QString, answer);
        setMemory(patterned(7));
        const QString file = path("shop.cat");
        writeFile(file, "an older backup");
        const Run r = run({"backup", "--device", device(), file}, {answer}, {}, false);
        QCOMPARE(r.status, answer == "y" ? 0 : 2);
        QCOMPARE(readFile(file), answer == "y" ? bytesOf(patterned(7)) : "an older backup");
        QVERIFY(r.err.startsWith("Overwrite " + file + "? [y/N]\n"));
        QCOMPARE(requests().size(), std::size_t(answer == "y" ? 64 : 0));
    }

    // Ctrl+C or SIGTERM ends the built program by that signal, as the shell expects of an
    // interrupted command. During a backup's read it leaves neither a file nor a temporary file
    // (in a folder where temporary files have names: a USB stick, a network share), an older file
    // as it was; restore's download and program's run finish the block or row in flight and
    // stop: the unit holds exactly what the message names, and a run names the row and the
    // command to go on from there.
    void interrupted_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("signal");
        QTest::newRow("backup, Ctrl+C") << "backup" << SIGINT;
        QTest::newRow("backup over an older file, SIGTERM") << "backup" << SIGTERM;
        QTest::newRow("restore, Ctrl+C") << "restore" << SIGINT;
        QTest::newRow("restore, SIGTERM") << "restore" << SIGTERM;
        QTest::newRow("program, Ctrl+C") << "program" << SIGINT;
    }
    void interrupted() {
        QFETCH(QString, command);
        QFETCH(int, signal);
        const bool older = command == "backup" && signal == SIGTERM;
        host->setPacing(true);
        setMemory(patterned(1));
        if (older)
            writeFile(path("shop.cat"), "an older backup");
        if (command != "backup") {
            writeFile(path("new.cat"), bytesOf(patterned(2)));
            writeFile(path("-plan.csv"),
                      "传呼号,地址码,极性,机型,速率,音调\r\n1,1,正,英文,512,音调1\r\n"
                      "2,2,正,英文,512,音调1\r\n3,3,正,英文,512,音调1\r\n");
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", NAMED_TEMPORARIES);
        environment.insert("ASAN_OPTIONS",
                           environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        QProcess process; // no terminal: no question
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir->path());
        process.start(CALLCFG_BINARY,
                      QMap<QString, QStringList>{
                          {"backup", {"backup", "--force", "--device", device(), path("shop.cat")}},
                          {"restore", {"restore", "--device", device(), path("new.cat")}},
                          {"program", {"program", "--device", device(), "--", "-plan.csv"}}}
                          .value(command));
        std::size_t n = 0;
        const auto sent = [&] { return n += requests().size(); };
        QTRY_VERIFY_WITH_TIMEOUT(sent() >= (command == "program" ? 1 : 3), 10000);
        QCOMPARE(::kill(process.processId(), signal), 0);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), signal);
        sent();
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (command == "backup") {
            QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                     older ? QStringList{"shop.cat"} : QStringList());
            if (older)
                QCOMPARE(readFile(path("shop.cat")), QByteArray("an older backup"));
        } else if (command == "program") {
            QVERIFY2(err.endsWith("callcfg: interrupted before row 3; to go on from there: callcfg "
                                  "program --device " +
                                  device() + " --from 3 -- -plan.csv\n"),
                     qPrintable(err));
            QCOMPARE(n, std::size_t(1));
        } else {
            QVERIFY(err.endsWith(QString("new blocks: blocks 1–%1 are new, %2–64 old; restore "
                                         "again to write the whole file, or verify to compare\n")
                                     .arg(n)
                                     .arg(n + 1)));
            Memory expected = patterned(1);
            std::copy_n(patterned(2).begin(), n * 128, expected.begin());
            QCOMPARE(memory(), expected);
        }
    }

    // Every failure has its status and message; a failed backup or export creates or changes no
    // file, and one that would replace a file without the installer's say or write where no
    // regular file stands is refused before the unit is read.
    void failures_data() {
        QTest::addColumn<QStringList>("arguments"); // DEV: the device; @name: a file in the folder
        QTest::addColumn<QList<Fault>>("faults");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList backup{"backup", "--device", "DEV", "@new.cat"};
        const QList<Fault> none;
        const auto onBlock = [](const Fault& f, std::uint8_t command, int block) {
            return QList<Fault>{f.onCommand(command).onBlock(block)};
        };
        QTest::newRow("no port") << QStringList{"backup", "--device", "/dev/callcfg-none",
                                                "@new.cat"}
                                 << none << 3 << "cannot open /dev/callcfg-none";
        QTest::newRow("silent unit")
            << backup << onBlock(Fault::noReply(), 0x0D, 5) << 3 << "no reply from";
        QTest::newRow("wrong length")
            << backup << onBlock(Fault::wrongLength(127), 0x0D, 7) << 3 << "wrong data length";
        QTest::newRow("device lost mid-read") << backup << onBlock(Fault::goAway(), 0x0D, 10) << 3
                                              << "UNIT disconnected: |block 11 of 64";
        QTest::newRow("device lost mid-restore")
            << QStringList{"restore", "--device", "DEV", "@good.cat"}
            << onBlock(Fault::goAway(), 0x18, 10) << 3
            << "UNIT disconnected: |block 11 of 64|\ncallcfg: the host unit now holds a mix of old "
               "and new blocks: blocks 1–10 are new, 11–64 old";
        QTest::newRow("entry without a device")
            << QStringList{"verify", "--device", "COM2", "@good.cat"} << none << 3
            << "COM2: no serial device present";
        QTest::newRow("backup over a file")
            << QStringList{"backup", "--device", "DEV", "@kept.cat"} << none << 2
            << "kept.cat exists; nothing written (--force";
        QTest::newRow("export over a sheet")
            << QStringList{"export", "@good.cat", "--pagers", "--output", "@kept.csv"} << none << 2
            << "kept.csv exists; nothing written (--force";
        QTest::newRow("export over a backup, forced")
            << QStringList{"export", "@good.cat", "--pagers", "--force", "--output", "@kept.cat"}
            << none << 2 << "kept.cat is a backup file's name: export never writes a backup file";
        QTest::newRow("export over its input")
            << QStringList{"export", "--any-name", "@kept.csv", "--tables", "--output", "@kept.csv"}
            << none << 2 << "kept.csv is the file exported from: export never writes over it";
        QTest::newRow("backup into a FIFO")
            << QStringList{"backup", "--any-name", "--device", "DEV", "@fifo"} << none << 2
            << "cannot write |fifo: it is a FIFO (a named pipe), not a regular file";
        QTest::newRow("no device named") << QStringList{"backup", "--device", "", "@new.cat"}
                                         << none << 2 << "--device names no device";
        QTest::newRow("unwritable file")
            << QStringList{"backup", "--device", "DEV", "@no-such-folder/x.cat"} << none << 2
            << "cannot write";
        QTest::newRow("missing file") << QStringList{"verify", "--device", "DEV", "@missing.cat"}
                                      << none << 2 << "cannot open";
        QTest::newRow("short file") << QStringList{"restore", "--device", "DEV", "@short.cat"}
                                    << none << 2 << "holds 100 bytes; a backup holds 8192";
        QTest::newRow("no device option")
            << QStringList{"backup", "@new.cat"} << none << 2 << "--device DEV is required";
        QTest::newRow("two listings")
            << QStringList{"show", "@short.cat", "--hex", "--mode"} << none << 2 << "choose one of";
        QTest::newRow("export without a choice")
            << QStringList{"export", "@kept.cat"} << none << 2 << "choose one of";
        QTest::newRow("unopenable log") << QStringList{"backup",   "--log", "@no-such-folder/x.cat",
                                                       "--device", "DEV",   "@new.cat"}
                                        << none << 2 << "cannot open the log";
        QTest::newRow("bad port mapping")
            << QStringList{"verify", "--port", "COM1", "--device", "COM1", "@kept.cat"} << none << 2
            << "--port expects COMn=DEVICE";
        QTest::newRow("port number past 255")
            << QStringList{"verify", "--port", "COM256=DEV", "--device", "COM1", "@kept.cat"}
            << none << 2 << "--port expects COMn=DEVICE";
        QTest::newRow("port 0") << QStringList{"backup", "--device", "COM0", "@new.cat"} << none
                                << 3 << "COM0 names no port: a port number is 1 to 255";
        // The memory reader window's file name rule.
        QTest::newRow("backup to a program")
            << QStringList{"backup", "--device", "DEV", "@callcfg.exe"} << none << 2
            << "callcfg.exe: the file name must end in .cat or .CAT (--any-name takes any name)";
        QTest::newRow("restore of mixed case") << QStringList{"restore", "--device", "DEV", "a.Cat"}
                                               << none << 2 << "a.Cat: choose a .cat or .CAT file";
        QTest::newRow("diff of a program")
            << QStringList{"diff", "@good.cat", "a.exe"} << none << 2 << "a.exe: choose a .cat";
        QTest::newRow("--any-name") << QStringList{"export", "--any-name", "a.exe", "--tables"}
                                    << none << 2 << "cannot open a.exe";
        QTest::newRow("a port past COM9")
            << QStringList{"verify", "--port", "COM12=DEV", "--device", "COM12", "@good.cat"}
            << none << 1 << "the host unit differs from";
    }

    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(QList<Fault>, faults);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString file = path("kept.cat");
        writeFile(file, "an older backup");
        writeFile(path("short.cat"), QByteArray(100, 'x'));
        writeFile(path("good.cat"), QByteArray(8192, 'g'));
        writeFile(path("kept.csv"), QByteArray(8192, 's'));
        QCOMPARE(::mkfifo(qPrintable(path("fifo")), 0600), 0);
        for (QString& argument : arguments)
            argument = argument == "DEV"           ? device()
                       : argument.endsWith("=DEV") ? argument.chopped(3) + device()
                       : argument.startsWith('@')  ? path(qPrintable(argument.mid(1)))
                                                   : argument;
        for (const Fault& f : faults)
            fault(f);
        const Run r = run(arguments);
        QCOMPARE(r.status, status);
        for (const QString& part : message.split('|'))
            QVERIFY2(r.err.contains(QString(part).replace("UNIT", device())), qPrintable(r.err));
        QCOMPARE(readFile(file), QByteArray("an older backup"));
        QCOMPARE(readFile(path("kept.csv")), QByteArray(8192, 's'));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 QStringList({"good.cat", "kept.cat", "kept.csv", "short.cat"}));
    }

    // The disk fills up while the backup is written: the old file stays as it was.
    void backupOnAFullDisk() {
        setMemory(patterned(4));
        const QString file = path("full.cat");
        writeFile(file, "an older backup");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{4096, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const Run r = run({"backup", "--force", "--device", device(), file});
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("cannot write " + file + ": File too large"), qPrintable(r.err));
        QCOMPARE(readFile(file), QByteArray("an older backup"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"full.cat"});
    }

    // A folder the user cannot write in, holding a file they can: the backup is written over
    // it in place. Without such a file, the place is refused before the read. As root the
    // test gives up the capabilities that override permissions, and is skipped where it
    // cannot.
    void backupInAReadOnlyFolder_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("status");
        QTest::newRow("writable file") << true << 0;
        QTest::newRow("no file") << false << 2;
    }
    void backupInAReadOnlyFolder() {
        QFETCH(bool, present);
        QFETCH(int, status);
        setMemory(patterned(6));
        const QString folder = path("shared");
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + "/shop.cat";
        if (present)
            writeFile(file, QByteArray(9000, 'x')); // longer: made exactly the image
        QCOMPARE(::chmod(qPrintable(folder), 0555), 0);
        Run r;
        bool enforced = false;
        {
            const PermissionsEnforced permissions;
            enforced = !QFile(folder + "/new").open(QIODevice::WriteOnly);
            if (enforced)
                r = run({"backup", "--force", "--device", device(), file});
        }
        ::chmod(qPrintable(folder), 0755);
        if (!enforced)
            QSKIP("file permissions cannot be enforced here");
        QCOMPARE(r.status, status);
        QCOMPARE(readFile(file), present ? bytesOf(patterned(6)) : QByteArray("(missing)"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 present ? QStringList{"shop.cat"} : QStringList());
        if (!present) {
            QVERIFY2(r.err.contains("cannot write"), qPrintable(r.err));
            QVERIFY(requests().empty());
        }
    }

    // While the backup's file is open a signal waits; it ends the process once the hold ends,
    // unless it is ignored.
    void interruptsWaitWhileHeld_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("ignored");
        QTest::newRow("Ctrl+C") << SIGINT << false;
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("the terminal closed") << SIGHUP << false;
        QTest::newRow("ignored Ctrl+C") << SIGINT << true;
    }
    void interruptsWaitWhileHeld() {
        QFETCH(int, signal);
        QFETCH(bool, ignored);
        int pipe[2];
        QCOMPARE(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(signal, ignored ? SIG_IGN : SIG_DFL); // as in the program
            {
                const callcfg::HeldInterrupts held;
                std::raise(signal);
                [[maybe_unused]] const auto n = ::write(pipe[1], "held", 4);
            }
            ::_exit(0);
        }
        ::close(pipe[1]);
        char seen[4] = {};
        QCOMPARE(::read(pipe[0], seen, 4), ssize_t(4));
        ::close(pipe[0]);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WIFSIGNALED(status), !ignored);
        QCOMPARE(ignored ? WEXITSTATUS(status) : WTERMSIG(status), ignored ? 0 : signal);
    }

    void show_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::newRow("pagers, the default")
            << ""
            << "  12    1 2 3 4 5 6 7     正     中文字符    1200    音调3\n";
        QTest::newRow("tables") << "--tables"
                                << "共有 2个餐桌号：\n"
                                   " 12       0A  1B  2C        5           无          无\n"
                                   " 256      AB  CD  EF        1            2           3\n";
        QTest::newRow("mode") << "--mode"
                              << "当前工作类型为：\n多键模式\n";
    }

    void show() {
        QFETCH(QString, option);
        QFETCH(QString, text);
        const QString file = path("made.cat");
        writeFile(file, bytesOf(handMade()));
        const Run r =
            run(option.isEmpty() ? QStringList{"show", file} : QStringList{"show", file, option});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, text);
    }

    void showHex() {
        const QString file = path("made.cat");
        writeFile(file, bytesOf(handMade()));
        const Run r = run({"show", "--hex", file});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.size(), 514); // 512 rows, the closing label, the final line end
        QCOMPARE(lines[3], "030H -- FF FF FF FF FF FF FF 6B 12 34 56 72 FF FF FF FF ");
        QCOMPARE(lines[512], "2000H -- ");
    }

    void diff() {
        const Memory a = handMade();
        Memory b = a;
        b[56] = 0x99;   // pager 12's address
        b[1293] = 0x04; // table 256's first pager
        b[8166] = 0;    // work mode
        b[6000] = 0x01; // a byte the listing does not read
        writeFile(path("a.cat"), bytesOf(a));
        writeFile(path("b.cat"), bytesOf(b));
        Run r = run({"diff", path("a.cat"), path("b.cat")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out.split('\n'),
                 QStringList({"pager 12: A \"  12    1 2 3 4 5 6 7     正     中文字符    1200"
                              "    音调3\", B \"  12    9 9 3 4 5 6 7     正     中文字符    1200"
                              "    音调3\"",
                              "table 256: A \" 256      AB  CD  EF        1            2           "
                              "3\", B \" 256      AB  CD  EF        4            2           3\"",
                              "work mode: A 多键模式 (1), B 单键模式1 (0)",
                              "differing bytes (4): 0x0038 0x050D 0x1770 0x1FE6", ""}));
        r = run({"diff", path("a.cat"), path("a.cat")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("identical\n"));

        // A second record of table 12: the later one is the table's.
        const std::uint8_t table12Again[] = {0x0A, 0x1B, 0x2C, 0x00, 0x0C, 0x07, 0xFF, 0xFF};
        b = a;
        std::copy(std::begin(table12Again), std::end(table12Again), b.begin() + 1296);
        b[8191] = 3;
        writeFile(path("b.cat"), bytesOf(b));
        r = run({"diff", path("a.cat"), path("b.cat")});
        QCOMPARE(r.out.split('\n'),
                 QStringList({"table count: A 2, B 3",
                              "table 12: A \" 12       0A  1B  2C        5           无          "
                              "无\", B \" 12       0A  1B  2C        7           无          无\"",
                              "differing bytes (7): 0x0510-0x0515 0x1FFF", ""}));
    }

    void exportCsv() {
        Memory m = handMade();
        writeFile(path("made.cat"), bytesOf(m));
        Run r = run({"export", path("made.cat"), "--pagers"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 "传呼号,地址码,极性,机型,速率,音调\r\n12,1234567,正,中文字符,1200,音调3\r\n");
        r = run({"export", "--tables", path("made.cat")});
        QCOMPARE(r.status, 0);
        const QString tables = "餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3\r\n"
                               "12,0A1B2C,5,无,无\r\n256,ABCDEF,1,2,3\r\n";
        QCOMPARE(r.out, tables);
        // For a spreadsheet: the same rows after a byte-order mark, nothing on stdout.
        r = run({"export", "--tables", path("made.cat"), "--output", path("t.csv")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(readFile(path("t.csv")), "\xEF\xBB\xBF" + tables.toUtf8());
        QCOMPARE(run({"export", "--tables", path("made.cat"), "--output", path("no/t.csv")}).status,
                 2);
        // A workbook: read back, it programmes the same rows.
        QCOMPARE(run({"export", "--tables", path("made.cat"), "--output", path("t.xlsx")}).status,
                 0);
        const QString rows = run({"program", "--dry-run", path("t.csv")}).out;
        QVERIFY(rows.startsWith("row 2: table 12"));
        QCOMPARE(run({"program", "--dry-run", path("t.xlsx")}).out, rows);
        // A sheet to fill in: the header with a 备注 column, and no row to program.
        r = run({"export", "--template", "tables"});
        QCOMPARE(r.out, "餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3,备注\r\n");
        QCOMPARE(run({"export", "--template", "pagers", "--output", path("p.csv")}).status, 0);
        QCOMPARE(readFile(path("p.csv")), "\xEF\xBB\xBF传呼号,地址码,极性,机型,速率,音调,备注\r\n");
        QCOMPARE(run({"program", "--dry-run", path("p.csv")}).status, 2); // no rows below it
        for (const QStringList& wrong : {QStringList{"--template", "urge"},
                                         {"--template", "pagers", "--tables"},
                                         {"--template", "pagers", path("made.cat")}})
            QCOMPARE(run(QStringList{"export"} + wrong).status, 2);
    }

    // One line per request sent and per read that returned bytes.
    void trafficLog() {
        setMemory(patterned(1));
        const QString log = path("traffic.log");
        QCOMPARE(run({"backup", "--log", log, "--device", device(), path("x.cat")}).status, 0);
        const QStringList lines = QString::fromUtf8(readFile(log)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 128);
        const QRegularExpression sent("^\\d+ sent " + QRegularExpression::escape(device()) +
                                      " 55 55 AA 01 0D 01 00 F0$");
        QVERIFY2(sent.match(lines[0]).hasMatch(), qPrintable(lines[0]));
        QVERIFY(lines[1].contains(" read " + device() + " 55 AA 02 0D 80 "));
    }

    // ports names what each entry opens; --find asks each device present once for block 0,
    // never one that another program holds, and says where the host unit answered.
    void ports() {
        const QString dev = device();
        Run r = run({"ports", "--port", "COM2=" + dev, "--port", "COM4=/dev/callcfg-none"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "COM1  not present\nCOM2  " + dev +
                            "  (--port)\nCOM3  not present\nCOM4  /dev/callcfg-none  not present"
                            "  (--port)\nCOM5  not present\nCOM6  not present\nCOM7  not "
                            "present\nCOM8  not present\n");
        QCOMPARE(host->withLine([](hostsim::HostLine& l) { return l.takeRawReceived(); }).size(),
                 std::size_t(0));

        r = run({"ports", "--find", "--port", "COM2=" + dev, "--port", "COM12=" + dev});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.value(1), "COM2  " + dev + "  (--port)  a host unit answered");
        QCOMPARE(lines.value(8), "COM12  " + dev + "  (--port)  a host unit answered");
        QCOMPARE(r.err, QString("callcfg: host unit found on COM2, COM12\n"));
        const auto sent = requests();
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(sent[0].command, std::uint8_t(0x0D));
        QCOMPARE(sent[0].data, std::vector<std::uint8_t>{0x00});

        // The unit behind the only adapter present, without --port.
        callcfg::SerialDevice adapter;
        adapter.path = dev;
        adapter.usb = true;
        adapter.byIdName = "usb-1a86_USB_Serial-if00-port0";
        adapter.description = "USB Serial";
        adapter.manufacturer = "QinHeng Electronics";
        r = run({"ports", "--find"}, {}, [adapter] { return std::vector{adapter}; });
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.section('\n', 0, 0),
                 "COM1  " + dev + "  USB Serial, QinHeng Electronics  a host unit answered");

        r = run({"ports", "--find"});
        QCOMPARE(r.status, 1);
        QCOMPARE(
            r.err,
            QString("callcfg: no host unit found; check the cable and the host unit's power\n"));

        host->withLine([](hostsim::HostLine& l) { return l.takeRawReceived(); });
        callcfg::Link other(std::make_unique<callcfg::QtSerialPort>());
        QVERIFY(other.open(dev));
        r = run({"ports", "--find", "--port", "COM1=" + dev});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.out.startsWith("COM1  " + dev + "  (--port)  in use by another program ("),
                 qPrintable(r.out));
        QVERIFY(host->withLine([](hostsim::HostLine& l) { return l.takeRawReceived(); }).empty());
    }

    void localeLanguage_data() {
        QTest::addColumn<QStringList>("settings"); // LC_ALL, LC_MESSAGES, LANG
        QTest::addColumn<bool>("chinese");
        QTest::newRow("zh_CN.UTF-8") << QStringList{"", "", "zh_CN.UTF-8"} << true;
        QTest::newRow("zh_TW") << QStringList{"", "", "zh_TW"} << true;
        QTest::newRow("C") << QStringList{"", "", "C.UTF-8"} << false;
        QTest::newRow("unset") << QStringList{"", "", ""} << false;
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{"", "en_US.UTF-8", "zh_CN.UTF-8"} << false;
        QTest::newRow("LC_ALL over both") << QStringList{"zh_CN.UTF-8", "C", "C"} << true;
        QTest::newRow("not Zhuang") << QStringList{"", "", "za_CN"} << false;
    }
    void localeLanguage() {
        QFETCH(QStringList, settings);
        QFETCH(bool, chinese);
        QCOMPARE(callcfg::languageOfLocale(settings[0], settings[1], settings[2]) ==
                     callcfg::Language::Chinese,
                 chinese);
    }

    // What the program says in the locale's language, Qt's parser and the help's headings
    // included (English through LC_MESSAGES over a Chinese LANG); the system's own texts stay
    // as they are. On stderr when it starts "callcfg: ", else on stdout (the other silent when
    // done); every part between '|'; help in 80 columns.
    void messagesInBothLocales_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("arguments"); // A, B, EMPTY, PLAN, FILE: files; DEV
        QTest::addColumn<QString>("unit");          // "silent", "held" or "stalled"
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        const QStringList backup{"backup", "--port", "COM1=DEV", "--device", "COM1", "FILE"};
        const QStringList find{"ports", "--find", "--port", "COM1=DEV"};
        const auto row = [](const char* name, const QStringList& arguments, const char* unit,
                            int status, const char* chinese, const char* english) {
            if (*chinese)
                QTest::addRow("%s, zh_CN", name) << true << arguments << unit << status << chinese;
            QTest::addRow("%s, C", name) << false << arguments << unit << status << english;
        };
        row("diff", {"diff", "A", "B"}, "", 1,
            "工作模式：A 多键模式（1），B 单键模式1（0）\n不同的字节（1 个）：0x1FE6\n",
            "work mode: A 多键模式 (1), B 单键模式1 (0)\ndiffering bytes (1): 0x1FE6\n");
        row("diff of identical files", {"diff", "A", "A"}, "", 0, "相同\n", "identical\n");
        row("no tables", {"show", "EMPTY", "--tables"}, "", 0, "没有餐桌号！\n", "没有餐桌号！\n");
        row("no pagers", {"show", "EMPTY"}, "", 0, "不存在传呼号！\n", "不存在传呼号！\n");
        row("unknown subcommand", {"bakup"}, "", 2,
            "callcfg: 没有这个子命令：bakup；是否要用 backup？\n",
            "callcfg: no such subcommand: bakup; did you mean backup?\n");
        row("far", {"frobnicate"}, "", 2, "", "callcfg: no such subcommand: frobnicate\nTry '");
        row("two letters swapped", {"prots"}, "", 2, "", "callcfg: |did you mean ports?");
        row("no display", {}, "", 2, "callcfg: 没有图形界面：请使用子命令，见 callcfg --help\n",
            "callcfg: no display: use a subcommand, see callcfg --help\n");
        row("help", {"--help"}, "", 0, "\n选项：\n|\n  backup   把主机内存读入备份文件。\n",
            "\nOptions:\n|\n  backup   Read the host unit's memory into a backup file.\n");
        row("no reply", backup, "silent", 3, "callcfg: DEV 在第 5 块（共 64 块）没有应答\n",
            "callcfg: no reply from DEV at block 5 of 64\n");
        row("held", backup, "held", 3,
            "callcfg: COM1 (DEV) 正被其他程序使用（|）——请先关闭该程序\n",
            "callcfg: COM1 (DEV) is in use by another program (|) - close that program first\n");
        row("held, asked by --find", find, "held", 1,
            "COM1  DEV  (--port)  正被其他程序使用（|）——请先关闭该程序\n",
            "COM1  DEV  (--port)  in use by another program (|) - close that program first\n");
        row("stalled", backup, "stalled", 3,
            "callcfg: COM1 (DEV) 一秒内未接收任何字节（发送第 1 块时，共 64 块）\n",
            "callcfg: COM1 (DEV) took no byte for a second (sending block 1 of 64)\n");
        row("stalled, asked by --find", find, "stalled", 1,
            "COM1  DEV  (--port)  一秒内未接收任何字节\n",
            "COM1  DEV  (--port)  took no byte for a second\n");
        row("plan without rows", {"program", "--dry-run", "PLAN"}, "", 2,
            "callcfg: |的表头行下没有任何行\n", "callcfg: | has no rows below its header\n");
        row("unopenable file", {"verify", "--device", "/dev/callcfg-none", "FILE"}, "", 2,
            "callcfg: 无法打开 |x.cat：", "callcfg: cannot open |x.cat: ");
        row("the window's words", {"show", "a.exe"}, "", 2,
            "callcfg: a.exe：请选择.cat文件（--any-name 接受任何文件名）\n",
            "callcfg: a.exe: choose a .cat or .CAT file (--any-name takes any name)\n");
        row("unknown option", {"show", "--bogus"}, "", 2, "callcfg: 未知选项“bogus”。\n",
            "callcfg: Unknown option 'bogus'.\n");
        // The usage line, the description, a blank line, then the options (DEV names the
        // device: the option's value is left out).
        row("a subcommand's help", {"show", "--help"}, "", 0,
            "用法：callcfg show|\n\n选项：\n  --port <COMn=|>  端口 COMn",
            "Usage: callcfg show|\n\nOptions:\n  --port <COMn=|>  Port COMn");
    }
    void messagesInBothLocales() {
        QFETCH(bool, chinese);
        QFETCH(QStringList, arguments);
        QFETCH(QString, unit);
        QFETCH(int, status);
        QFETCH(QString, said);
        Memory b = handMade();
        b[8166] = 0;
        writeFile(path("a.cat"), bytesOf(handMade()));
        writeFile(path("b.cat"), bytesOf(b));
        writeFile(path("empty.cat"), QByteArray(8192, char(0xFF)));
        writeFile(path("plan.csv"), "传呼号,地址码,极性,机型,速率,音调\r\n");
        const QMap<QString, QString> files{
            {"A", path("a.cat")},       {"B", path("b.cat")},    {"EMPTY", path("empty.cat")},
            {"PLAN", path("plan.csv")}, {"FILE", path("x.cat")}, {"COM1=DEV", "COM1=" + device()}};
        for (QString& argument : arguments)
            argument = files.value(argument, argument);
        std::optional<callcfg::Link> other;
        int stopped = -1;
        if (unit == "silent") {
            fault(Fault::noReply().onCommand(0x0D).onBlock(4));
        } else if (unit == "held") {
            other.emplace(std::make_unique<callcfg::QtSerialPort>());
            QVERIFY(other->open(device()));
        } else if (unit == "stalled") { // its output stopped, as flow control stops it
            stopped = ::open(qPrintable(device()), O_RDWR | O_NOCTTY);
            QVERIFY(stopped >= 0 && ::tcflow(stopped, TCOOFF) == 0);
        }
        QProcess process;
        process.setProcessEnvironment(withoutDisplay("zh_CN.UTF-8", chinese ? nullptr : "C"));
        process.start(CALLCFG_BINARY, arguments);
        QVERIFY(process.waitForFinished(20000));
        ::close(stopped); // none when -1
        const QString out = QString::fromUtf8(process.readAllStandardOutput()),
                      err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), status);
        const bool onErr = said.startsWith("callcfg: ");
        QVERIFY2(status != 0 || (onErr ? out : err).isEmpty(), qPrintable(out + err));
        for (const QString& part : said.split('|'))
            QVERIFY2((onErr ? err : out).contains(QString(part).replace("DEV", device())),
                     qPrintable(out + err));
        QVERIFY2(!arguments.contains("--help") || !out.contains(QRegularExpression("[^\\n]{81}")),
                 qPrintable(out));
    }

    // The built program: no display needed for the version, a listing or a usage error, and
    // a backup at real timing takes its 64 periods of 0.2 s.
    void binary() {
        const QProcessEnvironment noDisplay = withoutDisplay();
        const auto runBinary = [&](const QStringList& arguments, QString* out = nullptr) {
            QProcess process;
            process.setProcessEnvironment(noDisplay);
            process.start(CALLCFG_BINARY, arguments);
            process.waitForFinished(60000);
            if (out)
                *out = QString::fromUtf8(process.readAllStandardOutput());
            return process.exitCode();
        };
        QString out;
        QCOMPARE(runBinary({"--version"}, &out), 0);
        QCOMPARE(out, "callcfg 4.0\n");
        writeFile(path("made.cat"), bytesOf(handMade()));
        QCOMPARE(runBinary({"show", path("made.cat"), "--mode"}, &out), 0);
        QCOMPARE(out, "当前工作类型为：\n多键模式\n");
        QCOMPARE(runBinary({"show"}), 2);
        // A listing that could not be written is no success.
        QProcess full;
        full.setProcessEnvironment(withoutDisplay("C.UTF-8"));
        full.setStandardOutputFile("/dev/full");
        full.start(CALLCFG_BINARY, {"show", "--hex", path("made.cat")});
        QVERIFY(full.waitForFinished(10000));
        QCOMPARE(full.exitCode(), 1);
        QCOMPARE(full.readAllStandardError(),
                 "callcfg: cannot write to standard output: No space left on device\n");
        QCOMPARE(runBinary({"frobnicate"}), 2);
        // Usage errors of the window's command line are told without a display, never a crash.
        QProcess bogus;
        bogus.setProcessEnvironment(noDisplay);
        for (const QStringList& arguments :
             {QStringList{"--bogus"}, {"-platform", "offscreen", "--bogus", "--reverse"}}) {
            bogus.start(CALLCFG_BINARY, arguments);
            QVERIFY(bogus.waitForFinished(10000));
            QCOMPARE(bogus.exitStatus(), QProcess::NormalExit);
            QCOMPARE(bogus.exitCode(), 2);
            QCOMPARE(bogus.readAllStandardError().split('\n').first(),
                     "callcfg: Unknown option 'bogus'.");
        }
        QCOMPARE(runBinary({"--port"}), 2);

        // The window with Qt's own -platform option; SIGTERM ends it cleanly.
        QProcess window;
        window.setProcessEnvironment(noDisplay);
        window.start(CALLCFG_BINARY, {"-platform", "offscreen", "--simulate"});
        QVERIFY(window.waitForStarted());
        // The simulated unit's line comes once the application object exists; the window
        // then gets a moment to show before SIGTERM.
        QVERIFY(window.waitForReadyRead(30000));
        QVERIFY(!window.waitForFinished(3000));
        window.terminate();
        QVERIFY(window.waitForFinished(10000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);

        host->setPacing(true);
        setMemory(patterned(5));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runBinary({"backup", "--device", device(), path("real.cat")}), 0);
        const double seconds = clock.elapsed() / 1000.0;
        QVERIFY2(seconds >= 12.8 && seconds < 16.0, qPrintable(QString::number(seconds)));
        QCOMPARE(readFile(path("real.cat")), bytesOf(patterned(5)));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "cli_test.moc"

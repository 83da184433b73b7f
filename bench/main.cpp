// callcfg_bench: prints one table of the figures that matter to an installer: how long a host
// read takes at real timing, how idle the program stays while it waits, how fast the hex dump
// and a full table listing come, how soon the main window is painted, and how much memory the
// process holds. Exits non-zero when a figure misses its limit.
//
//   callcfg_bench [--through-link]   the host read through the link even when form3 can read

#include "hostread.h"

#include "app/program.h"
#include "hostsim/line/ptyhost.h"
#include "memory/hexview.h"
#include "memory/listing.h"
#include "protocol/commands.h"
#include "protocol/memorymap.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

using callcfg::Program;

namespace {

struct Row {
    QString figure, measured, limit, verdict, note;
};

// Seconds since the process started (its start time in clock ticks after boot).
double secondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses; starttime is field 22.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - started;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A process's peak resident memory (its VmHWM) in kB; 0 when it cannot be read.
qint64 peakKilobytes(const QString& process = QStringLiteral("self")) {
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).simplified().split(' ').value(0).toLongLong();
    return 0;
}

// Median wall time of 20 runs, in seconds.
double median20(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    return (times[9] + times[10]) / 2;
}

QString ms(double seconds) {
    return QString::number(seconds * 1000, 'f', 3) + QStringLiteral(" ms");
}
QString s(double seconds) {
    return QString::number(seconds, 'f', 3) + QStringLiteral(" s");
}
QString verdict(bool ok) {
    return ok ? QStringLiteral("ok") : QStringLiteral("FAIL");
}

// A host image with 512 table caller records, each bound to three pagers.
callcfg::HostMemory fullTables() {
    callcfg::HostMemory image{};
    using namespace callcfg::memorymap;
    for (int i = 0; i < kMaxTables; ++i)
        for (int b = 0; b < kTableRecordSize; ++b)
            image[tableRecordOffset(i) + b] = static_cast<std::uint8_t>((i * 8 + b * 37) & 0xFF);
    image[kTableCountOffset] = kMaxTables >> 8;
    image[kTableCountOffset + 1] = kMaxTables & 0xFF;
    return image;
}

// Three 1.0 s periods with nothing arriving, on a pseudo-terminal nobody writes to.
Row cpuDuringWait() {
    int master = -1, slave = -1;
    char name[64] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return {QStringLiteral("CPU during 3 x 1.0 s wait"), QStringLiteral("-"),
                QStringLiteral("< 0.1 s"), QStringLiteral("FAIL"), QStringLiteral("no pty")};
    callcfg::PortMap map;
    map.map(1, QString::fromLatin1(name));
    Program program(map);
    program.mainWindow.show();
    program.portRow->ensureOpen();
    QElapsedTimer wall;
    const double before = cpuSeconds();
    wall.start();
    const callcfg::Outcome outcome = program.link.exchange(
        {callcfg::protocol::kReadHostBlock, {0x00}}, callcfg::WaitPlan{3, 1.0});
    const double cpu = cpuSeconds() - before;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    close(master);
    close(slave);
    const bool ok = cpu < 0.1 && std::holds_alternative<callcfg::NoReply>(outcome);
    return {QStringLiteral("CPU during 3 x 1.0 s wait"), s(cpu), QStringLiteral("< 0.1 s"),
            verdict(ok), QStringLiteral("wall %1, no reply").arg(s(seconds))};
}

// The same read and download from the command line, without a display, at real timing.
std::vector<Row> commandLineRows(hostsim::PtyHost& host) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.cat"));
    const QString device = QString::fromStdString(host.devicePath());
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(name);
    // Wall time, success and the process's peak resident memory (its VmHWM, looked at while it
    // runs: the figure the parent gets after the fork would count the parent's pages).
    qint64 peak = 0;
    const auto timed = [&](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(noDisplay);
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(CALLCFG_BINARY), arguments);
        while (!process.waitForFinished(50) && clock.elapsed() < 120000)
            peak = std::max(peak, peakKilobytes(QString::number(process.processId())));
        const bool done = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        return std::pair{double(clock.nsecsElapsed()) / 1e9, done};
    };
    const auto [backup, backedUp] =
        timed({QStringLiteral("backup"), QStringLiteral("--device"), device, file});
    const auto [restore, restored] =
        timed({QStringLiteral("restore"), QStringLiteral("--device"), device, file});
    const double readFloor = 64 * 0.2, restoreFloor = 64 * 0.3 + 64 * 0.2;
    return {
        {QStringLiteral("callcfg backup, real timing"), s(backup),
         QStringLiteral(">= %1 s, <= %2 s").arg(readFloor).arg(readFloor * 1.1),
         verdict(backedUp && backup >= readFloor && backup <= readFloor * 1.1),
         QStringLiteral("64 x 0.2 s, as the window's read, plus process start")},
        {QStringLiteral("callcfg restore, real timing"), s(restore),
         QStringLiteral(">= %1 s, <= %2 s").arg(restoreFloor).arg(restoreFloor * 1.1),
         verdict(restored && restore >= restoreFloor && restore <= restoreFloor * 1.1),
         QStringLiteral("64 x 0.3 s download and 64 x 0.2 s read-back")},
        {QStringLiteral("callcfg peak memory, no display"), QStringLiteral("%1 kB").arg(peak),
         QStringLiteral("-"), QString(), QStringLiteral("larger of the two processes (VmHWM)")},
    };
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<Row> rows;

    {
        callcfg::installFontSubstitutions();
        Program program{callcfg::PortMap{}};
        program.mainWindow.show();
        const QPixmap painted = program.mainWindow.grab();
        const double inMain = double(sinceMain.nsecsElapsed()) / 1e9;
        const double sinceStart = secondsSinceProcessStart();
        rows.push_back(
            {QStringLiteral("start-up to first paint of Form1"), ms(sinceStart),
             QStringLiteral("-"), painted.isNull() ? QStringLiteral("FAIL") : QString(),
             QStringLiteral("offscreen, from process start; %1 of it in main()").arg(ms(inMain))});
    }

    hostsim::PtyHost host; // pacing on: replies at 960 bytes/s
    callcfg::PortMap map;
    map.map(1, QString::fromStdString(host.devicePath()));
    Program program(map);
    program.exitProgram = [] {};
    program.mainWindow.show();
    const bool throughLink = QApplication::arguments().contains(QStringLiteral("--through-link"));
    const HostReadResult read = measureHostRead(program, host, throughLink);
    // The window's read costs no more than half a per cent beyond its 64 waits.
    const double floor = 64 * 0.2;
    const double ceiling = floor * 1.005;
    rows.push_back({QStringLiteral("host read, 64 blocks, real timing"), s(read.seconds),
                    QStringLiteral(">= %1 s, <= %2 s").arg(floor).arg(ceiling),
                    verdict(read.complete && read.seconds >= floor && read.seconds <= ceiling),
                    QStringLiteral("time scale %1, pacing %2; %3%4")
                        .arg(program.link.timeScale())
                        .arg(host.pacing() ? QStringLiteral("on") : QStringLiteral("off"))
                        .arg(read.how)
                        .arg(read.complete ? QString() : QStringLiteral("; INCOMPLETE"))});

    rows.push_back(cpuDuringWait());
    program.link.close(); // the port is the command line's now
    for (const Row& row : commandLineRows(host))
        rows.push_back(row);

    // What the host unit holds, whichever road read it.
    const callcfg::HostMemory image =
        host.withUnit([](hostsim::HostUnit& unit) { return unit.memory(); });
    qsizetype produced = 0; // keeps the texts from being optimised away
    const double hex = median20([&] { produced += callcfg::hexDump(image).size(); });
    rows.push_back({QStringLiteral("full host hex dump (median of 20)"), ms(hex),
                    QStringLiteral("<= 0.5 s"), verdict(hex <= 0.5),
                    QStringLiteral("text of 512 rows")});
    const callcfg::HostMemory tables = fullTables();
    const double listing = median20([&] { produced += callcfg::tableListing(tables)->size(); });
    rows.push_back({QStringLiteral("512-table listing (median of 20)"), ms(listing),
                    QStringLiteral("-"), QString(), QStringLiteral("text of 513 lines")});

    rows.push_back({QStringLiteral("resident memory (VmHWM)"),
                    QStringLiteral("%1 kB").arg(peakKilobytes()), QStringLiteral("-"), QString(),
                    QStringLiteral("peak of the whole bench process")});

    bool ok = produced > 0;
    std::printf("%-36s %-12s %-20s %-7s %s\n", "figure", "measured", "limit", "verdict", "note");
    for (const Row& row : rows) {
        ok = ok && row.verdict != QLatin1String("FAIL");
        std::printf("%-36s %-12s %-20s %-7s %s\n", qPrintable(row.figure), qPrintable(row.measured),
                    qPrintable(row.limit),
                    qPrintable(row.verdict.isEmpty() ? QStringLiteral("-") : row.verdict),
                    qPrintable(row.note));
    }
    return ok ? 0 : 1;
}

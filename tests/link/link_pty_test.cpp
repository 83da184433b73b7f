// The link over a real pseudo-terminal on the real clock: the length of its waits, the CPU time
// they take, and devices that are missing or held by another program.

#include "link/link.h"
#include "link/qtserialport.h"
#include "ptypeer.h"
#include "wire.h"

#include <QtTest>

#include <sys/resource.h>

using namespace callcfg;

namespace {

double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Fixture {
    bool open() { return link.open(peer.devicePath()); }
    Outcome exchange(WaitPlan wait) { return link.exchange({0x08, {}}, wait); }
    PtyPeer peer;
    Link link{std::make_unique<QtSerialPort>()};
};

} // namespace

class LinkPtyTest : public QObject {
    Q_OBJECT
private slots:
    void waitLengths_data() {
        QTest::addColumn<int>("periods");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("expected");
        QTest::newRow("3 x 1.0 s") << 3 << 1.0 << 3.0;
        QTest::newRow("0 periods make one") << 0 << 0.2 << 0.2;
        QTest::newRow("1 x 0.2 s") << 1 << 0.2 << 0.2;
    }
    // The wait lasts exactly its periods and does not spin.
    void waitLengths() {
        QFETCH(int, periods);
        QFETCH(double, length);
        QFETCH(double, expected);
        Fixture f;
        QVERIFY(f.open());
        QElapsedTimer clock;
        const double cpuBefore = threadCpuSeconds();
        clock.start();
        const Outcome outcome = f.exchange({periods, length});
        const double elapsed = clock.nsecsElapsed() / 1e9;
        const double cpu = threadCpuSeconds() - cpuBefore;
        QVERIFY(std::holds_alternative<NoReply>(outcome));
        QVERIFY2(std::abs(elapsed - expected) < 0.020, qPrintable(QString::number(elapsed)));
        QVERIFY2(cpu < 0.1, qPrintable(QString::number(cpu)));
    }

    void replyIsTakenOnlyAtTheEndOfAPeriod() {
        Fixture f;
        QVERIFY(f.open());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(std::holds_alternative<Replied>(f.link.exchange(
            {0x08, {}}, {3, 0.3}, [&] { f.peer.write(hexBytes("55 AA 02 08 00 F5")); })));
        QVERIFY(std::abs(clock.elapsed() - 300) < 20);
    }

    void missingOrBusyDevicesCannotBeOpened() {
        Link missing(std::make_unique<QtSerialPort>());
        QVERIFY(!missing.open("/dev/callcfg-no-such-device"));
        QVERIFY(!missing.isOpen());
        QVERIFY(!missing.portError().isEmpty());

        Fixture f;
        QVERIFY(f.open());
        Link other(std::make_unique<QtSerialPort>());
        QVERIFY(!other.open(f.peer.devicePath()));
        QVERIFY(!other.isOpen());
        QVERIFY(!other.portError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(LinkPtyTest)
#include "link_pty_test.moc"

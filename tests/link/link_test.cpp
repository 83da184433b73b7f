// The link on a scripted port in virtual time: the bytes it puts on the wire, the reply it
// takes at the end of which period, the slices of its waits, and its port handling.

#include "link/linkobserver.h"
#include "link/trafficlog.h"
#include "scriptedport.h"
#include "wire.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace callcfg;
using namespace std::chrono_literals;

namespace {

// Records what the link tells its observers, and counts the moments between slices of a wait.
struct Recorder : LinkObserver {
    QStringList events;
    int waits = 0;
    testsupport::VirtualClock* clock = nullptr;
    std::chrono::milliseconds boxOpenFor{};
    void sent(std::span<const std::uint8_t> wire) override { events << "sent " + hexText(wire); }
    void received(std::span<const std::uint8_t> bytes) override {
        events << "received " + hexText(bytes);
    }
    void dropped(std::span<const std::uint8_t> bytes) override {
        events << "dropped " + hexText(bytes);
    }
    void portLost(const QString& message) override { events << "lost " + message; }
    void checksumFailed() override {
        events << "checksum";
        if (clock)
            clock->advance(boxOpenFor); // the checksum box is read and closed
    }
    void waiting() override { ++waits; }
};

// Periods at their real lengths, in virtual time.
struct Fixture {
    Fixture() { s.link.addObserver(&recorder); }
    bool open() { return s.link.open(QStringLiteral("/dev/scripted")); }
    Outcome exchange(const QString& command, const QString& data, WaitPlan wait = {1, 1.0}) {
        return s.link.exchange({std::uint8_t(command.toUInt(nullptr, 16)), hexBytes(data)}, wait);
    }
    QString written() { return hexText(s.port.takeWritten()); }
    testsupport::ScriptedLink s;
    Recorder recorder;
};

QString replyData(const Outcome& outcome) {
    const auto* replied = std::get_if<Replied>(&outcome);
    return replied ? hexText(replied->data) : QStringLiteral("(no reply)");
}

} // namespace

class LinkTest : public QObject {
    Q_OBJECT
private slots:
    // The reply that came 10 ms into the wait is taken at the end of the period; the wait
    // sleeps in slices of 40 ms and tells the observers between them. A port whose reads take
    // time has them start that much earlier: the wait keeps its length.
    void exchange_data() {
        QTest::addColumn<int>("readTakes");
        QTest::addColumn<int>("waits");
        QTest::newRow("reads at once") << 0 << 24; // at 40, 80, ... 960 ms
        QTest::newRow("reads that take 40 ms") << 40 << 23;
    }
    void exchange() {
        QFETCH(int, readTakes);
        QFETCH(int, waits);
        Fixture f;
        f.s.port.readTakes = std::chrono::milliseconds(readTakes);
        QVERIFY(f.open());
        QVERIFY(f.s.link.isOpen());
        QCOMPARE(f.s.link.device(), QStringLiteral("/dev/scripted"));
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"), 10ms);
        const Outcome outcome = f.exchange("08", "");
        QCOMPARE(f.written(), QStringLiteral("55 55 AA 01 08 00 F6"));
        QVERIFY(std::holds_alternative<Replied>(outcome));
        QCOMPARE(replyData(outcome), QString());
        QCOMPARE(f.recorder.events,
                 (QStringList{"sent 55 55 AA 01 08 00 F6", "received 55 AA 02 08 00 F5"}));
        QCOMPARE(f.s.clock.elapsed(), 1000ms);
        QCOMPARE(f.recorder.waits, waits);
    }

    // Every period runs in full from its start, and the reply is taken at the end of one. A
    // checksum box ends its period; the next one starts when it is closed. A read that
    // completes early with nothing is read again at the period's end; a read left pending runs
    // past the end by at most the port's patience, and the next period keeps its end.
    // (A read of what is waiting, made before the request, is left pending as long.)
    void periods_data() {
        QTest::addColumn<int>("readTakes");
        QTest::addColumn<int>("readAllTakes");
        QTest::addColumn<bool>("emptyAtOnce");
        QTest::addColumn<int>("boxOpenFor");
        QTest::addColumn<int>("periods");
        QTest::addColumn<QString>("arrivals"); // "ms bytes; ms bytes"
        QTest::addColumn<bool>("replied");
        QTest::addColumn<int>("endsAt");
        const QString good = "55 AA 02 08 00 F5";
        const QString bad = "100 55 AA 02 08 00 00; ";
        QTest::newRow("box, then a full period")
            << 0 << 0 << false << 1500 << 2 << bad + "3000 " + good << true << 3500;
        QTest::newRow("box in the last period")
            << 0 << 0 << false << 1500 << 1 << bad + "1200 " + good << false << 2500;
        QTest::newRow("early empty read, read again at the end")
            << 40 << 0 << true << 0 << 1 << "980 " + good << true << 1000;
        QTest::newRow("pending read at the end")
            << 0 << 40 << false << 0 << 2 << "1990 " + good << true << 2080;
        QTest::newRow("pending read, no reply")
            << 0 << 40 << false << 0 << 1 << QString() << false << 1080;
    }
    void periods() {
        QFETCH(int, readTakes);
        QFETCH(int, readAllTakes);
        QFETCH(bool, emptyAtOnce);
        QFETCH(int, boxOpenFor);
        QFETCH(int, periods);
        QFETCH(QString, arrivals);
        QFETCH(bool, replied);
        QFETCH(int, endsAt);
        Fixture f;
        f.s.port.readTakes = std::chrono::milliseconds(readTakes);
        f.s.port.readAllTakes = std::chrono::milliseconds(readAllTakes);
        f.s.port.readsCompleteAtOnce = emptyAtOnce;
        f.recorder.clock = &f.s.clock;
        f.recorder.boxOpenFor = std::chrono::milliseconds(boxOpenFor);
        QVERIFY(f.open());
        for (const QString& arrival : arrivals.split(';', Qt::SkipEmptyParts))
            f.s.port.arrive(
                hexBytes(arrival.trimmed().section(' ', 1)),
                std::chrono::milliseconds(arrival.trimmed().section(' ', 0, 0).toInt()));
        QCOMPARE(std::holds_alternative<Replied>(f.exchange("08", "", {periods, 1.0})), replied);
        QCOMPARE(f.s.clock.elapsed(), std::chrono::milliseconds(endsAt));
    }

    // Each request is sent whole and alone: nothing of an earlier, longer one follows it.
    void requestsAreSentExactly() {
        Fixture f;
        QVERIFY(f.open());
        f.exchange("18", "00 01 02 03 04 05", {1, 0.1});
        f.exchange("04", "69", {1, 0.1});
        QCOMPARE(f.written(),
                 QStringLiteral("55 55 AA 01 18 06 00 01 02 03 04 05 D1 55 55 AA 01 04 01 69 90"));
    }

    void headerCutBetweenPeriodsIsCompleted() {
        Fixture f;
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("00 55 AA 02"), 10ms);
        Bytes rest{0x0D, 0x80};
        for (int i = 0; i < 128; ++i)
            rest.push_back(static_cast<std::uint8_t>(i));
        // 02 + 0D + 80 + (0 + ... + 127) = 0x204F -> 0x4F -> checksum 0xB0
        rest.push_back(0xB0);
        f.s.port.arrive(rest, 1500ms);
        const Outcome outcome = f.exchange("0D", "05", {3, 1.0});
        const auto* replied = std::get_if<Replied>(&outcome);
        QVERIFY(replied);
        QCOMPARE(replied->data.size(), std::size_t(0x80));
        for (int i = 0; i < 128; ++i)
            QCOMPARE(replied->data[i], std::uint8_t(i));
        QCOMPARE(f.s.clock.elapsed(), 2000ms);
    }

    void badChecksumIsReportedThenTheGoodReplyIsTaken() {
        Fixture f;
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 08 00 00 55 AA 02 08 00 F5"), 10ms);
        QCOMPARE(replyData(f.exchange("08", "", {2, 1.0})), QString());
        QCOMPARE(f.recorder.events.count("checksum"), 1);
    }

    void replyToAnotherCommandTimesOut() {
        Fixture f;
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 15 00 E8"), 10ms);
        const Outcome outcome = f.exchange("16", "01", {2, 1.0});
        QVERIFY(std::holds_alternative<NoReply>(outcome));
        QCOMPARE(f.recorder.events.count("checksum"), 0);
    }

    // No reply carries over from one exchange to the next.
    void aReplyAnswersOneExchangeOnly() {
        Fixture f;
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"), 10ms);
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "")));
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("08", "")));
    }

    // What came after an exchange, but before the next request, is dropped right before that
    // request leaves, without a wait: a reply that came after its request gave up, a second copy
    // of a reply already taken, noise behind one. The next request with the same command code
    // times out rather than taking it.
    void whatCameBeforeTheRequestIsDropped_data() {
        QTest::addColumn<int>("replyAt"); // ms after the first request
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("afterAt");
        QTest::newRow("a late reply") << 1400 << QString() << 0;
        QTest::newRow("the reply twice") << 10 << QStringLiteral("reply") << 1100;
        QTest::newRow("noise behind the reply") << 10 << QStringLiteral("55 AA 02") << 1100;
    }
    void whatCameBeforeTheRequestIsDropped() {
        QFETCH(int, replyAt);
        QFETCH(QString, after);
        QFETCH(int, afterAt);
        Fixture f;
        QVERIFY(f.open());
        Bytes block = hexBytes("55 AA 02 0D 80 00*128");
        block.push_back(0x70); // 02 + 0D + 80 = 0x8F
        f.s.port.arrive(block, std::chrono::milliseconds(replyAt));
        const Bytes afterBytes = after == "reply" ? block : hexBytes(after);
        f.s.port.arrive(afterBytes, std::chrono::milliseconds(afterAt));
        QCOMPARE(std::holds_alternative<Replied>(f.exchange("0D", "05")), replyAt < 1000);
        f.s.clock.advance(1200ms); // the user reads the box; what comes late comes meanwhile
        f.recorder.events.clear();
        const auto before = f.s.clock.elapsed();
        std::chrono::milliseconds sentAt{-1};
        const Outcome next = f.s.link.exchange({0x0D, {0x06}}, {1, 1.0},
                                               [&] { sentAt = f.s.clock.elapsed() - before; });
        QVERIFY(std::holds_alternative<NoReply>(next));
        QCOMPARE(sentAt, 0ms);
        QCOMPARE(f.recorder.events.value(0),
                 "dropped " + hexText(replyAt < 1000 ? afterBytes : block));
        QCOMPARE(f.recorder.events.value(1), QString("sent 55 55 AA 01 0D 01 06 EA"));
        QCOMPARE(f.recorder.events.size(), 2);
    }

    // The traffic log: a line per request sent, read that returned bytes, drop of late bytes
    // and port lost, each with its moment in milliseconds and the device.
    void trafficLog() {
        Fixture f;
        QTemporaryDir dir;
        TrafficLog log(f.s.link);
        QVERIFY(log.open(dir.filePath("traffic.log")));
        f.s.link.addObserver(&log);
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"), 1500ms);
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("08", "")));
        f.s.clock.advance(1000ms);
        f.s.port.arrive(hexBytes("55 AA 02 09 00 F4"), 10ms);
        QVERIFY(std::holds_alternative<Replied>(f.exchange("09", "")));
        f.s.port.failReads = true;
        QVERIFY(std::holds_alternative<PortFault>(f.exchange("08", "")));
        f.s.link.note("cannot write b.cat: Permission denied"); // a line of its own

        QFile file(dir.filePath("traffic.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList events;
        for (const QString& line :
             QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(QRegularExpression("^\\d+ ").match(line).hasMatch(), qPrintable(line));
            events << line.section(' ', 1);
        }
        QCOMPARE(events.takeLast(), "note cannot write b.cat: Permission denied");
        QCOMPARE(events,
                 QStringList({"sent /dev/scripted 55 55 AA 01 08 00 F6",
                              "dropped /dev/scripted 55 AA 02 08 00 F5",
                              "sent /dev/scripted 55 55 AA 01 09 00 F5",
                              "read /dev/scripted 55 AA 02 09 00 F4",
                              "sent /dev/scripted 55 55 AA 01 08 00 F6",
                              "lost /dev/scripted /dev/scripted disconnected: device gone"}));
    }

    // The sender may put a wait box on screen between sending and waiting.
    void afterSendingRunsOnceTheRequestHasLeft() {
        Fixture f;
        QVERIFY(f.open());
        QString sentBefore;
        f.s.link.exchange({0x08, {}}, {1, 1.0}, [&] { sentBefore = f.written(); });
        QCOMPARE(sentBefore, QStringLiteral("55 55 AA 01 08 00 F6"));
    }

    void closeAndOpenAgain() {
        Fixture f;
        QVERIFY(f.open());
        f.s.link.close();
        QVERIFY(!f.s.link.isOpen());
        f.s.link.close(); // closed already: nothing happens
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"), 10ms);
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "")));
    }

    void readWaiting() {
        Fixture f;
        QVERIFY(!f.s.link.readWaiting()); // port closed
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("05 AA 00"));
        QCOMPARE(hexText(f.s.link.readWaiting().value()), QStringLiteral("05 AA 00"));
        // What the poll consumed is not seen by the next exchange.
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"));
        QVERIFY(!f.s.link.readWaiting().value().empty());
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("08", "")));
    }

    // The line errors a read noticed reach the observers one per occurrence, before the bytes
    // of that read; the traffic log writes a line for each.
    void lineErrorsAreLogged() {
        Fixture f;
        QTemporaryDir dir;
        TrafficLog log(f.s.link);
        QVERIFY(log.open(dir.filePath("traffic.log")));
        f.s.link.addObserver(&log);
        QVERIFY(f.open());
        f.s.port.arrive(hexBytes("55 AA 02 08 00 F5"), 10ms);
        QVERIFY(std::holds_alternative<Replied>(f.s.link.exchange({0x08, {}}, {1, 1.0}, [&] {
            f.s.port.lineErrors = {LineError::Overrun, LineError::ReceiveBufferOverrun,
                                   LineError::Framing, LineError::Parity,
                                   LineError::Break,   LineError::Framing};
        })));
        f.s.link.removeObserver(&log);
        QFile file(dir.filePath("traffic.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        for (QString& line : lines)
            line.remove(QRegularExpression("^\\d+ "));
        QCOMPARE(lines,
                 (QStringList{"sent /dev/scripted 55 55 AA 01 08 00 F6",
                              "line-error /dev/scripted overrun",
                              "line-error /dev/scripted receive-buffer-overrun",
                              "line-error /dev/scripted framing", "line-error /dev/scripted parity",
                              "line-error /dev/scripted break", "line-error /dev/scripted framing",
                              "read /dev/scripted 55 AA 02 08 00 F5"}));
    }

    // A port that fails is its own outcome, whether it refused the request or failed during
    // the wait, and the observers hear of the loss in the installer's words: entry, device,
    // the reason.
    void vanishedDeviceIsAPortFault_data() {
        QTest::addColumn<bool>("whileSending");
        QTest::newRow("before the request") << true;
        QTest::newRow("during the wait") << false;
    }
    void vanishedDeviceIsAPortFault() {
        QFETCH(bool, whileSending);
        Fixture f;
        QVERIFY(f.s.link.open("/dev/scripted", "COM3"));
        f.s.port.refuseWrites = f.s.port.failReads = whileSending;
        const Outcome outcome = f.s.link.exchange({0x0D, {0x28}}, {3, 1.0}, [&] {
            if (!whileSending)
                f.s.port.failReads = true;
        });
        const auto* lost = std::get_if<PortFault>(&outcome);
        QVERIFY(lost);
        QCOMPARE(lost->whileSending, whileSending);
        QCOMPARE(lost->reason, QStringLiteral("device gone"));
        QCOMPARE(f.recorder.events.last(),
                 QString("lost COM3 (/dev/scripted) disconnected: device gone"));
    }
};

QTEST_GUILESS_MAIN(LinkTest)
#include "link_test.moc"

// The link over a real pseudo-terminal: the bytes the program puts on the wire, the reply
// it takes, the length of its waits and its port handling.

#include "../unit/bytes.h"
#include "link/link.h"
#include "link/linkobserver.h"
#include "link/qtserialport.h"
#include "ptypeer.h"

#include <QtTest>

#include <sys/resource.h>

using namespace callcfg;
using namespace std::chrono_literals;

namespace {

double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Records what the link tells its observers.
struct Recorder : LinkObserver {
    QStringList events;
    void sent(std::span<const std::uint8_t> wire) override {
        events << "sent " + hexText({wire.begin(), wire.end()});
    }
    void received(std::span<const std::uint8_t> bytes) override {
        events << "received " + hexText({bytes.begin(), bytes.end()});
    }
    void dropped(std::span<const std::uint8_t> bytes) override {
        events << "dropped " + hexText({bytes.begin(), bytes.end()});
    }
    void portLost(const QString& message) override { events << "lost " + message; }
    void checksumFailed() override { events << "checksum"; }
};

struct Fixture {
    explicit Fixture(double scale = 0.05) {
        link.setTimeScale(scale);
        link.addObserver(&recorder);
    }
    bool open() { return link.open(peer.devicePath()); }
    Outcome exchange(const QString& command, const QString& data, WaitPlan wait = {1, 1.0}) {
        return link.exchange({std::uint8_t(command.toUInt(nullptr, 16)), hexBytes(data)}, wait);
    }
    PtyPeer peer;
    Link link{std::make_unique<QtSerialPort>()};
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
    void exchangeOverAPty() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.link.isOpen());
        QCOMPARE(f.link.device(), f.peer.devicePath());
        f.peer.writeAfter(10ms, hexBytes("55 AA 02 08 00 F5"));
        const Outcome outcome = f.exchange("08", "");
        QCOMPARE(hexText(f.peer.readAll()), QStringLiteral("55 55 AA 01 08 00 F6"));
        QVERIFY(std::holds_alternative<Replied>(outcome));
        QCOMPARE(replyData(outcome), QString());
        QCOMPARE(f.recorder.events,
                 (QStringList{"sent 55 55 AA 01 08 00 F6", "received 55 AA 02 08 00 F5"}));
    }

    // Each request is sent whole and alone: nothing of an earlier, longer one follows it.
    void requestsAreSentExactly() {
        Fixture f;
        QVERIFY(f.open());
        f.exchange("18", "00 01 02 03 04 05", {1, 0.1});
        f.exchange("04", "69", {1, 0.1});
        QCOMPARE(hexText(f.peer.readAll()),
                 QStringLiteral("55 55 AA 01 18 06 00 01 02 03 04 05 D1 55 55 AA 01 04 01 69 90"));
    }

    void headerCutBetweenPeriodsIsCompleted() {
        Fixture f(0.1); // periods of 100 ms
        QVERIFY(f.open());
        f.peer.write(hexBytes("00 55 AA 02"));
        std::vector<std::uint8_t> rest{0x0D, 0x80};
        for (int i = 0; i < 128; ++i)
            rest.push_back(static_cast<std::uint8_t>(i));
        // 02 + 0D + 80 + (0 + ... + 127) = 0x204F -> 0x4F -> checksum 0xB0
        rest.push_back(0xB0);
        f.peer.writeAfter(150ms, rest);
        const Outcome outcome = f.exchange("0D", "05", {3, 1.0});
        const auto* replied = std::get_if<Replied>(&outcome);
        QVERIFY(replied);
        QCOMPARE(replied->data.size(), std::size_t(0x80));
        for (int i = 0; i < 128; ++i)
            QCOMPARE(replied->data[i], std::uint8_t(i));
    }

    void badChecksumIsReportedThenTheGoodReplyIsTaken() {
        Fixture f;
        QVERIFY(f.open());
        f.peer.write(hexBytes("55 AA 02 08 00 00 55 AA 02 08 00 F5"));
        QCOMPARE(replyData(f.exchange("08", "", {2, 1.0})), QString());
        QCOMPARE(f.recorder.events.count("checksum"), 1);
    }

    void replyToAnotherCommandTimesOut() {
        Fixture f;
        QVERIFY(f.open());
        f.peer.write(hexBytes("55 AA 02 15 00 E8"));
        const Outcome outcome = f.exchange("16", "01", {2, 1.0});
        QVERIFY(std::holds_alternative<NoReply>(outcome));
        QCOMPARE(f.recorder.events.count("checksum"), 0);
    }

    // No reply carries over from one exchange to the next.
    void aReplyAnswersOneExchangeOnly() {
        Fixture f;
        QVERIFY(f.open());
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "")));
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("08", "")));
    }

    // A reply that comes after its request gave up, but before the next request, is dropped
    // right before that request leaves, without a wait; a request after a reply drops nothing.
    void aLateReplyIsDroppedBeforeTheNextRequest() {
        Fixture f; // periods of 50 ms
        QVERIFY(f.open());
        std::vector<std::uint8_t> late = hexBytes("55 AA 02 0D 80");
        late.resize(5 + 128, 0x00);
        late.push_back(0x70); // 02 + 0D + 80 = 0x8F
        f.peer.writeAfter(70ms, late);
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("0D", "05")));
        QTest::qWait(60); // the user reads the time-out box; the late reply comes meanwhile
        f.recorder.events.clear();
        QElapsedTimer clock;
        clock.start();
        QString sentAt;
        f.link.exchange({0x0D, {0x06}}, {1, 1.0},
                        [&] { sentAt = QString::number(clock.elapsed()); });
        QVERIFY2(sentAt.toInt() < 10, qPrintable(sentAt));
        QCOMPARE(f.recorder.events.value(0), "dropped " + hexText(late));
        QCOMPARE(f.recorder.events.value(1), QString("sent 55 55 AA 01 0D 01 06 EA"));
        QCOMPARE(f.recorder.events.size(), 2);

        f.peer.writeAfter(10ms, hexBytes("55 AA 02 08 00 F5"));
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "", {2, 1.0})));
        f.peer.write(hexBytes("55 AA 02 08 00 F5")); // before the request: taken after a reply
        QTest::qWait(20);
        f.recorder.events.clear();
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "")));
        QVERIFY(!f.recorder.events.join(' ').contains("dropped"));
    }

    // The sender may put a wait box on screen between sending and waiting.
    void afterSendingRunsOnceTheRequestHasLeft() {
        Fixture f;
        QVERIFY(f.open());
        QString sentBefore;
        f.link.exchange({0x08, {}}, {1, 1.0}, [&] { sentBefore = hexText(f.peer.readAll()); });
        QCOMPARE(sentBefore, QStringLiteral("55 55 AA 01 08 00 F6"));
    }

    void waitLengths_data() {
        QTest::addColumn<int>("periods");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("expected");
        QTest::newRow("3 x 1.0 s") << 3 << 1.0 << 3.0;
        QTest::newRow("0 periods make one") << 0 << 0.2 << 0.2;
        QTest::newRow("1 x 0.2 s") << 1 << 0.2 << 0.2;
    }
    // Real lengths, no time scale: the wait lasts exactly its periods and does not spin.
    void waitLengths() {
        QFETCH(int, periods);
        QFETCH(double, length);
        QFETCH(double, expected);
        Fixture f(1.0);
        QVERIFY(f.open());
        QElapsedTimer clock;
        const double cpuBefore = threadCpuSeconds();
        clock.start();
        const Outcome outcome = f.exchange("08", "", {periods, length});
        const double elapsed = clock.nsecsElapsed() / 1e9;
        const double cpu = threadCpuSeconds() - cpuBefore;
        QVERIFY(std::holds_alternative<NoReply>(outcome));
        QVERIFY2(std::abs(elapsed - expected) < 0.020, qPrintable(QString::number(elapsed)));
        QVERIFY2(cpu < 0.1, qPrintable(QString::number(cpu)));
    }

    void replyIsTakenOnlyAtTheEndOfAPeriod() {
        Fixture f(1.0);
        QVERIFY(f.open());
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "", {3, 0.3})));
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

    void closeAndOpenAgain() {
        Fixture f;
        QVERIFY(f.open());
        f.link.close();
        QVERIFY(!f.link.isOpen());
        f.link.close(); // closed already: nothing happens
        QVERIFY(f.open());
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        QVERIFY(std::holds_alternative<Replied>(f.exchange("08", "")));
    }

    void readWaiting() {
        Fixture f;
        QVERIFY(!f.link.readWaiting()); // port closed
        QVERIFY(f.open());
        f.peer.write(hexBytes("05 AA 00"));
        QTest::qWait(30);
        QCOMPARE(hexText(f.link.readWaiting().value()), QStringLiteral("05 AA 00"));
        // What the poll consumed is not seen by the next exchange.
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        QTest::qWait(30);
        QVERIFY(!f.link.readWaiting().value().empty());
        QVERIFY(std::holds_alternative<NoReply>(f.exchange("08", "")));
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
        QVERIFY(f.link.open(f.peer.devicePath(), "COM3"));
        if (whileSending)
            f.peer.hangUp();
        const Outcome outcome = f.link.exchange({0x0D, {0x28}}, {3, 1.0}, [&] {
            if (!whileSending)
                f.peer.hangUp();
        });
        const auto* lost = std::get_if<PortFault>(&outcome);
        QVERIFY(lost);
        QCOMPARE(lost->whileSending, whileSending);
        QVERIFY(!lost->reason.isEmpty());
        QCOMPARE(f.recorder.events.last(),
                 QString("lost COM3 (%1) disconnected: %2").arg(f.peer.devicePath(), lost->reason));
    }
};

QTEST_GUILESS_MAIN(LinkTest)
#include "link_test.moc"

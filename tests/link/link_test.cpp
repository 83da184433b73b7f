// The link over a real pseudo-terminal: the bytes the program puts on the wire, the reply
// it takes, the length of its waits and its port handling.

#include "../unit/bytes.h"
#include "link/link.h"
#include "link/qtserialport.h"
#include "ptypeer.h"

#include <QSignalSpy>
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

struct Fixture {
    explicit Fixture(double scale = 0.05) {
        PortMap map;
        map.map(1, peer.devicePath());
        link = std::make_unique<Link>(std::make_unique<QtSerialPort>(), map);
        link->setTimeScale(scale);
        link->setBoxSink([this](const Box& b) { boxes << b.title + "|" + b.text; });
    }
    void send(const QString& body) {
        const auto bytes = hexBytes(body);
        std::copy(bytes.begin(), bytes.end(), link->frameBuffer.begin());
        link->sendFrame();
    }
    PtyPeer peer;
    std::unique_ptr<Link> link;
    QStringList boxes;
};

const QString kPortBox = QStringLiteral("错误|没发现此端口或端口已被其它程序占用!");
const QString kCrcBox = QStringLiteral("错误|CRC校验错误");

} // namespace

class LinkTest : public QObject {
    Q_OBJECT
private slots:
    void exchangeOverAPty() {
        Fixture f;
        QSignalSpy opened(f.link.get(), &Link::portStateChanged);
        f.link->ensurePortOpen();
        QVERIFY(f.link->portOpen);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), true);

        f.send("01 08 00");
        QCOMPARE(hexText(f.peer.readAll()), QStringLiteral("55 55 AA 01 08 00 F6"));
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        f.link->waitPeriods = 1;
        f.link->periodLength = 1.0;
        f.link->awaitReply();
        QVERIFY(f.link->replyComplete);
        QCOMPARE(f.link->replyBuffer[0], std::uint8_t(0x02));
        QCOMPARE(f.link->replyBuffer[1], std::uint8_t(0x08));
        QCOMPARE(f.link->replyBuffer[2], std::uint8_t(0x00));
        QCOMPARE(hexText(f.link->receivedBytes), QStringLiteral("55 AA 02 08 00 F5"));
        QVERIFY(f.boxes.isEmpty());
    }

    void headerCutBetweenPeriodsIsCompleted() {
        Fixture f(0.1); // periods of 100 ms
        f.link->ensurePortOpen();
        f.send("01 0D 01 05");
        f.peer.write(hexBytes("00 55 AA 02"));
        std::vector<std::uint8_t> rest{0x0D, 0x80};
        for (int i = 0; i < 128; ++i)
            rest.push_back(static_cast<std::uint8_t>(i));
        // 02 + 0D + 80 + (0 + ... + 127) = 0x204F -> 0x4F -> checksum 0xB0
        rest.push_back(0xB0);
        f.peer.writeAfter(150ms, rest);
        f.link->waitPeriods = 3;
        f.link->periodLength = 1.0;
        f.link->awaitReply();
        QVERIFY(f.link->replyComplete);
        QCOMPARE(f.link->replyBuffer[2], std::uint8_t(0x80));
        for (int i = 0; i < 128; ++i)
            QCOMPARE(f.link->replyBuffer[3 + i], std::uint8_t(i));
        QCOMPARE(f.link->replyBuffer[131], std::uint8_t(0xB0));
    }

    void badChecksumShowsOneBoxThenTheGoodReplyIsTaken() {
        Fixture f;
        f.link->ensurePortOpen();
        f.send("01 08 00");
        f.peer.write(hexBytes("55 AA 02 08 00 00 55 AA 02 08 00 F5"));
        f.link->waitPeriods = 2;
        f.link->awaitReply();
        QVERIFY(f.link->replyComplete);
        QCOMPARE(f.boxes, QStringList{kCrcBox});
    }

    void replyToAnotherCommandTimesOut() {
        Fixture f;
        f.link->ensurePortOpen();
        f.send("01 16 01 01");
        f.peer.write(hexBytes("55 AA 02 15 00 E8"));
        f.link->waitPeriods = 2;
        f.link->awaitReply();
        QVERIFY(!f.link->replyComplete);
        QVERIFY(f.boxes.isEmpty());
    }

    void flagAlreadyTrueStaysTrue() {
        Fixture f;
        f.link->ensurePortOpen();
        f.send("01 08 00");
        f.link->replyComplete = true;
        f.link->waitPeriods = 1;
        f.link->awaitReply();
        QVERIFY(f.link->replyComplete);
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
        f.link->ensurePortOpen();
        f.send("01 08 00");
        f.link->waitPeriods = static_cast<std::uint8_t>(periods);
        f.link->periodLength = length;
        QElapsedTimer clock;
        const double cpuBefore = threadCpuSeconds();
        clock.start();
        f.link->awaitReply();
        const double elapsed = clock.nsecsElapsed() / 1e9;
        const double cpu = threadCpuSeconds() - cpuBefore;
        QVERIFY(!f.link->replyComplete);
        QVERIFY2(std::abs(elapsed - expected) < 0.020, qPrintable(QString::number(elapsed)));
        QVERIFY2(cpu < 0.1, qPrintable(QString::number(cpu)));
    }

    void replyIsTakenOnlyAtTheEndOfAPeriod() {
        Fixture f(1.0);
        f.link->ensurePortOpen();
        f.send("01 08 00");
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        f.link->waitPeriods = 3;
        f.link->periodLength = 0.3;
        QElapsedTimer clock;
        clock.start();
        f.link->awaitReply();
        QVERIFY(f.link->replyComplete);
        QVERIFY(std::abs(clock.elapsed() - 300) < 20);
    }

    void missingDeviceShowsThePortBox() {
        PortMap map;
        map.map(1, "/dev/callcfg-no-such-device");
        Link link(std::make_unique<QtSerialPort>(), map);
        QStringList boxes;
        link.setBoxSink([&](const Box& b) { boxes << b.title + "|" + b.text; });
        QSignalSpy changed(&link, &Link::portStateChanged);
        link.ensurePortOpen();
        QVERIFY(!link.portOpen);
        QCOMPARE(boxes, QStringList{kPortBox});
        QCOMPARE(changed.size(), 0);
        link.ensurePortOpen(); // tries again and reports again
        QCOMPARE(boxes.size(), 2);
    }

    void portNotEndingInADigitShowsThePortBox() {
        Fixture f;
        f.link->setPortListText("COMx");
        f.link->togglePort();
        QVERIFY(!f.link->portOpen);
        QCOMPARE(f.boxes, QStringList{kPortBox});
    }

    void busyDeviceShowsThePortBox() {
        Fixture f;
        f.link->ensurePortOpen();
        PortMap map;
        map.map(1, f.peer.devicePath());
        Link other(std::make_unique<QtSerialPort>(), map);
        QStringList boxes;
        other.setBoxSink([&](const Box& b) { boxes << b.title + "|" + b.text; });
        other.ensurePortOpen();
        QVERIFY(!other.portOpen);
        QCOMPARE(boxes, QStringList{kPortBox});
    }

    void toggleAndPortListClick() {
        Fixture f;
        QSignalSpy changed(f.link.get(), &Link::portStateChanged);
        f.link->togglePort();
        QVERIFY(f.link->portOpen);
        f.link->togglePort();
        QVERIFY(!f.link->portOpen);
        f.link->ensurePortOpen();
        f.link->portListClicked();
        QVERIFY(!f.link->portOpen);
        f.link->portListClicked(); // closed already: only the indicators change
        const QList<bool> states{true, false, true, false, false};
        QCOMPARE(changed.size(), states.size());
        for (int i = 0; i < states.size(); ++i)
            QCOMPARE(changed.at(i).at(0).toBool(), states[i]);
        // A second ensurePortOpen while open does nothing, whatever the list names now.
        f.link->ensurePortOpen();
        f.link->setPortListText("COM5");
        f.link->ensurePortOpen();
        QVERIFY(f.link->portOpen);
        QVERIFY(f.boxes.isEmpty());
    }

    void receivePoll() {
        Fixture f;
        QCOMPARE(f.link->receivePoll(), QString()); // port closed
        f.link->ensurePortOpen();
        f.peer.write(hexBytes("05 AA 00"));
        QTest::qWait(30);
        QCOMPARE(f.link->receivePoll(), QStringLiteral("5 AA 0 \r\n"));
        f.peer.write(hexBytes("55"));
        QTest::qWait(30);
        QCOMPARE(f.link->receivePoll(), QString()); // a lone byte is dropped
        // What the poll consumed is not seen by the next exchange.
        f.peer.write(hexBytes("55 AA 02 08 00 F5"));
        QTest::qWait(30);
        QVERIFY(!f.link->receivePoll().isEmpty());
        f.send("01 08 00");
        f.link->waitPeriods = 1;
        f.link->awaitReply();
        QVERIFY(!f.link->replyComplete);
    }

    void vanishedDeviceFaultsTheSend() {
        Fixture f;
        f.link->ensurePortOpen();
        f.peer.hangUp();
        bool faulted = false;
        try {
            f.send("01 0D 01 28");
        } catch (const PortFault&) {
            faulted = true;
        }
        QVERIFY(faulted);
    }
};

QTEST_GUILESS_MAIN(LinkTest)
#include "link_test.moc"

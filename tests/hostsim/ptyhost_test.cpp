// The simulated host unit over a real pseudo-terminal, seen from the tool's side. Its timing is
// read from the unit's own record of the line, and every wait is for a condition (a long bound
// only keeps a broken unit from hanging the test), so that a loaded machine changes nothing.
#include "hostsim/line/ptyhost.h"
#include "wire.h"

#include <QTest>

#include <cerrno>
#include <chrono>
#include <functional>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using hostsim::Fault;
using hostsim::PtyHost;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Long enough for anything the unit does under any load; the waits end once it is done.
constexpr auto kPatience = 10000ms;

// The tool's end of the line: the pty slave opened as a raw serial port, the unit's replies
// paced at the line's rate or not.
class Port {
public:
    explicit Port(PtyHost& host, bool paced = false) {
        host.setPacing(paced);
        fd_ = ::open(host.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (fd_ >= 0 && tcgetattr(fd_, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Port() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    bool send(const Bytes& bytes) {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Reads until `count` bytes are in or the time is up; `firstAt` gets the arrival time of
    // the first byte.
    Bytes receive(std::size_t count, std::chrono::milliseconds timeout,
                  Clock::time_point* firstAt = nullptr) {
        Bytes got;
        const auto deadline = Clock::now() + timeout;
        while (got.size() < count && Clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0 || !(p.revents & POLLIN))
                break;
            std::uint8_t buffer[512];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0)
                break;
            if (got.empty() && firstAt)
                *firstAt = Clock::now();
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    // Writes the bytes one at a time as the tool does, waiting for a device that holds them;
    // the number that went out before a write failed. `taken()` is called after each byte.
    std::size_t sendByteByByte(const Bytes& bytes, const std::function<void()>& taken) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            for (;;) {
                if (::write(fd_, &bytes[i], 1) == 1) {
                    taken();
                    break;
                }
                if (errno != EAGAIN)
                    return i;
                pollfd p{fd_, POLLOUT, 0};
                if (::poll(&p, 1, int(kPatience.count())) == 0)
                    return i;
            }
        }
        return bytes.size();
    }
    short events(std::chrono::milliseconds timeout) {
        pollfd p{fd_, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(timeout.count()));
        return p.revents;
    }

private:
    int fd_ = -1;
};

const Bytes kInitReceiver = hexBytes("55 55 AA 01 08 00 F6");
const Bytes kInitReceiverReply = hexBytes("55 AA 02 08 00 F5");

} // namespace

Q_DECLARE_METATYPE(hostsim::Fault)

class TestPtyHost : public QObject {
    Q_OBJECT
private slots:
    // One request, one reply, no echo; and so again each time the port is opened anew.
    void exchange() {
        PtyHost host;
        QVERIFY(host.devicePath().rfind("/dev/pts/", 0) == 0);
        for (int opened = 0; opened < 3; ++opened) {
            Port port(host);
            QVERIFY(port.isOpen());
            QVERIFY(port.send(kInitReceiver));
            QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
            QVERIFY(port.receive(1, 50ms).empty()); // no echo, nothing more
            QVERIFY(host.waitFor([](const hostsim::HostLine& l) { return !l.requests().empty(); },
                                 kPatience));
            host.withLine([](hostsim::HostLine& l) {
                QCOMPARE(l.takeRawReceived(), kInitReceiver);
                QCOMPARE(l.takeRequests().at(0).command, std::uint8_t{0x08});
            });
        }
    }

    // 134 bytes at 960 bytes/s take about 140 ms, each byte no sooner than its moment; without
    // pacing they go in one write.
    void pacedAtLineRate() {
        PtyHost host;
        Port port(host, true);
        QVERIFY(port.send(hexBytes("55 55 AA 01 0D 01 2A C6")));
        QCOMPARE(port.receive(134, kPatience), hexBytes("55 AA 02 0D 80 FF*128 F0"));
        QVERIFY(host.waitForQuiet(kPatience));
        auto records = host.takeRecords();
        QCOMPARE(records.size(), std::size_t{1});
        const hostsim::LineRecord& paced = records[0];
        for (std::size_t i = 0; i < 134; i += 19)
            QVERIFY2(secondsBetween(paced.received, *paced.writtenAt(i)) >= i / 960.0 - 0.001,
                     qPrintable(QString::number(i)));
        const double total = secondsBetween(paced.received, *paced.writtenAt(133));
        QVERIFY2(total < 1.0, qPrintable(QString::number(total)));
        QVERIFY(paced.written.size() > 2);

        host.setPacing(false);
        QVERIFY(port.send(hexBytes("55 55 AA 01 0D 01 2A C6")));
        QCOMPARE(port.receive(134, kPatience).size(), std::size_t{134});
        QVERIFY(host.waitForQuiet(kPatience));
        records = host.takeRecords();
        QCOMPARE(records.size(), std::size_t{1});
        QCOMPARE(records[0].written.size(), std::size_t{1});
    }

    void learnDelay() {
        PtyHost host;
        host.withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(0.3); });
        Port port(host);
        const auto sent = Clock::now();
        QVERIFY(port.send(hexBytes("55 55 AA 01 03 06 00 00 0C 05 FF FF E6")));
        QCOMPARE(port.receive(9, kPatience), hexBytes("55 AA 02 03 03 3C 5A 01 60"));
        QVERIFY2(secondsSince(sent) >= 0.29, qPrintable(QString::number(secondsSince(sent))));
    }

    void splitReply() {
        PtyHost host;
        host.withLine([](hostsim::HostLine& l) { l.addFault(Fault::split(3, 0.25)); });
        Port port(host);
        QVERIFY(port.send(kInitReceiver));
        QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
        QVERIFY(host.waitForQuiet(kPatience));
        const auto records = host.takeRecords();
        QCOMPARE(records.size(), std::size_t{1});
        const auto& written = records[0].written;
        QCOMPARE(written.size(), std::size_t{2});
        QCOMPARE(written[0].first, std::size_t{3});
        QVERIFY(secondsBetween(written[0].second, written[1].second) > 0.24);
    }

    void goAway() {
        PtyHost host;
        Port port(host);
        QVERIFY(!host.isGone());
        host.goAway();
        QVERIFY(host.isGone());
        QVERIFY(port.events(1000ms) & (POLLHUP | POLLERR));
        QVERIFY(!port.send(kInitReceiver));
        host.goAway(); // a second time does nothing
    }

    void goneWhenBlockRequested() {
        PtyHost host;
        host.withLine(
            [](hostsim::HostLine& l) { l.addFault(Fault::goAway().onCommand(0x0D).onBlock(2)); });
        Port port(host);
        for (std::uint8_t k = 0; k < 2; ++k) {
            QVERIFY(port.send(requestFrame(0x0D, {k})));
            QCOMPARE(port.receive(134, kPatience).size(), std::size_t{134});
        }
        QVERIFY(port.send(requestFrame(0x0D, {2})));
        QVERIFY(port.events(kPatience) & (POLLHUP | POLLERR));
        QVERIFY(host.isGone());
    }

    void unfinishedFrameForgotten() {
        PtyHost host;
        Port port(host);
        // A block write that announces 129 data bytes and stops after one: forgotten once the line
        // has been quiet for 150 ms, not sooner.
        const auto sent = Clock::now();
        QVERIFY(port.send(hexBytes("55 55 AA 01 18 81 00")));
        QVERIFY(host.waitFor([](const hostsim::HostLine& l) { return l.hasPartialFrame(); },
                             kPatience));
        QVERIFY(host.waitFor([](const hostsim::HostLine& l) { return !l.hasPartialFrame(); },
                             kPatience));
        QVERIFY(secondsSince(sent) >= 0.15);
        QVERIFY(port.send(kInitReceiver));
        QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
    }

    void stopsWithReplyPending() {
        const auto start = Clock::now();
        {
            PtyHost host;
            host.withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(30); });
            Port port(host);
            QVERIFY(port.send(hexBytes("55 55 AA 01 03 00 FB")));
            QVERIFY(host.waitFor([](const hostsim::HostLine& l) { return !l.requests().empty(); },
                                 kPatience));
        }
        QVERIFY(secondsSince(start) < 10.0); // not the 30 s of the reply
    }

    // A reply sent twice: the copy goes out the pause after the reply, or, when a new request
    // begins first, never; its record then says what the line carried.
    void replyTwice_data() {
        QTest::addColumn<double>("pause");
        QTest::addColumn<bool>("requestFirst");
        QTest::newRow("the copy comes") << 0.1 << false;
        QTest::newRow("a request comes first") << 30.0 << true;
    }
    void replyTwice() {
        QFETCH(double, pause);
        QFETCH(bool, requestFirst);
        PtyHost host;
        host.withLine([&](hostsim::HostLine& l) { l.addFault(Fault::twice(pause)); });
        Port port(host);
        QVERIFY(port.send(kInitReceiver));
        QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
        if (requestFirst) {
            QVERIFY(port.send(kInitReceiver));
            QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
        } else {
            QCOMPARE(port.receive(6, kPatience), kInitReceiverReply);
        }
        QVERIFY(host.waitForQuiet(kPatience));
        QVERIFY(port.receive(1, 50ms).empty());
        const auto records = host.takeRecords();
        QCOMPARE(records.size(), std::size_t(requestFirst ? 2 : 1));
        const hostsim::Applied& first = records[0].applied;
        QCOMPARE(first.answer, hostsim::Applied::Answer::Correct);
        if (requestFirst) {
            QCOMPARE(first.wire, kInitReceiverReply);
            QVERIFY(first.faults.empty());
        } else {
            QCOMPARE(hexText(first.wire),
                     hexText(kInitReceiverReply) + " " + hexText(kInitReceiverReply));
            QVERIFY(first.faults == std::vector{Fault::Kind::Twice});
            QVERIFY(secondsBetween(*records[0].writtenAt(5), *records[0].writtenAt(6)) >= 0.099);
        }
    }

    // The tool's write of a request fails: part-way, or at its first byte. The unit records the
    // loss with the bytes it took in; a request that got through whole before is answered.
    void requestLoss_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Bytes>("request");
        QTest::newRow("mid-request, a block write")
            << Fault::loseMidRequest() << requestFrame(0x18, Bytes(129, 7));
        QTest::newRow("mid-request, a pager")
            << Fault::loseMidRequest()
            << requestFrame(0x01, Bytes{0, 12, 0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 2});
        QTest::newRow("gone before the request") << Fault::goneBeforeRequest() << kInitReceiver;
    }
    void requestLoss() {
        QFETCH(Fault, fault);
        QFETCH(Bytes, request);
        PtyHost host;
        Port port(host);
        host.withLine([&](hostsim::HostLine& l) { l.addFault(fault); });
        std::size_t sent = request.size(), total = 0;
        // A request let through whole before the device went is answered; the fault waits for the
        // next one.
        for (int tries = 0; tries < 200 && sent == request.size(); ++tries) {
            // Each byte waits until the unit has it, so that the unit's hold comes in time however
            // loaded the machine is.
            sent = port.sendByteByByte(request, [&] {
                const std::size_t written = ++total;
                QVERIFY(host.waitFor(
                    [&](const hostsim::HostLine& l) {
                        return l.rawReceived().size() >= written || host.isGone();
                    },
                    kPatience));
            });
            if (sent == request.size())
                QVERIFY(!port.receive(6, kPatience).empty()); // a whole request is answered
        }
        QVERIFY(sent < request.size());
        QVERIFY(fault.kind == Fault::Kind::GoneBeforeRequest ? sent == 0 : sent > 0);
        QVERIFY(host.isGone());
        const auto records = host.takeRecords();
        QVERIFY(!records.empty());
        for (std::size_t i = 0; i + 1 < records.size(); ++i)
            QCOMPARE(records[i].applied.answer, hostsim::Applied::Answer::Correct);
        const hostsim::Applied& lost = records.back().applied;
        QCOMPARE(lost.lostAfter, std::optional(sent));
        QVERIFY(lost.faults == std::vector{fault.kind});
    }

    // Each request's record says when it came and when its answer's bytes went out.
    void recordsTimeTheLine() {
        PtyHost host;
        host.withLine([](hostsim::HostLine& l) { l.addFault(Fault::split(2, 0.2)); });
        Port port(host);
        QVERIFY(port.send(kInitReceiver));
        // While the rest of its answer is not out, the record is not handed out: checked whenever
        // the rest was still to come after the records were asked for.
        QCOMPARE(port.receive(2, kPatience), hexBytes("55 AA"));
        auto records = host.takeRecords();
        if (!(port.events(0ms) & POLLIN))
            QVERIFY(records.empty());
        QVERIFY(host.waitForQuiet(kPatience));
        if (records.empty())
            records = host.takeRecords();
        QCOMPARE(records.size(), std::size_t{1});
        const hostsim::LineRecord& r = records[0];
        QCOMPARE(r.applied.wire, kInitReceiverReply);
        QCOMPARE(r.bytesWritten(), std::size_t{6});
        const auto seconds = [&](std::size_t byte) {
            return std::chrono::duration<double>(*r.writtenAt(byte) - r.received).count();
        };
        QVERIFY2(seconds(2) >= 0.2, qPrintable(QString::number(seconds(2))));
        QVERIFY2(seconds(2) - seconds(1) >= 0.199, qPrintable(QString::number(seconds(1))));
        QVERIFY(!r.writtenAt(6));
    }
};

QTEST_APPLESS_MAIN(TestPtyHost)
#include "ptyhost_test.moc"

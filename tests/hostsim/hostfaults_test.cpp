// Faults the simulated host unit commits on request.
#include "hostsim/line/hostline.h"
#include "wire.h"

#include <QTest>

using hostsim::Fault;
using hostsim::HostLine;
using hostsim::HostUnit;

Q_DECLARE_METATYPE(hostsim::Fault)
using Faults = std::vector<hostsim::Fault>;
using Kinds = QList<int>; // Fault::Kind
Q_DECLARE_METATYPE(Faults)

namespace {

Kinds kindsOf(const hostsim::Applied& applied) {
    Kinds kinds;
    for (Fault::Kind k : applied.faults)
        kinds << int(k);
    return kinds;
}

const Bytes kInitReceiver = hexBytes("55 55 AA 01 08 00 F6");
const Bytes kInitReceiverReply = hexBytes("55 AA 02 08 00 F5");

Bytes readBlock(HostLine& line, std::uint8_t k) {
    const auto replies = line.feed(requestFrame(0x0D, {k}));
    return replies.empty() ? Bytes{} : replies[0].bytes;
}

// A fault by the name the tests and the soak give it.
Fault named(const char* text) {
    const std::optional<Fault> fault = Fault::named(text);
    if (!fault)
        qFatal("no fault %s", text);
    return *fault;
}

} // namespace

class TestHostFaults : public QObject {
    Q_OBJECT
private slots:
    void kinds_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("splitAt");
        QTest::addColumn<double>("splitPause");
        QTest::addColumn<double>("delay");
        QTest::addColumn<bool>("goAway");

        // The reply to the receiver's initialisation, 55 AA 02 08 00 F5, as the fault makes it.
        auto row = [](const char* name, const Fault& fault, const char* reply, int splitAt = 0,
                      double splitPause = 0, double delay = 0, bool goAway = false) {
            QTest::newRow(name) << fault << reply << splitAt << splitPause << delay << goAway;
        };
        row("bad checksum", named("badChecksum"), "55 AA 02 08 00 F6");
        row("noise", named("noise 00 55 13"), "00 55 13 55 AA 02 08 00 F5");
        row("split", named("split 3 0.4"), "55 AA 02 08 00 F5", 3, 0.4);
        row("split past the end", named("split 6 0.4"), "55 AA 02 08 00 F5");
        row("wrong command", named("wrongCommand 09"), "55 AA 02 09 00 F4");
        row("wrong length", Fault::wrongLength(2, 0xEE), "55 AA 02 08 02 EE EE 17");
        row("forced status", named("forceData 01"), "55 AA 02 08 01 01 F3");
        row("truncated", named("truncate 4"), "55 AA 02 08");
        row("late", named("delay 2.5"), "55 AA 02 08 00 F5", 0, 0, 2.5);
        row("gone at once", named("goAway 0"), "", 0, 0, 0, true);
        row("gone mid-reply", named("goAway 2"), "55 AA", 0, 0, 0, true);
        row("noise after", named("noiseAfter 55 AA"), "55 AA 02 08 00 F5 55 AA");
        row("corrupt length byte", named("corrupt 4"), "55 AA 02 08 5A F5");
        row("trickle", named("trickle 0.01"), "55 AA 02 08 00 F5");
    }
    void kinds() {
        QFETCH(Fault, fault);
        QFETCH(QString, reply);
        QFETCH(int, splitAt);
        QFETCH(double, splitPause);
        QFETCH(double, delay);
        QFETCH(bool, goAway);

        HostUnit unit;
        HostLine line(unit);
        line.addFault(fault);
        const auto replies = line.feed(kInitReceiver);
        QCOMPARE(replies.size(), std::size_t{1});
        QCOMPARE(hexText(replies[0].bytes), hexText(hexBytes(reply)));
        QCOMPARE(replies[0].splitAt, std::size_t(splitAt));
        QCOMPARE(replies[0].splitPause, splitPause);
        QCOMPARE(replies[0].delay, delay);
        QCOMPARE(replies[0].goAway, goAway);

        // One-shot: the next request is answered properly.
        QCOMPARE(line.pendingFaults(), std::size_t{0});
        const auto next = line.feed(kInitReceiver);
        QCOMPARE(next.size(), std::size_t{1});
        QCOMPARE(next[0].bytes, kInitReceiverReply);
        QCOMPARE(next[0].delay, 0.0);
    }

    void noReplyIsOneShot() {
        HostUnit unit;
        HostLine line(unit);
        line.addFault(Fault::noReply());
        QVERIFY(line.feed(hexBytes("55 55 AA 01 17 01 02 E4")).empty());
        QCOMPARE(unit.memoryAt(8166), std::uint8_t{2}); // handled all the same
        QCOMPARE(line.feed(kInitReceiver).size(), std::size_t{1});
    }

    void restrictedToCommandAndBlock() {
        HostUnit unit;
        HostLine line(unit);
        line.addFault(Fault::noReply().onCommand(0x0D).onBlock(40));
        line.addFault(Fault::badChecksum().onCommand(0x09));
        QCOMPARE(line.feed(kInitReceiver)[0].bytes, kInitReceiverReply);
        QCOMPARE(readBlock(line, 39).size(), std::size_t{134});
        QCOMPARE(readBlock(line, 41).size(), std::size_t{134});
        QCOMPARE(line.pendingFaults(), std::size_t{2});
        QVERIFY(readBlock(line, 40).empty());
        QCOMPARE(readBlock(line, 40).size(), std::size_t{134});

        // A block restriction applies only to the block commands.
        line.addFault(Fault::noReply().onBlock(0));
        QCOMPARE(line.feed(requestFrame(0x17, {0}))[0].bytes, hexBytes("55 AA 02 17 00 E6"));
        QVERIFY(line.feed(requestFrame(0x18, Bytes(129, 0))).empty());
        QCOMPARE(line.feed(hexBytes("55 55 AA 01 09 00 F5"))[0].bytes,
                 hexBytes("55 AA 02 09 00 F5"));
    }

    void countedAndPermanent() {
        HostUnit unit;
        HostLine line(unit);
        line.addFault(Fault::wrongLength(0).onCommand(0x0D).count(2));
        QCOMPARE(readBlock(line, 0), hexBytes("55 AA 02 0D 00 F0"));
        QCOMPARE(readBlock(line, 1), hexBytes("55 AA 02 0D 00 F0"));
        QCOMPARE(readBlock(line, 2).size(), std::size_t{134});

        line.addFault(Fault::noReply().onCommand(0x08).always());
        for (int i = 0; i < 5; ++i)
            QVERIFY(line.feed(kInitReceiver).empty());
        QCOMPARE(line.pendingFaults(), std::size_t{1});
        line.clearFaults();
        QCOMPARE(line.feed(kInitReceiver)[0].bytes, kInitReceiverReply);
    }

    void faultsCombine() {
        HostUnit unit;
        HostLine line(unit);
        unit.setLearnDelay(1.5);
        line.addFault(Fault::noise({0xFF}));
        line.addFault(Fault::badChecksum());
        line.addFault(Fault::split(4, 0.1));
        line.addFault(Fault::delay(0.5));
        const auto replies = line.feed(requestFrame(0x11, {1}));
        QCOMPARE(replies.size(), std::size_t{1});
        QCOMPARE(replies[0].bytes, hexBytes("FF 55 AA 02 11 02 5A 01 90"));
        QCOMPARE(replies[0].splitAt, std::size_t{4});
        QCOMPARE(replies[0].delay, 2.0);
        QCOMPARE(line.pendingFaults(), std::size_t{0});
    }

    void memoryFull() {
        HostUnit unit;
        HostLine line(unit);
        unit.setLearnDelay(1.0);
        line.addFault(Fault::memoryFull().count(2));
        // Not taken by other commands.
        QCOMPARE(line.feed(kInitReceiver)[0].bytes, kInitReceiverReply);

        auto table = line.feed(requestFrame(0x03, {0, 0, 7, 1, 0xFF, 0xFF}));
        QCOMPARE(table[0].bytes, hexBytes("55 AA 02 03 00 FA"));
        QCOMPARE(table[0].delay, 0.0);
        auto repeater = line.feed(requestFrame(0x03, {}));
        QCOMPARE(repeater[0].bytes, hexBytes("55 AA 02 03 00 FA"));
        QCOMPARE(unit.memoryAt(8191), std::uint8_t{0});
        QCOMPARE(unit.memoryAt(5504), std::uint8_t{0});
        QCOMPARE(unit.nextCallerCode(), (hostsim::CallerCode{0x3C, 0x5A, 0x01}));

        table = line.feed(requestFrame(0x03, {0, 0, 7, 1, 0xFF, 0xFF}));
        QCOMPARE(table[0].bytes, hexBytes("55 AA 02 03 03 3C 5A 01 60"));
        QCOMPARE(table[0].delay, 1.0);
    }

    void unansweredRequestsLeaveFaultsAlone() {
        HostUnit unit;
        HostLine line(unit);
        line.addFault(Fault::noReply());
        QVERIFY(line.feed(hexBytes("55 55 AA 01 05 00 F9")).empty()); // unknown command
        QVERIFY(line.feed(hexBytes("55 55 AA 01 08 00 F7")).empty()); // bad checksum
        QCOMPARE(line.pendingFaults(), std::size_t{1});
        QVERIFY(line.feed(kInitReceiver).empty());
    }

    // The unit's own record of each request: whether the right reply went out whole.
    void appliedRecordsTheAnswer_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("answer"); // Applied::Answer
        const int correct = int(hostsim::Applied::Answer::Correct);
        const int incorrect = int(hostsim::Applied::Answer::Incorrect);
        QTest::newRow("none") << Fault::delay(0).onCommand(0x77) << correct;
        QTest::newRow("noise before and a split") << Fault::noise({0x13}).count(1) << correct;
        QTest::newRow("late") << Fault::delay(1.0) << correct;
        QTest::newRow("trickled") << named("trickle 0.01") << correct;
        QTest::newRow("no reply") << Fault::noReply() << incorrect;
        QTest::newRow("bad checksum") << Fault::badChecksum() << incorrect;
        QTest::newRow("corrupted") << Fault::corrupt(3) << incorrect;
        QTest::newRow("cut") << Fault::truncate(5) << incorrect;
        QTest::newRow("another command") << named("wrongCommand 09") << incorrect;
        QTest::newRow("wrong length") << Fault::wrongLength(1) << incorrect;
        QTest::newRow("gone after the reply")
            << Fault::goAway(6) << int(hostsim::Applied::Answer::Uncertain);
    }
    void appliedRecordsTheAnswer() {
        QFETCH(Fault, fault);
        QFETCH(int, answer);
        HostUnit unit;
        HostLine line(unit);
        line.addFault(fault);
        line.feed(kInitReceiver);
        const auto applied = line.takeApplied();
        QCOMPARE(applied.size(), std::size_t{1});
        QCOMPARE(applied[0].request.command, std::uint8_t(0x08));
        QCOMPARE(int(applied[0].answer), answer);
        QVERIFY(line.takeApplied().empty());
    }

    // A fault counts when the line carried something else because of it: one that changes
    // nothing, or that another makes moot, is taken but not counted.
    void appliedCountsWhatChangedTheLine_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QString>("request");
        QTest::addColumn<Kinds>("counted");
        using K = Fault::Kind;
        const QString init = "55 55 AA 01 08 00 F6"; // answered 55 AA 02 08 00 F5
        const QString table = "55 55 AA 01 03 06 00 00 0C 05 FF FF E6";
        auto row = [](const char* name, Faults faults, const QString& request, Kinds counted) {
            QTest::newRow(name) << faults << request << counted;
        };
        row("corrupted past the end", {Fault::corrupt(6)}, init, {});
        row("corrupted", {Fault::corrupt(5)}, init, {int(K::Corrupt)});
        row("the right length", {Fault::wrongLength(0)}, init, {});
        row("the right command", {Fault::wrongCommand(0x08)}, init, {});
        row("the right data", {Fault::forceData({})}, init, {});
        row("split past the end", {Fault::split(6, 0.1)}, init, {});
        row("split without a pause", {Fault::split(2, 0)}, init, {});
        row("no delay", {Fault::delay(0)}, init, {});
        row("no noise", {Fault::noise({})}, init, {});
        row("cut past the end", {Fault::truncate(6)}, init, {});
        row("one byte trickled", {Fault::truncate(1), named("trickle 0.01")}, init,
            {int(K::Truncate)});
        row("dropped twice", {Fault::noReply(), Fault::noReply()}, init, {int(K::NoReply)});
        row("noise never sent", {Fault::noise({0x13}), Fault::noReply()}, init, {int(K::NoReply)});
        row("no reply to send twice", {Fault::twice(0.1), Fault::noReply()}, init,
            {int(K::NoReply)});
        row("twice", {Fault::twice(0.1)}, init, {int(K::Twice)});
        row("gone after the whole reply", {Fault::goAway(6)}, init, {int(K::GoAway)});
        row("memory full", {Fault::memoryFull(), Fault::memoryFull()}, table, {int(K::MemoryFull)});
        row("memory full on a refused table", {Fault::memoryFull()},
            hexText(requestFrame(0x03, {0, 0, 0, 1, 2, 3})), {});
        row("checksum and noise", {Fault::badChecksum(), Fault::noiseAfter({0xAA})}, init,
            {int(K::BadChecksum), int(K::NoiseAfter)});
    }
    void appliedCountsWhatChangedTheLine() {
        QFETCH(Faults, faults);
        QFETCH(QString, request);
        QFETCH(Kinds, counted);
        HostUnit unit;
        HostLine line(unit);
        for (const Fault& f : faults)
            line.addFault(f);
        line.feed(hexBytes(request));
        const auto applied = line.takeApplied();
        QCOMPARE(applied.size(), std::size_t{1});
        QCOMPARE(kindsOf(applied[0]), counted);
        QCOMPARE(line.pendingFaults(), std::size_t{0});
    }

    // A request-loss fault waits for its request (the one after block k - 1 of its command), takes
    // no complete request, and is recorded once the device went away under it.
    void requestLossWaitsForItsRequest() {
        HostUnit unit;
        HostLine line(unit);
        readBlock(line, 1); // before the fault: not the request it follows
        line.addFault(Fault::loseMidRequest().onCommand(0x0D).onBlock(2));
        QVERIFY(!line.requestLossDue());
        QCOMPARE(readBlock(line, 0).size(), std::size_t{134});
        QCOMPARE(line.feed(requestFrame(0x18, Bytes(129, 1))).size(), std::size_t{1});
        QVERIFY(!line.requestLossDue());
        QCOMPARE(readBlock(line, 1).size(), std::size_t{134});
        QCOMPARE(line.requestLossDue()->kind, Fault::Kind::LoseMidRequest);
        line.takeApplied();
        line.feed(hexBytes("55 55 AA 01 0D"));
        line.recordRequestLoss(line.partialFrameSize());
        QVERIFY(!line.requestLossDue());
        QVERIFY(!line.hasPartialFrame());
        const auto applied = line.takeApplied();
        QCOMPARE(applied.size(), std::size_t{1});
        QCOMPARE(applied[0].lostAfter, std::optional<std::size_t>(5));
        QCOMPARE(kindsOf(applied[0]), Kinds{int(Fault::Kind::LoseMidRequest)});

        line.addFault(Fault::goneBeforeRequest());
        QCOMPARE(line.requestLossDue()->kind, Fault::Kind::GoneBeforeRequest);
    }
};

QTEST_APPLESS_MAIN(TestHostFaults)
#include "hostfaults_test.moc"

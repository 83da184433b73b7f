// The block transfers' waits at their real lengths, in virtual time: one period a block, 0.2 s
// for a host read, 9.0 s for a receiver's first block and 1.0 s for its second, 0.3 s for a
// download.

#include "memory/blocktransfer.h"
#include "memory/memoryimage.h"
#include "scriptedport.h"

#include <QtTest>

using namespace callcfg;

class BlockTransferTest : public QObject {
    Q_OBJECT
private slots:
    void waits_data() {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("replyAt"); // ms; block 0's reply, none when negative
        QTest::addColumn<int>("stoppedAt");
        QTest::addColumn<int>("elapsed"); // ms
        QTest::newRow("host read") << "host" << -1 << 0 << 200;
        QTest::newRow("download") << "download" << -1 << 0 << 300;
        QTest::newRow("receiver answers late in its first wait")
            << "receiver" << 8990 << 1 << 10000;
    }
    void waits() {
        QFETCH(QString, plan);
        QFETCH(int, replyAt);
        QFETCH(int, stoppedAt);
        QFETCH(int, elapsed);
        static const HostMemory image{};
        testsupport::ScriptedLink s;
        QVERIFY(s.link.open(QStringLiteral("scripted")));
        if (replyAt >= 0) {
            testsupport::ScriptedPort::Bytes reply{0x55, 0xAA, 0x02, 0x0E, 0x80};
            reply.resize(reply.size() + 128);
            reply.push_back(0x6F);
            s.port.arrive(reply, std::chrono::milliseconds(replyAt));
        }
        const TransferResult result =
            transferBlocks(s.link,
                           plan == "host"       ? hostReadPlan()
                           : plan == "download" ? downloadPlan(image)
                                                : receiverReadPlan(Receiver::BuiltIn),
                           {});
        QCOMPARE(int(result.stop), int(TransferStop::NoReply));
        QCOMPARE(result.block, stoppedAt);
        QCOMPARE(s.clock.elapsed(), std::chrono::milliseconds(elapsed));
    }
};

QTEST_GUILESS_MAIN(BlockTransferTest)
#include "blocktransfer_test.moc"

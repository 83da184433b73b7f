#include "link/replyscanner.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;

Q_DECLARE_METATYPE(QList<QString>)

namespace {

// The checksum worked out here: 0xFF minus the low byte of the sum.
std::uint8_t checksum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

} // namespace

// Feeds the reads of successive periods and reports what the scanner made of them.
class ReplyScannerTest : public QObject {
    Q_OBJECT
private slots:
    void scan_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<QString>>("reads");
        QTest::addColumn<int>("acceptedInRead"); // -1: never
        QTest::addColumn<int>("checksumErrors");
        QTest::addColumn<QString>("reply"); // the reply taken, from its address byte 02 on

        using L = QList<QString>;
        QTest::newRow("six-byte reply without data")
            << 0x08 << L{"55 AA 02 08 00 F5"} << 0 << 0 << "02 08 00 F5";
        QTest::newRow("reply with data")
            << 0x03 << L{"55 AA 02 03 03 01 02 03 F1"} << 0 << 0 << "02 03 03 01 02 03 F1";
        QTest::newRow("extra 55 in front is skipped")
            << 0x08 << L{"55 55 AA 02 08 00 F5"} << 0 << 0 << "02 08 00 F5";
        QTest::newRow("noise in front")
            << 0x08 << L{"00 13 AA 02 55 AA 02 08 00 F5"} << 0 << 0 << "02 08 00 F5";
        QTest::newRow("two replies: the first is taken")
            << 0x04 << L{"55 AA 02 04 01 01 F7 55 AA 02 04 00 F9"} << 0 << 0 << "02 04 01 01 F7";
        QTest::newRow("reply to another command is ignored")
            << 0x08 << L{"55 AA 02 09 00 F4"} << -1 << 0 << "";
        QTest::newRow("third byte not 02 is ignored")
            << 0x08 << L{"55 AA 01 08 00 F6"} << -1 << 0 << "";
        QTest::newRow("bad checksum then good")
            << 0x08 << L{"55 AA 02 08 00 00 55 AA 02 08 00 F5"} << 0 << 1 << "02 08 00 F5";
        QTest::newRow("bad checksum alone") << 0x08 << L{"55 AA 02 08 00 00"} << -1 << 1 << "";
        QTest::newRow("lone byte dropped") << 0x08 << L{"55", "AA 02 08 00 F5"} << -1 << 0 << "";
        QTest::newRow("header cut after 55 AA")
            << 0x08 << L{"55 AA", "02 08 00 F5"} << 1 << 0 << "02 08 00 F5";
        QTest::newRow("header cut after command code")
            << 0x0D << L{"00 55 AA 02 0D", "00 F0"} << 1 << 0 << "02 0D 00 F0";
        QTest::newRow("data cut between periods")
            << 0x03 << L{"55 AA 02 03 03 01", "02 03 F1"} << 1 << 0 << "02 03 03 01 02 03 F1";
        QTest::newRow("checksum cut between periods")
            << 0x03 << L{"55 AA 02 03 03 01 02 03", "F1"} << 1 << 0 << "02 03 03 01 02 03 F1";
        QTest::newRow("cut over three reads")
            << 0x03 << L{"55 AA", "02 03 03", "01 02 03 F1"} << 2 << 0 << "02 03 03 01 02 03 F1";
        QTest::newRow("disagreeing tail is not kept")
            << 0x08 << L{"55 AA 03", "02 08 00 F5"} << -1 << 0 << "";
        QTest::newRow("nothing at all") << 0x08 << L{"", "", ""} << -1 << 0 << "";
    }

    void scan() {
        QFETCH(int, command);
        QFETCH(QList<QString>, reads);
        QFETCH(int, acceptedInRead);
        QFETCH(int, checksumErrors);
        QFETCH(QString, reply);

        ReplyScanner scanner(static_cast<std::uint8_t>(command));
        std::optional<std::vector<std::uint8_t>> data;
        int accepted = -1;
        int errors = 0;
        for (int i = 0; i < reads.size() && accepted < 0; ++i) {
            const ScanResult r = scanner.scan(hexBytes(reads[i]));
            errors += r.checksumErrors;
            if (r.data) {
                accepted = i;
                data = r.data;
            }
        }
        QCOMPARE(accepted, acceptedInRead);
        QCOMPARE(errors, checksumErrors);
        if (accepted >= 0) {
            // The data are the reply's own m bytes: between its length byte and its checksum.
            const auto taken = hexBytes(reply);
            QCOMPARE(hexText(*data), hexText({taken.begin() + 3, taken.end() - 1}));
        }
    }

    void bytesAfterTheReplyAreNotItsData() {
        ReplyScanner scanner(0x08);
        const ScanResult r = scanner.scan(hexBytes("55 AA 02 08 00 F5 33 33"));
        QVERIFY(r.data && r.data->empty());
    }

    void fullBlockReplyCutAnywhereGivesTheSameData() {
        std::vector<std::uint8_t> wire{0x55, 0xAA, 0x02, 0x0D, 0x80};
        for (int i = 0; i < 128; ++i)
            wire.push_back(static_cast<std::uint8_t>(i * 7 + 0x55));
        wire.push_back(checksum({wire.begin() + 2, wire.end()}));
        for (std::size_t cut = 1; cut < wire.size(); ++cut) {
            ReplyScanner scanner(0x0D);
            const ScanResult first = scanner.scan({wire.begin(), wire.begin() + cut});
            QVERIFY(!first.data);
            const ScanResult second = scanner.scan({wire.begin() + cut, wire.end()});
            QVERIFY2(second.data || cut == 1, qPrintable(QString::number(cut)));
            if (cut == 1)
                continue; // a read of one byte is dropped
            QVERIFY(std::equal(wire.begin() + 5, wire.end() - 1, second.data->begin(),
                               second.data->end()));
            QVERIFY(!scanner.pending());
        }
    }
};

QTEST_APPLESS_MAIN(ReplyScannerTest)
#include "replyscanner_test.moc"

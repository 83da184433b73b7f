// The bytes of requests and replies on the wire. The expected frames are worked out by hand,
// byte by byte, so that a wrong shared constant fails here.

#include "protocol/protocol.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;

class ProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void requestWire_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("wire");
        QTest::newRow("no data") << 0x08 << ""
                                 << "55 55 AA 01 08 00 F6";
        // 01+02+02+FD+FD = 0x1FF -> checksum 0x00; 01+02+01+FC = 0x100 -> checksum 0xFF
        QTest::newRow("sum 0x1FF wraps to 00") << 0x02 << "FD FD"
                                               << "55 55 AA 01 02 02 FD FD 00";
        QTest::newRow("sum 0x100 gives FF") << 0x02 << "FC"
                                            << "55 55 AA 01 02 01 FC FF";
        QTest::newRow("55 and AA sent as they are") << 0x01 << "55 AA"
                                                    << "55 55 AA 01 01 02 55 AA FC";
        QTest::newRow("voice settings") << 0x14 << "00 01 03 04 07"
                                        << "55 55 AA 01 14 05 00 01 03 04 07 D6";
        // The block frames: 01+0D+01+28 = 0x37 -> C8; 01+0E+01+00 = 0x10 -> EF;
        // 01+0E+02+01+01 = 0x13 -> EC.
        QTest::newRow("read host block 40") << 0x0D << "28"
                                            << "55 55 AA 01 0D 01 28 C8";
        QTest::newRow("read built-in receiver block 0") << 0x0E << "00"
                                                        << "55 55 AA 01 0E 01 00 EF";
        QTest::newRow("read external receiver block 1") << 0x0E << "01 01"
                                                        << "55 55 AA 01 0E 02 01 01 EC";
    }
    void requestWire() {
        QFETCH(int, command);
        QFETCH(QString, data);
        QFETCH(QString, wire);
        QCOMPARE(hexText(protocol::requestWire(std::uint8_t(command), hexBytes(data))), wire);
    }

    // A download frame: 01 + 18 + 81 + block 3 + 128 bytes of 0x02 = 0x19D -> 0x9D -> 0x62.
    void downloadFrame() {
        std::vector<std::uint8_t> data{0x03};
        data.resize(129, 0x02);
        const auto wire = protocol::requestWire(0x18, data);
        QCOMPARE(wire.size(), std::size_t(3 + 3 + 129 + 1));
        QCOMPARE(hexText({wire.begin(), wire.begin() + 7}), QStringLiteral("55 55 AA 01 18 81 03"));
        QCOMPARE(wire.back(), std::uint8_t(0x62));
    }

    void longestFrame() {
        const std::vector<std::uint8_t> data(255, 0xFF);
        const auto wire = protocol::requestWire(0x18, data);
        QCOMPARE(wire.size(), std::size_t(255 + 7));
        // 0x01 + 0x18 + 0xFF + 255 * 0xFF = 0xFF19 -> low byte 0x19 -> 0xE6
        QCOMPARE(wire.back(), std::uint8_t(0xE6));
    }

    void replyWire() {
        QCOMPARE(hexText(protocol::replyWire(0x08, {})), QStringLiteral("55 AA 02 08 00 F5"));
        const std::vector<std::uint8_t> data{0x01, 0x02, 0x03};
        // 02 + 03 + 03 + 01 + 02 + 03 = 0x0E -> F1
        QCOMPARE(hexText(protocol::replyWire(0x03, data)),
                 QStringLiteral("55 AA 02 03 03 01 02 03 F1"));
    }
};

QTEST_APPLESS_MAIN(ProtocolTest)
#include "protocol_test.moc"

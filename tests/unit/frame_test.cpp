#include "bytes.h"
#include "link/frame.h"

#include <QtTest>

using namespace callcfg;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void wireBytes_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("wire");
        QTest::newRow("no data") << "01 08 00"
                                 << "55 55 AA 01 08 00 F6";
        // 01+02+FC = 0xFF -> checksum 0x00; 01+02+FD = 0x100 -> checksum 0xFF
        QTest::newRow("sum 0x1FF wraps to 00") << "01 02 02 FD FD"
                                               << "55 55 AA 01 02 02 FD FD 00";
        QTest::newRow("sum 0x100 gives FF") << "01 02 01 FC"
                                            << "55 55 AA 01 02 01 FC FF";
        QTest::newRow("55 and AA sent as they are") << "01 01 02 55 AA"
                                                    << "55 55 AA 01 01 02 55 AA FC";
        QTest::newRow("voice settings") << "01 14 05 00 01 03 04 07"
                                        << "55 55 AA 01 14 05 00 01 03 04 07 D6";
    }
    void wireBytes() {
        QFETCH(QString, body);
        QFETCH(QString, wire);
        ByteBuffer frame{};
        const auto bodyBytes = hexBytes(body);
        std::copy(bodyBytes.begin(), bodyBytes.end(), frame.begin());
        QCOMPARE(hexText(completeFrame(frame)), wire);
    }

    void staleBytesBeyondTheFrameAreNeverSent() {
        ByteBuffer frame{};
        frame.fill(0x77);
        frame[0] = 0x01;
        frame[1] = 0x04;
        frame[2] = 0x01;
        frame[3] = 0x69;
        const auto wire = completeFrame(frame);
        QCOMPARE(hexText(wire), QStringLiteral("55 55 AA 01 04 01 69 90"));
        QCOMPARE(frame[4], std::uint8_t(0x90));
        QCOMPARE(frame[5], std::uint8_t(0x77));
        // Sending again without refilling sends the same frame again.
        QCOMPARE(completeFrame(frame), wire);
    }

    void longestFrame() {
        ByteBuffer frame{};
        frame[0] = 0x01;
        frame[1] = 0x18;
        frame[2] = 0xFF;
        for (int i = 3; i < 258; ++i)
            frame[i] = 0xFF;
        const auto wire = completeFrame(frame);
        QCOMPARE(wire.size(), std::size_t(255 + 7));
        // 0x01 + 0x18 + 0xFF + 255 * 0xFF = 0xFF19 -> low byte 0x19 -> 0xE6
        QCOMPARE(wire.back(), std::uint8_t(0xE6));
    }
};

QTEST_APPLESS_MAIN(FrameTest)
#include "frame_test.moc"

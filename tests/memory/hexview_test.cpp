// Hex dump text: exact lengths, row labels and byte rendering.

#include "memory/hexview.h"

#include <QElapsedTimer>
#include <QTest>

#include <vector>

using namespace callcfg;

class TestHexView : public QObject {
    Q_OBJECT
private slots:
    void lengths_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("ending");
        QTest::newRow("host") << 8192 << 29961 << "00 \r\n2000H -- ";
        QTest::newRow("receiver") << 256 << 936 << "00 \r\n100H -- ";
        QTest::newRow("no rows") << 0 << 8 << "000H -- ";
        QTest::newRow("part of a row is left out") << 8200 << 29961 << "00 \r\n2000H -- ";
    }
    void lengths() {
        QFETCH(int, bytes);
        QFETCH(int, length);
        QFETCH(QString, ending);
        const std::vector<std::uint8_t> memory(bytes);
        const QString text = hexDump(memory);
        QCOMPARE(text.size(), length);
        QVERIFY(text.startsWith(QStringLiteral("000H -- ")));
        QVERIFY(text.endsWith(ending));
    }

    void rowLabels_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("label");
        QTest::newRow("row 1") << 0 << "000H -- ";
        QTest::newRow("row 2") << 1 << "010H -- ";
        QTest::newRow("row 16") << 15 << "0F0H -- ";
        QTest::newRow("row 17") << 16 << "100H -- ";
        QTest::newRow("row 256") << 255 << "FF0H -- ";
        QTest::newRow("row 257") << 256 << "1000H -- ";
        QTest::newRow("row 512") << 511 << "1FF0H -- ";
    }
    void rowLabels() {
        QFETCH(int, line);
        QFETCH(QString, label);
        const HostMemory image{};
        const QStringList lines = hexDump(image).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 513);
        QCOMPARE(lines[line], label + "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ");
        QCOMPARE(lines[512], QStringLiteral("2000H -- "));
    }

    void byteRendering() {
        std::array<std::uint8_t, 32> image{};
        for (int n = 0; n < 16; ++n)
            image[n] = n;
        const std::uint8_t second[16] = {0x10, 0x7F, 0x80, 0xA5, 0xFE, 0xFF, 0xAB, 0xFF,
                                         0x5A, 0x0A, 0xF0, 0x99, 0x01, 0x20, 0xC3, 0x3C};
        std::copy(std::begin(second), std::end(second), image.begin() + 16);
        QCOMPARE(hexDump(image),
                 QStringLiteral("000H -- 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n"
                                "010H -- 10 7F 80 A5 FE FF AB FF 5A 0A F0 99 01 20 C3 3C \r\n"
                                "020H -- "));
    }

    void sourceFollowsLastRead() {
        Images images;
        images.hostImage[0] = 0x11;
        images.receiverImage[0] = 0x22;
        QCOMPARE(hexDumpOf(images).size(), 29961);
        QVERIFY(hexDumpOf(images).startsWith(QStringLiteral("000H -- 11 ")));
        images.receiverSelected = true;
        QCOMPARE(hexDumpOf(images).size(), 936);
        QVERIFY(hexDumpOf(images).startsWith(QStringLiteral("000H -- 22 ")));
    }

    void hostDumpIsFast() {
        HostMemory image;
        for (std::size_t n = 0; n < image.size(); ++n)
            image[n] = static_cast<std::uint8_t>((n * 37) & 0xFF);
        QElapsedTimer timer;
        timer.start();
        const QString text = hexDump(image);
        QVERIFY2(timer.elapsed() < 50, qPrintable(QString::number(timer.elapsed()) + " ms"));
        QCOMPARE(text.size(), 29961);
    }
};

QTEST_APPLESS_MAIN(TestHexView)
#include "hexview_test.moc"

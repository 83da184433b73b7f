// Typed listings of the host image: pagers, tables and work mode, checked against known texts.

#include "memory/listing.h"

#include <QElapsedTimer>
#include <QTest>

using namespace callcfg;

namespace {

void put(HostMemory& image, int offset, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size(); ++i)
        image[offset + i] = static_cast<std::uint8_t>(bytes[i]);
}

void putTableCount(HostMemory& image, int count) {
    image[8190] = count >> 8;
    image[8191] = count & 0xFF;
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT
private slots:
    void emptyImage() {
        HostMemory image{};
        QCOMPARE(pagerListing(image), QStringLiteral("不存在传呼号！"));
        QVERIFY(!tableListing(image).has_value());
        QCOMPARE(workModeText(image), QStringLiteral("当前工作类型为：\r\n单键模式1"));
        for (int n = 0; n < 255; ++n)
            image[n * 5] = 255;
        QCOMPARE(pagerListing(image), QStringLiteral("不存在传呼号！"));
    }

    void pagerLine_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("line");
        QTest::newRow("known answer")
            << 12 << QByteArray("\x6B\x12\x34\x56\x72", 5)
            << "  12    1 2 3 4 5 6 7     正     中文字符    1200    音调3";
        QTest::newRow("0x42") << 1 << QByteArray("\x42\x00\x00\x00\x00", 5)
                              << "   1    0 0 0 0 0 0 0     反     数字新型    512    音调1";
        QTest::newRow("0x62") << 1 << QByteArray("\x62\x00\x00\x00\x00", 5)
                              << "   1    0 0 0 0 0 0 0     正     数字新型    512    音调1";
        QTest::newRow("0x61") << 1 << QByteArray("\x61\x00\x00\x00\x03", 5)
                              << "   1    0 0 0 0 0 0 0     正      音调4";
        QTest::newRow("0x47") << 1 << QByteArray("\x47\x00\x00\x00\x01", 5)
                              << "   1    0 0 0 0 0 0 0     反      音调2";
        QTest::newRow("0x60") << 1 << QByteArray("\x60\x00\x00\x00\x00", 5)
                              << "   1    0 0 0 0 0 0 0     反      音调1";
        QTest::newRow("tone 4") << 12 << QByteArray("\x6B\x12\x34\x56\x74", 5)
                                << "  12    1 2 3 4 5 6 7     正     中文字符    1200   ";
        QTest::newRow("tone 15") << 12 << QByteArray("\x4B\x12\x34\x56\x7F", 5)
                                 << "  12    1 2 3 4 5 6 7     反     中文字符    1200   ";
        QTest::newRow("tone 4 unknown letter")
            << 12 << QByteArray("\x61\x12\x34\x56\x74", 5) << "  12    1 2 3 4 5 6 7     正     ";
        QTest::newRow("tone 15 unknown letter")
            << 12 << QByteArray("\x47\x12\x34\x56\x7F", 5) << "  12    1 2 3 4 5 6 7     反     ";
        QTest::newRow("hex digits") << 7 << QByteArray("\x46\xAB\xCD\xEF\x90", 5)
                                    << "   7    A B C D E F 9     反     英文    512    音调1";
        QTest::newRow("pager 9") << 9 << QByteArray("\x4A\x00\x00\x00\x00", 5)
                                 << "   9    0 0 0 0 0 0 0     反     英文    2400    音调1";
        QTest::newRow("pager 10") << 10 << QByteArray("\x4A\x00\x00\x00\x00", 5)
                                  << "  10    0 0 0 0 0 0 0     反     英文    2400    音调1";
        QTest::newRow("pager 99") << 99 << QByteArray("\x4A\x00\x00\x00\x00", 5)
                                  << "  99    0 0 0 0 0 0 0     反     英文    2400    音调1";
        QTest::newRow("pager 100") << 100 << QByteArray("\x4A\x00\x00\x00\x00", 5)
                                   << " 100    0 0 0 0 0 0 0     反     英文    2400    音调1";
        QTest::newRow("pager 255") << 255 << QByteArray("\xFE\x00\x00\x00\x00", 5)
                                   << " 255    0 0 0 0 0 0 0     正      音调1";
    }
    void pagerLine() {
        QFETCH(int, number);
        QFETCH(QByteArray, record);
        QFETCH(QString, line);
        HostMemory image{};
        put(image, (number - 1) * 5, record);
        QCOMPARE(pagerListing(image), line + "\r\n");
    }

    void kindLetters_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typeAndRate");
        QTest::newRow("K") << 0x4B << "中文字符    1200";
        QTest::newRow("Q") << 0x51 << "数字新型    1200";
        QTest::newRow("U") << 0x55 << "数字标准    1200";
        QTest::newRow("H") << 0x48 << "中文字符    512";
        QTest::newRow("B") << 0x42 << "数字新型    512";
        QTest::newRow("M") << 0x4D << "数字标准    512";
        QTest::newRow("E") << 0x45 << "英文    1200";
        QTest::newRow("F") << 0x46 << "英文    512";
        QTest::newRow("C") << 0x43 << "中文字符    2400";
        QTest::newRow("D") << 0x44 << "数字新型    2400";
        QTest::newRow("I") << 0x49 << "数字标准    2400";
        QTest::newRow("J") << 0x4A << "英文    2400";
    }
    void kindLetters() {
        QFETCH(int, kind);
        QFETCH(QString, typeAndRate);
        HostMemory image{};
        image[0] = kind;
        image[4] = 0x0F;
        QCOMPARE(pagerListing(image),
                 "   1    0 0 0 0 0 0 0     反     " + typeAndRate + "   \r\n");
        image[0] = kind + 32;
        QCOMPARE(pagerListing(image),
                 "   1    0 0 0 0 0 0 0     正     " + typeAndRate + "   \r\n");
    }

    void severalPagers() {
        HostMemory image{};
        put(image, 0, QByteArray("\xFF\x11\x11\x11\x11", 5));    // pager 1: empty slot
        put(image, 5, QByteArray("\x55\x00\x00\x00\x02", 5));    // pager 2
        put(image, 1270, QByteArray("\x6D\x98\x76\x54\x33", 5)); // pager 255
        put(image, 1275, QByteArray("\x4B\x00\x00\x00\x00", 5)); // beyond the pager slots
        QCOMPARE(pagerListing(image),
                 QStringLiteral("   2    0 0 0 0 0 0 0     反     数字标准    1200    音调3\r\n"
                                " 255    9 8 7 6 5 4 3     正     数字标准    512    音调4\r\n"));
    }

    void tableLine_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("line");
        QTest::newRow("known answer") << QByteArray("\x0A\x1B\x2C\x00\x0C\x05\xFF\xFF", 8)
                                      << " 12       0A  1B  2C        5           无          无";
        QTest::newRow("table 65535") << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x01\xFF", 8)
                                     << " 65535    FF  FF  FF       无            1          无";
        QTest::newRow("table 1") << QByteArray("\x00\x0F\xF0\x00\x01\xFE\xFF\x00", 8)
                                 << " 1        00  0F  F0        254           无           0";
        QTest::newRow("table 0") << QByteArray("\x01\x02\x03\x00\x00\x00\x00\x00", 8)
                                 << " 0        01  02  03        0            0           0";
        QTest::newRow("table 1000") << QByteArray("\xA0\x0B\xC0\x03\xE8\x0A\x63\x64", 8)
                                    << " 1000     A0  0B  C0        10            99           100";
    }
    void tableLine() {
        QFETCH(QByteArray, record);
        QFETCH(QString, line);
        HostMemory image{};
        putTableCount(image, 1);
        put(image, 1280, record);
        const auto text = tableListing(image);
        QVERIFY(text.has_value());
        QCOMPARE(*text, "共有 1个餐桌号：\r\n" + line + "\r\n");
    }

    void tableCounts_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("listed");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("512") << 512 << true;
        QTest::newRow("513") << 513 << false;
        QTest::newRow("0x8001") << 0x8001 << false;
        QTest::newRow("0xFFFF") << 0xFFFF << false;
    }
    void tableCounts() {
        QFETCH(int, count);
        QFETCH(bool, listed);
        HostMemory image{};
        putTableCount(image, count);
        const auto text = tableListing(image);
        QCOMPARE(text.has_value(), listed);
        if (listed)
            QCOMPARE(text->count(QStringLiteral("\r\n")), count + 1);
    }

    void fullTable() {
        HostMemory image{};
        putTableCount(image, 512);
        for (int i = 0; i < 512; ++i)
            put(image, 1280 + 8 * i, QByteArray("\x00\x00\x00\x00\x07\xFF\xFF\xFF", 8));
        put(image, 5368, QByteArray("\x12\x34\x56\xFF\xFE\x01\x02\x03", 8));
        put(image, 5376, QByteArray("\x99\x99\x99\x99\x99\x99\x99\x99", 8));
        const QStringList lines = tableListing(image)->split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 514);
        QCOMPARE(lines[0], QStringLiteral("共有 512个餐桌号："));
        QCOMPARE(lines[1],
                 QStringLiteral(" 7        00  00  00       无           无          无"));
        QCOMPARE(lines[512],
                 QStringLiteral(" 65534    12  34  56        1            2           3"));
        QCOMPARE(lines[513], QString());
    }

    void workMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "当前工作类型为：\r\n单键模式1";
        QTest::newRow("1") << 1 << "当前工作类型为：\r\n多键模式";
        QTest::newRow("2") << 2 << "当前工作类型为：\r\n单键模式0";
        QTest::newRow("200") << 200 << "当前工作类型为：\r\n单键模式0";
        QTest::newRow("255") << 255 << "当前工作类型为：\r\n单键模式0";
    }
    void workMode() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        HostMemory image{};
        image[8166] = mode;
        QCOMPARE(workModeText(image), text);
    }

    void largeListingsAreFast() {
        HostMemory image{};
        for (int n = 0; n < 255; ++n)
            put(image, n * 5, QByteArray("\x6B\x12\x34\x56\x72", 5));
        putTableCount(image, 512);
        for (int i = 0; i < 512; ++i)
            put(image, 1280 + 8 * i, QByteArray("\x0A\x1B\x2C\xFF\xFF\xFE\xFE\xFE", 8));
        QElapsedTimer timer;
        timer.start();
        const QString pagers = pagerListing(image);
        const auto tables = tableListing(image);
        QVERIFY2(timer.elapsed() < 50, qPrintable(QString::number(timer.elapsed()) + " ms"));
        QCOMPARE(pagers.count(QStringLiteral("\r\n")), 255);
        QCOMPARE(tables->count(QStringLiteral("\r\n")), 513);
    }
};

QTEST_APPLESS_MAIN(TestListing)
#include "listing_test.moc"

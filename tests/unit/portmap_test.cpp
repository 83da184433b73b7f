#include "link/portmap.h"

#include <QtTest>

using namespace callcfg;

class PortMapTest : public QObject {
    Q_OBJECT
private slots:
    void portNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port"); // 0: no port
        QTest::newRow("COM1") << "COM1" << 1;
        QTest::newRow("COM8") << "COM8" << 8;
        QTest::newRow("only the last character counts") << "COM12" << 2;
        QTest::newRow("COM9") << "COM9" << 9;
        QTest::newRow("COM0 names no port") << "COM0" << 0;
        QTest::newRow("letter last") << "COMx" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void portNumber() {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(portNumberOf(text).value_or(0), port);
    }

    void devices() {
        PortMap map;
        QCOMPARE(map.deviceFor(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(map.deviceFor(8), QStringLiteral("/dev/ttyS7"));
        QVERIFY(map.addMapping("COM3=/dev/ttyUSB0"));
        QVERIFY(map.addMapping("com1=/dev/pts/7"));
        QVERIFY(!map.addMapping("COM3"));
        QVERIFY(!map.addMapping("LPT1=/dev/lp0"));
        QVERIFY(!map.addMapping("COM10=/dev/x"));
        QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(map.deviceFor(1), QStringLiteral("/dev/pts/7"));
        QCOMPARE(map.deviceFor(2), QStringLiteral("/dev/ttyS1"));
    }
};

QTEST_APPLESS_MAIN(PortMapTest)
#include "portmap_test.moc"

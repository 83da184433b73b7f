// Port list entries: the port number in the entry's text, the order in which entries take the
// serial devices present, what an entry leads to when there are too few, and --port.

#include "link/portmap.h"

#include <QtTest>

#include <numeric>

using namespace callcfg;

namespace {

SerialDevice usb(const char* path, const char* byId, const char* description = "") {
    SerialDevice d;
    d.path = path;
    d.byIdName = byId;
    d.usb = true;
    d.description = description;
    return d;
}

// The order of devices on board and behind USB, which Windows does not use.
#ifndef Q_OS_WIN
SerialDevice onBoard(const char* path, int uartType = 4) {
    SerialDevice d;
    d.path = path;
    d.uartType = uartType;
    return d;
}

QStringList pathsOf(const std::vector<SerialDevice>& devices) {
    QStringList paths;
    for (const SerialDevice& d : devices)
        paths << d.path;
    return paths;
}
#endif

using Devices = std::vector<SerialDevice>;

} // namespace

Q_DECLARE_METATYPE(Devices)

class PortMapTest : public QObject {
    Q_OBJECT
private slots:
    // A text names port n by the whole number it ends with, 1 to 255; --port and --device take
    // "COMn" only. Port n opens COMn on Windows, the n-th device present elsewhere.
    void portText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");   // -1: no port
        QTest::addColumn<bool>("named"); // also a port name for --port and --device
        QTest::newRow("COM1") << "COM1" << 1 << true;
        QTest::newRow("COM8") << "COM8" << 8 << true;
        QTest::newRow("COM9") << "COM9" << 9 << true;
        QTest::newRow("the whole number counts") << "COM12" << 12 << true;
        QTest::newRow("COM255") << "COM255" << 255 << true;
        QTest::newRow("lower case") << "com3" << 3 << true;
        QTest::newRow("leading zero") << "COM012" << 12 << true;
        QTest::newRow("any text before the number") << "USB12" << 12 << false;
        QTest::newRow("COM0 names no port") << "COM0" << -1 << false;
        QTest::newRow("COM256 names no port") << "COM256" << -1 << false;
        QTest::newRow("a huge number") << "COM99999999999999999999" << -1 << false;
        QTest::newRow("no number") << "COM" << -1 << false;
        QTest::newRow("a blank after it") << "COM1 " << -1 << false;
        QTest::newRow("letter last") << "COMx" << -1 << false;
        QTest::newRow("empty") << "" << -1 << false;
    }
    void portText() {
        QFETCH(QString, text);
        QFETCH(int, port);
        QFETCH(bool, named);
        QCOMPARE(portNumberOf(text).value_or(-1), port);
        QCOMPARE(portNamed(text).value_or(-1), named ? port : -1);
        if (port < 0)
            return;
        // Twenty adapters present, in port order on either system.
        Devices present;
        for (int n = 1; n <= 20; ++n)
#ifdef Q_OS_WIN
            present.push_back(usb(qPrintable(QString("COM%1").arg(n)), ""));
#else
            present.push_back(usb(qPrintable(QString("/dev/ttyUSB%1").arg(n - 1)),
                                  qPrintable(QString("usb-adapter-%1").arg(n))));
#endif
        const PortMap map([present] { return present; });
#ifdef Q_OS_WIN
        QCOMPARE(map.deviceFor(port), QString("COM%1").arg(port));
#else
        QCOMPARE(map.deviceFor(port), port <= 20 ? QString("/dev/ttyUSB%1").arg(port - 1) : "");
#endif
        QCOMPARE(map.target(port).present, port <= 20);
        PortMap mapped([present] { return present; });
        QCOMPARE(mapped.addMapping(text + "=/dev/null"), named);
        if (named)
            QCOMPARE(mapped.deviceFor(port), QString("/dev/null"));
        // Listed: COM1 to COM8, every higher port present, and the mapped one.
        std::vector<int> listed(20);
        std::iota(listed.begin(), listed.end(), 1);
        if (named && port > 20)
            listed.push_back(port);
        QCOMPARE(mapped.ports(), listed);
    }

#ifndef Q_OS_WIN
    void deviceOrder_data() {
        QTest::addColumn<Devices>("present");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("on-board by number, not by text")
            << Devices{onBoard("/dev/ttyS10"), onBoard("/dev/ttyS2"), onBoard("/dev/ttyS0")}
            << QStringList{"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10"};
        QTest::newRow("on-board before USB")
            << Devices{usb("/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A1-if00-port0"),
                       onBoard("/dev/ttyS0")}
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"};
        // The same two adapters in the other sockets get the other nodes, not the other entries.
        QTest::newRow("USB by by-id name")
            << Devices{usb("/dev/ttyUSB0", "usb-Prolific_USB-Serial_Controller-if00-port0"),
                       usb("/dev/ttyUSB1", "usb-FTDI_FT232R_USB_UART_A1-if00-port0")}
            << QStringList{"/dev/ttyUSB1", "/dev/ttyUSB0"};
        QTest::newRow("ACM among USB by by-id name")
            << Devices{usb("/dev/ttyACM0", "usb-Arduino_Uno_7543-if00"),
                       usb("/dev/ttyUSB0", "usb-1a86_USB_Serial-if00-port0")}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyACM0"};
        QTest::newRow("phantom ttyS left out")
            << Devices{onBoard("/dev/ttyS1", 0), usb("/dev/ttyUSB0", "usb-FTDI-if00-port0"),
                       onBoard("/dev/ttyS0"), onBoard("/dev/ttyS2", 0)}
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"};
        QTest::newRow("USB without by-id name last")
            << Devices{usb("/dev/ttyUSB3", ""), usb("/dev/ttyUSB5", "usb-FTDI-if00-port0")}
            << QStringList{"/dev/ttyUSB5", "/dev/ttyUSB3"};
        QTest::newRow("nothing") << Devices{} << QStringList{};
    }
    void deviceOrder() {
        QFETCH(Devices, present);
        QFETCH(QStringList, order);
        QCOMPARE(pathsOf(inPortOrder(present)), order);
        // What each entry opens follows the same order.
        const PortMap map([present] { return present; });
        for (int port = 1; port <= 8; ++port)
            QCOMPARE(map.deviceFor(port), order.value(port - 1));
    }

    void tooFewDevices_data() {
        QTest::addColumn<Devices>("present");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("absence");
        QTest::newRow("none") << Devices{} << 1 << "COM1: no serial device present";
        QTest::newRow("one") << Devices{usb("/dev/ttyUSB0", "usb-FTDI", "FT232R USB UART")} << 3
                             << "COM3: only 1 serial device present (COM1 → /dev/ttyUSB0, "
                                "FT232R USB UART)";
        QTest::newRow("two") << Devices{usb("/dev/ttyUSB0", "usb-FTDI", "FT232R USB UART"),
                                        onBoard("/dev/ttyS0")}
                             << 8
                             << "COM8: only 2 serial devices present (COM1 → /dev/ttyS0, serial "
                                "port; COM2 → /dev/ttyUSB0, FT232R USB UART)";
    }
    void tooFewDevices() {
        QFETCH(Devices, present);
        QFETCH(int, port);
        QFETCH(QString, absence);
        const PortTarget target = PortMap([present] { return present; }).target(port);
        QCOMPARE(target.device, QString());
        QVERIFY(!target.present);
        QCOMPARE(target.absence, absence);
        QCOMPARE(target.summary(), absence);
    }

    // --port maps one entry and shifts no other; a mapped device is described when present.
    void mappings() {
        SerialDevice ftdi = usb("/dev/ttyUSB0", "usb-FTDI", "FT232R USB UART");
        ftdi.manufacturer = "FTDI";
        ftdi.serialNumber = "A1B2C3";
        PortMap map([ftdi] { return Devices{onBoard("/dev/ttyS0"), ftdi}; });
        QVERIFY(map.addMapping("COM3=/dev/ttyUSB0"));
        QVERIFY(map.addMapping("com1=/dev/callcfg-no-such-device"));
        QVERIFY(!map.addMapping("COM3"));
        QVERIFY(!map.addMapping("LPT1=/dev/lp0"));
        QVERIFY(!map.addMapping("COM256=/dev/x"));
        QVERIFY(!map.addMapping("COM3="));
        QCOMPARE(map.deviceFor(2), QString("/dev/ttyUSB0"));
        QCOMPARE(map.target(3).summary(),
                 QString("COM3 → /dev/ttyUSB0: FT232R USB UART, FTDI, serial number A1B2C3"));
        QVERIFY(map.target(3).mapped);
        const PortTarget missing = map.target(1);
        QCOMPARE(missing.device, QString("/dev/callcfg-no-such-device"));
        QVERIFY(!missing.present);
        QCOMPARE(missing.summary(), QString("COM1 → /dev/callcfg-no-such-device: not present"));
        QVERIFY(map.target(4).absence.startsWith("COM4: only 2 serial devices present"));
        // A link to a device present, as /dev/serial/by-id/ holds them, is that device.
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("ttyUSB0")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(dir.filePath("ttyUSB0"), dir.filePath("by-id")));
        ftdi.path = dir.filePath("ttyUSB0");
        PortMap linked([ftdi] { return Devices{ftdi}; });
        QVERIFY(linked.addMapping("COM2=" + dir.filePath("by-id")));
        QCOMPARE(linked.target(2).found.value_or(SerialDevice{}).path, ftdi.path);
    }
#endif
};

QTEST_APPLESS_MAIN(PortMapTest)
#include "portmap_test.moc"

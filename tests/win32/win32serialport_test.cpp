// The Win32 serial port against a real device: a Windows program under Wine whose COM port
// is a pseudo-terminal. Its far end is farend.py, which started this program: it takes
// requests on this program's standard output, in lines starting with "@farend ", and answers
// each with one line on standard input. Everything else on standard output is the test log.

#include "link/win32serialport.h"

#include <QtTest>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace callcfg;
using namespace std::chrono_literals;

namespace {

QString farEnd(const QString& request) {
    std::fputs(qPrintable(QStringLiteral("@farend ") + request + u'\n'), stdout);
    std::fflush(stdout);
    static char line[1 << 16];
    if (!std::fgets(line, sizeof line, stdin))
        qFatal("the far end of the port is gone");
    return QString::fromLatin1(line).trimmed();
}

// A fresh pseudo-terminal behind the port; its COM name.
QString newDevice() {
    return farEnd(QStringLiteral("new"));
}

void farEndSends(const QByteArray& bytes) {
    QCOMPARE(farEnd(QStringLiteral("send ") + QString::fromLatin1(bytes.toHex())),
             QStringLiteral("ok"));
}

// Everything the far end has received since it last looked.
QByteArray farEndReceived() {
    return QByteArray::fromHex(farEnd(QStringLiteral("take")).toLatin1());
}

QByteArray toBytes(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray everyByteValue() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

// What the far end wrote passes the terminal's buffers in a moment, not at once.
void letTheLineSettle() {
    std::this_thread::sleep_for(100ms);
}

} // namespace

class Win32SerialPortTest : public QObject {
    Q_OBJECT
private slots:
    // The name forms a user may choose, with RTS switched before and after the open as the
    // link does; a pseudo-terminal has no RTS line, which is no failure.
    void opensByName_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("lowerCase");
        QTest::newRow("COMn") << QString() << false;
        QTest::newRow("lower case") << QString() << true;
        QTest::newRow("device path") << QStringLiteral("\\\\.\\") << false;
    }
    void opensByName() {
        QFETCH(QString, prefix);
        QFETCH(bool, lowerCase);
        const QString com = newDevice();
        Win32SerialPort port;
        port.setRts(true);
        QVERIFY2(port.open(prefix + (lowerCase ? com.toLower() : com)),
                 qPrintable(port.errorText()));
        QVERIFY(port.isOpen());
        port.setRts(false);
        QVERIFY(port.writeByte(0x55));
        QCOMPARE(farEndReceived(), QByteArray("\x55"));
    }

    // No byte value is taken for flow control or line editing, in either direction.
    void bytesWrittenArriveExactly() {
        Win32SerialPort port;
        QVERIFY2(port.open(newDevice()), qPrintable(port.errorText()));
        const QByteArray bytes = everyByteValue() + QByteArray("\r\n\x11\x13\x00\xff", 6);
        for (char c : bytes)
            QVERIFY2(port.writeByte(std::uint8_t(c)), qPrintable(port.errorText()));
        QCOMPARE(farEndReceived(), bytes);
    }

    void replyIsReadWhole_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("reply frame") << QByteArray::fromHex("55AA020800F5");
        QTest::newRow("every byte value") << everyByteValue() + everyByteValue();
        QTest::newRow("one byte") << QByteArray("\x00", 1);
    }
    void replyIsReadWhole() {
        QFETCH(QByteArray, reply);
        Win32SerialPort port;
        QVERIFY2(port.open(newDevice()), qPrintable(port.errorText()));
        farEndSends(reply);
        letTheLineSettle();
        const auto first = port.readAll();
        QVERIFY2(first, qPrintable(port.errorText()));
        QCOMPARE(toBytes(*first), reply);
        // What was read is gone from the port.
        const auto second = port.readAll();
        QVERIFY(second);
        QVERIFY(second->empty());
    }

    // The link polls the port between waits: a poll of a silent line must not wait for bytes.
    void silentLineReadsNothingAtOnce() {
        Win32SerialPort port;
        QVERIFY2(port.open(newDevice()), qPrintable(port.errorText()));
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i) {
            const auto bytes = port.readAll();
            QVERIFY2(bytes, qPrintable(port.errorText()));
            QVERIFY(bytes->empty());
        }
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }

    void bytesHeldBeforeTheOpenAreDropped() {
        const QString com = newDevice();
        farEndSends(QByteArray::fromHex("05AA00"));
        letTheLineSettle();
        Win32SerialPort port;
        QVERIFY2(port.open(com), qPrintable(port.errorText()));
        QCOMPARE(toBytes(port.readAll().value()), QByteArray());
        farEndSends(QByteArray::fromHex("55AA020800F5"));
        letTheLineSettle();
        QCOMPARE(toBytes(port.readAll().value()), QByteArray::fromHex("55AA020800F5"));
    }

    void closeAndOpenAgain() {
        const QString com = newDevice();
        Win32SerialPort port;
        QVERIFY(port.open(com));
        QVERIFY(!port.open(com)); // open already
        QVERIFY(!port.errorText().isEmpty());
        port.close();
        QVERIFY(!port.isOpen());
        port.close(); // closed already: nothing happens
        QVERIFY(!port.writeByte(0x55));
        QVERIFY(!port.readAll());
        QVERIFY(!port.errorText().isEmpty());
        QVERIFY2(port.open(com), qPrintable(port.errorText()));
        QVERIFY(port.writeByte(0x08));
        QCOMPARE(farEndReceived(), QByteArray("\x08"));
    }

    // (A port another program holds is refused by the Windows serial driver; Wine does not
    // refuse a second open of a terminal, so that case cannot be shown here.)
    void missingPortsCannotBeOpened_data() {
        QTest::addColumn<QString>("device");
        QTest::newRow("missing COMn") << QStringLiteral("COM199");
        QTest::newRow("missing device path") << QStringLiteral("\\\\.\\COM198");
        QTest::newRow("empty name") << QString();
    }
    void missingPortsCannotBeOpened() {
        QFETCH(QString, device);
        Win32SerialPort port;
        QVERIFY(!port.open(device));
        QVERIFY(!port.isOpen());
        QVERIFY(!port.errorText().isEmpty());
        QVERIFY(!port.writeByte(0x55));
    }

    // The far end closes: the device is gone for the program, and says why.
    void vanishedDeviceFails_data() {
        QTest::addColumn<bool>("writing");
        QTest::newRow("write") << true;
        QTest::newRow("read") << false;
    }
    void vanishedDeviceFails() {
        QFETCH(bool, writing);
        Win32SerialPort port;
        QVERIFY2(port.open(newDevice()), qPrintable(port.errorText()));
        QCOMPARE(farEnd(QStringLiteral("hangup")), QStringLiteral("ok"));
        if (writing)
            QVERIFY(!port.writeByte(0x55));
        else
            QVERIFY(!port.readAll());
        QVERIFY(!port.errorText().isEmpty());
        qInfo() << "reason:" << port.errorText();
    }
};

QTEST_GUILESS_MAIN(Win32SerialPortTest)
#include "win32serialport_test.moc"

// The Win32 serial port against a real device: a Windows program under Wine whose COM port
// is a pseudo-terminal. Its far end is farend.py, which started this program: it takes
// requests on this program's standard output, in lines starting with "@farend ", and answers
// each with one line on standard input. Everything else on standard output is the test log.

#include "link/win32serialport.h"
#include "link/win32transfer.h"

#include <QtTest>

#include <chrono>
#include <cstdio>
#include <thread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winternl.h>

extern "C" {
NTSTATUS NTAPI NtCreateSymbolicLinkObject(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*,
                                          UNICODE_STRING*);
NTSTATUS NTAPI NtOpenSymbolicLinkObject(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*);
NTSTATUS NTAPI NtMakeTemporaryObject(HANDLE);
}

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

// The port's DOS name, \DosDevices\COMn, is a link in the system's object namespace that the
// port's driver makes and removes with its device; QueryDosDeviceW reads it. Wine makes these
// links only for the ports its mount manager finds at start, and reaches the terminal through
// the prefix's dosdevices folder whatever they say: the test makes and removes the link itself.
class DosName {
public:
    explicit DosName(const QString& name)
        : name_(name.toStdWString()), path_(L"\\DosDevices\\" + name_) {
        RtlInitUnicodeString(&ntPath_, path_.c_str());
        InitializeObjectAttributes(&attributes_, &ntPath_, OBJ_CASE_INSENSITIVE | OBJ_PERMANENT,
                                   nullptr, nullptr);
    }
    bool define() {
        UNICODE_STRING target;
        RtlInitUnicodeString(&target, L"\\Device\\Serial99");
        HANDLE link = nullptr;
        const NTSTATUS status =
            NtCreateSymbolicLinkObject(&link, GENERIC_ALL, &attributes_, &target);
        if (status == 0)
            CloseHandle(link);
        return status == 0 || status == NTSTATUS(0xC0000035); // defined already
    }
    bool remove() {
        HANDLE link = nullptr;
        if (NtOpenSymbolicLinkObject(&link, DELETE, &attributes_) != 0)
            return false;
        const bool removed = NtMakeTemporaryObject(link) == 0;
        CloseHandle(link); // the last handle to a temporary link: it is gone
        return removed;
    }
    bool defined() const {
        wchar_t target[256];
        return QueryDosDeviceW(name_.c_str(), target, 256) != 0;
    }

private:
    std::wstring name_;
    std::wstring path_;
    UNICODE_STRING ntPath_;
    OBJECT_ATTRIBUTES attributes_;
};

// What the far end wrote passes the terminal's buffers in a moment, not at once.
void letTheLineSettle() {
    std::this_thread::sleep_for(100ms);
}

} // namespace

class Win32SerialPortTest : public QObject {
    Q_OBJECT
private slots:
    // The port's name is defined, as on Windows; the port watches it.
    void initTestCase() { QVERIFY(DosName(newDevice()).define()); }

    void systemName_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* tag, const char* device, const char* name) {
            QTest::newRow(tag) << QString(device) << QString(name);
        };
        row("COMn", "COM3", "\\\\.\\COM3");
        row("COMnn", "com12", "\\\\.\\com12");
        row("another driver's name", "CNCA0", "\\\\.\\CNCA0");
        row("device path", "\\\\.\\COM3", "\\\\.\\COM3");
        row("raw device path", "\\\\?\\COM3", "\\\\?\\COM3");
        row("device path, slashes", "//./COM3", "//./COM3");
        row("empty", "", "");
    }
    void systemName() {
        QFETCH(QString, device);
        QFETCH(QString, name);
        QCOMPARE(Win32SerialPort::systemName(device), name);
    }

    // The name forms a user may choose, with RTS switched before and after the open as the
    // link does; a pseudo-terminal has no RTS line, which is no failure.
    void opensByName_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("lowerCase");
        QTest::newRow("COMn") << QString() << false;
        QTest::newRow("lower case") << QString() << true;
        QTest::newRow("device path") << QStringLiteral("\\\\.\\") << false;
        QTest::newRow("raw device path") << QStringLiteral("\\\\?\\") << false;
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

    // The link polls the port between waits: a poll of a silent line must not wait for bytes,
    // nor take the port for lost while its name stands. What a poll costs is told.
    void silentLineReadsNothingAtOnce() {
        Win32SerialPort port;
        const QString com = newDevice();
        QVERIFY2(port.open(com), qPrintable(port.errorText()));
        constexpr int polls = 100;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < polls; ++i) {
            const auto bytes = port.readAll();
            QVERIFY2(bytes, qPrintable(port.errorText()));
            QVERIFY(bytes->empty());
        }
        const qint64 pollMicroseconds = clock.nsecsElapsed() / 1000 / polls;
        clock.restart();
        for (int i = 0; i < polls; ++i)
            QVERIFY(DosName(com).defined());
        qInfo("an empty poll takes %lld us, of which %lld us to look up the port's name",
              pollMicroseconds, clock.nsecsElapsed() / 1000 / polls);
        // A driver that leaves reads pending (Wine's does) is given its patience, no more.
        const qint64 patience = std::chrono::microseconds(port.readPatience()).count();
        qInfo("the driver's reads get %lld us of patience", patience);
        QVERIFY2(pollMicroseconds < 5000 + patience, qPrintable(QString::number(pollMicroseconds)));
    }

    // A driver that leaves a read pending (a pipe does, as a serial-over-network redirector
    // may) gets the read's patience: bytes that come within it are taken, and a read that gets
    // none is cancelled after it, neither failed nor stranded.
    void pendingReadsGetPatience() {
        const wchar_t* name = L"\\\\.\\pipe\\callcfg-slow-driver";
        const HANDLE server = CreateNamedPipeW(name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                               PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
        const HANDLE client = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        QVERIFY(server != INVALID_HANDLE_VALUE && client != INVALID_HANDLE_VALUE);
        Win32Transfer transfer;
        QElapsedTimer clock;
        clock.start();
        auto result = transfer.read(client, 40);
        const qint64 waited = clock.elapsed();
        QCOMPARE(int(result.end), int(Win32Transfer::End::Cancelled));
        QVERIFY(result.leftPending);
        QCOMPARE(result.bytes, 0ul);
        QVERIFY2(waited >= 35 && waited < 300, qPrintable(QString::number(waited)));

        std::thread late([server] {
            std::this_thread::sleep_for(10ms);
            OVERLAPPED overlapped{};
            overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
            DWORD written = 0;
            WriteFile(server, "abc", 3, nullptr, &overlapped);
            GetOverlappedResult(server, &overlapped, &written, TRUE);
            CloseHandle(overlapped.hEvent);
        });
        result = transfer.read(client, 200);
        late.join();
        QCOMPARE(int(result.end), int(Win32Transfer::End::Done));
        QVERIFY(result.leftPending);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(transfer.data()), int(result.bytes)),
                 QByteArray("abc"));
        CloseHandle(client);
        CloseHandle(server);
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
        QCOMPARE(port.failure(), PortFailure::NoSuchDevice);
        QVERIFY(!port.writeByte(0x55));
        QCOMPARE(port.failure(), PortFailure::Other);
    }

    // Flow control is off, yet a driver refuses equal XON and XOFF characters: the port sets
    // them whatever the device reported.
    void flowControlCharactersAreSet() {
        const QString com = newDevice();
        QCOMPARE(farEnd(QStringLiteral("noflowchars")), QStringLiteral("ok"));
        Win32SerialPort port;
        QVERIFY2(port.open(com), qPrintable(port.errorText()));
        QCOMPARE(farEnd(QStringLiteral("flowchars")), QStringLiteral("1113"));
    }

    // A write the device never takes (its output stopped, as a driver whose adapter was pulled
    // may leave it) ends within a second, with a reason.
    void stalledWriteEndsWithinASecond() {
        Win32SerialPort port;
        QVERIFY2(port.open(newDevice()), qPrintable(port.errorText()));
        QCOMPARE(farEnd(QStringLiteral("stop")), QStringLiteral("ok"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!port.writeByte(0x55));
        const qint64 elapsed = clock.elapsed();
        qInfo() << "reason:" << port.errorText() << "after" << elapsed << "ms";
        QVERIFY(!port.errorText().isEmpty());
        QCOMPARE(port.failure(), PortFailure::Stalled);
        QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));
    }

    // A driver that goes on answering reads with nothing after its device went: the port's
    // name is gone, and the port says so. A port whose name was not defined at the open (Wine's
    // own dosdevices links) is not taken for lost.
    void vanishedNameIsLost_data() {
        QTest::addColumn<bool>("definedAtOpen");
        QTest::newRow("defined at the open") << true;
        QTest::newRow("never defined") << false;
    }
    void vanishedNameIsLost() {
        QFETCH(bool, definedAtOpen);
        const QString com = newDevice();
        DosName name(com);
        const auto defineAgain = qScopeGuard([&] { name.define(); });
        if (!definedAtOpen)
            QVERIFY(name.remove());
        Win32SerialPort port;
        QVERIFY2(port.open(com), qPrintable(port.errorText()));
        QVERIFY2(port.readAll(), qPrintable(port.errorText()));
        if (definedAtOpen)
            QVERIFY(name.remove());
        const auto bytes = port.readAll();
        QCOMPARE(bool(bytes), !definedAtOpen);
        if (definedAtOpen)
            qInfo() << "reason:" << port.errorText();
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

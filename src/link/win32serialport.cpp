#ifdef _WIN32

#include "link/win32serialport.h"

#include <algorithm>
#include <iterator>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace callcfg {

namespace {

HANDLE toHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

// The system's text for an error code, without the line break it ends with.
QString systemMessage(DWORD code) {
    wchar_t text[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, DWORD(std::size(text)), nullptr);
    const QString message = QString::fromWCharArray(text, int(length)).trimmed();
    return message.isEmpty() ? QStringLiteral("system error %1").arg(code) : message;
}

} // namespace

Win32SerialPort::~Win32SerialPort() {
    close();
}

QString Win32SerialPort::systemName(const QString& device) {
    const QString number = device.mid(3);
    const bool comPort =
        device.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) && !number.isEmpty() &&
        std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return comPort ? QStringLiteral("\\\\.\\") + device : device;
}

bool Win32SerialPort::fail(unsigned long code) {
    error_ = systemMessage(code);
    return false;
}

void Win32SerialPort::applyRts() {
    // A device without modem lines (a pseudo-terminal behind Wine) refuses this; that is no
    // fault of the port.
    EscapeCommFunction(toHandle(handle_), rts_ ? SETRTS : CLRRTS);
}

bool Win32SerialPort::open(const QString& device) {
    if (isOpen()) {
        error_ = QStringLiteral("the port is already open");
        return false;
    }
    const std::wstring name = systemName(device).toStdWString();
    // No sharing: a port another program holds is refused, as it is refused to the other.
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return fail(GetLastError());

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool ok = GetCommState(handle, &dcb);
    if (ok) {
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        // No flow control of any kind: every byte value is data, and the lines do not gate
        // the traffic. DTR is raised, as a serial port opened on Linux raises it.
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = rts_ ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fErrorChar = FALSE;
        dcb.fNull = FALSE;
        // A line error must not stop all further reads and writes until it is cleared.
        dcb.fAbortOnError = FALSE;
        ok = SetCommState(handle, &dcb);
    }
    if (ok) {
        // A read returns at once with whatever is waiting, nothing if nothing is. A write that
        // the device has not taken within a second fails.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = 1000;
        ok = SetCommTimeouts(handle, &timeouts);
    }
    if (!ok) {
        const DWORD code = GetLastError();
        CloseHandle(handle);
        return fail(code);
    }
    handle_ = handle;
    applyRts();
    // Whatever the device held before this program opened it is no reply to this program.
    PurgeComm(handle, PURGE_RXCLEAR | PURGE_RXABORT);
    DWORD errors = 0;
    ClearCommError(handle, &errors, nullptr);
    return true;
}

void Win32SerialPort::close() {
    if (!isOpen())
        return;
    CloseHandle(toHandle(handle_));
    handle_ = nullptr;
}

void Win32SerialPort::setRts(bool on) {
    rts_ = on;
    if (isOpen())
        applyRts();
}

bool Win32SerialPort::writeByte(std::uint8_t byte) {
    if (!isOpen()) {
        error_ = QStringLiteral("the port is not open");
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(toHandle(handle_), &byte, 1, &written, nullptr))
        return fail(GetLastError());
    // The write timed out: the device did not take the byte.
    if (written != 1)
        return fail(ERROR_TIMEOUT);
    return true;
}

std::optional<std::vector<std::uint8_t>> Win32SerialPort::readAll() {
    if (!isOpen()) {
        error_ = QStringLiteral("the port is not open");
        return std::nullopt;
    }
    // A device that has gone (an adapter pulled out, the far end of a terminal closed) can
    // still answer a read with nothing, as if the line were silent; its status tells.
    DWORD errors = 0;
    if (!ClearCommError(toHandle(handle_), &errors, nullptr)) {
        fail(GetLastError());
        return std::nullopt;
    }
    std::vector<std::uint8_t> data;
    std::uint8_t buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(toHandle(handle_), buffer, DWORD(sizeof buffer), &got, nullptr)) {
            fail(GetLastError());
            return std::nullopt;
        }
        if (got == 0)
            break;
        data.insert(data.end(), buffer, buffer + got);
    }
    return data;
}

} // namespace callcfg

#endif // _WIN32

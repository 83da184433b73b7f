#ifdef _WIN32

// How the port tells what failed: the system's code and text, whether the device's name is
// gone, and the device names the system opens.

#include "link/win32serialport.h"

#include <iterator>
#include <string>

#include <windows.h>

namespace callcfg {

namespace {

// The system's text for an error code, without the line break it ends with.
QString systemMessage(DWORD code) {
    wchar_t text[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, DWORD(std::size(text)), nullptr);
    const QString message = QString::fromWCharArray(text, int(length)).trimmed();
    return message.isEmpty() ? QStringLiteral("system error %1").arg(code) : message;
}

bool hasDevicePrefix(const QString& name) {
    const QString start = name.left(4).replace(u'/', u'\\');
    return start == QLatin1String("\\\\.\\") || start == QLatin1String("\\\\?\\");
}

} // namespace

// True when the system knows no DOS device of that name (any more).
bool dosNameUndefined(const QString& name) {
    const std::wstring wide = name.toStdWString();
    wchar_t target[1024];
    return QueryDosDeviceW(wide.c_str(), target, DWORD(std::size(target))) == 0 &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

QString Win32SerialPort::systemName(const QString& device) {
    if (device.isEmpty() || hasDevicePrefix(device))
        return device;
    return QStringLiteral("\\\\.\\") + device;
}

bool Win32SerialPort::fail(unsigned long code) {
    errorCode_ = code;
    error_ = systemMessage(code);
    return false;
}

bool Win32SerialPort::failWithout(const QString& reason) {
    errorCode_ = 0;
    error_ = reason;
    return false;
}

// The code, not the text, tells: the system's texts are in the system's language.
PortFailure Win32SerialPort::failure() const {
    switch (errorCode_) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return PortFailure::HeldElsewhere;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return PortFailure::NoSuchDevice;
    // A write the device took nothing of within the port's patience (failTimedOut), or one its
    // driver gave up on after its own time-out: the device is there but takes nothing.
    case ERROR_TIMEOUT:
    case ERROR_SEM_TIMEOUT:
        return PortFailure::Stalled;
    default:
        return PortFailure::Other;
    }
}

bool Win32SerialPort::nameIsGone() const {
    return watchName_ && dosNameUndefined(dosName_);
}

bool Win32SerialPort::failTimedOut() {
    return fail(nameIsGone() ? ERROR_DEVICE_REMOVED : ERROR_TIMEOUT);
}
} // namespace callcfg

#endif // _WIN32

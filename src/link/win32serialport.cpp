#ifdef _WIN32

#include "link/win32serialport.h"

#include "link/texts.h"
#include "link/win32transfer.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include <windows.h>

namespace callcfg {

namespace {

// A write the device has not taken after this long is cancelled; with the time the cancel
// may take, the call ends within a second.
constexpr DWORD kWritePatienceMs = 700;

// A read that the driver leaves pending, although the port's time-outs ask it to return at
// once (a serial-over-network redirector, a slow USB driver), is given this long before it is
// cancelled: cancelling at once would make some such drivers fail the read.
constexpr DWORD kReadPatienceMs = 40;

// How long the caller waits for the system to close a handle; a driver that holds the close
// longer holds only the thread that closes it.
constexpr auto kClosePatience = std::chrono::seconds(1);

HANDLE toHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

// Closes the handle on a thread of its own, waiting for that a second at most. A close that
// ended in time is joined, so that nothing of it still runs when the program ends.
void closeOffThread(HANDLE handle) {
    auto closed = std::make_shared<std::promise<void>>();
    std::future<void> done = closed->get_future();
    std::thread closing([handle, closed] {
        CloseHandle(handle);
        closed->set_value();
    });
    if (done.wait_for(kClosePatience) == std::future_status::ready)
        closing.join();
    else
        closing.detach();
}

} // namespace

Win32SerialPort::Win32SerialPort() = default;

Win32SerialPort::~Win32SerialPort() {
    close();
}

std::chrono::milliseconds Win32SerialPort::readPatience() const {
    return std::chrono::milliseconds(slowReads_ ? kReadPatienceMs : 0);
}

std::vector<LineError> Win32SerialPort::takeLineErrors() {
    return std::exchange(lineErrors_, {});
}

void Win32SerialPort::noteLineErrors(unsigned long errors) {
    static constexpr std::pair<DWORD, LineError> kFlags[] = {
        {CE_OVERRUN, LineError::Overrun}, {CE_RXOVER, LineError::ReceiveBufferOverrun},
        {CE_FRAME, LineError::Framing},   {CE_RXPARITY, LineError::Parity},
        {CE_BREAK, LineError::Break},
    };
    for (const auto& [flag, error] : kFlags)
        if (errors & flag)
            lineErrors_.push_back(error);
}

// True when a transfer may start; otherwise false with the reason.
bool Win32SerialPort::usable() {
    if (!isOpen())
        return failWithout(Texts::tr("the port is not open"));
    // A transfer that its driver never completed: the device is not working.
    if (!transfer_->usable())
        return fail(ERROR_GEN_FAILURE);
    return true;
}

void Win32SerialPort::applyRts() {
    // A device without modem lines (a pseudo-terminal behind Wine) refuses this; that is no
    // fault of the port.
    EscapeCommFunction(toHandle(handle_), rts_ ? SETRTS : CLRRTS);
}

bool Win32SerialPort::open(const QString& device) {
    if (isOpen())
        return failWithout(Texts::tr("the port is already open"));
    auto transfer = std::make_unique<Win32Transfer>();
    if (!transfer->usable())
        return fail(GetLastError());
    const QString name = systemName(device);
    const std::wstring wide = name.toStdWString();
    // No sharing: a port another program holds is refused, as it is refused to the other.
    const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
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
        // Unused with fOutX and fInX off, yet a driver refuses equal characters (a driver that
        // reports 0 and 0 makes SetCommState fail otherwise).
        dcb.XonChar = 0x11;
        dcb.XoffChar = 0x13;
        dcb.fErrorChar = FALSE;
        dcb.fNull = FALSE;
        // A line error must not stop all further reads and writes until it is cleared.
        dcb.fAbortOnError = FALSE;
        ok = SetCommState(handle, &dcb);
    }
    if (ok) {
        // A read returns at once with whatever is waiting, nothing if nothing is. A write has
        // no time limit in the driver: the port cancels it after its own.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = 0;
        ok = SetCommTimeouts(handle, &timeouts);
    }
    if (!ok) {
        const DWORD code = GetLastError();
        CloseHandle(handle);
        return fail(code);
    }
    handle_ = handle;
    transfer_ = std::move(transfer);
    slowReads_ = false;
    dosName_ = name.mid(4);
    watchName_ = !dosNameUndefined(dosName_);
    applyRts();
    // Whatever the device held before this program opened it is no reply to this program, and
    // its line errors are none of this program's.
    PurgeComm(handle, PURGE_RXCLEAR | PURGE_RXABORT);
    DWORD errors = 0;
    ClearCommError(handle, &errors, nullptr);
    lineErrors_.clear();
    return true;
}

void Win32SerialPort::close() {
    if (!isOpen())
        return;
    // Closing the handle cancels what is still pending on it; a transfer its driver never
    // completed keeps its memory (Win32Transfer).
    closeOffThread(toHandle(handle_));
    handle_ = nullptr;
    transfer_.reset();
}

void Win32SerialPort::setRts(bool on) {
    rts_ = on;
    if (isOpen())
        applyRts();
}

bool Win32SerialPort::writeByte(std::uint8_t byte) {
    if (!usable())
        return false;
    const Win32Transfer::Result result = transfer_->write(handle_, byte, kWritePatienceMs);
    switch (result.end) {
    case Win32Transfer::End::Done:
    case Win32Transfer::End::Cancelled:
        // The byte went, in time or just before the cancel; or the device did not take it.
        return result.bytes == 1 || failTimedOut();
    case Win32Transfer::End::Failed:
        return fail(result.error);
    case Win32Transfer::End::Stranded:
        break;
    }
    return fail(ERROR_GEN_FAILURE);
}

std::optional<std::vector<std::uint8_t>> Win32SerialPort::readAll() {
    return readWithin(std::chrono::milliseconds(0));
}

std::optional<std::vector<std::uint8_t>>
Win32SerialPort::readAllFor(std::chrono::milliseconds span) {
    return readWithin(span);
}

std::optional<std::vector<std::uint8_t>>
Win32SerialPort::readWithin(std::chrono::milliseconds span) {
    if (!usable())
        return std::nullopt;
    // A device that has gone (an adapter pulled out, the far end of a terminal closed) can
    // still answer a read with nothing, as if the line were silent; its status tells, and so
    // does its name below.
    DWORD errors = 0;
    if (!ClearCommError(toHandle(handle_), &errors, nullptr)) {
        fail(GetLastError());
        return std::nullopt;
    }
    noteLineErrors(errors);
    // Bytes that come until `takeUntil` are taken; a read left pending is cancelled at
    // `giveUpAt`, no sooner than the driver's patience allows.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const Clock::time_point takeUntil = start + span;
    const Clock::time_point giveUpAt =
        start + std::max(span, std::chrono::milliseconds(kReadPatienceMs));
    std::vector<std::uint8_t> data;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(giveUpAt - Clock::now()).count();
        const Win32Transfer::Result result =
            transfer_->read(handle_, DWORD(std::max<long long>(left, 0)));
        slowReads_ = slowReads_ || result.leftPending;
        if (result.end == Win32Transfer::End::Failed) {
            fail(result.error);
            return std::nullopt;
        }
        if (result.end == Win32Transfer::End::Stranded) {
            fail(ERROR_GEN_FAILURE);
            return std::nullopt;
        }
        data.insert(data.end(), transfer_->data(), transfer_->data() + result.bytes);
        // A read that did not fill the buffer took everything that was waiting; what comes
        // until `takeUntil` is read on, from a driver that waits for bytes.
        const bool waitsForBytes = result.leftPending || result.bytes > 0;
        if (result.bytes < Win32Transfer::kCapacity &&
            (result.end == Win32Transfer::End::Cancelled || !waitsForBytes ||
             Clock::now() >= takeUntil))
            break;
    }
    if (data.empty() && nameIsGone()) {
        fail(ERROR_DEVICE_REMOVED);
        return std::nullopt;
    }
    return data;
}

} // namespace callcfg

#endif // _WIN32

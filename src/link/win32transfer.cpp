#ifdef _WIN32

#include "link/win32transfer.h"

#include <windows.h>

namespace callcfg {

namespace {

// How long a cancelled transfer may take to complete. A driver that has not completed the
// cancel by then is taken for one that never will.
constexpr DWORD kCancelPatienceMs = 300;

} // namespace

struct Win32Transfer::Block {
    OVERLAPPED overlapped{};
    std::uint8_t buffer[kCapacity];
};

Win32Transfer::Win32Transfer() : block_(new Block) {
    block_->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

Win32Transfer::~Win32Transfer() {
    // A stranded transfer's OVERLAPPED, event and buffer belong to the system from now on.
    if (stranded_)
        return;
    if (block_->overlapped.hEvent)
        CloseHandle(block_->overlapped.hEvent);
    delete block_;
}

bool Win32Transfer::usable() const {
    return block_->overlapped.hEvent != nullptr && !stranded_;
}

const std::uint8_t* Win32Transfer::data() const {
    return block_->buffer;
}

Win32Transfer::Result Win32Transfer::write(void* handle, std::uint8_t byte,
                                           unsigned long patienceMs) {
    block_->buffer[0] = byte;
    const bool started =
        WriteFile(static_cast<HANDLE>(handle), block_->buffer, 1, nullptr, &block_->overlapped);
    return finish(handle, started, patienceMs);
}

Win32Transfer::Result Win32Transfer::read(void* handle, unsigned long patienceMs) {
    const bool started = ReadFile(static_cast<HANDLE>(handle), block_->buffer, kCapacity, nullptr,
                                  &block_->overlapped);
    return finish(handle, started, patienceMs);
}

Win32Transfer::Result Win32Transfer::finish(void* handle, bool started, unsigned long patienceMs) {
    if (!started) {
        const DWORD code = GetLastError();
        if (code != ERROR_IO_PENDING)
            return {End::Failed, code, 0}; // nothing was queued
    }
    OVERLAPPED& overlapped = block_->overlapped;
    const bool leftPending = WaitForSingleObject(overlapped.hEvent, 0) != WAIT_OBJECT_0;
    if (leftPending && WaitForSingleObject(overlapped.hEvent, patienceMs) != WAIT_OBJECT_0) {
        // Cancelled, it completes (or has completed meanwhile, with its bytes).
        CancelIoEx(static_cast<HANDLE>(handle), &overlapped);
        if (WaitForSingleObject(overlapped.hEvent, kCancelPatienceMs) != WAIT_OBJECT_0) {
            stranded_ = true;
            return {End::Stranded, 0, 0, true};
        }
    }
    DWORD bytes = 0;
    if (GetOverlappedResult(static_cast<HANDLE>(handle), &overlapped, &bytes, FALSE))
        return {End::Done, 0, bytes, leftPending};
    const DWORD code = GetLastError();
    return {code == ERROR_OPERATION_ABORTED ? End::Cancelled : End::Failed, code, bytes,
            leftPending};
}

} // namespace callcfg

#endif // _WIN32

#include "cli/heldinterrupts.h"

#ifdef _WIN32
#include <mutex>

#include <windows.h>
#endif

namespace callcfg {

#ifdef _WIN32
namespace {

constexpr UINT kInterrupted = 130; // the status a shell gives a command that Ctrl+C ended

std::mutex mutex;
int holds = 0;
bool arrived = false;

// At once, as a signal ends a process: no exit handlers, which might wait for a lock that the
// interrupted thread holds.
[[noreturn]] void endInterrupted() {
    TerminateProcess(GetCurrentProcess(), kInterrupted);
    ExitProcess(kInterrupted); // not reached
}

// The system runs this on a thread of its own.
BOOL WINAPI onConsoleEvent(DWORD event) {
    {
        const std::lock_guard lock(mutex);
        if (holds == 0)
            endInterrupted();
        arrived = true; // the hold's end ends the process
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // Closing the console, logoff or shutdown ends the process as soon as this returns, or some
    // five seconds after the event: wait for the hold's end, which comes well before.
    Sleep(4500);
    endInterrupted();
}

} // namespace

void endOnConsoleInterrupts() {
    // Ctrl+C stays off when the process was started with it ignored (Ctrl+Break cannot be).
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

HeldInterrupts::HeldInterrupts() {
    const std::lock_guard lock(mutex);
    ++holds;
}

bool interruptHeld() {
    const std::lock_guard lock(mutex);
    return holds > 0 && arrived;
}

bool HeldInterrupts::interrupted() const {
    return interruptHeld();
}

HeldInterrupts::~HeldInterrupts() {
    const std::lock_guard lock(mutex);
    if (--holds == 0 && arrived)
        endInterrupted();
}

#else
namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t arrived = 0;

// Only async-signal-safe work here: the signal is remembered.
void remember(int signal) {
    arrived = signal;
}

} // namespace

void endOnConsoleInterrupts() {}

HeldInterrupts::HeldInterrupts() {
    arrived = 0;
    for (int n = 0; n < 3; ++n) {
        previous_[n] = std::signal(kInterrupts[n], remember);
        if (previous_[n] == SIG_IGN) // an ignored signal stays ignored
            std::signal(kInterrupts[n], SIG_IGN);
    }
}

bool interruptHeld() {
    return arrived != 0;
}

bool HeldInterrupts::interrupted() const {
    return interruptHeld();
}

HeldInterrupts::~HeldInterrupts() {
    for (int n = 0; n < 3; ++n)
        std::signal(kInterrupts[n], previous_[n]);
    if (arrived != 0)
        std::raise(arrived);
}
#endif

} // namespace callcfg

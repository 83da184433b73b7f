#pragma once
// The simulated host unit behind a pseudo-terminal, as if wired to a serial port.
//
//   hostsim::PtyHost host;                 // opens the pty and starts serving
//   host.setPacing(false);                 // tests: replies at once instead of at 960 bytes/s
//   host.withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(0); });
//   open(host.devicePath().c_str(), ...);  // the tool's side, e.g. /dev/pts/5
//
// The pty is raw (no echo, no CR/LF translation). PtyHost keeps a slave descriptor of its own open,
// so the device stays while the tool closes and reopens the port. A thread of its own feeds every
// received byte to the HostUnit and writes the replies, each after its delay, at the 9600 8N1 line
// rate unless pacing is off. A request left unfinished for 150 ms is dropped, as the unit forgets a
// frame after a pause on the line. The destructor stops the thread and closes the pty.

#include "hostsim/hostunit.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace hostsim {

class PtyHost {
public:
    // Throws std::system_error when no pty can be opened.
    explicit PtyHost(HostUnit unit = HostUnit{});
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // The device the tool opens, e.g. "/dev/pts/5".
    const std::string& devicePath() const { return devicePath_; }

    // On (the default): 960 bytes per second, as 9600 baud with 8N1 framing.
    void setPacing(bool on);
    bool pacing() const { return pacing_; }

    // Runs f(HostUnit&) under the lock that the serving thread takes; returns what f returns.
    template <class F> auto withUnit(F f) {
        std::lock_guard lock(mutex_);
        return f(unit_);
    }

    // Waits until pred(const HostUnit&) holds (checked after every received chunk) or the time
    // is up; returns whether it holds.
    template <class P> bool waitFor(P pred, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return pred(std::as_const(unit_)); });
    }

    // The device goes away: the pty master is closed and the tool's side sees a hang-up and
    // errors. Also done by the serving thread on a Fault::goAway. Returns once it is gone.
    // Not to be called from inside withUnit().
    void goAway();
    bool isGone() const { return gone_; }

private:
    void serve();
    void wake();
    void closeDevice();

    std::string devicePath_;
    int master_ = -1;
    int slave_ = -1;
    int wakeFd_ = -1;
    std::atomic<bool> pacing_{true};
    std::atomic<bool> stop_{false};
    std::atomic<bool> goAwayRequested_{false};
    std::atomic<bool> gone_{false};

    std::mutex mutex_; // guards unit_
    std::condition_variable changed_;
    HostUnit unit_;

    std::mutex goneMutex_; // guards closed_
    std::condition_variable goneChanged_;
    bool closed_ = false;
    std::thread thread_;
};

} // namespace hostsim

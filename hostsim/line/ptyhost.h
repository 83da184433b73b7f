#pragma once
// The simulated host unit behind a pseudo-terminal, as if wired to a serial port.
//
//   hostsim::PtyHost host;                 // opens the pty and starts serving
//   host.setPacing(false);                 // tests: replies at once instead of at 960 bytes/s
//   host.withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(0); });
//   host.withLine([](hostsim::HostLine& l) { l.addFault(hostsim::Fault::noReply()); });
//   open(host.devicePath().c_str(), ...);  // the tool's side, e.g. /dev/pts/5
//
// The pty is raw (no echo, no CR/LF translation). PtyHost keeps a slave descriptor of its own open,
// so the device stays while the tool closes and reopens the port. A thread of its own feeds every
// received byte to the HostLine and writes the replies, each after its delay, at the 9600 8N1 line
// rate unless pacing is off. A request left unfinished for 150 ms is dropped, as the unit forgets a
// frame after a pause on the line. A reply sent twice (Fault::twice) goes out again the fault's
// pause after its end, unless a new request has begun by then: the copy is dropped (the rest of
// one under way too), since a copy that comes after the next request has left could not be told
// from that request's own reply. The destructor stops the thread and closes the pty.
//
// It keeps a record of the line: each request the unit took in (or lost), when, and when each
// byte of its answer went out (takeRecords()). The request-loss faults act here: once one is
// due, the tool's output is held (TCOOFF on the slave, as flow control holds a sender). For
// LoseMidRequest it is let through until one to four bytes of a request came (5 ms at most at a
// time), then the device goes away; for GoneBeforeRequest the device goes away once the tool has
// read the replies before the request (at once when the fault takes the next request).

#include "hostsim/line/hostline.h"
#include "hostsim/unit/hostunit.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace hostsim {

struct ReplySegment;

// One request as the line carried it: the line's record, when the request came in and when
// the bytes of the answer went out.
struct LineRecord {
    using Clock = std::chrono::steady_clock;
    Applied applied;
    Clock::time_point received;
    // After each write: how many bytes of applied.wire had gone out, and when.
    std::vector<std::pair<std::size_t, Clock::time_point>> written;

    std::size_t bytesWritten() const { return written.empty() ? 0 : written.back().first; }
    // When wire byte `index` had gone out; nothing when it never did.
    std::optional<Clock::time_point> writtenAt(std::size_t index) const;
};

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

    // Run f(HostUnit&), or f(HostLine&) for its faults and what came in, under the lock that
    // the serving thread takes; return what f returns. The serving thread looks at the line
    // again afterwards (a request-loss fault may be due). The line's own takeApplied() finds
    // nothing here: its records go to takeRecords().
    template <class F> auto withUnit(F f) { return underLock(f, unit_); }
    template <class F> auto withLine(F f) { return underLock(f, line_); }

    // The records of the requests whose answers are out (or the device gone), in order.
    std::vector<LineRecord> takeRecords();
    // Waits until the answers to every request received so far have gone out whole (or the
    // device is gone); false when the time is up first.
    bool waitForQuiet(std::chrono::milliseconds timeout);

    // Waits until pred(const HostLine&) holds (checked after every received chunk and once an
    // unfinished frame is forgotten) or the time is up; returns whether it holds.
    template <class P> bool waitFor(P pred, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return pred(std::as_const(line_)); });
    }

    // The device goes away: the pty master is closed and the tool's side sees a hang-up and
    // errors. Also done by the serving thread on a Fault::goAway. Returns once it is gone.
    // Not to be called from inside withUnit().
    void goAway();
    bool isGone() const { return gone_; }

private:
    struct Waker {
        PtyHost& host;
        ~Waker() { host.wake(); }
    };
    struct Holder {
        PtyHost& host;
        ~Holder() { host.holdIfDue(); }
    };
    template <class F, class T> auto underLock(F& f, T& target) {
        const Waker waker{*this};
        std::lock_guard lock(mutex_);
        const Holder holder{*this};
        return f(target);
    }
    void serve();
    void wake();
    void closeDevice();
    // Reads what the tool sent, feeds it to the unit and queues the answers; the number of
    // bytes read.
    std::size_t receive(std::deque<ReplySegment>& out);
    void queue(const Reply& reply, LineRecord::Clock::time_point received,
               std::deque<ReplySegment>& out);
    void collectRecords(LineRecord::Clock::time_point received); // under mutex_
    void dropCopies(std::deque<ReplySegment>& out);              // under mutex_
    bool requestBegun() const;                                   // the tool's bytes wait to be read
    void noteWritten(std::uint64_t sequence, std::size_t upTo);  // under mutex_
    bool quiet() const;                                          // under mutex_
    // The request-loss faults; true when the device went away.
    bool holdOrLoseRequest(std::deque<ReplySegment>& out);
    // Holds the tool's output once a request-loss fault is due, at once, so that no byte of
    // the request it is for leaves before the fault acts; under mutex_.
    void holdIfDue();
    bool losingMidRequest(); // a LoseMidRequest fault is due
    void release();          // under mutex_

    std::string devicePath_;
    int master_ = -1;
    int slave_ = -1;
    int wakeFd_ = -1;
    std::atomic<bool> pacing_{true};
    std::atomic<bool> stop_{false};
    std::atomic<bool> goAwayRequested_{false};
    std::atomic<bool> gone_{false};

    std::mutex mutex_; // guards unit_, line_, records_, pending_ and the hold
    std::condition_variable changed_;
    HostUnit unit_;
    HostLine line_{unit_};
    std::vector<LineRecord> records_;
    std::size_t pending_ = 0;       // segments not written yet
    std::atomic<bool> held_{false}; // the tool's output is held for a request-loss fault
    LineRecord::Clock::time_point heldSince_{};

    // Serving thread only.
    LineRecord::Clock::time_point lastWrite_{};
    LineRecord::Clock::time_point lastReceived_{};
    std::optional<LineRecord::Clock::time_point> readSince_; // the tool has read all since
    bool partial_ = false;
    std::size_t burst_ = 0;

    std::mutex goneMutex_; // guards closed_
    std::condition_variable goneChanged_;
    bool closed_ = false;
    std::thread thread_;
};

} // namespace hostsim

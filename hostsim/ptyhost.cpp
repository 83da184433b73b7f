#include "hostsim/ptyhost.h"

#include <cerrno>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace hostsim {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One part of a reply waiting to be written.
struct PtyHost::Segment {
    std::vector<std::uint8_t> bytes;
    std::size_t sent = 0;
    Clock::time_point earliest; // first part: not before this
    Clock::duration pause{};    // later part: this long after the part before it
    bool continuation = false;
    bool goAway = false;
    bool copy = false; // the reply's second copy (Fault::Twice)
    std::optional<Clock::time_point> start;
    std::uint64_t sequence = 0; // the record of the request it answers
    std::size_t offset = 0;     // where its bytes start in the reply
};

namespace {

constexpr double kBytesPerSecond = 960.0; // 9600 baud, 10 bit times per byte
constexpr auto kFrameGap = 150ms;
// While a request is to be cut, the tool's output is let through until this many of its bytes
// came (one more each time, round), or for this long at most; every request is longer.
constexpr std::size_t kMostLetThrough = 4;
constexpr auto kLetThroughAtMost = 5ms;
// A device gone before a request waits until the tool has read what came before it, or this.
constexpr auto kGoneAtLatest = 1500ms;

Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

} // namespace

std::optional<Clock::time_point> LineRecord::writtenAt(std::size_t index) const {
    for (const auto& [count, at] : written)
        if (count > index)
            return at;
    return std::nullopt;
}

PtyHost::PtyHost(HostUnit unit) : unit_(std::move(unit)) {
    unit_.takeApplied(); // what the unit did before it was plugged in is no record of this line
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
        fail("openpty");
    char name[256];
    termios tio{};
    if (ttyname_r(slave_, name, sizeof name) != 0 || tcgetattr(slave_, &tio) != 0) {
        const int e = errno;
        close(master_);
        close(slave_);
        errno = e;
        fail("pty setup");
    }
    devicePath_ = name;
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        const int e = errno;
        close(master_);
        close(slave_);
        errno = e;
        fail("eventfd");
    }
    thread_ = std::thread(&PtyHost::serve, this);
}

PtyHost::~PtyHost() {
    stop_ = true;
    wake();
    thread_.join();
    if (!gone_)
        closeDevice();
    close(wakeFd_);
}

void PtyHost::setPacing(bool on) {
    pacing_ = on;
    wake();
}

void PtyHost::goAway() {
    goAwayRequested_ = true;
    wake();
    std::unique_lock lock(goneMutex_);
    goneChanged_.wait(lock, [this] { return closed_; });
}

std::vector<LineRecord> PtyHost::takeRecords() {
    std::lock_guard lock(mutex_);
    auto end = records_.begin();
    while (end != records_.end() && (gone_ || end->bytesWritten() == end->applied.wire.size()))
        ++end;
    std::vector<LineRecord> done(std::make_move_iterator(records_.begin()),
                                 std::make_move_iterator(end));
    records_.erase(records_.begin(), end);
    return done;
}

bool PtyHost::requestBegun() const {
    pollfd p{master_, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

bool PtyHost::quiet() const {
    return gone_ || pending_ == 0;
}

bool PtyHost::waitForQuiet(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return quiet(); });
}

void PtyHost::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wakeFd_, &one, sizeof one);
}

void PtyHost::closeDevice() {
    {
        std::lock_guard lock(mutex_);
        gone_ = true; // before the tool's side can see the hang-up
        close(master_);
        close(slave_);
        master_ = slave_ = -1;
        pending_ = 0;
        held_ = false;
    }
    {
        std::lock_guard lock(goneMutex_);
        closed_ = true;
    }
    goneChanged_.notify_all();
    changed_.notify_all();
}

// Held anew even while held: a moment's let-through for an earlier fault ends here.
void PtyHost::holdIfDue() {
    if (!gone_ && unit_.requestLossDue()) {
        tcflow(slave_, TCOOFF);
        if (!held_.exchange(true))
            heldSince_ = Clock::now();
    }
}

bool PtyHost::losingMidRequest() {
    std::lock_guard lock(mutex_);
    const auto due = unit_.requestLossDue();
    return due && due->kind == Fault::Kind::LoseMidRequest;
}

void PtyHost::release() {
    if (held_ && !gone_)
        tcflow(slave_, TCOON);
    held_ = false;
}

// GoneBeforeRequest: the device goes at once, or, when the request follows one of a transfer,
// once the tool has read what came before it (its output is held meanwhile, so the request
// cannot leave). LoseMidRequest: the tool's output is
// let through until a few bytes came; once part of a request came, the device goes.
bool PtyHost::holdOrLoseRequest(std::deque<Segment>& out) {
    std::optional<Fault> due;
    Clock::time_point heldSince;
    {
        std::lock_guard lock(mutex_);
        due = unit_.requestLossDue();
        if (!due)
            release();
        holdIfDue();
        heldSince = heldSince_;
    }
    if (!due) {
        readSince_.reset();
        return false;
    }
    const Clock::time_point now = Clock::now();
    if (due->kind == Fault::Kind::GoneBeforeRequest) {
        receive(out); // a request that came whole before the output was held is answered
        if (!out.empty())
            return false;
        // The tool has read everything for a while: it is past its read and at the request.
        int unread = 0;
        ioctl(slave_, FIONREAD, &unread);
        if (unread > 0 || now - lastWrite_ < 3ms)
            readSince_.reset();
        else if (!readSince_)
            readSince_ = now;
        if (due->block > 0 && !(readSince_ && now - *readSince_ >= 5ms) &&
            now - heldSince < kGoneAtLatest)
            return false;
        {
            std::lock_guard lock(mutex_);
            unit_.recordRequestLoss(unit_.partialFrameSize());
            collectRecords(now);
        }
        closeDevice();
        return true;
    }
    // Held again as soon as the bytes came: a loaded machine that keeps this thread waiting lets
    // a few more through, seldom a whole request (that one is answered, and the next is cut).
    // Let through only while the fault is still due: faults changed meanwhile hold anew.
    {
        std::lock_guard lock(mutex_);
        const auto still = unit_.requestLossDue();
        if (!still || still->kind != Fault::Kind::LoseMidRequest)
            return false;
        tcflow(slave_, TCOON);
    }
    const std::size_t wanted = 1 + burst_++ % kMostLetThrough;
    std::size_t came = 0;
    for (const auto until = Clock::now() + kLetThroughAtMost;
         came < wanted && Clock::now() < until && losingMidRequest();) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, 1) > 0)
            came += receive(out);
    }
    tcflow(slave_, TCOOFF);
    std::this_thread::sleep_for(1ms); // whatever left the tool meanwhile arrives
    receive(out);
    {
        std::lock_guard lock(mutex_);
        if (!unit_.hasPartialFrame())
            return false;
        unit_.recordRequestLoss(unit_.partialFrameSize());
        collectRecords(lastReceived_);
    }
    closeDevice();
    return true;
}

void PtyHost::collectRecords(Clock::time_point received) {
    for (Applied& applied : unit_.takeApplied())
        records_.push_back({std::move(applied), received, {}});
}

void PtyHost::noteWritten(std::uint64_t sequence, std::size_t upTo) {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->applied.sequence == sequence) {
            it->written.emplace_back(upTo, Clock::now());
            return;
        }
    }
}

void PtyHost::queue(const Reply& r, Clock::time_point received, std::deque<Segment>& out) {
    const std::size_t before = out.size();
    if (r.tricklePause > 0 && !r.bytes.empty()) {
        // One segment a byte, each the pause after the one before.
        for (std::size_t i = 0; i < r.bytes.size(); ++i) {
            Segment byte;
            byte.bytes = {r.bytes[i]};
            byte.earliest = received + seconds(r.delay);
            byte.pause = seconds(r.tricklePause);
            byte.continuation = i > 0;
            byte.goAway = r.goAway && i + 1 == r.bytes.size();
            byte.sequence = r.sequence;
            byte.offset = i;
            out.push_back(std::move(byte));
        }
    } else {
        const std::size_t first = r.splitAt > 0 ? r.splitAt : r.bytes.size();
        Segment head;
        head.bytes.assign(r.bytes.begin(), r.bytes.begin() + static_cast<std::ptrdiff_t>(first));
        head.earliest = received + seconds(r.delay);
        head.goAway = r.goAway && first == r.bytes.size();
        head.sequence = r.sequence;
        out.push_back(std::move(head));
        if (first < r.bytes.size()) {
            Segment tail;
            tail.bytes.assign(r.bytes.begin() + static_cast<std::ptrdiff_t>(first), r.bytes.end());
            tail.pause = seconds(r.splitPause);
            tail.continuation = true;
            tail.goAway = r.goAway;
            tail.sequence = r.sequence;
            tail.offset = first;
            out.push_back(std::move(tail));
        }
    }
    if (r.copyPause >= 0) {
        Segment copy;
        copy.bytes = r.bytes;
        copy.pause = seconds(r.copyPause);
        copy.continuation = true;
        copy.copy = true;
        copy.sequence = r.sequence;
        copy.offset = r.bytes.size();
        out.push_back(std::move(copy));
    }
    pending_ += out.size() - before;
}

// A new request has begun: a copy that is not out yet is dropped, the rest of one under way
// too, and its record ends where the copy stopped. Under mutex_.
void PtyHost::dropCopies(std::deque<Segment>& out) {
    for (auto s = out.begin(); s != out.end();) {
        if (!s->copy) {
            ++s;
            continue;
        }
        for (LineRecord& record : records_) {
            if (record.applied.sequence != s->sequence)
                continue;
            Applied& applied = record.applied;
            applied.wire.resize(s->offset + s->sent);
            if (s->sent == 0) // the line carries what it would have without the fault
                std::erase(applied.faults, Fault::Kind::Twice);
        }
        s = out.erase(s);
        --pending_;
    }
}

std::size_t PtyHost::receive(std::deque<Segment>& out) {
    std::size_t total = 0;
    std::uint8_t buffer[4096];
    ssize_t n;
    while ((n = read(master_, buffer, sizeof buffer)) > 0) {
        total += static_cast<std::size_t>(n);
        const Clock::time_point received = Clock::now();
        {
            std::lock_guard lock(mutex_);
            dropCopies(out);
            const std::vector<Reply> replies = unit_.feed(buffer, static_cast<std::size_t>(n));
            collectRecords(received);
            for (const Reply& r : replies)
                queue(r, received, out);
            partial_ = unit_.hasPartialFrame();
        }
        changed_.notify_all();
        lastReceived_ = received;
    }
    return total;
}

void PtyHost::serve() {
    std::deque<Segment> out;
    Clock::time_point previousEnd{};

    while (!stop_) {
        if (goAwayRequested_ && !gone_)
            closeDevice();
        if (gone_)
            out.clear();
        else if (holdOrLoseRequest(out))
            continue;

        Clock::time_point now = Clock::now();
        std::optional<Clock::time_point> wakeAt;
        bool wantWrite = false;
        while (!out.empty()) {
            Segment& s = out.front();
            if (!s.start)
                s.start =
                    s.continuation ? previousEnd + s.pause : std::max(s.earliest, previousEnd);
            if (now < *s.start) {
                wakeAt = *s.start;
                break;
            }
            if (s.copy && requestBegun())
                break; // received first: the request drops the copy
            std::size_t due = s.bytes.size();
            if (pacing_) {
                const double elapsed = std::chrono::duration<double>(now - *s.start).count();
                due = std::min(due, static_cast<std::size_t>(elapsed * kBytesPerSecond));
            }
            if (due > s.sent) {
                const ssize_t n = write(master_, s.bytes.data() + s.sent, due - s.sent);
                if (n > 0) {
                    s.sent += static_cast<std::size_t>(n);
                    lastWrite_ = Clock::now();
                    std::lock_guard lock(mutex_);
                    noteWritten(s.sequence, s.offset + s.sent);
                } else if (errno == EAGAIN || errno == EINTR) {
                    wantWrite = true;
                } else {
                    s.sent = s.bytes.size(); // nobody to write to: the reply is lost
                }
            }
            if (s.sent == s.bytes.size()) {
                previousEnd = now;
                const bool away = s.goAway;
                out.pop_front();
                {
                    std::lock_guard lock(mutex_);
                    --pending_;
                }
                changed_.notify_all();
                if (away) {
                    closeDevice();
                    out.clear();
                }
                continue;
            }
            if (s.sent < due)
                wantWrite = true;
            else
                wakeAt = *s.start + seconds((s.sent + 1) / kBytesPerSecond);
            break;
        }

        if (partial_ && !gone_) {
            if (now - lastReceived_ >= kFrameGap) {
                {
                    std::lock_guard lock(mutex_);
                    unit_.dropPartialFrame();
                    partial_ = false;
                }
                changed_.notify_all();
            } else if (!wakeAt || lastReceived_ + kFrameGap < *wakeAt) {
                wakeAt = lastReceived_ + kFrameGap;
            }
        }
        if (held_ && (!wakeAt || now + 500us < *wakeAt))
            wakeAt = now + 500us;

        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {master_, POLLIN, 0}};
        if (wantWrite)
            fds[1].events |= POLLOUT;
        const nfds_t count = gone_ ? 1 : 2;
        timespec timeout{};
        if (wakeAt) {
            const auto left = std::max(Clock::duration::zero(), *wakeAt - now);
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
            timeout.tv_nsec = static_cast<long>(ns % 1000000000);
        }
        if (ppoll(fds, count, wakeAt ? &timeout : nullptr, nullptr) < 0)
            continue;
        if (fds[0].revents & POLLIN) {
            std::uint64_t value;
            [[maybe_unused]] const ssize_t n = read(wakeFd_, &value, sizeof value);
        }
        if (count == 2 && (fds[1].revents & POLLIN))
            receive(out);
    }
}

} // namespace hostsim

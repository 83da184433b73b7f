#include "hostsim/line/ptyhost.h"
#include "hostsim/line/ptyhostsegment.h"

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

using namespace ptyline;

std::optional<Clock::time_point> LineRecord::writtenAt(std::size_t index) const {
    for (const auto& [count, at] : written)
        if (count > index)
            return at;
    return std::nullopt;
}

PtyHost::PtyHost(HostUnit unit) : unit_(std::move(unit)) {
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

void PtyHost::serve() {
    std::deque<ReplySegment> out;
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
            ReplySegment& s = out.front();
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
                    line_.dropPartialFrame();
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
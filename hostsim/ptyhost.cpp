#include "hostsim/ptyhost.h"

#include <cerrno>
#include <deque>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace hostsim {

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBytesPerSecond = 960.0; // 9600 baud, 10 bit times per byte
constexpr auto kFrameGap = std::chrono::milliseconds(150);

// One part of a reply waiting to be written.
struct Segment {
    std::vector<std::uint8_t> bytes;
    std::size_t sent = 0;
    Clock::time_point earliest; // first part: not before this
    Clock::duration pause{};    // later part: this long after the part before it
    bool continuation = false;
    bool goAway = false;
    std::optional<Clock::time_point> start;
};

Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

} // namespace

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

void PtyHost::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wakeFd_, &one, sizeof one);
}

void PtyHost::closeDevice() {
    gone_ = true; // before the tool's side can see the hang-up
    close(master_);
    close(slave_);
    master_ = slave_ = -1;
    {
        std::lock_guard lock(goneMutex_);
        closed_ = true;
    }
    goneChanged_.notify_all();
}

void PtyHost::serve() {
    std::deque<Segment> out;
    Clock::time_point previousEnd{};
    Clock::time_point lastReceived{};
    bool partial = false;

    while (!stop_) {
        if (goAwayRequested_ && !gone_)
            closeDevice();
        if (gone_)
            out.clear();

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
            std::size_t due = s.bytes.size();
            if (pacing_) {
                const double elapsed = std::chrono::duration<double>(now - *s.start).count();
                due = std::min(due, static_cast<std::size_t>(elapsed * kBytesPerSecond));
            }
            if (due > s.sent) {
                const ssize_t n = write(master_, s.bytes.data() + s.sent, due - s.sent);
                if (n > 0)
                    s.sent += static_cast<std::size_t>(n);
                else if (errno == EAGAIN || errno == EINTR)
                    wantWrite = true;
                else
                    s.sent = s.bytes.size(); // nobody to write to: the reply is lost
            }
            if (s.sent == s.bytes.size()) {
                previousEnd = now;
                const bool away = s.goAway;
                out.pop_front();
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

        if (partial && !gone_) {
            if (now - lastReceived >= kFrameGap) {
                std::lock_guard lock(mutex_);
                unit_.dropPartialFrame();
                partial = false;
            } else if (!wakeAt || lastReceived + kFrameGap < *wakeAt) {
                wakeAt = lastReceived + kFrameGap;
            }
        }

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
        if (count < 2 || !(fds[1].revents & POLLIN))
            continue;

        std::uint8_t buffer[4096];
        ssize_t n;
        while ((n = read(master_, buffer, sizeof buffer)) > 0) {
            const Clock::time_point received = Clock::now();
            std::vector<Reply> replies;
            {
                std::lock_guard lock(mutex_);
                replies = unit_.feed(buffer, static_cast<std::size_t>(n));
                partial = unit_.hasPartialFrame();
            }
            changed_.notify_all();
            lastReceived = received;
            for (Reply& r : replies) {
                if (r.tricklePause > 0 && !r.bytes.empty()) {
                    // One segment a byte, each the pause after the one before.
                    for (std::size_t i = 0; i < r.bytes.size(); ++i) {
                        Segment byte;
                        byte.bytes = {r.bytes[i]};
                        byte.earliest = received + seconds(r.delay);
                        byte.pause = seconds(r.tricklePause);
                        byte.continuation = i > 0;
                        byte.goAway = r.goAway && i + 1 == r.bytes.size();
                        out.push_back(std::move(byte));
                    }
                    continue;
                }
                const std::size_t first = r.splitAt > 0 ? r.splitAt : r.bytes.size();
                Segment head;
                head.bytes.assign(r.bytes.begin(),
                                  r.bytes.begin() + static_cast<std::ptrdiff_t>(first));
                head.earliest = received + seconds(r.delay);
                head.goAway = r.goAway && first == r.bytes.size();
                out.push_back(std::move(head));
                if (first < r.bytes.size()) {
                    Segment tail;
                    tail.bytes.assign(r.bytes.begin() + static_cast<std::ptrdiff_t>(first),
                                      r.bytes.end());
                    tail.pause = seconds(r.splitPause);
                    tail.continuation = true;
                    tail.goAway = r.goAway;
                    out.push_back(std::move(tail));
                }
            }
        }
    }
}

} // namespace hostsim

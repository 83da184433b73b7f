#pragma once
// What the pty front's files share: a reply's parts waiting to be written, the line's timing.

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <system_error>
#include <vector>

namespace hostsim {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One part of a reply waiting to be written.
struct ReplySegment {
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

namespace ptyline {

constexpr double kBytesPerSecond = 960.0; // 9600 baud, 10 bit times per byte
constexpr auto kFrameGap = 150ms;
// While a request is to be cut, the tool's output is let through until this many of its bytes
// came (one more each time, round), or for this long at most; every request is longer.
constexpr std::size_t kMostLetThrough = 4;
constexpr auto kLetThroughAtMost = 5ms;
// A device gone before a request waits until the tool has read what came before it, or this.
constexpr auto kGoneAtLatest = 1500ms;

inline Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

[[noreturn]] inline void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

} // namespace ptyline

} // namespace hostsim

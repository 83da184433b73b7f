#pragma once
// A link's wait clock in virtual time: a sleep moves the time on and returns at once.

#include "link/waitclock.h"

#include <algorithm>
#include <chrono>

namespace testsupport {

class VirtualClock : public callcfg::WaitClock {
public:
    TimePoint now() const override { return now_; }
    void sleepUntil(TimePoint until) override { now_ = std::max(now_, until); }

    // Time passing outside a wait, as while a box is read.
    void advance(std::chrono::milliseconds by) { now_ += by; }
    // Time since the clock started.
    std::chrono::milliseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now_.time_since_epoch());
    }

private:
    TimePoint now_{};
};

} // namespace testsupport

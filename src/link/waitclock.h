#pragma once
// The clock a link's waits run on: the monotonic clock with real sleeps. Tests put in one that
// moves through virtual time at once.

#include <chrono>
#include <thread>

namespace callcfg {

class WaitClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~WaitClock() = default;
    virtual TimePoint now() const = 0;
    // Returns once now() has reached `until`.
    virtual void sleepUntil(TimePoint until) = 0;
};

class SteadyWaitClock : public WaitClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint until) override { std::this_thread::sleep_until(until); }
};

} // namespace callcfg

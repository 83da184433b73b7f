#pragma once
// Stops the soak when one operation does not end within a minute: a hang is a violation too.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace soak {

class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              while (!stop_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  const auto since = busySince_.load();
                  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
                  if (since != 0 &&
                      now - since > std::chrono::nanoseconds(std::chrono::minutes(1)).count()) {
                      std::fprintf(stderr, "soak: %s did not end within a minute\nviolations: 1\n",
                                   operation_.load());
                      std::_Exit(1);
                  }
              }
          }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }
    void start(const char* operation) {
        operation_ = operation;
        busySince_ = std::chrono::steady_clock::now().time_since_epoch().count();
    }
    void done() { busySince_ = 0; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<long long> busySince_{0};
    std::atomic<const char*> operation_{""};
    std::thread thread_;
};

inline Watchdog& watchdog() {
    static Watchdog dog;
    return dog;
}

} // namespace soak

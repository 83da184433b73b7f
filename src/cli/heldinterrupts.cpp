#include "cli/heldinterrupts.h"

namespace callcfg {

namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t arrived = 0;

// Only async-signal-safe work here: the signal is remembered.
void remember(int signal) {
    arrived = signal;
}

} // namespace

HeldInterrupts::HeldInterrupts() {
    arrived = 0;
    for (int n = 0; n < 2; ++n) {
        previous_[n] = std::signal(kInterrupts[n], remember);
        if (previous_[n] == SIG_IGN) // an ignored signal stays ignored
            std::signal(kInterrupts[n], SIG_IGN);
    }
}

HeldInterrupts::~HeldInterrupts() {
    for (int n = 0; n < 2; ++n)
        std::signal(kInterrupts[n], previous_[n]);
    if (arrived != 0)
        std::raise(arrived);
}

} // namespace callcfg

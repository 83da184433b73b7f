// Ctrl+C held on a Windows console: test-port sends two while the hold lasts (SIGINTs, which
// Wine turns into the console's Ctrl+C); the process must end with status 130 when the hold
// ends, and not before.
#include "cli/heldinterrupts.h"

#include <cstdio>

#include <windows.h>

int main() {
    callcfg::endOnConsoleInterrupts();
    {
        const callcfg::HeldInterrupts held;
        std::puts("held");
        std::fflush(stdout);
        Sleep(3000);
        std::puts("released");
        std::fflush(stdout);
    }
    std::puts("not ended");
    return 0;
}

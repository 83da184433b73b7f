// callsim: serves a simulated host unit on a pty until SIGINT or SIGTERM.
// The first line on stdout is the device to open, e.g. /dev/pts/5.
#include "hostsim/line/ptyhost.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void usage(std::ostream& os) {
    os << "usage: callsim [--no-pacing] [--learn-delay SECONDS] [--load FILE] [--voice]\n"
          "  --no-pacing           send replies at once instead of at 9600 baud\n"
          "  --learn-delay SECONDS time until the simulated key press (default 1.0)\n"
          "  --load FILE           start with this 8192-byte memory image (.cat backup)\n"
          "  --voice               the display unit is a voice unit (default digital)\n";
}

bool loadImage(const char* path, hostsim::Memory& image) {
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return in.gcount() == static_cast<std::streamsize>(image.size());
}

} // namespace

int main(int argc, char** argv) {
    bool pacing = true;
    bool voice = false;
    double learnDelay = 1.0;
    const char* load = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-pacing") {
            pacing = false;
        } else if (arg == "--voice") {
            voice = true;
        } else if (arg == "--learn-delay" && i + 1 < argc) {
            char* end = nullptr;
            learnDelay = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(learnDelay >= 0 && learnDelay <= 3600)) {
                std::cerr << "callsim: bad --learn-delay " << argv[i] << "\n";
                return 2;
            }
        } else if (arg == "--load" && i + 1 < argc) {
            load = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            usage(std::cout);
            return 0;
        } else {
            usage(std::cerr);
            return 2;
        }
    }

    hostsim::HostUnit unit;
    unit.setLearnDelay(learnDelay);
    if (load) {
        hostsim::Memory image{};
        if (!loadImage(load, image)) {
            std::cerr << "callsim: " << load << ": cannot read 8192 bytes\n";
            return 2;
        }
        unit.setMemory(image);
    }
    if (voice)
        unit.setDisplayType(hostsim::DisplayType::Voice);

    // Block the signals before the serving thread starts, so that only sigwait sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        hostsim::PtyHost host(std::move(unit));
        host.setPacing(pacing);
        std::cout << host.devicePath() << std::endl;
        int received = 0;
        sigwait(&signals, &received);
    } catch (const std::exception& e) {
        std::cerr << "callsim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

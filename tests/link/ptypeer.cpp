#include "ptypeer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

PtyPeer::PtyPeer() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    path_ = QString::fromLocal8Bit(name);
}

PtyPeer::~PtyPeer() {
    for (auto& t : writers_)
        t.join();
    if (master_ >= 0)
        close(master_);
    close(slave_);
}

void PtyPeer::write(const std::vector<std::uint8_t>& bytes) {
    if (!bytes.empty() && ::write(master_, bytes.data(), bytes.size()) < 0)
        throw std::runtime_error("pty write failed");
}

void PtyPeer::writeAfter(std::chrono::milliseconds delay, std::vector<std::uint8_t> bytes) {
    writers_.emplace_back([this, delay, bytes = std::move(bytes)] {
        std::this_thread::sleep_for(delay);
        write(bytes);
    });
}

std::vector<std::uint8_t> PtyPeer::readAll() {
    std::vector<std::uint8_t> out;
    pollfd p{master_, POLLIN, 0};
    while (poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
        std::uint8_t buf[512];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

void PtyPeer::hangUp() {
    close(master_);
    master_ = -1;
}

#include "ptypeer.h"

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
    close(master_);
    close(slave_);
}

void PtyPeer::write(const std::vector<std::uint8_t>& bytes) {
    if (!bytes.empty() && ::write(master_, bytes.data(), bytes.size()) < 0)
        throw std::runtime_error("pty write failed");
}

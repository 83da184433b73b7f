#pragma once
// The far end of a real pseudo-terminal, driven by the test: reads what the program sent
// and writes replies now or at a chosen moment during a wait.

#include <QString>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    QString devicePath() const { return path_; }
    void write(const std::vector<std::uint8_t>& bytes);
    // Writes the bytes from another thread after the delay, while the program waits.
    void writeAfter(std::chrono::milliseconds delay, std::vector<std::uint8_t> bytes);
    // Everything the program has sent so far.
    std::vector<std::uint8_t> readAll();
    // Closes the master side: the device is gone for the program.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
    std::vector<std::thread> writers_;
};

#pragma once
// The far end of a real pseudo-terminal, driven by the test: writes what the program reads.

#include <QString>

#include <cstdint>
#include <vector>

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    QString devicePath() const { return path_; }
    void write(const std::vector<std::uint8_t>& bytes);

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

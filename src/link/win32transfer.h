#pragma once
// One overlapped read or write on a port handle at a time, bounded in time. The OVERLAPPED,
// its event and the buffer stay in place until the system has completed the transfer: a
// transfer that a driver does not complete even when it is cancelled keeps them for good,
// since the system may still write into them, and the object does no other transfer.

#ifdef _WIN32

#include <cstdint>

namespace callcfg {

class Win32Transfer {
public:
    enum class End {
        Done,      // completed
        Failed,    // the system refused or failed it: `error`
        Cancelled, // cancelled after its time; `bytes` were moved before
        Stranded,  // not completed even when cancelled: the driver has stopped answering
    };
    struct Result {
        End end;
        unsigned long error;
        unsigned long bytes;
        bool leftPending = false; // the driver did not complete it at once
    };
    static constexpr unsigned long kCapacity = 4096;

    Win32Transfer();
    ~Win32Transfer();
    Win32Transfer(const Win32Transfer&) = delete;
    Win32Transfer& operator=(const Win32Transfer&) = delete;

    // False when the system gave no event for it (GetLastError() says why).
    bool usable() const;
    // Writes `byte`; a write not completed after `patienceMs` is cancelled.
    Result write(void* handle, std::uint8_t byte, unsigned long patienceMs);
    // Reads what is waiting into data(), up to kCapacity bytes. A read that the driver leaves
    // pending is cancelled after `patienceMs`.
    Result read(void* handle, unsigned long patienceMs);
    const std::uint8_t* data() const;

private:
    struct Block;
    Result finish(void* handle, bool started, unsigned long patienceMs);

    Block* block_;
    bool stranded_ = false;
};

} // namespace callcfg

#endif // _WIN32

#pragma once
// Finds the reply to one request among the bytes read at the end of each wait period.
//
// A reply on the wire is 55 AA 02 <command> <m> <m data bytes> <checksum>. Bytes before
// the 55 are skipped. A reply cut by the end of a read (in its header, its data or its
// checksum) is kept and completed from the next period's read, so the reply buffer ends
// up exactly as for an uncut reply.

#include "link/frame.h"

#include <cstdint>
#include <vector>

namespace callcfg {

struct ScanResult {
    int checksumErrors = 0; // replies to this command that failed their checksum, in order
    bool accepted = false;  // a good reply was copied into the reply buffer
};

class ReplyScanner {
public:
    explicit ReplyScanner(std::uint8_t commandCode) : command_(commandCode) {}

    // Scans one period's read. On acceptance the reply, from its address byte 0x02 to its
    // checksum, is copied to replyBuffer index 0 on; nothing else of the buffer changes.
    ScanResult scan(const std::vector<std::uint8_t>& read, ByteBuffer& replyBuffer);

    // True while the last read ended inside a reply that the next read may complete.
    bool pending() const { return !carry_.empty(); }

private:
    std::uint8_t command_;
    std::vector<std::uint8_t> carry_;
};

} // namespace callcfg

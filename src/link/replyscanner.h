#pragma once
// Finds the reply to one request among the bytes read at the end of each wait period.
//
// A reply on the wire is 55 AA 02 <command> <m> <m data bytes> <checksum>. Bytes before the 55
// are skipped. A reply cut by the end of a read (in its header, its data or its checksum) is
// kept and completed from the next period's read, so it is taken as if it had come uncut.

#include <cstdint>
#include <optional>
#include <vector>

namespace callcfg {

struct ScanResult {
    int checksumErrors = 0; // replies to this command that failed their checksum, in order
    std::optional<std::vector<std::uint8_t>> data; // the good reply's data bytes, if one came
};

class ReplyScanner {
public:
    explicit ReplyScanner(std::uint8_t commandCode) : command_(commandCode) {}

    // Scans one period's read; a read of a single byte is dropped.
    ScanResult scan(const std::vector<std::uint8_t>& read);

    // True while the last read ended inside a reply that the next read may complete.
    bool pending() const { return !carry_.empty(); }

private:
    std::uint8_t command_;
    std::vector<std::uint8_t> carry_;
};

} // namespace callcfg

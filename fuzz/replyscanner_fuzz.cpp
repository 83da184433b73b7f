// The reply scanner over reads cut at arbitrary points. Byte 0 of the input is the command code
// the request was sent with; the rest is cut into period reads (split.h).
//
// Checks: an accepted reply in the buffer is 02, the command code, m, m data bytes and a good
// checksum, it stood on the wire behind 55 AA, and nothing of the buffer beyond it changed; and
// the verdict, the checksum errors and the buffer are those of one read of every byte that the
// scanner did not drop, as a reply cut between periods must end up as an uncut one.

#include "check.h"
#include "split.h"

#include "link/frame.h"
#include "link/replyscanner.h"

#include <algorithm>

using callcfg::ByteBuffer;
using callcfg::ReplyScanner;

namespace {

constexpr std::uint8_t kUntouched = 0xA5;

struct Outcome {
    bool accepted = false;
    int checksumErrors = 0;
    bool pending = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t command = data[0];
    const SplitInput split = splitInput(data + 1, size - 1);

    ReplyScanner scanner(command);
    ByteBuffer buffer;
    buffer.fill(kUntouched);
    std::vector<std::uint8_t> kept; // what the scanner looked at, lone bytes it dropped left out
    Outcome cut;
    for (const auto& read : split.reads) {
        if (!scanner.pending() && read.size() < 2) {
            FUZZ_CHECK(!scanner.scan(read, buffer).accepted);
            continue;
        }
        kept.insert(kept.end(), read.begin(), read.end());
        const callcfg::ScanResult result = scanner.scan(read, buffer);
        cut.checksumErrors += result.checksumErrors;
        if (result.accepted) {
            cut.accepted = true;
            break; // the wait ends with the first good reply
        }
    }
    cut.pending = scanner.pending();

    if (cut.accepted) {
        const std::size_t m = buffer[2];
        FUZZ_CHECK(buffer[0] == 0x02);
        FUZZ_CHECK(buffer[1] == command);
        FUZZ_CHECK(callcfg::checksumOf(buffer.data(), m + 3) == buffer[m + 3]);
        FUZZ_CHECK(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(m + 4), buffer.end(),
                               [](std::uint8_t b) { return b == kUntouched; }));
        std::vector<std::uint8_t> onWire{0x55, 0xAA};
        onWire.insert(onWire.end(), buffer.begin(),
                      buffer.begin() + static_cast<std::ptrdiff_t>(m + 4));
        FUZZ_CHECK(std::search(kept.begin(), kept.end(), onWire.begin(), onWire.end()) !=
                   kept.end());
        FUZZ_CHECK(!cut.pending);
    } else {
        FUZZ_CHECK(std::all_of(buffer.begin(), buffer.end(),
                               [](std::uint8_t b) { return b == kUntouched; }));
    }

    ReplyScanner whole(command);
    ByteBuffer wholeBuffer;
    wholeBuffer.fill(kUntouched);
    const callcfg::ScanResult once = whole.scan(kept, wholeBuffer);
    FUZZ_CHECK(once.accepted == cut.accepted);
    FUZZ_CHECK(once.checksumErrors == cut.checksumErrors);
    FUZZ_CHECK(whole.pending() == cut.pending);
    FUZZ_CHECK(wholeBuffer == buffer);
    return 0;
}

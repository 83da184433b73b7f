// The reply scanner over reads cut at arbitrary points. Byte 0 of the input is the command code
// the request was sent with; the rest is cut into period reads (split.h).
//
// Checks: the data of an accepted reply stood on the wire as 55 AA 02, the command code, m, the m
// data bytes and a good checksum; and the verdict, the checksum errors and the data are those of
// one read of every byte that the scanner did not drop, as a reply cut between periods must end
// up as an uncut one.

#include "check.h"
#include "split.h"

#include "link/replyscanner.h"
#include "protocol/protocol.h"

#include <algorithm>
#include <optional>

using callcfg::ReplyScanner;

namespace {

struct Outcome {
    std::optional<std::vector<std::uint8_t>> data;
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
    std::vector<std::uint8_t> kept; // what the scanner looked at, lone bytes it dropped left out
    Outcome cut;
    for (const auto& read : split.reads) {
        if (!scanner.pending() && read.size() < 2) {
            FUZZ_CHECK(!scanner.scan(read).data);
            continue;
        }
        kept.insert(kept.end(), read.begin(), read.end());
        const callcfg::ScanResult result = scanner.scan(read);
        cut.checksumErrors += result.checksumErrors;
        if (result.data) {
            cut.data = result.data;
            break; // the wait ends with the first good reply
        }
    }
    cut.pending = scanner.pending();

    if (cut.data) {
        const std::vector<std::uint8_t> onWire = callcfg::protocol::replyWire(command, *cut.data);
        FUZZ_CHECK(std::search(kept.begin(), kept.end(), onWire.begin(), onWire.end()) !=
                   kept.end());
        FUZZ_CHECK(!cut.pending);
    }

    ReplyScanner whole(command);
    const callcfg::ScanResult once = whole.scan(kept);
    FUZZ_CHECK(once.data == cut.data);
    FUZZ_CHECK(once.checksumErrors == cut.checksumErrors);
    FUZZ_CHECK(whole.pending() == cut.pending);
    return 0;
}

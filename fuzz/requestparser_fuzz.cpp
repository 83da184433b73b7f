// The simulated host unit's request parser over bytes arriving in arbitrary chunks (split.h),
// and the host unit answering whatever it finds.
//
// Checks: the chunking changes nothing (same requests, same partial frame as one feed of all
// bytes); every request found stood on the line as 55 55 AA 01 cmd n data checksum with a good
// checksum; every answer of the host unit is 55 AA 02 cmd m data checksum, well formed, to a
// request it received, in request order.

#include "check.h"
#include "split.h"

#include "hostsim/line/hostline.h"
#include "hostsim/line/requestparser.h"
#include "protocol/protocol.h"

#include <algorithm>

using hostsim::ReceivedRequest;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SplitInput split = splitInput(data, size);

    hostsim::RequestParser chunked;
    std::vector<ReceivedRequest> found;
    for (const auto& read : split.reads) {
        auto more = chunked.feed(read.data(), read.size());
        found.insert(found.end(), more.begin(), more.end());
    }
    hostsim::RequestParser whole;
    const std::vector<ReceivedRequest> once =
        whole.feed(split.payload.data(), split.payload.size());
    FUZZ_CHECK(found == once);
    FUZZ_CHECK(chunked.hasPartialFrame() == whole.hasPartialFrame());

    for (const ReceivedRequest& request : found) {
        FUZZ_CHECK(request.data.size() <= 255);
        const std::vector<std::uint8_t> frame =
            callcfg::protocol::requestWire(request.command, request.data);
        FUZZ_CHECK(std::search(split.payload.begin(), split.payload.end(), frame.begin(),
                               frame.end()) != split.payload.end());
    }

    hostsim::HostUnit unit;
    unit.setLearnDelay(0);
    hostsim::HostLine line(unit);
    const std::vector<hostsim::Reply> replies = line.feed(split.payload);
    FUZZ_CHECK(line.requests() == once);
    auto next = once.begin();
    for (const hostsim::Reply& reply : replies) {
        const auto& b = reply.bytes;
        FUZZ_CHECK(b.size() >= 6 && b[0] == 0x55 && b[1] == 0xAA && b[2] == 0x02);
        FUZZ_CHECK(b.size() == std::size_t(b[4]) + 6u);
        FUZZ_CHECK(callcfg::protocol::checksumOf(std::span(b).subspan(2, b.size() - 3)) ==
                   b.back());
        next = std::find_if(next, once.end(),
                            [&](const ReceivedRequest& r) { return r.command == b[3]; });
        FUZZ_CHECK(next != once.end());
        ++next;
    }
    return 0;
}

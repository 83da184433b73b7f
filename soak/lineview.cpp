#include "lineview.h"

#include "protocol/protocol.h"

namespace soak {

namespace P = callcfg::protocol;

namespace {

// A reply may be taken only once every byte the tool examined before it was at its port: when
// the last byte had left this long before the end of the tool's wait.
constexpr auto kMargin = std::chrono::milliseconds(10);

struct Frame {
    std::size_t start = 0;
    std::size_t end = 0; // one past the checksum
};

// The frames to `command` in `bytes`, in the order a listener meets them: those that failed
// their checksum, then the good one; a frame not complete yet stops the listener there.
struct Scan {
    std::vector<Frame> bad;
    std::optional<Frame> good;
};

Scan scan(const Bytes& bytes, std::uint8_t command) {
    const std::uint8_t header[] = {P::kReplyPreamble[0], P::kReplyPreamble[1], P::kReplyAddress,
                                   command};
    Scan result;
    for (std::size_t j = 0; j < bytes.size(); ++j) {
        bool agrees = true;
        for (std::size_t k = 0; k < 4 && j + k < bytes.size(); ++k)
            agrees = agrees && bytes[j + k] == header[k];
        if (!agrees)
            continue;
        if (bytes.size() - j < 5 || j + 6 + bytes[j + 4] > bytes.size())
            break; // waits for the rest, which never comes
        const Frame frame{j, j + 6 + bytes[j + 4]};
        const std::span<const std::uint8_t> body(bytes.data() + j + 2, frame.end - j - 2);
        if (P::checksumOf(body.first(body.size() - 1)) == body.back()) {
            result.good = frame;
            break;
        }
        result.bad.push_back(frame);
    }
    return result;
}

} // namespace

Allowed allowedOutcomes(const Exchange& e) {
    const hostsim::LineRecord& r = *e.record;
    Allowed allowed;
    if (r.applied.lostAfter) {
        allowed.noReply = false;
        allowed.sendFailure = true;
        return allowed;
    }
    const Bytes& stream = r.applied.wire;
    const Scan found = scan(stream, r.applied.request.command);

    // A frame counts as seen when it had left well before the end of the wait, and its first
    // byte did not leave alone (the tool drops a read of one byte).
    const auto seen = [&](const Frame& f) {
        if (!e.sent || r.applied.goAway)
            return false;
        const auto last = r.writtenAt(f.end - 1);
        const auto deadline = *e.sent +
                              std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(e.waitSeconds)) -
                              kMargin;
        if (!last || *last > deadline)
            return false;
        const std::size_t first = f.start;
        for (std::size_t i = 0; i < r.written.size(); ++i)
            if (r.written[i].first == first + 1 && (i == 0 ? 0 : r.written[i - 1].first) == first)
                return false;
        return true;
    };

    allowed.maxChecksumErrors = int(found.bad.size());
    bool allSeen = true;
    for (const Frame& f : found.bad) {
        allSeen = allSeen && seen(f);
        if (allSeen)
            ++allowed.minChecksumErrors;
    }
    if (found.good) {
        const Frame g = *found.good;
        allowed.reply.emplace(stream.begin() + static_cast<std::ptrdiff_t>(g.start + 5),
                              stream.begin() + static_cast<std::ptrdiff_t>(g.end - 1));
        allowed.noReply = !(allSeen && seen(g));
    }
    return allowed;
}

} // namespace soak

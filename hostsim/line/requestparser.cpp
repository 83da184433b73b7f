#include "hostsim/line/requestparser.h"

#include "protocol/protocol.h"

#include <algorithm>

namespace hostsim {

namespace {

namespace P = callcfg::protocol;

// The request preamble and the address byte: what every request starts with.
constexpr std::uint8_t kPreamble[] = {P::kRequestPreamble[0], P::kRequestPreamble[1],
                                      P::kRequestPreamble[2], P::kRequestAddress};
constexpr std::size_t kPreambleSize = sizeof kPreamble;
// Preamble, command, length; then data and checksum.
constexpr std::size_t kHeaderSize = kPreambleSize + 2;

// Index of the first position at which the preamble, or the start of it that fits, stands.
std::size_t findPreamble(const std::vector<std::uint8_t>& buf) {
    for (std::size_t i = 0; i < buf.size(); ++i) {
        const std::size_t n = std::min(kPreambleSize, buf.size() - i);
        if (std::equal(kPreamble, kPreamble + n, buf.begin() + static_cast<std::ptrdiff_t>(i)))
            return i;
    }
    return buf.size();
}

} // namespace

std::vector<ReceivedRequest> RequestParser::feed(const std::uint8_t* bytes, std::size_t count) {
    pending_.insert(pending_.end(), bytes, bytes + count);
    std::vector<ReceivedRequest> found;
    for (;;) {
        pending_.erase(pending_.begin(),
                       pending_.begin() + static_cast<std::ptrdiff_t>(findPreamble(pending_)));
        if (pending_.size() < kHeaderSize)
            break;
        const std::size_t n = pending_[kPreambleSize + 1];
        const std::size_t total = kHeaderSize + n + 1;
        if (pending_.size() < total)
            break;
        const std::uint8_t* body = pending_.data() + P::kRequestPreamble.size(); // address on
        if (P::checksumOf(std::span(body, n + 3)) == body[n + 3]) {
            found.push_back(
                ReceivedRequest{body[1], std::vector<std::uint8_t>(body + 3, body + 3 + n)});
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
        } else {
            pending_.erase(pending_.begin()); // look for a frame behind this false start
        }
    }
    return found;
}

bool RequestParser::hasPartialFrame() const {
    return !pending_.empty();
}

} // namespace hostsim

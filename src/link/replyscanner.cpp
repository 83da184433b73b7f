#include "link/replyscanner.h"

#include "protocol/protocol.h"

#include <span>

namespace callcfg {

namespace {

using protocol::kReplyPreamble;

// Does the header that starts at j agree with a reply to `command` as far as `bytes` go?
bool headerAgrees(const std::vector<std::uint8_t>& bytes, std::size_t j, std::uint8_t command) {
    const std::uint8_t expected[] = {kReplyPreamble[0], kReplyPreamble[1], protocol::kReplyAddress,
                                     command};
    for (std::size_t k = 0; k < 4 && j + k < bytes.size(); ++k)
        if (bytes[j + k] != expected[k])
            return false;
    return true;
}

} // namespace

ScanResult ReplyScanner::scan(const std::vector<std::uint8_t>& read) {
    ScanResult result;
    std::vector<std::uint8_t> bytes;
    if (carry_.empty()) {
        if (read.size() < 2)
            return result; // a lone byte is dropped
        bytes = read;
    } else {
        bytes = std::move(carry_);
        bytes.insert(bytes.end(), read.begin(), read.end());
        carry_.clear();
    }

    const std::size_t size = bytes.size();
    const std::size_t headerEnd = kReplyPreamble.size() + protocol::kHeaderSize; // 55 AA 02 cmd m
    for (std::size_t j = 0; j < size; ++j) {
        if (bytes[j] != kReplyPreamble[0] || !headerAgrees(bytes, j, command_))
            continue;
        // The header, the data and the checksum must all be in; otherwise wait for the rest.
        const std::size_t m = size - j >= headerEnd ? bytes[j + headerEnd - 1] : 0;
        if (size - j < headerEnd || j + headerEnd + m >= size) {
            carry_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(j), bytes.end());
            return result;
        }
        const std::span<const std::uint8_t> reply(bytes.data() + j + kReplyPreamble.size(),
                                                  protocol::kHeaderSize + m + 1);
        if (protocol::checksumOf(reply.first(protocol::kHeaderSize + m)) == reply.back()) {
            const auto data = reply.subspan(protocol::kHeaderSize, m);
            result.data.emplace(data.begin(), data.end());
            return result;
        }
        ++result.checksumErrors;
    }
    return result;
}

} // namespace callcfg

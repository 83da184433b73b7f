#include "link/replyscanner.h"

namespace callcfg {

namespace {

// Does the header that starts at j agree with a reply to `command` as far as `bytes` go?
bool headerAgrees(const std::vector<std::uint8_t>& bytes, std::size_t j, std::uint8_t command) {
    const std::uint8_t expected[] = {0x55, 0xAA, 0x02, command};
    for (std::size_t k = 0; k < 4 && j + k < bytes.size(); ++k)
        if (bytes[j + k] != expected[k])
            return false;
    return true;
}

} // namespace

ScanResult ReplyScanner::scan(const std::vector<std::uint8_t>& read, ByteBuffer& replyBuffer) {
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
    for (std::size_t j = 0; j < size; ++j) {
        if (bytes[j] != 0x55 || !headerAgrees(bytes, j, command_))
            continue;
        if (size - j < 6) { // header cut off by the end of the read
            carry_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(j), bytes.end());
            return result;
        }
        const std::size_t m = bytes[j + 4];
        if (j + m + 5 >= size) { // data or checksum still to come
            carry_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(j), bytes.end());
            return result;
        }
        const std::uint8_t* reply = bytes.data() + j + 2;
        if (checksumOf(reply, m + 3) == reply[m + 3]) {
            std::copy(reply, reply + m + 4, replyBuffer.begin());
            result.accepted = true;
            return result;
        }
        ++result.checksumErrors;
    }
    return result;
}

} // namespace callcfg

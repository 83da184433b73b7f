#include "input/command.h"

namespace callcfg {

std::vector<std::uint8_t> Frame::body() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(3 + data.size());
    bytes.push_back(0x01);
    bytes.push_back(command->code);
    bytes.push_back(static_cast<std::uint8_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

Verdict judge(const Command& command, std::optional<std::span<const std::uint8_t>> reply) {
    if (!reply)
        return command.noReply;
    for (const OutcomeRow& row : command.replies) {
        if (row.length && *row.length != static_cast<int>(reply->size()))
            continue;
        if (row.firstByte && (reply->empty() || (*reply)[0] != *row.firstByte))
            continue;
        return row.verdict;
    }
    return {};
}

} // namespace callcfg

#include "commands/command.h"

namespace callcfg {

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

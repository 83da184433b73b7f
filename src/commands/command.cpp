#include "commands/command.h"

#include "commands/numbers.h"

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

Encoded withoutData(const Command& command) {
    return Prepared{&command, {}};
}

Encoded encodeNumber(const Command& command, const QString& text, int low, int high,
                     const Verdict& refusal) {
    const std::optional<double> value = numberInRange(text, low, high);
    if (!value)
        return refusal;
    const std::optional<std::uint8_t> whole = roundedByte(*value);
    if (!whole)
        return command.failure;
    return Prepared{&command, {*whole}};
}

} // namespace callcfg

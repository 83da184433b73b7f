#include "commands/commandrunner.h"

#include "link/link.h"

namespace callcfg {

Verdict verdictOn(const Command& command, const Outcome& outcome) {
    if (const auto* lost = std::get_if<PortFault>(&outcome); lost && lost->whileSending)
        return command.failure;
    std::optional<std::span<const std::uint8_t>> reply;
    if (const auto* replied = std::get_if<Replied>(&outcome))
        reply.emplace(replied->data);
    return judge(command, reply);
}

CommandRun runCommand(Link& link, CommandInteraction& interaction,
                      const std::function<Encoded()>& encode) {
    if (!interaction.ensurePortOpen())
        return {};

    const Encoded encoded = encode();
    if (const auto* refused = std::get_if<Verdict>(&encoded)) {
        interaction.show(*refused);
        return {std::nullopt, *refused};
    }
    const Prepared& prepared = std::get<Prepared>(encoded);
    const Command& command = *prepared.command;
    if (command.confirmation && !interaction.confirm(*command.confirmation))
        return {};

    const WaitBoxKind waitBox = command.waitBox;
    if (waitBox != WaitBoxKind::None && command.waitBoxBeforeSend)
        interaction.showWaitBox(waitBox);
    const Outcome outcome = link.exchange(prepared.request(), command.wait, [&] {
        if (waitBox != WaitBoxKind::None && !command.waitBoxBeforeSend)
            interaction.showWaitBox(waitBox);
    });
    if (waitBox != WaitBoxKind::None)
        interaction.hideWaitBox(waitBox);
    const Verdict verdict = verdictOn(command, outcome);
    interaction.show(verdict);
    return {outcome, verdict};
}

} // namespace callcfg

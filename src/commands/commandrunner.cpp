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

CommandRun runCommand(Link& link, CommandScreen& screen, const std::function<Encoded()>& encode) {
    if (!screen.ensurePortOpen())
        return {};

    const Encoded encoded = encode();
    if (const auto* refused = std::get_if<Verdict>(&encoded)) {
        screen.show(*refused);
        return {std::nullopt, *refused};
    }
    const Prepared& prepared = std::get<Prepared>(encoded);
    const Command& command = *prepared.command;
    if (command.confirmation && !screen.confirm(*command.confirmation))
        return {};

    const WaitBoxKind waitBox = command.waitBox;
    if (waitBox != WaitBoxKind::None && command.waitBoxBeforeSend)
        screen.showWaitBox(waitBox);
    const Outcome outcome = link.exchange(prepared.request(), command.wait, [&] {
        if (waitBox != WaitBoxKind::None && !command.waitBoxBeforeSend)
            screen.showWaitBox(waitBox);
    });
    if (waitBox != WaitBoxKind::None)
        screen.hideWaitBox(waitBox);
    const Verdict verdict = verdictOn(command, outcome);
    screen.show(verdict);
    return {outcome, verdict};
}

} // namespace callcfg

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

void runCommand(Link& link, CommandScreen& screen, const std::function<Encoded()>& encode) {
    if (!screen.ensurePortOpen())
        return;

    const Encoded encoded = encode();
    if (const auto* refusal = std::get_if<Refusal>(&encoded)) {
        screen.show(Verdict{refusal->box, refusal->focus});
        return;
    }
    if (const auto* unsendable = std::get_if<Unsendable>(&encoded)) {
        screen.show(unsendable->command->failure);
        return;
    }
    const Prepared& prepared = std::get<Prepared>(encoded);
    const Command& command = *prepared.command;
    if (command.confirmation && !screen.confirm(*command.confirmation))
        return;

    const WaitBoxKind waitBox = command.waitBox;
    if (waitBox != WaitBoxKind::None && command.waitBoxBeforeSend)
        screen.showWaitBox(waitBox);
    const Outcome outcome = link.exchange(prepared.request(), command.wait, [&] {
        if (waitBox != WaitBoxKind::None && !command.waitBoxBeforeSend)
            screen.showWaitBox(waitBox);
    });
    if (waitBox != WaitBoxKind::None)
        screen.hideWaitBox(waitBox);
    screen.show(verdictOn(command, outcome));
}

} // namespace callcfg

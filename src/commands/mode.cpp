#include "commands/mode.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

Command displayCommand(const QString& successText) {
    return withUsualOutcomes({.code = protocol::kSetDisplayType, .wait = {2, 1.0}}, successText,
                             QStringLiteral("设置信息机类型失败!"));
}

} // namespace

const Command& workModeCommand() {
    static const Command command = [] {
        Command c = withUsualOutcomes({.code = protocol::kSetWorkMode, .wait = {3, 1.0}},
                                      QStringLiteral("设置工作模式成功！"),
                                      QStringLiteral("工作模式设置失败！"));
        // Its length error is an error box, not the usual notice.
        c.replies.back().verdict = error(QStringLiteral("返回数据长度错误"));
        return c;
    }();
    return command;
}

Encoded encodeWorkMode(int position) {
    const std::optional<std::uint8_t> mode = positionByte(position);
    if (!mode)
        return workModeCommand().failure;
    return Prepared{&workModeCommand(), {*mode}};
}

const Command& digitalDisplayCommand() {
    static const Command command = displayCommand(QStringLiteral("信息机类型设为数字机！"));
    return command;
}

const Command& voiceDisplayCommand() {
    static const Command command = displayCommand(QStringLiteral("信息机类型设为语音机！"));
    return command;
}

Encoded encodeDisplayType(int position) {
    if (position == 0)
        return Prepared{&digitalDisplayCommand(), {protocol::kDigitalDisplay}};
    return Prepared{&voiceDisplayCommand(), {protocol::kVoiceDisplay}};
}

} // namespace callcfg

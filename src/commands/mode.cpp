#include "commands/mode.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

Command displayCommand(const QString& successText) {
    return {
        .code = protocol::kSetDisplayType,
        .wait = {2, 1.0},
        .replies = {{.length = 0, .verdict = success(successText)}, {.verdict = lengthError()}},
        .noReply = timeout(),
        .failure = error(QStringLiteral("设置信息机类型失败!")),
    };
}

} // namespace

const Command& workModeCommand() {
    static const Command command{
        .code = protocol::kSetWorkMode,
        .wait = {3, 1.0},
        .replies = {{.length = 0, .verdict = success(QStringLiteral("设置工作模式成功！"))},
                    {.verdict = error(QStringLiteral("返回数据长度错误"))}},
        .noReply = timeout(),
        .failure = error(QStringLiteral("工作模式设置失败！")),
    };
    return command;
}

const Command& digitalDisplayCommand() {
    static const Command command = displayCommand(QStringLiteral("信息机类型设为数字机！"));
    return command;
}

const Command& voiceDisplayCommand() {
    static const Command command = displayCommand(QStringLiteral("信息机类型设为语音机！"));
    return command;
}

Encoded encodeWorkMode(int position) {
    const std::optional<std::uint8_t> mode = positionByte(position);
    if (!mode)
        return Unsendable{&workModeCommand()};
    return Prepared{&workModeCommand(), {*mode}};
}

Encoded encodeDisplayType(int position) {
    if (position == 0)
        return Prepared{&digitalDisplayCommand(), {protocol::kDigitalDisplay}};
    return Prepared{&voiceDisplayCommand(), {protocol::kVoiceDisplay}};
}

} // namespace callcfg

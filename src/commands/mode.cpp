#include "commands/mode.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"

namespace callcfg {

using namespace verdicts;

namespace {

Command displayCommand(const QString& successText) {
    return {
        .code = 0x13,
        .wait = {2, 1.0},
        .replies = {{.length = 0, .verdict = success(successText)}, {.verdict = lengthError()}},
        .noReply = timeout(),
        .failure = error(QStringLiteral("设置信息机类型失败!")),
    };
}

} // namespace

const Command& workModeCommand() {
    static const Command command{
        .code = 0x17,
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
        return Prepared{&digitalDisplayCommand(), {0xFF}};
    return Prepared{&voiceDisplayCommand(), {0x00}};
}

} // namespace callcfg

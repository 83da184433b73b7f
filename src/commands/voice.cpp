#include "commands/voice.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

Command callerSettingCommand(std::uint8_t code, const QString& successText,
                             const QString& failureText) {
    return {
        .code = code,
        .wait = {2, 1.0},
        .replies = {onLength(0, success(successText)),
                    otherwise(notice(QStringLiteral("当前信息机类型为数字机，设置失败！"),
                                     QStringLiteral("ERR")))},
        .noReply = timeout(),
        .failure = error(failureText),
    };
}

// An emptied drop-down means "none"; a typed text has no position.
std::optional<std::uint8_t> choiceOrNone(const ComboChoice& choice) {
    return choice.text.isEmpty() ? protocol::kNoPhrase : positionByte(choice.position);
}

std::optional<std::uint8_t> enabledChoice(const ComboChoice& choice, bool enabled) {
    return enabled ? positionByte(choice.position) : protocol::kNoPhrase;
}

Encoded encodeHandheld(const Command& command, int position) {
    const std::optional<std::uint8_t> place = positionByte(position);
    if (!place)
        return command.failure;
    return Prepared{&command, {*place}};
}

Command handheldCommand(std::uint8_t code) {
    return callerSettingCommand(code, QStringLiteral("设置成功！"),
                                QStringLiteral("设置手持呼叫器的语音提示类型失败!"));
}

} // namespace

const Command& voiceSettingsCommand() {
    static const Command command = callerSettingCommand(
        protocol::kSetVoicePrompts, QStringLiteral("语音信息机中关于呼叫器的设置成功！"),
        QStringLiteral("设置呼叫器的语音提示类型失败!"));
    return command;
}

Encoded encodeVoiceSettings(const VoiceInput& input) {
    const std::optional<std::uint8_t> bytes[] = {
        positionByte(input.pronunciation.position),
        choiceOrNone(input.initiator),
        choiceOrNone(input.key1),
        enabledChoice(input.key2, input.key2Enabled),
        enabledChoice(input.key3, input.key3Enabled),
    };
    Prepared frame{&voiceSettingsCommand(), {}};
    for (const std::optional<std::uint8_t>& byte : bytes) {
        if (!byte)
            return voiceSettingsCommand().failure;
        frame.data.push_back(*byte);
    }
    return frame;
}

const Command& handheldByTableCommand() {
    static const Command command = handheldCommand(protocol::kHandheldModeByTable);
    return command;
}

Encoded encodeHandheldByTable(int position) {
    return encodeHandheld(handheldByTableCommand(), position);
}

const Command& handheldByPagerCommand() {
    static const Command command = handheldCommand(protocol::kHandheldModeByPager);
    return command;
}

Encoded encodeHandheldByPager(int position) {
    return encodeHandheld(handheldByPagerCommand(), position);
}

} // namespace callcfg

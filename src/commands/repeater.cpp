#include "commands/repeater.h"

#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

constexpr Focus kWriteButton = Focus::WriteRepeaterButton;
constexpr Focus kDeleteButton = Focus::DeleteRepeaterButton;

} // namespace

const Command& writeRepeaterCommand() {
    static const Command command{
        .code = protocol::kWriteRepeater,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Caller,
        .replies =
            {{.length = 3, .verdict = success(QStringLiteral("设置转发器成功！"), kWriteButton)},
             {.length = 0,
              .verdict = error(QStringLiteral("转发器记忆区已经存满，无法写入！"), kWriteButton)},
             {.verdict = notice(QStringLiteral("返回数据长度错误！"), QStringLiteral("错误"))}},
        .noReply = error(QStringLiteral("超时没有返回数据！"), kWriteButton),
        .failure = error(QStringLiteral("设置转发器内容失败！"), kWriteButton),
    };
    return command;
}

const Command& deleteRepeaterCommand() {
    static const Command command{
        .code = protocol::kDeleteRepeater,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Caller,
        .waitBoxBeforeSend = true,
        .replies = {{.length = 0,
                     .verdict = success(QStringLiteral("删除转发器内容成功！"), kDeleteButton)},
                    {.length = 1,
                     .firstByte = protocol::kNotInRepeater,
                     .verdict = error(QStringLiteral("转发器中无此呼叫器！"), kDeleteButton)},
                    {.length = 1,
                     .firstByte = protocol::kRepeaterEmpty,
                     .verdict = error(QStringLiteral("转发器内容为空！"), kDeleteButton)},
                    {.verdict = lengthError(kDeleteButton)}},
        .noReply = timeout(kDeleteButton),
        .failure = error(QStringLiteral("删除转发器内容失败!"), kDeleteButton),
    };
    return command;
}

Encoded encodeWriteRepeater() {
    return Prepared{&writeRepeaterCommand(), {}};
}

Encoded encodeDeleteRepeater() {
    return Prepared{&deleteRepeaterCommand(), {}};
}

} // namespace callcfg

#include "commands/repeater.h"

#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

const Command& writeRepeaterCommand() {
    static const Command command{
        .code = protocol::kWriteRepeater,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Caller,
        .replies =
            {onLength(3, success(QStringLiteral("设置转发器成功！"), Focus::WriteRepeaterButton)),
             onLength(0, error(QStringLiteral("转发器记忆区已经存满，无法写入！"),
                               Focus::WriteRepeaterButton)),
             otherwise(notice(QStringLiteral("返回数据长度错误！"), QStringLiteral("错误")))},
        .noReply = error(QStringLiteral("超时没有返回数据！"), Focus::WriteRepeaterButton),
        .failure = error(QStringLiteral("设置转发器内容失败！"), Focus::WriteRepeaterButton),
    };
    return command;
}

const Command& deleteRepeaterCommand() {
    static const Command command{
        .code = protocol::kDeleteRepeater,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Caller,
        .waitBoxBeforeSend = true,
        .replies = {onLength(0, success(QStringLiteral("删除转发器内容成功！"),
                                        Focus::DeleteRepeaterButton)),
                    onStatus(protocol::kNotInRepeater, error(QStringLiteral("转发器中无此呼叫器！"),
                                                             Focus::DeleteRepeaterButton)),
                    onStatus(protocol::kRepeaterEmpty, error(QStringLiteral("转发器内容为空！"),
                                                             Focus::DeleteRepeaterButton)),
                    otherwise(lengthError(Focus::DeleteRepeaterButton))},
        .noReply = timeout(Focus::DeleteRepeaterButton),
        .failure = error(QStringLiteral("删除转发器内容失败!"), Focus::DeleteRepeaterButton),
    };
    return command;
}

} // namespace callcfg

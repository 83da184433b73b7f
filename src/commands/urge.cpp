#include "commands/urge.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

constexpr Focus kSetBox = Focus::UrgeNumber;
constexpr Focus kDeleteBox = Focus::DeleteUrgeNumber;

Encoded encodeUrge(const Command& command, const QString& number, Focus box) {
    return encodeNumber(command, number, 1, 9,
                        refuse(QStringLiteral("催菜器号码必须为1-9的数字！"), box));
}

} // namespace

const Command& setUrgeCommand() {
    static const Command command{
        .code = protocol::kSetUrgeUnit,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Urge,
        .replies = {{.length = 2,
                     .verdict = success(QStringLiteral("设置催菜器号码成功！"), kSetBox)},
                    {.verdict = lengthError()}},
        .noReply = timeout(kSetBox),
        .failure = error(QStringLiteral("设置催菜器器号码失败!"), kSetBox),
    };
    return command;
}

const Command& deleteUrgeCommand() {
    static const Command command{
        .code = protocol::kDeleteUrgeUnit,
        .wait = {2, 1.0},
        .replies = {{.length = 0,
                     .verdict = success(QStringLiteral("删除催菜器号码成功！"), kDeleteBox)},
                    {.verdict = lengthError()}},
        .noReply = timeout(kDeleteBox),
        .failure = error(QStringLiteral("删除催菜器器号码失败!"), kDeleteBox),
    };
    return command;
}

Encoded encodeSetUrge(const QString& number) {
    return encodeUrge(setUrgeCommand(), number, kSetBox);
}

Encoded encodeDeleteUrge(const QString& number) {
    return encodeUrge(deleteUrgeCommand(), number, kDeleteBox);
}

} // namespace callcfg

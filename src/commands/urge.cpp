#include "commands/urge.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

namespace callcfg {

using namespace verdicts;

namespace {

// The host unit answers a registered urge unit with two data bytes.
constexpr int kUrgeReplyLength = 2;

Encoded encodeUrge(const Command& command, const QString& number, Focus box) {
    return encodeNumber(command, number, 1, 9,
                        refuse(QStringLiteral("催菜器号码必须为1-9的数字！"), box));
}

} // namespace

const Command& setUrgeCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetUrgeUnit, .wait = {1, 3.0}, .waitBox = WaitBoxKind::Urge},
        QStringLiteral("设置催菜器号码成功！"), QStringLiteral("设置催菜器器号码失败!"),
        Focus::UrgeNumber, kUrgeReplyLength);
    return command;
}

Encoded encodeSetUrge(const QString& number) {
    return encodeUrge(setUrgeCommand(), number, Focus::UrgeNumber);
}

const Command& deleteUrgeCommand() {
    static const Command command =
        withUsualOutcomes({.code = protocol::kDeleteUrgeUnit, .wait = {2, 1.0}},
                          QStringLiteral("删除催菜器号码成功！"),
                          QStringLiteral("删除催菜器器号码失败!"), Focus::DeleteUrgeNumber);
    return command;
}

Encoded encodeDeleteUrge(const QString& number) {
    return encodeUrge(deleteUrgeCommand(), number, Focus::DeleteUrgeNumber);
}

} // namespace callcfg

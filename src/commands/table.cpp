#include "commands/table.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"
#include "protocol/memorymap.h"

namespace callcfg {

using namespace verdicts;

namespace {

constexpr Focus kTableBox = Focus::TableNumber;
constexpr Focus kPagerBoxes[] = {Focus::TablePager1, Focus::TablePager2, Focus::TablePager3};

// A table number rounded once and sent high byte first.
std::array<std::uint8_t, 2> tableBytes(std::uint16_t table) {
    return {static_cast<std::uint8_t>(table >> 8), static_cast<std::uint8_t>(table & 0xFF)};
}

} // namespace

const Command& setTableCallerCommand() {
    static const Command command{
        .code = protocol::kSetTableCaller,
        .wait = {1, 3.0},
        .waitBox = WaitBoxKind::Caller,
        .replies = {onLength(3, success(QStringLiteral("设置餐桌号成功！"), kTableBox)),
                    onLength(0,
                             error(QStringLiteral("接收器记忆区已经存满，无法写入！"), kTableBox)),
                    otherwise(lengthError())},
        .noReply = timeout(kTableBox),
        .failure = error(QStringLiteral("设置餐桌号失败!"), kTableBox),
    };
    return command;
}

Encoded encodeSetTableCaller(const TableCallerInput& input) {
    if (!isNumeric(input.table))
        return refuse(QStringLiteral("餐桌号只能为数字！"), kTableBox);
    const std::optional<double> table = numberInRange(input.table, 1, 65535);
    if (!table)
        return refuse(QStringLiteral("餐桌号必须为1-65535的数字！"), kTableBox);

    std::array<std::optional<double>, 3> pagers;
    for (std::size_t i = 0; i < pagers.size(); ++i) {
        if (input.pagers[i].isEmpty())
            continue;
        pagers[i] = numberInRange(input.pagers[i], 1, 255);
        if (!pagers[i])
            return refuse(QStringLiteral("传呼号必须为1-255的数字！"), kPagerBoxes[i]);
    }

    const std::optional<std::uint16_t> whole = roundedWord(*table);
    if (!whole)
        return setTableCallerCommand().failure;
    const auto [high, low] = tableBytes(*whole);
    Prepared frame{&setTableCallerCommand(), {protocol::kTableCallerReceiver, high, low}};
    for (const std::optional<double>& pager : pagers) {
        const std::optional<std::uint8_t> byte =
            pager ? roundedByte(*pager) : std::uint8_t{memorymap::kNoPager};
        if (!byte)
            return setTableCallerCommand().failure;
        frame.data.push_back(*byte);
    }
    return frame;
}

const Command& deleteTableCallerCommand() {
    constexpr Focus kDeleteBox = Focus::DeleteTableNumber;
    static const Command command{
        .code = protocol::kDeleteTableCaller,
        .wait = {1, 2.0},
        .replies = {onLength(0, success(QStringLiteral("删除餐桌号码成功！"), kDeleteBox)),
                    onStatus(protocol::kTableCallerUnreachable,
                             error(QStringLiteral(
                                       "没有与餐桌号对应的呼叫器或接收器与主机连接不正常！！"),
                                   kDeleteBox)),
                    onStatus(protocol::kNoSuchTable, error(QStringLiteral("不存在此餐桌号码！！"),
                                                           kDeleteBox, QStringLiteral("注意"))),
                    onLength(1, {}), // any other status byte: no box
                    otherwise(lengthError(kDeleteBox))},
        .noReply = timeout(kDeleteBox),
        .failure = error(QStringLiteral("删除餐桌号码失败!"), kDeleteBox),
    };
    return command;
}

Encoded encodeDeleteTableCaller(const QString& table) {
    if (!isNumeric(table))
        return refuse(QStringLiteral("餐桌号码只能为数字！"), Focus::DeleteTableNumber);
    const std::optional<double> value = numberInRange(table, 1, 65535);
    if (!value)
        return refuse(QStringLiteral("餐桌号码必须为1-65535的数字！"), Focus::DeleteTableNumber);
    const std::optional<std::uint16_t> whole = roundedWord(*value);
    if (!whole)
        return deleteTableCallerCommand().failure;
    const auto [high, low] = tableBytes(*whole);
    return Prepared{&deleteTableCallerCommand(), {high, low}};
}

} // namespace callcfg

#include "commands/receiver.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

#include <cmath>

namespace callcfg {

using namespace verdicts;

namespace {

constexpr Focus kNumberBox = Focus::ReceiverNumber;
constexpr double kChannelStepHz = 12500;
const QString kTransmitterFailure = QStringLiteral("发射机频率写入失败!");

} // namespace

const Command& setReceiverNumberCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetReceiverNumber, .wait = {2, 1.0}},
        QStringLiteral("设置接收器号码成功！"), QStringLiteral("设置接收器号码失败!"), kNumberBox);
    return command;
}

Encoded encodeSetReceiverNumber(const QString& number) {
    return encodeNumber(setReceiverNumberCommand(), number, 1, 80,
                        refuse(QStringLiteral("接收器号码必须为01-80的数字！"), kNumberBox));
}

const Command& initialiseReceiverCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kInitialiseReceiver, .wait = {4, 1.0}},
        QStringLiteral("初始化接收器成功！"), QStringLiteral("初始化接收器失败!"));
    return command;
}

const Command& initialiseHostCommand() {
    static const Command command{
        .code = protocol::kInitialiseHost,
        .wait = {3, 1.0},
        .confirmation = confirm(QStringLiteral("执行此操作将清除主机内存储的所有信息！！\r\n"
                                               "   您确认执行请按确定，否则请取消！"),
                                QStringLiteral("注意！！")),
        .replies = {onLength(0, success(QStringLiteral("初始化主机成功！"))),
                    otherwise(
                        notice(QStringLiteral("返回数据长度错误！"), QStringLiteral("错误")))},
        .noReply = error(QStringLiteral("超时没有返回数据！")),
        .failure = error(QStringLiteral("初始化主机失败!")),
    };
    return command;
}

const Command& receiverFrequencyCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetReceiverFrequency, .wait = {3, 1.0}},
        QStringLiteral("接收器频率写入成功！"), QStringLiteral("接收器频率写入失败!"));
    return command;
}

Encoded encodeReceiverFrequency(const QString& frequencyText, int frequencyPosition,
                                const QString& receiver) {
    if (frequencyText.isEmpty())
        return refuse(QStringLiteral("请选择接收器的频率！"));
    const Verdict unsendable = receiverFrequencyCommand().failure;
    std::optional<double> receiverNumber;
    if (!receiver.isEmpty()) {
        // A receiver number that is no number at all cannot be compared: unsendable.
        if (!isNumeric(receiver))
            return unsendable;
        receiverNumber = numberInRange(receiver, 1, 80);
        if (!receiverNumber)
            return refuse(QStringLiteral("接收器号码必须为1-80的数字！"));
    }

    const std::optional<std::uint8_t> position = positionByte(frequencyPosition);
    if (!position)
        return unsendable;
    Prepared frame{&receiverFrequencyCommand(), {*position}};
    if (receiverNumber) {
        const std::optional<std::uint8_t> whole = roundedByte(*receiverNumber);
        if (!whole)
            return unsendable;
        frame.data.push_back(*whole);
    }
    return frame;
}

const Command& setTransmitterCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetTransmitterFrequency, .wait = {2, 1.0}},
        QStringLiteral("发射机频率写入成功！"), kTransmitterFailure, Focus::TransmitterFrequency);
    return command;
}

const Command& clearTransmitterCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetTransmitterFrequency,
         .wait = {3, 1.5},
         .confirmation =
             confirm(QStringLiteral("不输入发射机频率值，将清除系统中对发射机的设置！\r\n"
                                    "是否继续？"),
                     QStringLiteral("注意"))},
        QStringLiteral("发射机设置清除成功！"), kTransmitterFailure, Focus::TransmitterFrequency);
    return command;
}

Encoded encodeTransmitterFrequency(const QString& megahertz) {
    if (megahertz.isEmpty())
        return Prepared{&clearTransmitterCommand(), {}};
    const std::optional<double> value = numericValue(megahertz);
    if (!value)
        return refuse(QStringLiteral("频率值里不能输入非法数值!"), Focus::TransmitterFrequency);
    if (*value < 100 || *value > 500)
        return refuse(QStringLiteral("频率值应在100到500之间！"), Focus::TransmitterFrequency);
    if (std::fmod(roundHalfEven(*value * 1000000), kChannelStepHz) != 0)
        return refuse(QStringLiteral("频率值必须为12.5K的倍数！"), Focus::TransmitterFrequency);

    // The frequency in units of 100 Hz, three bytes most significant first.
    const auto units = static_cast<std::uint32_t>(roundHalfEven(*value * 10000));
    return Prepared{&setTransmitterCommand(),
                    {static_cast<std::uint8_t>(units >> 16), static_cast<std::uint8_t>(units >> 8),
                     static_cast<std::uint8_t>(units)}};
}

} // namespace callcfg

#include "commands/pager.h"

#include "commands/numbers.h"
#include "commands/verdicts.h"
#include "protocol/commands.h"

#include <array>

namespace callcfg {

using namespace verdicts;

namespace {

constexpr int kAddressDigits = 7;

Verdict badPagerNumber(Focus focus) {
    return refuse(QStringLiteral("传呼号必须为1-254的数字！"), focus);
}

// The address code's characters as digit values, right-aligned in seven bytes;
// nothing when a character is not a digit.
std::optional<std::array<std::uint8_t, kAddressDigits>> addressDigits(const QString& text) {
    std::array<std::uint8_t, kAddressDigits> digits{};
    const qsizetype offset = kAddressDigits - text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits[offset + i] = static_cast<std::uint8_t>(c.unicode() - u'0');
    }
    return digits;
}

} // namespace

std::optional<std::uint8_t> pagerModeIndex(int machineType, int rate) {
    if (machineType < 0 || machineType > 3 || rate < 0 || rate > 2)
        return std::nullopt;
    const int code = machineType * 16 + rate;
    for (std::size_t i = 0; i < protocol::kPagerModeCodes.size(); ++i) {
        if (protocol::kPagerModeCodes[i] == code)
            return static_cast<std::uint8_t>(i);
    }
    return std::nullopt;
}

const Command& setPagerCommand() {
    static const Command command = withUsualOutcomes(
        {.code = protocol::kSetPager, .wait = {3, 1.0}}, QStringLiteral("设置传呼号成功！"),
        QStringLiteral("设置传呼号失败!"), Focus::PagerNumber);
    return command;
}

Encoded encodeSetPager(const PagerInput& input) {
    const std::optional<double> number = numberInRange(input.number, 1, 254);
    if (!number)
        return badPagerNumber(Focus::PagerNumber);
    // Seven digits at most: a longer entry (leading zeros) does not fit the address field.
    if (!numberInRange(input.address, 0, 9999999) || input.address.size() > kAddressDigits)
        return refuse(QStringLiteral("地址码应为7位数字！"), Focus::AddressCode);

    // Rounded once, then split, so the two digits always name the number that was checked.
    const std::optional<std::uint8_t> whole = roundedByte(*number);
    const std::optional<std::uint8_t> mode = pagerModeIndex(input.machineType, input.rate);
    const std::optional<std::uint8_t> polarity = positionByte(input.polarity);
    const std::optional<std::uint8_t> tone = positionByte(input.tone);
    const auto address = addressDigits(input.address);
    // An address with a sign, point, blank or exponent passes the range check but has
    // characters that are not digits: unsendable, nothing is sent.
    if (!whole || !mode || !polarity || !tone || !address)
        return setPagerCommand().failure;

    Prepared frame{&setPagerCommand(),
                   {static_cast<std::uint8_t>(*whole / 100),
                    static_cast<std::uint8_t>(*whole % 100), static_cast<std::uint8_t>(*mode / 10),
                    static_cast<std::uint8_t>(*mode % 10), *polarity}};
    frame.data.insert(frame.data.end(), address->begin(), address->end());
    frame.data.push_back(*tone);
    return frame;
}

const Command& deletePagerCommand() {
    static const Command command{
        .code = protocol::kDeletePager,
        .wait = {2, 1.0},
        .replies = {onLength(0,
                             success(QStringLiteral("删除传呼号成功！"), Focus::DeletePagerNumber)),
                    onStatus(protocol::kNoSuchPager,
                             notice(QStringLiteral("无此传呼号！"), QStringLiteral("注意"),
                                    Focus::DeletePagerNumber)),
                    // Any other status byte.
                    onLength(1, notice(QStringLiteral("返回数据错误"), QStringLiteral("错误"),
                                       Focus::DeletePagerNumber)),
                    otherwise(lengthError(Focus::DeletePagerNumber))},
        .noReply = error(QStringLiteral("删除传呼号失败，请检查与通讯端口的连接情况！"),
                         Focus::DeletePagerNumber),
        .failure = error(QStringLiteral("删除传呼号失败!"), Focus::DeletePagerNumber),
    };
    return command;
}

Encoded encodeDeletePager(const QString& number) {
    return encodeNumber(deletePagerCommand(), number, 1, 254,
                        badPagerNumber(Focus::DeletePagerNumber));
}

} // namespace callcfg

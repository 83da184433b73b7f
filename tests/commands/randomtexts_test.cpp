// Random texts through the encoders of the main window's typed fields: a request is made only
// when the texts pass their checks, carrying exactly the numbers an independent reading of the
// texts gives; otherwise the box is the one that reading calls for. CALLCFG_RANDOM_TEXT_ROUNDS
// sets the number of rounds (default 5000) and CALLCFG_RANDOM_TEXT_SEED the seed.

#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "wire.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <optional>

using namespace callcfg;

namespace {

// The number test as the tool states it: blanks around, a sign, digits with a point, an
// exponent E or D; nothing else. Read with strtod; overflow is no number.
std::optional<double> numberOf(const QString& text) {
    static const QRegularExpression grammar(QRegularExpression::anchoredPattern(
        QStringLiteral("[ \\t]*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+))([EeDd]([+-]?[0-9]+))?[ \\t]*")));
    const auto match = grammar.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString c = match.captured(1);
    if (!match.captured(4).isEmpty())
        c += QLatin1Char('e') + match.captured(4);
    const QByteArray latin = c.toLatin1();
    const double value = std::strtod(latin.constData(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// Halves to the even neighbour.
long long whole(double value) {
    std::fesetround(FE_TONEAREST);
    return static_cast<long long>(std::nearbyint(value));
}

std::optional<double> inRange(const QString& text, double low, double high) {
    const auto value = numberOf(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

// What a command must do with the texts: send this data, or show this box.
struct Expected {
    QString data; // hex of the request's data when it is sent
    QString box;  // the box when nothing is sent
};

// One number from 1 to `high`, sent as a byte; else `box`.
Expected oneNumber(const QString& t, int high, const char* box) {
    const auto v = inRange(t, 1, high);
    return v ? Expected{hexText(Bytes{std::uint8_t(whole(*v))}), {}} : Expected{{}, box};
}

Expected setPager(const QString& number, const QString& address) {
    const auto v = inRange(number, 1, 254);
    if (!v)
        return {{}, "传呼号必须为1-254的数字！"};
    if (!inRange(address, 0, 9999999) || address.size() > 7)
        return {{}, "地址码应为7位数字！"};
    for (QChar c : address)
        if (c < u'0' || c > u'9')
            return {{}, "设置传呼号失败!"};
    const int n = int(whole(*v));
    Bytes data{std::uint8_t(n / 100), std::uint8_t(n % 100), 0, 2,
               0}; // 数字标准 at 1200 is mode 2; polarity 反
    for (qsizetype i = 0; i < 7 - address.size(); ++i)
        data.push_back(0);
    for (QChar c : address)
        data.push_back(std::uint8_t(c.unicode() - u'0'));
    data.push_back(0); // 音调1
    return {hexText(data), {}};
}

Expected deleteTable(const QString& t) {
    if (!numberOf(t))
        return {{}, "餐桌号码只能为数字！"};
    const auto v = inRange(t, 1, 65535);
    if (!v)
        return {{}, "餐桌号码必须为1-65535的数字！"};
    const long long n = whole(*v);
    return {hexText(Bytes{std::uint8_t(n >> 8), std::uint8_t(n)}), {}};
}

Expected setTable(const QString& table, const std::array<QString, 3>& pagers) {
    if (!numberOf(table))
        return {{}, "餐桌号只能为数字！"};
    const auto v = inRange(table, 1, 65535);
    if (!v)
        return {{}, "餐桌号必须为1-65535的数字！"};
    const long long n = whole(*v);
    Bytes data{0, std::uint8_t(n >> 8), std::uint8_t(n)};
    for (const QString& pager : pagers) {
        if (pager.isEmpty()) {
            data.push_back(0xFF);
            continue;
        }
        const auto p = inRange(pager, 1, 255);
        if (!p)
            return {{}, "传呼号必须为1-255的数字！"};
        data.push_back(std::uint8_t(whole(*p)));
    }
    return {hexText(data), {}};
}

Expected transmitter(const QString& t) {
    if (t.isEmpty())
        return {"", {}}; // the clear request, after its confirmation
    const auto v = numberOf(t);
    if (!v)
        return {{}, "频率值里不能输入非法数值!"};
    if (*v < 100 || *v > 500)
        return {{}, "频率值应在100到500之间！"};
    if (whole(*v * 1000000) % 12500 != 0)
        return {{}, "频率值必须为12.5K的倍数！"};
    const long long n = whole(*v * 10000);
    return {hexText(Bytes{std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)}), {}};
}

Expected receiverFrequency(const QString& receiver) {
    if (receiver.isEmpty())
        return {"07", {}}; // 315.6, the list's entry 7
    if (!numberOf(receiver))
        return {{}, "接收器频率写入失败!"};
    const auto v = inRange(receiver, 1, 80);
    if (!v)
        return {{}, "接收器号码必须为1-80的数字！"};
    return {hexText(Bytes{7, std::uint8_t(whole(*v))}), {}};
}

class Texts {
public:
    explicit Texts(quint32 seed) : random_(seed) {}

    QString next() {
        static const QStringList pieces{
            "0",     "1",    "2",     "9",   "10",      "12",       "80",    "81",     "100",
            "254",   "255",  "256",   "500", "9999999", "10000000", "65535", "65536",  "430.225",
            "430.2", "0.5",  "1.5",   "2.5", "254.5",   "-1",       "+3",    "1e2",    "1E2",
            "2.5D1", ".5",   "5.",    " 7",  "7 ",      "\t8",      "1 2",   "1,5",    "0x10",
            "１２",  "ＡＢ", "abc",   "",    "-",       "e5",       "1e400", "1e-400", "3\n",
            "\x01",  "桌",   "Table", "厨房"};
        QString text;
        const int parts = random_.bounded(3) + 1;
        for (int i = 0; i < parts; ++i)
            text += pieces[random_.bounded(pieces.size())];
        if (random_.bounded(40) == 0)
            text = QString(random_.bounded(300, 3000), QLatin1Char('7'));
        if (random_.bounded(2) == 0) // often one piece: many texts then pass their checks
            text = pieces[random_.bounded(pieces.size())];
        return text;
    }
    int below(int n) { return random_.bounded(n); }

private:
    QRandomGenerator random_;
};

// The request's data in hex, or the text of the box shown instead.
Expected madeOf(const Encoded& encoded) {
    if (const auto* prepared = std::get_if<Prepared>(&encoded))
        return {hexText(prepared->data), {}};
    const auto& verdict = std::get<Verdict>(encoded);
    return {{}, verdict.box ? verdict.box->text : QStringLiteral("(no box)")};
}

} // namespace

class RandomTextsTest : public QObject {
    Q_OBJECT

private slots:
    void randomTexts() {
        const int asked = qEnvironmentVariableIntValue("CALLCFG_RANDOM_TEXT_ROUNDS");
        const int rounds = asked > 0 ? asked : 5000;
        const quint32 seed = quint32(qEnvironmentVariableIntValue("CALLCFG_RANDOM_TEXT_SEED"));
        Texts texts(seed ? seed : 20261207);
        int sent = 0;
        for (int round = 0; round < rounds; ++round) {
            const QString a = texts.next(), b = texts.next(), c = texts.next();
            const QString d = texts.below(2) ? QString() : texts.next();
            Encoded made;
            Expected expected;
            switch (texts.below(7)) {
            case 0:
                made = encodeDeletePager(a);
                expected = oneNumber(a, 254, "传呼号必须为1-254的数字！");
                break;
            case 1:
                made = encodeSetPager({a, b});
                expected = setPager(a, b);
                break;
            case 2:
                made = encodeDeleteTableCaller(a);
                expected = deleteTable(a);
                break;
            case 3:
                made = encodeSetTableCaller({a, {b, c, d}});
                expected = setTable(a, {b, c, d});
                break;
            case 4:
                made = encodeSetUrge(a);
                expected = oneNumber(a, 9, "催菜器号码必须为1-9的数字！");
                break;
            case 5:
                made = encodeTransmitterFrequency(a);
                expected = transmitter(a);
                break;
            default:
                made = encodeReceiverFrequency("315.6", 7, a);
                expected = receiverFrequency(a);
                break;
            }
            const Expected actual = madeOf(made);
            const QString what = QStringLiteral("round %1: [%2] [%3] [%4] [%5]: %6")
                                     .arg(round)
                                     .arg(a, b, c, d, actual.box + actual.data);
            QVERIFY2(actual.box == expected.box, qPrintable(what));
            QVERIFY2(actual.data == expected.data, qPrintable(what));
            sent += expected.box.isEmpty();
        }
        QVERIFY(sent > rounds / 10 && rounds - sent > rounds / 10);
    }
};

QTEST_MAIN(RandomTextsTest)
#include "randomtexts_test.moc"

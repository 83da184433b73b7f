// Random texts in the fields and editable lists of Form1, form5 and Form6, sent with the
// windows' own buttons against the simulated host unit: only the boxes the commands have
// appear, and a frame leaves only when the texts passed their checks, carrying exactly the
// numbers an independent reading of the texts gives. CALLCFG_INPUT_FUZZ_ROUNDS sets the number
// of rounds (default 120) and CALLCFG_INPUT_FUZZ_SEED the seed.

#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "endtoend.h"
#include "wire.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <optional>

using testsupport::EndToEnd;

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

// What a command must do with the texts: send this data, or show this box.
struct Expected {
    QString data; // hex of the frame's data when it is sent
    QString box;  // the box when nothing is sent
};

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

std::optional<double> inRange(const QString& text, double low, double high) {
    const auto value = numberOf(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

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

Expected setTable(const QString& table, const QStringList& pagers) {
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
        return {"", {}}; // the clear frame, after its confirmation
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
        return {"07", {}}; // 315.6 as chosen at load
    if (!numberOf(receiver))
        return {{}, "接收器频率写入失败!"};
    const auto v = inRange(receiver, 1, 80);
    if (!v)
        return {{}, "接收器号码必须为1-80的数字！"};
    return {hexText(Bytes{7, std::uint8_t(whole(*v))}), {}};
}

// Types the text over the list's own text, as an input method commits it.
void typeOver(QComboBox* list, const QString& text) {
    QLineEdit* line = list->lineEdit();
    line->selectAll();
    line->del();
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(line, &typed);
}

} // namespace

class InputFuzzTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EndToEnd> e2e;
    int sent = 0, refused = 0;

    // The data of the one frame the host unit received since the last look, or nothing.
    std::optional<QString> frameData() {
        const auto requests =
            e2e->host.withLine([](hostsim::HostLine& l) { return l.takeRequests(); });
        if (requests.empty())
            return std::nullopt;
        if (requests.size() != 1)
            return QStringLiteral("(%1 frames)").arg(requests.size());
        return hexText(requests.front().data);
    }

    // Clicks the button and compares what happened with what the texts call for.
    void check(QPushButton* button, const Expected& expected, const QString& inputs) {
        button->click();
        const auto boxes = e2e->boxes.take();
        const auto data = frameData();
        const QString what = inputs + QStringLiteral(" -> ") + (data ? *data : QString("-"));
        if (expected.box.isEmpty()) {
            QVERIFY2(data, qPrintable(what));
            QCOMPARE(*data, expected.data);
            ++sent;
        } else {
            QVERIFY2(!data, qPrintable(what));
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes.first().text, expected.box);
            ++refused;
        }
    }

private slots:
    void randomTexts() {
        const int asked = qEnvironmentVariableIntValue("CALLCFG_INPUT_FUZZ_ROUNDS");
        const int rounds = asked > 0 ? asked : 120;
        const quint32 seed = quint32(qEnvironmentVariableIntValue("CALLCFG_INPUT_FUZZ_SEED"));
        Texts texts(seed ? seed : 20261207);
        e2e = std::make_unique<EndToEnd>();
        e2e->host.withUnit(
            [](hostsim::HostUnit& u) { u.setDisplayType(hostsim::DisplayType::Voice); });
        callcfg::MainWindow& f = e2e->mainWindow();
        f.voicePromptsButton->click();
        f.handheldButton->click();
        callcfg::VoicePromptWindow* voiceWindow = e2e->program->callerWindows->voiceWindow();
        callcfg::HandheldCallerWindow* handheldWindow =
            e2e->program->callerWindows->handheldWindow();
        QVERIFY(voiceWindow && handheldWindow);

        for (int round = 0; round < rounds; ++round) {
            const QString a = texts.next(), b = texts.next(), c = texts.next(), d = texts.next();
            const QString inputs =
                QStringLiteral("round %1: [%2] [%3] [%4] [%5]").arg(round).arg(a, b, c, d);
            switch (texts.below(9)) {
            case 0:
                f.deletePagerEdit->setText(a);
                check(f.deletePagerButton,
                      oneNumber(f.deletePagerEdit->text(), 254, "传呼号必须为1-254的数字！"),
                      inputs);
                break;
            case 1:
                f.pagerNumberEdit->setText(a);
                f.addressCodeEdit->setText(b);
                check(f.setPagerButton,
                      setPager(f.pagerNumberEdit->text(), f.addressCodeEdit->text()), inputs);
                break;
            case 2:
                f.deleteTableEdit->setText(a);
                check(f.deleteTableButton, deleteTable(f.deleteTableEdit->text()), inputs);
                break;
            case 3:
                f.tableNumberEdit->setText(a);
                f.tablePagerEdits[0]->setText(b);
                f.tablePagerEdits[1]->setText(c);
                f.tablePagerEdits[2]->setText(texts.below(2) ? QString() : d);
                check(f.setTableButton,
                      setTable(f.tableNumberEdit->text(),
                               {f.tablePagerEdits[0]->text(), f.tablePagerEdits[1]->text(),
                                f.tablePagerEdits[2]->text()}),
                      inputs);
                break;
            case 4:
                f.setUrgeEdit->setText(a);
                check(f.setUrgeButton,
                      oneNumber(f.setUrgeEdit->text(), 9, "催菜器号码必须为1-9的数字！"), inputs);
                break;
            case 5:
                f.transmitterFrequencyEdit->setText(a);
                check(f.writeTransmitterButton, transmitter(f.transmitterFrequencyEdit->text()),
                      inputs);
                break;
            case 6:
                f.frequencyReceiverEdit->setText(a);
                check(f.writeReceiverFrequencyButton,
                      receiverFrequency(f.frequencyReceiverEdit->text()), inputs);
                break;
            case 7: // a typed word has no position; an emptied initiator sends 255
                typeOver(voiceWindow->initiatorList, a);
                check(voiceWindow->writeButton,
                      voiceWindow->initiatorList->currentText().isEmpty()
                          ? Expected{"00 FF 03 04 07", {}}
                          : Expected{{}, "设置呼叫器的语音提示类型失败!"},
                      inputs);
                voiceWindow->initiatorList->setCurrentIndex(2);
                voiceWindow->initiatorList->setCurrentIndex(1);
                break;
            default:
                typeOver(handheldWindow->byPagerPlaceList, a);
                check(handheldWindow->writeByPagerButton,
                      Expected{{}, "设置手持呼叫器的语音提示类型失败!"}, inputs);
                handheldWindow->byPagerPlaceList->setCurrentIndex(0);
                handheldWindow->byPagerPlaceList->setCurrentIndex(1);
                break;
            }
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%d rounds: %d frames sent, %d refused", rounds, sent, refused);
        QVERIFY(sent > rounds / 10 && refused > rounds / 10);
    }
};

QTEST_MAIN(InputFuzzTest)
#include "inputfuzz_test.moc"

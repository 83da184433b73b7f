// What each command makes of the controls' contents: the frame data, the input error
// box with its focus, or the command's failure for inputs that cannot be sent.

#include "commands/mode.h"
#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/repeater.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "commands/voice.h"
#include "expectedcommands.h"
#include "protocol/protocol.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;

namespace {

struct Expect {
    enum Kind { Sent, Refused, Unsent } kind = Sent;
    const Command* command = nullptr; // Sent: the description the frame belongs to
    QString data;                     // Sent: data bytes in hex
    QString text;                     // Refused: box text; Unsent: the failure box text
    QString focus;                    // Refused
};

} // namespace

// Declared before the first QFETCH that names them.
Q_DECLARE_METATYPE(Expect)
Q_DECLARE_METATYPE(PagerInput)
Q_DECLARE_METATYPE(TableCallerInput)
Q_DECLARE_METATYPE(VoiceInput)

namespace {

Expect sent(const Command& command, const char* data) {
    return {Expect::Sent, &command, QString::fromLatin1(data), {}, {}};
}
Expect refused(const char* text, const char* focus = "") {
    return {Expect::Refused, nullptr, {}, QString::fromUtf8(text), QString::fromLatin1(focus)};
}
Expect unsendable(const char* text) {
    return {Expect::Unsent, nullptr, {}, QString::fromUtf8(text), {}};
}

PagerInput pager(const char* number, const char* address, int type = 0, int rate = 1,
                 int polarity = 0, int tone = 0) {
    return {QString::fromUtf8(number), QString::fromUtf8(address), type, polarity, rate, tone};
}

TableCallerInput table(const char* number, const char* p1 = "", const char* p2 = "",
                       const char* p3 = "") {
    return {QString::fromUtf8(number),
            {QString::fromUtf8(p1), QString::fromUtf8(p2), QString::fromUtf8(p3)}};
}

// form5 in its initial state but for one drop-down and the two check boxes.
VoiceInput voiceWith(ComboChoice VoiceInput::*combo, const char* text, int position,
                     bool key2Enabled = true, bool key3Enabled = true) {
    VoiceInput input;
    input.*combo = {QString::fromUtf8(text), position};
    input.key2Enabled = key2Enabled;
    input.key3Enabled = key3Enabled;
    return input;
}

// Compares an encoding with the row's `expect` column.
void verify(const Encoded& result) {
    QFETCH(Expect, expect);
    switch (expect.kind) {
    case Expect::Sent: {
        const Prepared* frame = std::get_if<Prepared>(&result);
        QVERIFY2(frame, "expected a frame");
        QCOMPARE(frame->command, expect.command);
        QCOMPARE(hexText(frame->data), expect.data);
        break;
    }
    case Expect::Refused:
    case Expect::Unsent: {
        const Verdict* shown = std::get_if<Verdict>(&result);
        QVERIFY2(shown && shown->box, "expected a box instead of a frame");
        QCOMPARE(shown->box->text, expect.text);
        if (expect.kind == Expect::Unsent) // the command's own failure
            break;
        QCOMPARE(shown->box->title, QStringLiteral("错误"));
        QCOMPARE(int(shown->box->kind), 16);
        QCOMPARE(testsupport::formNameOf(shown->focus), expect.focus);
        break;
    }
    }
}

template <typename Input> void columns() {
    QTest::addColumn<Input>("input");
    QTest::addColumn<Expect>("expect");
}

} // namespace

class EncodersTest : public QObject {
    Q_OBJECT
private slots:
    void setPager_data();
    void setPager();
    void deletePager_data();
    void deletePager();
    void setTable_data();
    void setTable();
    void deleteTable_data();
    void deleteTable();
    void receiverNumber_data();
    void receiverNumber();
    void receiverFrequency_data();
    void receiverFrequency();
    void transmitter_data();
    void transmitter();
    void urge_data();
    void urge();
    void listChoices_data();
    void listChoices();
    void voice_data();
    void voice();
    void framesWithoutInput();
    void wireKnownAnswers();
};

void EncodersTest::setPager_data() {
    columns<PagerInput>();
    const Command& set = setPagerCommand();
    const char* badNumber = "传呼号必须为1-254的数字！";
    const char* badAddress = "地址码应为7位数字！";
    const char* failed = "设置传呼号失败!";

    QTest::newRow("254") << pager("254", "1234")
                         << sent(set, "02 36 00 02 00 00 00 00 01 02 03 04 00");
    QTest::newRow("255") << pager("255", "1") << refused(badNumber, "Text1(0)");
    QTest::newRow("0") << pager("0", "1") << refused(badNumber, "Text1(0)");
    QTest::newRow("letters") << pager("a1", "1") << refused(badNumber, "Text1(0)");
    QTest::newRow("number first") << pager("", "x") << refused(badNumber, "Text1(0)");
    QTest::newRow("254.5 compared unrounded")
        << pager("254.5", "0") << refused(badNumber, "Text1(0)");
    QTest::newRow("105") << pager("105", "0")
                         << sent(set, "01 05 00 02 00 00 00 00 00 00 00 00 00");
    QTest::newRow("199.6 rounded before split")
        << pager("199.6", "0") << sent(set, "02 00 00 02 00 00 00 00 00 00 00 00 00");
    QTest::newRow("2.5 to even") << pager("2.5", "0")
                                 << sent(set, "00 02 00 02 00 00 00 00 00 00 00 00 00");
    QTest::newRow("英文 2400") << pager("1", "0", 3, 2)
                               << sent(set, "00 01 01 01 00 00 00 00 00 00 00 00 00");
    QTest::newRow("数字标准 512") << pager("1", "0", 0, 0)
                                  << sent(set, "00 01 00 05 00 00 00 00 00 00 00 00 00");
    QTest::newRow("中文字符 2400")
        << pager("1", "0", 2, 2) << sent(set, "00 01 00 08 00 00 00 00 00 00 00 00 00");
    QTest::newRow("正 音调4") << pager("1", "0", 1, 0, 1, 3)
                              << sent(set, "00 01 00 04 01 00 00 00 00 00 00 00 03");
    QTest::newRow("no machine type") << pager("1", "0", -1) << unsendable(failed);
    QTest::newRow("no polarity") << pager("1", "0", 0, 1, -1) << unsendable(failed);
    QTest::newRow("address 9999999")
        << pager("1", "9999999") << sent(set, "00 01 00 02 00 09 09 09 09 09 09 09 00");
    QTest::newRow("address 10000000") << pager("1", "10000000") << refused(badAddress, "Text1(1)");
    QTest::newRow("address 12") << pager("1", "12")
                                << sent(set, "00 01 00 02 00 00 00 00 00 00 01 02 00");
    QTest::newRow("address 0000000")
        << pager("1", "0000000") << sent(set, "00 01 00 02 00 00 00 00 00 00 00 00 00");
    QTest::newRow("address 8 characters")
        << pager("1", "00001234") << refused(badAddress, "Text1(1)");
    QTest::newRow("address -1") << pager("1", "-1") << refused(badAddress, "Text1(1)");
    QTest::newRow("address empty") << pager("1", "") << refused(badAddress, "Text1(1)");
    QTest::newRow("address 12.5") << pager("1", "12.5") << unsendable(failed);
    QTest::newRow("address blank") << pager("1", " 12") << unsendable(failed);
    QTest::newRow("address sign") << pager("1", "+12") << unsendable(failed);
    QTest::newRow("address -0") << pager("1", "-0") << unsendable(failed);
    QTest::newRow("address exponent") << pager("1", "1e3") << unsendable(failed);
}

void EncodersTest::setPager() {
    QFETCH(PagerInput, input);
    verify(encodeSetPager(input));
}

void EncodersTest::deletePager_data() {
    columns<QString>();
    const Command& del = deletePagerCommand();
    const char* badNumber = "传呼号必须为1-254的数字！";
    QTest::newRow("254") << "254" << sent(del, "FE");
    QTest::newRow("105") << "105" << sent(del, "69");
    QTest::newRow("2.5") << "2.5" << sent(del, "02");
    QTest::newRow("255") << "255" << refused(badNumber, "Text4");
    QTest::newRow("0") << "0" << refused(badNumber, "Text4");
    QTest::newRow("empty") << "" << refused(badNumber, "Text4");
}

void EncodersTest::deletePager() {
    QFETCH(QString, input);
    verify(encodeDeletePager(input));
}

void EncodersTest::setTable_data() {
    columns<TableCallerInput>();
    const Command& set = setTableCallerCommand();
    const char* range = "餐桌号必须为1-65535的数字！";
    const char* badPager = "传呼号必须为1-255的数字！";
    QTest::newRow("65535") << table("65535") << sent(set, "00 FF FF FF FF FF");
    QTest::newRow("256") << table("256") << sent(set, "00 01 00 FF FF FF");
    QTest::newRow("1") << table("1") << sent(set, "00 00 01 FF FF FF");
    QTest::newRow("255.5 rounded before split") << table("255.5") << sent(set, "00 01 00 FF FF FF");
    QTest::newRow("0") << table("0") << refused(range, "Text3(0)");
    QTest::newRow("65536") << table("65536") << refused(range, "Text3(0)");
    QTest::newRow("65535.4") << table("65535.4") << refused(range, "Text3(0)");
    QTest::newRow("letters") << table("A12") << refused("餐桌号只能为数字！", "Text3(0)");
    QTest::newRow("empty") << table("") << refused("餐桌号只能为数字！", "Text3(0)");
    QTest::newRow("pagers") << table("7", "1", "255", "2.5") << sent(set, "00 00 07 01 FF 02");
    QTest::newRow("second pager 300") << table("7", "1", "300") << refused(badPager, "Text3(3)");
    QTest::newRow("first pager 0") << table("7", "0") << refused(badPager, "Text3(2)");
    QTest::newRow("third pager letters")
        << table("7", "", "", "x") << refused(badPager, "Text3(4)");
    QTest::newRow("blank pager") << table("7", " ") << refused(badPager, "Text3(2)");
    QTest::newRow("table first") << table("0", "300") << refused(range, "Text3(0)");
}

void EncodersTest::setTable() {
    QFETCH(TableCallerInput, input);
    verify(encodeSetTableCaller(input));
}

void EncodersTest::deleteTable_data() {
    columns<QString>();
    const Command& del = deleteTableCallerCommand();
    const char* range = "餐桌号码必须为1-65535的数字！";
    QTest::newRow("65535") << "65535" << sent(del, "FF FF");
    QTest::newRow("256") << "256" << sent(del, "01 00");
    QTest::newRow("1") << "1" << sent(del, "00 01");
    QTest::newRow("255.5") << "255.5" << sent(del, "01 00");
    QTest::newRow("0") << "0" << refused(range, "Text6");
    QTest::newRow("65536") << "65536" << refused(range, "Text6");
    QTest::newRow("letters") << "abc" << refused("餐桌号码只能为数字！", "Text6");
}

void EncodersTest::deleteTable() {
    QFETCH(QString, input);
    verify(encodeDeleteTableCaller(input));
}

void EncodersTest::receiverNumber_data() {
    columns<QString>();
    const Command& set = setReceiverNumberCommand();
    const char* bad = "接收器号码必须为01-80的数字！";
    QTest::newRow("80") << "80" << sent(set, "50");
    QTest::newRow("1") << "1" << sent(set, "01");
    QTest::newRow("81") << "81" << refused(bad, "Text2");
    QTest::newRow("0") << "0" << refused(bad, "Text2");
    QTest::newRow("letters") << "x" << refused(bad, "Text2");
    QTest::newRow("empty") << "" << refused(bad, "Text2");
}

void EncodersTest::receiverNumber() {
    QFETCH(QString, input);
    verify(encodeSetReceiverNumber(input));
}

void EncodersTest::receiverFrequency_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<Expect>("expect");
    const Command& set = receiverFrequencyCommand();
    const char* bad = "接收器号码必须为1-80的数字！";
    QTest::newRow("315.6 alone") << "315.6" << 7 << "" << sent(set, "07");
    QTest::newRow("315.6 receiver 12") << "315.6" << 7 << "12" << sent(set, "07 0C");
    QTest::newRow("314.2 receiver 80") << "314.2" << 0 << "80" << sent(set, "00 50");
    QTest::newRow("receiver 81") << "315.6" << 7 << "81" << refused(bad);
    QTest::newRow("receiver 0") << "315.6" << 7 << "0" << refused(bad);
    QTest::newRow("no frequency") << "" << -1 << "abc" << refused("请选择接收器的频率！");
    QTest::newRow("receiver abc") << "315.6" << 7 << "abc" << unsendable("接收器频率写入失败!");
    QTest::newRow("typed frequency") << "316" << -1 << "" << unsendable("接收器频率写入失败!");
}

void EncodersTest::receiverFrequency() {
    QFETCH(QString, frequency);
    QFETCH(int, position);
    QFETCH(QString, receiver);
    verify(encodeReceiverFrequency(frequency, position, receiver));
}

void EncodersTest::transmitter_data() {
    columns<QString>();
    const Command& set = setTransmitterCommand();
    const char* notMultiple = "频率值必须为12.5K的倍数！";
    const char* outOfBand = "频率值应在100到500之间！";
    QTest::newRow("430.225") << "430.225" << sent(set, "41 A5 AA");
    QTest::newRow("100") << "100" << sent(set, "0F 42 40");
    QTest::newRow("500") << "500" << sent(set, "4C 4B 40");
    QTest::newRow("430.2") << "430.2" << sent(set, "41 A4 B0");
    QTest::newRow("430.2125, an odd multiple of 12.5 kHz") << "430.2125" << sent(set, "41 A5 2D");
    QTest::newRow("430.201") << "430.201" << refused(notMultiple, "Text7");
    QTest::newRow("430.00125") << "430.00125" << refused(notMultiple, "Text7");
    QTest::newRow("99.9875") << "99.9875" << refused(outOfBand, "Text7");
    QTest::newRow("500.0125") << "500.0125" << refused(outOfBand, "Text7");
    QTest::newRow("letters") << "4x" << refused("频率值里不能输入非法数值!", "Text7");
    QTest::newRow("blank") << " " << refused("频率值里不能输入非法数值!", "Text7");
    QTest::newRow("empty clears") << "" << sent(clearTransmitterCommand(), "");
}

void EncodersTest::transmitter() {
    QFETCH(QString, input);
    verify(encodeTransmitterFrequency(input));
}

void EncodersTest::urge_data() {
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("input");
    QTest::addColumn<Expect>("expect");
    const char* bad = "催菜器号码必须为1-9的数字！";
    QTest::newRow("set 1") << false << "1" << sent(setUrgeCommand(), "01");
    QTest::newRow("set 9") << false << "9" << sent(setUrgeCommand(), "09");
    QTest::newRow("set 0") << false << "0" << refused(bad, "Text11");
    QTest::newRow("set 10") << false << "10" << refused(bad, "Text11");
    QTest::newRow("set letter") << false << "a" << refused(bad, "Text11");
    QTest::newRow("delete 9") << true << "9" << sent(deleteUrgeCommand(), "09");
    QTest::newRow("delete 8.5") << true << "8.5" << sent(deleteUrgeCommand(), "08");
    QTest::newRow("delete 10") << true << "10" << refused(bad, "Text5");
}

void EncodersTest::urge() {
    QFETCH(bool, deleting);
    QFETCH(QString, input);
    verify(deleting ? encodeDeleteUrge(input) : encodeSetUrge(input));
}

void EncodersTest::listChoices_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("input");
    QTest::addColumn<Expect>("expect");
    const char* handheldFailed = "设置手持呼叫器的语音提示类型失败!";
    QTest::newRow("单键模式1") << "Combo4" << 0 << sent(workModeCommand(), "00");
    QTest::newRow("单键模式0") << "Combo4" << 2 << sent(workModeCommand(), "02");
    QTest::newRow("no work mode") << "Combo4" << -1 << unsendable("工作模式设置失败！");
    QTest::newRow("数字") << "Combo3" << 0 << sent(digitalDisplayCommand(), "FF");
    QTest::newRow("语音") << "Combo3" << 1 << sent(voiceDisplayCommand(), "00");
    QTest::newRow("no display type") << "Combo3" << -1 << sent(voiceDisplayCommand(), "00");
    QTest::newRow("by table 服务台") << "Form6.Combo1" << 2 << sent(handheldByTableCommand(), "02");
    QTest::newRow("by pager 服务台") << "Form6.Combo2" << 2 << sent(handheldByPagerCommand(), "02");
    QTest::newRow("by table empty") << "Form6.Combo1" << -1 << unsendable(handheldFailed);
    QTest::newRow("by pager empty") << "Form6.Combo2" << -1 << unsendable(handheldFailed);
}

void EncodersTest::listChoices() {
    QFETCH(QString, list);
    QFETCH(int, input);
    if (list == QLatin1String("Combo4"))
        verify(encodeWorkMode(input));
    else if (list == QLatin1String("Combo3"))
        verify(encodeDisplayType(input));
    else if (list == QLatin1String("Form6.Combo1"))
        verify(encodeHandheldByTable(input));
    else
        verify(encodeHandheldByPager(input));
}

void EncodersTest::voice_data() {
    columns<VoiceInput>();
    const Command& set = voiceSettingsCommand();
    const char* failed = "设置呼叫器的语音提示类型失败!";
    const auto pronunciation = &VoiceInput::pronunciation;
    const auto initiator = &VoiceInput::initiator;
    const auto key1 = &VoiceInput::key1, key2 = &VoiceInput::key2, key3 = &VoiceInput::key3;
    QTest::newRow("initial") << VoiceInput{} << sent(set, "00 01 03 04 07");
    QTest::newRow("checks cleared")
        << voiceWith(key1, "点菜", 3, false, false) << sent(set, "00 01 03 FF FF");
    QTest::newRow("Callsfor") << voiceWith(key3, "Callsfor", 15) << sent(set, "00 01 03 04 0F");
    QTest::newRow("取消") << voiceWith(key1, "取消", 0) << sent(set, "00 01 00 04 07");
    QTest::newRow("英文发音") << voiceWith(pronunciation, "英文发音", 1)
                              << sent(set, "01 01 03 04 07");
    QTest::newRow("Table") << voiceWith(initiator, "Table", 8) << sent(set, "00 08 03 04 07");
    QTest::newRow("Check1 cleared, Combo4 typed")
        << voiceWith(key2, "随便", -1, false) << sent(set, "00 01 03 FF 07");
    QTest::newRow("Check1 cleared, Combo4 empty")
        << voiceWith(key2, "", -1, false) << sent(set, "00 01 03 FF 07");
    QTest::newRow("Combo2 emptied") << voiceWith(initiator, "", -1) << sent(set, "00 FF 03 04 07");
    QTest::newRow("Combo3 emptied") << voiceWith(key1, "", -1) << sent(set, "00 01 FF 04 07");
    QTest::newRow("Combo2 typed") << voiceWith(initiator, "桌子", -1) << unsendable(failed);
    QTest::newRow("Combo1 empty") << voiceWith(pronunciation, "", -1) << unsendable(failed);
    QTest::newRow("Combo5 typed, ticked") << voiceWith(key3, "x", -1) << unsendable(failed);
}

void EncodersTest::voice() {
    QFETCH(VoiceInput, input);
    verify(encodeVoiceSettings(input));
}

void EncodersTest::framesWithoutInput() {
    const std::pair<Encoded, const Command*> fixed[] = {
        {withoutData(initialiseReceiverCommand()), &initialiseReceiverCommand()},
        {withoutData(initialiseHostCommand()), &initialiseHostCommand()},
        {withoutData(writeRepeaterCommand()), &writeRepeaterCommand()},
        {withoutData(deleteRepeaterCommand()), &deleteRepeaterCommand()},
    };
    for (const auto& [encoded, command] : fixed) {
        const Prepared& frame = std::get<Prepared>(encoded);
        QCOMPARE(frame.command, command);
        QVERIFY(frame.data.empty());
    }
}

void EncodersTest::wireKnownAnswers() {
    auto wire = [](const Encoded& encoded) {
        const Request request = std::get<Prepared>(encoded).request();
        return hexText(protocol::requestWire(request.command, request.data));
    };
    VoiceInput cleared;
    cleared.key2Enabled = cleared.key3Enabled = false;
    QCOMPARE(wire(encodeVoiceSettings({})), "55 55 AA 01 14 05 00 01 03 04 07 D6");
    QCOMPARE(wire(encodeVoiceSettings(cleared)), "55 55 AA 01 14 05 00 01 03 FF FF E3");
    QCOMPARE(wire(encodeHandheldByTable(0)), "55 55 AA 01 15 01 00 E8");
    QCOMPARE(wire(encodeHandheldByPager(1)), "55 55 AA 01 16 01 01 E6");
    QCOMPARE(wire(withoutData(initialiseReceiverCommand())), "55 55 AA 01 08 00 F6");
    QCOMPARE(wire(withoutData(deleteRepeaterCommand())), "55 55 AA 01 07 00 F7");
}

QTEST_APPLESS_MAIN(EncodersTest)
#include "encoders_test.moc"

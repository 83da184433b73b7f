// Each command's description: code, waits, wait box, confirmation, failure box, and the
// box and focus for every kind of reply and for no reply.

#include "commands/mode.h"
#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/repeater.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "commands/voice.h"
#include "mainwindow/focusnames.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;

Q_DECLARE_METATYPE(const Command*)

namespace {

constexpr int kNoBox = 0, kNotice = 15, kError = 16;

// A reply given as its data bytes in hex, or "none" for no accepted reply.
void outcome(const char* name, const Command& command, const char* reply, int kind,
             const char* text = "", const char* title = "", const char* focus = "") {
    QTest::newRow(name) << &command << QString::fromLatin1(reply) << kind << QString::fromUtf8(text)
                        << QString::fromUtf8(title) << QString::fromLatin1(focus);
}

} // namespace

class OutcomesTest : public QObject {
    Q_OBJECT
private slots:
    void descriptions_data();
    void descriptions();
    void replies_data();
    void replies();
};

void OutcomesTest::descriptions_data() {
    QTest::addColumn<const Command*>("command");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("periods");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("waitBox");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("confirmTitle");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("failureFocus");

    auto add = [](const char* name, const Command& command, int code, int periods, double seconds,
                  const char* waitBox, const char* failure, const char* focus,
                  const char* confirmation = "", const char* confirmTitle = "") {
        QTest::newRow(name) << &command << code << periods << seconds
                            << QString::fromLatin1(waitBox) << QString::fromUtf8(confirmation)
                            << QString::fromUtf8(confirmTitle) << QString::fromUtf8(failure)
                            << QString::fromLatin1(focus);
    };
    add("set pager", setPagerCommand(), 0x01, 3, 1.0, "", "设置传呼号失败!", "Text1(0)");
    add("delete pager", deletePagerCommand(), 0x04, 2, 1.0, "", "删除传呼号失败!", "Text4");
    add("set table", setTableCallerCommand(), 0x03, 1, 3.0, "Form2 after", "设置餐桌号失败!",
        "Text3(0)");
    add("delete table", deleteTableCallerCommand(), 0x07, 1, 2.0, "", "删除餐桌号码失败!", "Text6");
    add("receiver number", setReceiverNumberCommand(), 0x02, 2, 1.0, "", "设置接收器号码失败!",
        "Text2");
    add("initialise receiver", initialiseReceiverCommand(), 0x08, 4, 1.0, "", "初始化接收器失败!",
        "");
    add("initialise host", initialiseHostCommand(), 0x09, 3, 1.0, "", "初始化主机失败!", "",
        "执行此操作将清除主机内存储的所有信息！！\r\n   您确认执行请按确定，否则请取消！",
        "注意！！");
    add("receiver frequency", receiverFrequencyCommand(), 0x0A, 3, 1.0, "", "接收器频率写入失败!",
        "");
    add("set transmitter", setTransmitterCommand(), 0x0B, 2, 1.0, "", "发射机频率写入失败!",
        "Text7");
    add("clear transmitter", clearTransmitterCommand(), 0x0B, 3, 1.5, "", "发射机频率写入失败!",
        "Text7", "不输入发射机频率值，将清除系统中对发射机的设置！\r\n是否继续？", "注意");
    add("set urge", setUrgeCommand(), 0x11, 1, 3.0, "Form4 after", "设置催菜器器号码失败!",
        "Text11");
    add("delete urge", deleteUrgeCommand(), 0x12, 2, 1.0, "", "删除催菜器器号码失败!", "Text5");
    add("write repeater", writeRepeaterCommand(), 0x03, 1, 3.0, "Form2 after",
        "设置转发器内容失败！", "Command16");
    add("delete repeater", deleteRepeaterCommand(), 0x07, 1, 3.0, "Form2 before",
        "删除转发器内容失败!", "Command17");
    add("work mode", workModeCommand(), 0x17, 3, 1.0, "", "工作模式设置失败！", "");
    add("display digital", digitalDisplayCommand(), 0x13, 2, 1.0, "", "设置信息机类型失败!", "");
    add("display voice", voiceDisplayCommand(), 0x13, 2, 1.0, "", "设置信息机类型失败!", "");
    add("voice settings", voiceSettingsCommand(), 0x14, 2, 1.0, "", "设置呼叫器的语音提示类型失败!",
        "");
    add("handheld by table", handheldByTableCommand(), 0x15, 2, 1.0, "",
        "设置手持呼叫器的语音提示类型失败!", "");
    add("handheld by pager", handheldByPagerCommand(), 0x16, 2, 1.0, "",
        "设置手持呼叫器的语音提示类型失败!", "");
}

void OutcomesTest::descriptions() {
    QFETCH(const Command*, command);
    QFETCH(int, code);
    QFETCH(int, periods);
    QFETCH(double, seconds);
    QFETCH(QString, waitBox);
    QFETCH(QString, confirmation);
    QFETCH(QString, confirmTitle);
    QFETCH(QString, failure);
    QFETCH(QString, failureFocus);

    QCOMPARE(command->code, code);
    QCOMPARE(command->wait.periods, periods);
    QCOMPARE(command->wait.seconds, seconds);

    QString box;
    if (command->waitBox == WaitBoxKind::Caller)
        box = QStringLiteral("Form2");
    else if (command->waitBox == WaitBoxKind::Urge)
        box = QStringLiteral("Form4");
    if (!box.isEmpty())
        box += command->waitBoxBeforeSend ? QStringLiteral(" before") : QStringLiteral(" after");
    QCOMPARE(box, waitBox);

    QCOMPARE(command->confirmation.has_value(), !confirmation.isEmpty());
    if (command->confirmation) {
        QCOMPARE(int(command->confirmation->kind), 17);
        QCOMPARE(command->confirmation->text, confirmation);
        QCOMPARE(command->confirmation->title, confirmTitle);
    }

    QVERIFY(command->failure.box);
    QCOMPARE(int(command->failure.box->kind), kError);
    QCOMPARE(command->failure.box->text, failure);
    QCOMPARE(command->failure.box->title, QStringLiteral("错误"));
    QCOMPARE(focusObjectName(command->failure.focus), failureFocus);
}

void OutcomesTest::replies_data() {
    QTest::addColumn<const Command*>("command");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");

    const char* timeout = "超时没有返回数据!!";
    const char* lengthError = "返回数据长度错误";

    const Command& setPager = setPagerCommand();
    outcome("set pager ok", setPager, "", kNotice, "设置传呼号成功！", "OK", "Text1(0)");
    outcome("set pager data", setPager, "00", kNotice, lengthError, "错误");
    outcome("set pager none", setPager, "none", kError, timeout, "错误", "Text1(0)");

    const Command& delPager = deletePagerCommand();
    outcome("delete pager ok", delPager, "", kNotice, "删除传呼号成功！", "OK", "Text4");
    outcome("delete pager unknown", delPager, "01", kNotice, "无此传呼号！", "注意", "Text4");
    outcome("delete pager data error", delPager, "07", kNotice, "返回数据错误", "错误", "Text4");
    outcome("delete pager length", delPager, "01 01", kNotice, lengthError, "错误", "Text4");
    outcome("delete pager none", delPager, "none", kError,
            "删除传呼号失败，请检查与通讯端口的连接情况！", "错误", "Text4");

    const Command& setTable = setTableCallerCommand();
    outcome("set table ok", setTable, "00 00 00", kNotice, "设置餐桌号成功！", "OK", "Text3(0)");
    outcome("set table full", setTable, "", kError, "接收器记忆区已经存满，无法写入！", "错误",
            "Text3(0)");
    outcome("set table length", setTable, "01", kNotice, lengthError, "错误");
    outcome("set table none", setTable, "none", kError, timeout, "错误", "Text3(0)");

    const Command& delTable = deleteTableCallerCommand();
    outcome("delete table ok", delTable, "", kNotice, "删除餐桌号码成功！", "OK", "Text6");
    outcome("delete table status 1", delTable, "01", kError,
            "没有与餐桌号对应的呼叫器或接收器与主机连接不正常！！", "错误", "Text6");
    outcome("delete table status 2", delTable, "02", kError, "不存在此餐桌号码！！", "注意",
            "Text6");
    outcome("delete table status 3", delTable, "03", kNoBox);
    outcome("delete table status 0", delTable, "00", kNoBox);
    outcome("delete table length", delTable, "01 02", kNotice, lengthError, "错误", "Text6");
    outcome("delete table none", delTable, "none", kError, timeout, "错误", "Text6");

    const Command& receiver = setReceiverNumberCommand();
    outcome("receiver ok", receiver, "", kNotice, "设置接收器号码成功！", "OK", "Text2");
    outcome("receiver length", receiver, "00", kNotice, lengthError, "错误");
    outcome("receiver none", receiver, "none", kError, timeout, "错误", "Text2");

    const Command& initReceiver = initialiseReceiverCommand();
    outcome("init receiver ok", initReceiver, "", kNotice, "初始化接收器成功！", "OK");
    outcome("init receiver length", initReceiver, "00", kNotice, lengthError, "错误");
    outcome("init receiver none", initReceiver, "none", kError, timeout, "错误");

    const Command& initHost = initialiseHostCommand();
    outcome("init host ok", initHost, "", kNotice, "初始化主机成功！", "OK");
    outcome("init host length", initHost, "00", kNotice, "返回数据长度错误！", "错误");
    outcome("init host none", initHost, "none", kError, "超时没有返回数据！", "错误");

    const Command& frequency = receiverFrequencyCommand();
    outcome("frequency ok", frequency, "", kNotice, "接收器频率写入成功！", "OK");
    outcome("frequency length", frequency, "00", kNotice, lengthError, "错误");
    outcome("frequency none", frequency, "none", kError, timeout, "错误");

    const Command& setTx = setTransmitterCommand();
    outcome("transmitter ok", setTx, "", kNotice, "发射机频率写入成功！", "OK", "Text7");
    outcome("transmitter length", setTx, "00", kNotice, lengthError, "错误");
    outcome("transmitter none", setTx, "none", kError, timeout, "错误", "Text7");
    const Command& clearTx = clearTransmitterCommand();
    outcome("clear ok", clearTx, "", kNotice, "发射机设置清除成功！", "OK", "Text7");
    outcome("clear length", clearTx, "00", kNotice, lengthError, "错误");
    outcome("clear none", clearTx, "none", kError, timeout, "错误", "Text7");

    const Command& setUrge = setUrgeCommand();
    outcome("set urge ok", setUrge, "00 00", kNotice, "设置催菜器号码成功！", "OK", "Text11");
    outcome("set urge length 0", setUrge, "", kNotice, lengthError, "错误");
    outcome("set urge length 1", setUrge, "00", kNotice, lengthError, "错误");
    outcome("set urge length 3", setUrge, "00 00 00", kNotice, lengthError, "错误");
    outcome("set urge none", setUrge, "none", kError, timeout, "错误", "Text11");
    const Command& delUrge = deleteUrgeCommand();
    outcome("delete urge ok", delUrge, "", kNotice, "删除催菜器号码成功！", "OK", "Text5");
    outcome("delete urge length 2", delUrge, "00 00", kNotice, lengthError, "错误");
    outcome("delete urge none", delUrge, "none", kError, timeout, "错误", "Text5");

    const Command& writeRep = writeRepeaterCommand();
    outcome("write repeater ok", writeRep, "00 00 00", kNotice, "设置转发器成功！", "OK",
            "Command16");
    outcome("write repeater full", writeRep, "", kError, "转发器记忆区已经存满，无法写入！", "错误",
            "Command16");
    outcome("write repeater length", writeRep, "01", kNotice, "返回数据长度错误！", "错误");
    outcome("write repeater none", writeRep, "none", kError, "超时没有返回数据！", "错误",
            "Command16");
    const Command& delRep = deleteRepeaterCommand();
    outcome("delete repeater ok", delRep, "", kNotice, "删除转发器内容成功！", "OK", "Command17");
    outcome("delete repeater unknown", delRep, "01", kError, "转发器中无此呼叫器！", "错误",
            "Command17");
    outcome("delete repeater empty", delRep, "00", kError, "转发器内容为空！", "错误", "Command17");
    outcome("delete repeater status 2", delRep, "02", kNotice, lengthError, "错误", "Command17");
    outcome("delete repeater length", delRep, "01 01", kNotice, lengthError, "错误", "Command17");
    outcome("delete repeater none", delRep, "none", kError, timeout, "错误", "Command17");

    const Command& mode = workModeCommand();
    outcome("work mode ok", mode, "", kNotice, "设置工作模式成功！", "OK");
    outcome("work mode length", mode, "00", kError, lengthError, "错误");
    outcome("work mode none", mode, "none", kError, timeout, "错误");
    outcome("digital ok", digitalDisplayCommand(), "", kNotice, "信息机类型设为数字机！", "OK");
    outcome("voice ok", voiceDisplayCommand(), "", kNotice, "信息机类型设为语音机！", "OK");
    outcome("display length", digitalDisplayCommand(), "00", kNotice, lengthError, "错误");
    outcome("display none", voiceDisplayCommand(), "none", kError, timeout, "错误");

    const char* digitalUnit = "当前信息机类型为数字机，设置失败！";
    const Command& voice = voiceSettingsCommand();
    outcome("voice settings ok", voice, "", kNotice, "语音信息机中关于呼叫器的设置成功！", "OK");
    outcome("voice settings digital", voice, "FF", kNotice, digitalUnit, "ERR");
    outcome("voice settings none", voice, "none", kError, timeout, "错误");
    for (const Command* handheld : {&handheldByTableCommand(), &handheldByPagerCommand()}) {
        const bool table = handheld == &handheldByTableCommand();
        outcome(table ? "by table ok" : "by pager ok", *handheld, "", kNotice, "设置成功！", "OK");
        outcome(table ? "by table digital" : "by pager digital", *handheld, "00", kNotice,
                digitalUnit, "ERR");
        outcome(table ? "by table none" : "by pager none", *handheld, "none", kError, timeout,
                "错误");
    }
}

void OutcomesTest::replies() {
    QFETCH(const Command*, command);
    QFETCH(QString, reply);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, focus);

    const Bytes bytes = hexBytes(reply);
    std::optional<std::span<const std::uint8_t>> data;
    if (reply != QLatin1String("none"))
        data = bytes;

    const Verdict verdict = judge(*command, data);
    QCOMPARE(verdict.box.has_value(), kind != kNoBox);
    if (verdict.box) {
        QCOMPARE(int(verdict.box->kind), kind);
        QCOMPARE(verdict.box->text, text);
        QCOMPARE(verdict.box->title, title);
    }
    QCOMPARE(focusObjectName(verdict.focus), focus);
}

QTEST_APPLESS_MAIN(OutcomesTest)
#include "outcomes_test.moc"

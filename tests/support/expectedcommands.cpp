#include "expectedcommands.h"

#include "commands/mode.h"
#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/repeater.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "commands/voice.h"
#include "protocol/commands.h"

#include <QHash>

#include <algorithm>
#include <string_view>

namespace testsupport {

namespace P = callcfg::protocol;
using Tool = const callcfg::Command& (*)();

namespace {

ExpectedBox error(const char* text, const char* focus = "", const char* title = "错误") {
    return {16, QString::fromUtf8(title), QString::fromUtf8(text), QString::fromLatin1(focus)};
}
ExpectedBox notice(const char* text, const char* title, const char* focus = "") {
    return {15, QString::fromUtf8(title), QString::fromUtf8(text), QString::fromLatin1(focus)};
}
ExpectedBox ok(const char* text, const char* focus = "") {
    return notice(text, "OK", focus);
}
ExpectedBox lengthError(const char* focus = "") {
    return notice("返回数据长度错误", "错误", focus);
}
ExpectedBox timeout(const char* focus = "") {
    return error("超时没有返回数据!!", focus);
}

// Most commands: success on a reply of `length` data bytes, the length error (which keeps the
// focus) on any other, the time-out on none; every other box focuses `focus`.
ExpectedCommand usual(const char* name, Tool tool, std::uint8_t code, int periods, double seconds,
                      const char* success, const char* failure, const char* focus = "",
                      int length = 0) {
    return {name,
            tool,
            code,
            periods,
            seconds,
            "",
            {},
            {},
            {{length, -1, ok(success, focus)}, {-1, -1, lengthError()}},
            timeout(focus),
            error(failure, focus)};
}

// The caller settings of a voice display unit, which a digital one refuses.
ExpectedCommand callerSetting(const char* name, Tool tool, std::uint8_t code, const char* success,
                              const char* failure) {
    return {name,
            tool,
            code,
            2,
            1.0,
            "",
            {},
            {},
            {{0, -1, ok(success)}, {-1, -1, notice("当前信息机类型为数字机，设置失败！", "ERR")}},
            timeout(),
            error(failure)};
}

} // namespace

QString formNameOf(callcfg::Focus role) {
    using F = callcfg::Focus;
    static const QHash<F, QString> names{{F::PagerNumber, "Text1(0)"},
                                         {F::AddressCode, "Text1(1)"},
                                         {F::DeletePagerNumber, "Text4"},
                                         {F::TableNumber, "Text3(0)"},
                                         {F::TablePager1, "Text3(2)"},
                                         {F::TablePager2, "Text3(3)"},
                                         {F::TablePager3, "Text3(4)"},
                                         {F::DeleteTableNumber, "Text6"},
                                         {F::ReceiverNumber, "Text2"},
                                         {F::TransmitterFrequency, "Text7"},
                                         {F::UrgeNumber, "Text11"},
                                         {F::DeleteUrgeNumber, "Text5"},
                                         {F::WriteRepeaterButton, "Command16"},
                                         {F::DeleteRepeaterButton, "Command17"}};
    return names.value(role);
}

const ExpectedBox& ExpectedCommand::boxFor(std::span<const std::uint8_t> reply) const {
    static const ExpectedBox none;
    for (const ExpectedReply& row : replies)
        if ((row.length < 0 || std::size_t(row.length) == reply.size()) &&
            (row.firstByte < 0 || (!reply.empty() && reply[0] == row.firstByte)))
            return row.box;
    return none;
}

const std::vector<ExpectedCommand>& expectedCommands() {
    static const std::vector<ExpectedCommand> commands = [] {
        std::vector<ExpectedCommand> s;
        s.push_back(usual("set pager", callcfg::setPagerCommand, P::kSetPager, 3, 1.0,
                          "设置传呼号成功！", "设置传呼号失败!", "Text1(0)"));
        s.push_back({"delete pager",
                     callcfg::deletePagerCommand,
                     P::kDeletePager,
                     2,
                     1.0,
                     "",
                     {},
                     {},
                     {{0, -1, ok("删除传呼号成功！", "Text4")},
                      {1, 0x01, notice("无此传呼号！", "注意", "Text4")},
                      {1, -1, notice("返回数据错误", "错误", "Text4")},
                      {-1, -1, lengthError("Text4")}},
                     error("删除传呼号失败，请检查与通讯端口的连接情况！", "Text4"),
                     error("删除传呼号失败!", "Text4")});
        s.push_back({"set table caller",
                     callcfg::setTableCallerCommand,
                     P::kSetTableCaller,
                     1,
                     3.0,
                     "Form2 after",
                     {},
                     {},
                     {{3, -1, ok("设置餐桌号成功！", "Text3(0)")},
                      {0, -1, error("接收器记忆区已经存满，无法写入！", "Text3(0)")},
                      {-1, -1, lengthError()}},
                     timeout("Text3(0)"),
                     error("设置餐桌号失败!", "Text3(0)")});
        s.push_back(
            {"delete table caller",
             callcfg::deleteTableCallerCommand,
             P::kDeleteTableCaller,
             1,
             2.0,
             "",
             {},
             {},
             {{0, -1, ok("删除餐桌号码成功！", "Text6")},
              {1, 0x01, error("没有与餐桌号对应的呼叫器或接收器与主机连接不正常！！", "Text6")},
              {1, 0x02, error("不存在此餐桌号码！！", "Text6", "注意")},
              {1, -1, {}},
              {-1, -1, lengthError("Text6")}},
             timeout("Text6"),
             error("删除餐桌号码失败!", "Text6")});
        s.push_back(usual("set receiver number", callcfg::setReceiverNumberCommand,
                          P::kSetReceiverNumber, 2, 1.0, "设置接收器号码成功！",
                          "设置接收器号码失败!", "Text2"));
        s.push_back(usual("initialise receiver", callcfg::initialiseReceiverCommand,
                          P::kInitialiseReceiver, 4, 1.0, "初始化接收器成功！",
                          "初始化接收器失败!"));
        s.push_back(
            {"initialise host unit",
             callcfg::initialiseHostCommand,
             P::kInitialiseHost,
             3,
             1.0,
             "",
             QStringLiteral("执行此操作将清除主机内存储的所有信息！！\r\n"
                            "   您确认执行请按确定，否则请取消！"),
             QStringLiteral("注意！！"),
             {{0, -1, ok("初始化主机成功！")}, {-1, -1, notice("返回数据长度错误！", "错误")}},
             error("超时没有返回数据！"),
             error("初始化主机失败!")});
        s.push_back(usual("receiver frequency", callcfg::receiverFrequencyCommand,
                          P::kSetReceiverFrequency, 3, 1.0, "接收器频率写入成功！",
                          "接收器频率写入失败!"));
        s.push_back(usual("transmitter frequency", callcfg::setTransmitterCommand,
                          P::kSetTransmitterFrequency, 2, 1.0, "发射机频率写入成功！",
                          "发射机频率写入失败!", "Text7"));
        ExpectedCommand clear = usual("clear transmitter", callcfg::clearTransmitterCommand,
                                      P::kSetTransmitterFrequency, 3, 1.5, "发射机设置清除成功！",
                                      "发射机频率写入失败!", "Text7");
        clear.confirmation =
            QStringLiteral("不输入发射机频率值，将清除系统中对发射机的设置！\r\n是否继续？");
        clear.confirmationTitle = QStringLiteral("注意");
        s.push_back(clear);
        ExpectedCommand setUrge =
            usual("set urge unit", callcfg::setUrgeCommand, P::kSetUrgeUnit, 1, 3.0,
                  "设置催菜器号码成功！", "设置催菜器器号码失败!", "Text11", 2);
        setUrge.waitBox = "Form4 after";
        s.push_back(setUrge);
        s.push_back(usual("delete urge unit", callcfg::deleteUrgeCommand, P::kDeleteUrgeUnit, 2,
                          1.0, "删除催菜器号码成功！", "删除催菜器器号码失败!", "Text5"));
        s.push_back({"write repeater",
                     callcfg::writeRepeaterCommand,
                     P::kWriteRepeater,
                     1,
                     3.0,
                     "Form2 after",
                     {},
                     {},
                     {{3, -1, ok("设置转发器成功！", "Command16")},
                      {0, -1, error("转发器记忆区已经存满，无法写入！", "Command16")},
                      {-1, -1, notice("返回数据长度错误！", "错误")}},
                     error("超时没有返回数据！", "Command16"),
                     error("设置转发器内容失败！", "Command16")});
        s.push_back({"delete repeater",
                     callcfg::deleteRepeaterCommand,
                     P::kDeleteRepeater,
                     1,
                     3.0,
                     "Form2 before",
                     {},
                     {},
                     {{0, -1, ok("删除转发器内容成功！", "Command17")},
                      {1, 0x01, error("转发器中无此呼叫器！", "Command17")},
                      {1, 0x00, error("转发器内容为空！", "Command17")},
                      {-1, -1, lengthError("Command17")}},
                     timeout("Command17"),
                     error("删除转发器内容失败!", "Command17")});
        ExpectedCommand mode = usual("work mode", callcfg::workModeCommand, P::kSetWorkMode, 3, 1.0,
                                     "设置工作模式成功！", "工作模式设置失败！");
        mode.replies.back().box = error("返回数据长度错误"); // an error box, unlike the others
        s.push_back(mode);
        s.push_back(usual("digital display", callcfg::digitalDisplayCommand, P::kSetDisplayType, 2,
                          1.0, "信息机类型设为数字机！", "设置信息机类型失败!"));
        s.push_back(usual("voice display", callcfg::voiceDisplayCommand, P::kSetDisplayType, 2, 1.0,
                          "信息机类型设为语音机！", "设置信息机类型失败!"));
        s.push_back(callerSetting("voice prompts", callcfg::voiceSettingsCommand,
                                  P::kSetVoicePrompts, "语音信息机中关于呼叫器的设置成功！",
                                  "设置呼叫器的语音提示类型失败!"));
        for (auto [name, tool, code] :
             {std::tuple{"handheld by table", &callcfg::handheldByTableCommand,
                         P::kHandheldModeByTable},
              std::tuple{"handheld by pager", &callcfg::handheldByPagerCommand,
                         P::kHandheldModeByPager}})
            s.push_back(
                callerSetting(name, tool, code, "设置成功！", "设置手持呼叫器的语音提示类型失败!"));
        return s;
    }();
    return commands;
}

const std::vector<ExpectedRequest>& windowRequests() {
    static const std::vector<ExpectedRequest> requests = [] {
        std::vector<ExpectedRequest> s;
        const auto sentFrom = [&s](const char* name, const char* button, QStringList inputs,
                                   const char* wire, std::vector<FieldRow> fields = {},
                                   bool deletes = false) {
            const auto& all = expectedCommands();
            const auto command = std::find_if(
                all.begin(), all.end(), [&](auto& c) { return std::string_view(c.name) == name; });
            if (command == all.end())
                qFatal("no command named %s", name);
            s.push_back({&*command, button, std::move(inputs), QString::fromLatin1(wire), deletes,
                         std::move(fields)});
        };
        const QString set = "55 55 AA 01 01 0D ";
        const ExpectedBox pagerRange = error("传呼号必须为1-254的数字！", "Text1(0)");
        sentFrom("set pager", "Command1", {"Text1(0)=105", "Text1(1)=12"},
                 "55 55 AA 01 01 0D 01 05 00 02 00 00 00 00 00 00 01 02 00 E5",
                 {{"pager 254",
                   {"Text1(0)=254", "Text1(1)=1234567"},
                   set + "02 36 00 02 00 01 02 03 04 05 06 07 00 9A"},
                  {"mode 11, 正, 音调4",
                   {"Text1(0)=1", "Text1(1)=7654321", "Combo1(0)=英文", "Combo1(1)=正",
                    "Combo1(2)=2400", "Combo1(3)=音调4"},
                   set + "00 01 01 01 01 07 06 05 04 03 02 01 03 CD"},
                  {"pager 255", {"Text1(0)=255"}, "", pagerRange},
                  {"address 10000000",
                   {"Text1(1)=10000000"},
                   "",
                   error("地址码应为7位数字！", "Text1(1)")},
                  {"address 12.5", {"Text1(1)=12.5"}, "", error("设置传呼号失败!", "Text1(0)")}});
        sentFrom("delete pager", "Command4", {"Text4=105"}, "55 55 AA 01 04 01 69 90",
                 {{"deleted 254", {"Text4=254"}, "55 55 AA 01 04 01 FE FB", {}, "forceData"},
                  {"255", {"Text4=255"}, "", error("传呼号必须为1-254的数字！", "Text4")}},
                 true);
        const ExpectedBox tablePagerRange = error("传呼号必须为1-255的数字！");
        const auto onTablePager = [&](const char* focus) {
            ExpectedBox box = tablePagerRange;
            box.focus = QString::fromLatin1(focus);
            return box;
        };
        sentFrom(
            "set table caller", "Command3", {"Text3(0)=7"},
            "55 55 AA 01 03 06 00 00 07 FF FF FF F1",
            {{"table 65535, pagers 1 2 3",
              {"Text3(0)=65535", "Text3(2)=1", "Text3(3)=2", "Text3(4)=3"},
              "55 55 AA 01 03 06 00 FF FF 01 02 03 F1"},
             {"pagers 5 and 2.5, receiver box not read",
              {"Text3(0)=1", "Text3(1)=abc", "Text3(2)=5", "Text3(3)=2.5"},
              "55 55 AA 01 03 06 00 00 01 05 02 FF EE"},
             {"table 0", {"Text3(0)=0"}, "", error("餐桌号必须为1-65535的数字！", "Text3(0)")},
             {"second pager 300", {"Text3(2)=5", "Text3(3)=300"}, "", onTablePager("Text3(3)")},
             {"first pager letters", {"Text3(2)=x", "Text3(3)=300"}, "", onTablePager("Text3(2)")},
             {"third pager 0", {"Text3(4)=0"}, "", onTablePager("Text3(4)")}});
        sentFrom("delete table caller", "Command5", {"Text6=7"}, "55 55 AA 01 07 02 00 07 EE",
                 {{"deleted 65535", {"Text6=65535"}, "55 55 AA 01 07 02 FF FF F7", {}, "forceData"},
                  {"0", {"Text6=0"}, "", error("餐桌号码必须为1-65535的数字！", "Text6")},
                  {"letters", {"Text6=seven"}, "", error("餐桌号码只能为数字！", "Text6")}},
                 true);
        sentFrom("set receiver number", "Command2", {"Text2=1"}, "55 55 AA 01 02 01 01 FA",
                 {{"80", {"Text2=80"}, "55 55 AA 01 02 01 50 AB"},
                  {"81", {"Text2=81"}, "", error("接收器号码必须为01-80的数字！", "Text2")}});
        sentFrom("initialise receiver", "Command6", {}, "55 55 AA 01 08 00 F6");
        sentFrom("initialise host unit", "Command7", {}, "55 55 AA 01 09 00 F5");
        sentFrom(
            "receiver frequency", "Command13", {}, "55 55 AA 01 0A 01 07 EC",
            {{"314.2 for receiver 80", {"Combo2=314.2", "Text10=80"}, "55 55 AA 01 0A 02 00 50 A2"},
             {"receiver 81", {"Text10=81"}, "", error("接收器号码必须为1-80的数字！")},
             {"frequency emptied", {"Combo2=", "Text10=x"}, "", error("请选择接收器的频率！")},
             {"frequency typed over", {"Combo2=315.7"}, "", error("接收器频率写入失败!")}});
        sentFrom("transmitter frequency", "Command14", {"Text7=100"},
                 "55 55 AA 01 0B 03 0F 42 40 5F",
                 {{"430.225", {"Text7=430.225"}, "55 55 AA 01 0B 03 41 A5 AA 60"},
                  {"430.201", {"Text7=430.201"}, "", error("频率值必须为12.5K的倍数！", "Text7")}});
        sentFrom("clear transmitter", "Command14", {}, "55 55 AA 01 0B 00 F3");
        sentFrom(
            "set urge unit", "Command19", {"Text11=1"}, "55 55 AA 01 11 01 01 EB",
            {{"9", {"Text11=9"}, "55 55 AA 01 11 01 09 E3"},
             {"0", {"Text11=0"}, "", error("催菜器号码必须为1-9的数字！", "Text11")},
             {"reply length 0", {}, "55 55 AA 01 11 01 01 EB", lengthError(), "wrongLength 0"}});
        sentFrom("delete urge unit", "Command10", {"Text5=9"}, "55 55 AA 01 12 01 09 E2",
                 {{"1", {"Text5=1"}, "55 55 AA 01 12 01 01 EA"},
                  {"10", {"Text5=10"}, "", error("催菜器号码必须为1-9的数字！", "Text5")}});
        sentFrom("write repeater", "Command16", {}, "55 55 AA 01 03 00 FB");
        sentFrom("delete repeater", "Command17", {}, "55 55 AA 01 07 00 F7", {}, true);
        sentFrom("work mode", "Command11", {}, "55 55 AA 01 17 01 01 E5",
                 {{"单键模式0", {"Combo4=单键模式0"}, "55 55 AA 01 17 01 02 E4"}});
        sentFrom("digital display", "Command20", {}, "55 55 AA 01 13 01 FF EB");
        sentFrom("voice display", "Command20", {"Combo3=语音"}, "55 55 AA 01 13 01 00 EA");
        sentFrom("voice prompts", "form5/Command1", {}, "55 55 AA 01 14 05 00 01 03 04 07 D6");
        sentFrom("handheld by table", "Form6/Command1", {}, "55 55 AA 01 15 01 00 E8");
        sentFrom("handheld by pager", "Form6/Command2", {}, "55 55 AA 01 16 01 01 E6");
        const auto enterIn = [&s](const char* name, QStringList fields) {
            std::find_if(s.begin(), s.end(), [&](auto& r) {
                return std::string_view(r.command->name) == name;
            })->enterFields = std::move(fields);
        };
        enterIn("set pager",
                {"Text1(0)", "Text1(1)", "Combo1(0)", "Combo1(1)", "Combo1(2)", "Combo1(3)"});
        enterIn("delete pager", {"Text4"});
        enterIn("set table caller", {"Text3(0)", "Text3(2)", "Text3(3)", "Text3(4)"});
        enterIn("delete table caller", {"Text6"});
        enterIn("set receiver number", {"Text2"});
        enterIn("receiver frequency", {"Text10", "Combo2"});
        enterIn("transmitter frequency", {"Text7"});
        enterIn("set urge unit", {"Text11"});
        enterIn("delete urge unit", {"Text5"});
        enterIn("digital display", {"Combo3"});
        return s;
    }();
    return requests;
}

} // namespace testsupport

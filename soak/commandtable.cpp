#include "commandtable.h"

namespace soak {

QString CommandEntry::boxFor(const Bytes& reply) const {
    for (const ReplyRow& row : replies)
        if ((row.length < 0 || std::size_t(row.length) == reply.size()) &&
            (row.firstByte < 0 || (!reply.empty() && reply[0] == row.firstByte)))
            return row.box;
    return {};
}

namespace {

const QString kTimeout = QStringLiteral("超时没有返回数据!!");
const QString kTimeoutFull = QStringLiteral("超时没有返回数据！");
const QString kLength = QStringLiteral("返回数据长度错误");
const QString kLengthFull = QStringLiteral("返回数据长度错误！");
const QString kDigital = QStringLiteral("当前信息机类型为数字机，设置失败！");

// A command that answers success with `length` data bytes and a length error otherwise.
CommandEntry plain(const char* name, std::uint8_t code, double wait, const QString& success,
                   const QString& failure, int length = 0) {
    return {name, code, wait, {}, {{length, -1, success}, {-1, -1, kLength}}, kTimeout, failure};
}

} // namespace

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> entries = [] {
        std::vector<CommandEntry> s;
        s.push_back(plain("set pager", 0x01, 3, QStringLiteral("设置传呼号成功！"),
                          QStringLiteral("设置传呼号失败!")));
        s.push_back({"delete pager",
                     0x04,
                     2,
                     {},
                     {{0, -1, QStringLiteral("删除传呼号成功！")},
                      {1, 0x01, QStringLiteral("无此传呼号！")},
                      {1, -1, QStringLiteral("返回数据错误")},
                      {-1, -1, kLength}},
                     QStringLiteral("删除传呼号失败，请检查与通讯端口的连接情况！"),
                     QStringLiteral("删除传呼号失败!")});
        s.push_back({"set table caller",
                     0x03,
                     3,
                     {},
                     {{3, -1, QStringLiteral("设置餐桌号成功！")},
                      {0, -1, QStringLiteral("接收器记忆区已经存满，无法写入！")},
                      {-1, -1, kLength}},
                     kTimeout,
                     QStringLiteral("设置餐桌号失败!")});
        s.push_back(
            {"delete table caller",
             0x07,
             2,
             {},
             {{0, -1, QStringLiteral("删除餐桌号码成功！")},
              {1, 0x01, QStringLiteral("没有与餐桌号对应的呼叫器或接收器与主机连接不正常！！")},
              {1, 0x02, QStringLiteral("不存在此餐桌号码！！")},
              {1, -1, {}},
              {-1, -1, kLength}},
             kTimeout,
             QStringLiteral("删除餐桌号码失败!")});
        s.push_back(plain("set receiver number", 0x02, 2, QStringLiteral("设置接收器号码成功！"),
                          QStringLiteral("设置接收器号码失败!")));
        s.push_back(plain("initialise receiver", 0x08, 4, QStringLiteral("初始化接收器成功！"),
                          QStringLiteral("初始化接收器失败!")));
        s.push_back({"initialise host unit",
                     0x09,
                     3,
                     QStringLiteral("执行此操作将清除主机内存储的所有信息！！\r\n"
                                    "   您确认执行请按确定，否则请取消！"),
                     {{0, -1, QStringLiteral("初始化主机成功！")}, {-1, -1, kLengthFull}},
                     kTimeoutFull,
                     QStringLiteral("初始化主机失败!")});
        s.push_back(plain("receiver frequency", 0x0A, 3, QStringLiteral("接收器频率写入成功！"),
                          QStringLiteral("接收器频率写入失败!")));
        s.push_back(plain("transmitter frequency", 0x0B, 2, QStringLiteral("发射机频率写入成功！"),
                          QStringLiteral("发射机频率写入失败!")));
        CommandEntry clear =
            plain("clear transmitter", 0x0B, 4.5, QStringLiteral("发射机设置清除成功！"),
                  QStringLiteral("发射机频率写入失败!"));
        clear.confirmation = QStringLiteral("不输入发射机频率值，将清除系统中对发射机的设置！\r\n"
                                            "是否继续？");
        s.push_back(clear);
        s.push_back(plain("set urge unit", 0x11, 3, QStringLiteral("设置催菜器号码成功！"),
                          QStringLiteral("设置催菜器器号码失败!"), 2));
        s.push_back(plain("delete urge unit", 0x12, 2, QStringLiteral("删除催菜器号码成功！"),
                          QStringLiteral("删除催菜器器号码失败!")));
        s.push_back({"write repeater",
                     0x03,
                     3,
                     {},
                     {{3, -1, QStringLiteral("设置转发器成功！")},
                      {0, -1, QStringLiteral("转发器记忆区已经存满，无法写入！")},
                      {-1, -1, kLengthFull}},
                     kTimeoutFull,
                     QStringLiteral("设置转发器内容失败！")});
        s.push_back({"delete repeater",
                     0x07,
                     3,
                     {},
                     {{0, -1, QStringLiteral("删除转发器内容成功！")},
                      {1, 0x01, QStringLiteral("转发器中无此呼叫器！")},
                      {1, 0x00, QStringLiteral("转发器内容为空！")},
                      {-1, -1, kLength}},
                     kTimeout,
                     QStringLiteral("删除转发器内容失败!")});
        s.push_back(plain("work mode", 0x17, 3, QStringLiteral("设置工作模式成功！"),
                          QStringLiteral("工作模式设置失败！")));
        s.push_back(plain("digital display", 0x13, 2, QStringLiteral("信息机类型设为数字机！"),
                          QStringLiteral("设置信息机类型失败!")));
        s.push_back(plain("voice display", 0x13, 2, QStringLiteral("信息机类型设为语音机！"),
                          QStringLiteral("设置信息机类型失败!")));
        for (auto [name, code, success, failure] :
             {std::tuple{"voice prompts", 0x14, "语音信息机中关于呼叫器的设置成功！",
                         "设置呼叫器的语音提示类型失败!"},
              std::tuple{"handheld by table", 0x15, "设置成功！",
                         "设置手持呼叫器的语音提示类型失败!"},
              std::tuple{"handheld by pager", 0x16, "设置成功！",
                         "设置手持呼叫器的语音提示类型失败!"}})
            s.push_back({name,
                         std::uint8_t(code),
                         2,
                         {},
                         {{0, -1, QString::fromUtf8(success)}, {-1, -1, kDigital}},
                         kTimeout,
                         QString::fromUtf8(failure)});
        return s;
    }();
    return entries;
}

QString checkBoxes(const QStringList& boxes, const QString& question, int minChecksum,
                   int maxChecksum, const QStringList& finals) {
    const auto problem = [&](const QString& what) {
        return what + QStringLiteral(": ") + boxes.join(QStringLiteral(" | ")) +
               QStringLiteral(" (allowed: ") + QString::number(minChecksum) + QStringLiteral("..") +
               QString::number(maxChecksum) + QStringLiteral(" checksum boxes, then one of ") +
               finals.join(QStringLiteral(" / ")) + QLatin1Char(')');
    };
    qsizetype i = 0;
    if (!question.isEmpty() && boxes.value(i++) != question)
        return problem(QStringLiteral("no question first"));
    int checksum = 0;
    while (i < boxes.size() && boxes[i] == kChecksumBox) {
        ++checksum;
        ++i;
    }
    if (checksum < minChecksum || checksum > maxChecksum)
        return problem(QStringLiteral("%1 checksum boxes").arg(checksum));
    const QString final = i < boxes.size() ? boxes[i++] : QString();
    if (i != boxes.size())
        return problem(QStringLiteral("boxes after the outcome"));
    if (!finals.contains(final))
        return problem(QStringLiteral("an outcome the line did not allow"));
    return {};
}

} // namespace soak

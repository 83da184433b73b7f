// The three reads of form3: the host unit (0x0D, 64 blocks), the built-in receiver and an
// external receiver (0x0E, 2 blocks). Each block's 128 data bytes are taken from the reply
// that the link accepted, after its checksum, never by position from the raw bytes read, so
// stray or trailing bytes around a reply cannot shift the image.

#include "link/link.h"
#include "memory/form3.h"
#include "memory/images.h"
#include "memory/memoryreader.h"
#include "ui/boxkind.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace callcfg {

struct MemoryReader::ReadKind {
    std::uint8_t command;
    bool receiver;
    bool external;
    const char16_t* running; // Label1 while the read runs
    const char16_t* success;
    const char16_t* failure; // a port fault ends the read
};

namespace {

constexpr int kBlockSize = 128;

const Box kNoReply{BoxKind::Error, QStringLiteral("通讯失败！请检查连线！")};
const Box kWrongLength{BoxKind::Error, QStringLiteral("接收数据长度错误！")};
const QString kAtRest = QStringLiteral("读取进度条");

} // namespace

void MemoryReader::readHost() {
    read({0x0D, false, false, u"正在读取主机内容……", u"读取主机内容成功！", u"读取主机内容失败！"});
}

void MemoryReader::readBuiltInReceiver() {
    read({0x0E, true, false, u"正在读取内置接收机内容……", u"读取内置接收机内容成功！",
          u"读取内置接收机内容失败！"});
}

void MemoryReader::readExternalReceiver() {
    read({0x0E, true, true, u"正在读取外置接收机内容……", u"读取外置接收机内容成功！",
          u"读取外置接收机内容失败！"});
}

void MemoryReader::read(const ReadKind& kind) {
    Form3& w = *form3_;
    link_.ensurePortOpen();
    if (!link_.portOpen)
        return;
    link_.discardInput();
    images_.subselected = kind.receiver;
    w.label3->hide();
    w.label4->hide();
    images_.ramindex = 0;
    w.setCompactSize();
    w.repaint();
    const int blocks = kind.receiver ? 2 : 64;
    w.progressBar1->setRange(0, kind.receiver ? 2 : 63);
    w.progressBar1->show();
    showStatus(QString::fromUtf16(kind.running));

    auto stop = [&](const Box& failure) {
        box(failure);
        w.setCompactSize();
        Form3::setCaption(w.label1, kAtRest);
    };
    try {
        for (int k = 0; k < blocks; ++k) {
            auto& frame = link_.frameBuffer;
            frame[0] = 0x01;
            frame[1] = kind.command;
            frame[2] = kind.external ? 2 : 1;
            frame[3] = static_cast<std::uint8_t>(k);
            if (kind.external)
                frame[4] = 0x01;
            link_.sendFrame();
            link_.waitPeriods = 1;
            link_.periodLength = !kind.receiver ? 0.2 : k == 0 ? 9.0 : 1.0;
            link_.awaitReply();
            if (!link_.replyComplete) {
                stop(kNoReply);
                return;
            }
            link_.replyComplete = false;
            w.progressBar1->setValue(kind.receiver ? k + 1 : k);
            if (link_.replyBuffer[2] != kBlockSize) {
                stop(kWrongLength);
                return;
            }
            const auto data = link_.replyBuffer.begin() + 3;
            std::copy(data, data + kBlockSize, images_.ramdata.begin() + images_.ramindex);
            images_.ramindex += kBlockSize;
        }
    } catch (const PortFault&) {
        box({BoxKind::Error, QString::fromUtf16(kind.failure)});
        w.progressBar1->setValue(0);
        w.setCompactSize();
        return;
    }

    w.progressBar1->setValue(0);
    Form3::setCaption(w.label1, kAtRest);
    images_.dataread = true;
    box({BoxKind::Notice, QString::fromUtf16(kind.success), QStringLiteral("OK")});
    if (kind.receiver) {
        images_.subram = images_.ramdata;
        images_.subread = true;
        Form3::setCaption(w.label7, QStringLiteral("分机内容已读取"));
        w.label7->show();
        w.setCompactSize();
    } else {
        images_.mainram = images_.ramdata;
        Form3::setCaption(w.label6, QStringLiteral("主机内容已读取"));
        images_.mainread = true;
    }
    w.progressBar1->setValue(0);
}

} // namespace callcfg

// The three reads of form3: the host unit (64 blocks), the built-in receiver and an external
// receiver (2 blocks). Each block's 128 data bytes are taken from the reply that the link
// accepted, after its checksum, never by position from the raw bytes read, so stray or
// trailing bytes around a reply cannot shift the image.

#include "commands/box.h"
#include "link/link.h"
#include "memory/blocktransfer.h"
#include "memory/images.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "ui/chosenport.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <span>

namespace callcfg {

namespace {

struct ReadTexts {
    const char16_t* running; // beside the progress bar while the read runs
    const char16_t* success;
    const char16_t* failure; // the port refuses a request
};

ReadTexts textsOf(MemoryRead what) {
    switch (what) {
    case MemoryRead::BuiltInReceiver:
        return {u"正在读取内置接收机内容……", u"读取内置接收机内容成功！",
                u"读取内置接收机内容失败！"};
    case MemoryRead::ExternalReceiver:
        return {u"正在读取外置接收机内容……", u"读取外置接收机内容成功！",
                u"读取外置接收机内容失败！"};
    case MemoryRead::Host:
        break;
    }
    return {u"正在读取主机内容……", u"读取主机内容成功！", u"读取主机内容失败！"};
}

const QString kAtRest = QStringLiteral("读取进度条");

} // namespace

void readMemory(const MemoryReaderContext& context, MemoryRead what) {
    MemoryReaderWindow& window = context.window;
    Images& images = context.images;
    const ReadTexts texts = textsOf(what);
    const bool receiver = what != MemoryRead::Host;
    if (!context.port.ensureOpen())
        return;
    images.receiverSelected = receiver;
    window.pagerHeader->hide();
    window.tableHeader->hide();
    const BlockPlan plan =
        !receiver ? hostReadPlan()
                  : receiverReadPlan(what == MemoryRead::ExternalReceiver ? Receiver::External
                                                                          : Receiver::BuiltIn);
    // The host read counts blocks 0 to 63, a receiver read 1 and 2.
    context.beginTransfer(receiver ? plan.blocks : plan.blocks - 1,
                          QString::fromUtf16(texts.running));

    // The blocks gather here; the image is replaced only once every block came.
    HostMemory hostRead{};
    ReceiverMemory receiverRead{};
    const std::span<std::uint8_t> gathered =
        receiver ? std::span<std::uint8_t>(receiverRead) : std::span<std::uint8_t>(hostRead);
    const TransferResult result = transferBlocks(
        context.link, plan, [&](int k) { window.showBlockProgress(receiver ? k + 1 : k); },
        [&](int k, std::span<const std::uint8_t> data) {
            std::copy(data.begin(), data.end(), gathered.begin() + k * protocol::kBlockSize);
        });
    if (!context.transferCompleted(result, QStringLiteral("接收数据长度错误！"),
                                   QString::fromUtf16(texts.failure), kAtRest))
        return;
    images.anyImagePresent = true;
    context.box({BoxKind::Notice, QString::fromUtf16(texts.success), QStringLiteral("OK")});
    if (receiver) {
        images.receiverImage = receiverRead;
        images.receiverImagePresent = true;
        MemoryReaderWindow::setCaption(window.receiverStatusLabel,
                                       QStringLiteral("分机内容已读取"));
        window.receiverStatusLabel->show();
        window.setCompactSize();
    } else {
        images.hostImage = hostRead;
        images.hostImageFile.clear();
        MemoryReaderWindow::setCaption(window.hostStatusLabel, QStringLiteral("主机内容已读取"));
        images.hostImagePresent = true;
    }
    window.progressBar->setValue(0);
}

} // namespace callcfg

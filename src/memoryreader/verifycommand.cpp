// Verify (校验主机 in form3's context menu): reads the host unit into an image of its own and
// compares it with the host image, changing neither the image nor the flags.

#include "commands/box.h"
#include "link/link.h"
#include "memory/hostmemory.h"
#include "memory/images.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "protocol/memoryblocks.h"
#include "ui/chosenport.h"

#include <QLabel>
#include <QProgressBar>

namespace callcfg {

void verifyHost(const MemoryReaderContext& context) {
    MemoryReaderWindow& window = context.window;
    if (!context.images.hostImagePresent || !context.images.anyImagePresent) {
        context.box({BoxKind::Error, QStringLiteral("主机数据未读取，无法校验主机！")});
        return;
    }
    if (!context.port.ensureOpen())
        return;
    context.beginTransfer(protocol::kHostBlockCount - 1, QStringLiteral("正在校验主机内容……"));

    HostMemory host{};
    const TransferResult result =
        readHostMemory(context.link, host, [&](int k) { window.showBlockProgress(k); });
    if (!context.transferCompleted(result, QStringLiteral("接收数据长度错误！"),
                                   QStringLiteral("校验主机内容失败！"),
                                   QStringLiteral("读取进度条")))
        return;
    const auto difference = compareMemory(host, context.images.hostImage);
    if (!difference) {
        context.box(
            {BoxKind::Notice, QStringLiteral("主机内容与当前数据一致！"), QStringLiteral("OK")});
        return;
    }
    context.box(
        {BoxKind::Error, QStringLiteral("主机内容与当前数据不一致！第%1块起共有%2个字节不同。")
                             .arg(difference->firstBlock() + 1) // counted from 1
                             .arg(difference->bytes)});
}

} // namespace callcfg

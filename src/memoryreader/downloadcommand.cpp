// The download of the host image into the host unit (下发主机 of form3), block by block.

#include "commands/box.h"
#include "link/link.h"
#include "memory/hostmemory.h"
#include "memory/images.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "protocol/memoryblocks.h"
#include "ui/portgate.h"

#include <QLabel>
#include <QProgressBar>

namespace callcfg {

void downloadToHost(const MemoryReaderContext& c) {
    MemoryReaderWindow& w = c.window;
    const auto error = [](const QString& text) { return Box{BoxKind::Error, text}; };
    // Without a host image there is no host unit's memory to write; writing zeros would wipe one.
    if (!c.images.hostImagePresent) {
        c.box(error(QStringLiteral("主机数据未读取，无法下发主机！")));
        return;
    }
    if (!c.port.ensureOpen())
        return;
    const HostMemory memory = c.images.hostImage;
    c.beginTransfer(protocol::kHostBlockCount - 1, QStringLiteral("正在下发数据到主机……"));
    const TransferResult result =
        writeHostMemory(c.link, memory, [&](int k) { w.showBlockProgress(k); });
    if (!c.transferCompleted(result, QStringLiteral("返回数据长度错误！"),
                             QStringLiteral("下发主机内容失败！"), QStringLiteral("下发进度条")))
        return;
    c.box({BoxKind::Notice, QStringLiteral("下发备份数据到主机成功！"), QStringLiteral("OK")});
    w.progressBar->setValue(0);
}

} // namespace callcfg

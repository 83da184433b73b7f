// The download of the host image into the host unit (下发主机 of form3), block by block, once
// the installer has agreed to have the unit's whole memory replaced.

#include "commands/box.h"
#include "link/link.h"
#include "memory/hostmemory.h"
#include "memory/images.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "protocol/memoryblocks.h"
#include "ui/chosenport.h"
#include "ui/messagebox.h"

#include <QLabel>
#include <QProgressBar>

namespace callcfg {

namespace {

// What a download that stopped at block `stoppedAt` (from 0) left in the host unit: the blocks
// before it acknowledged, the rest as they were.
QString unitAfterStop(int stoppedAt) {
    if (stoppedAt == 0)
        return QStringLiteral("主机未写入任何块，仍为原内容");
    return QStringLiteral("主机第 1–%1 块已是新内容，其余为原内容").arg(stoppedAt);
}

} // namespace

void downloadToHost(const MemoryReaderContext& context) {
    MemoryReaderWindow& window = context.window;
    const auto error = [](const QString& text) { return Box{BoxKind::Error, text}; };
    // Without a host image there is no host unit's memory to write; writing zeros would wipe one.
    if (!context.images.hostImagePresent) {
        context.box(error(QStringLiteral("主机数据未读取，无法下发主机！")));
        return;
    }
    const QString source = context.images.hostImageFile.isEmpty()
                               ? QStringLiteral("读取的主机内容")
                               : QStringLiteral("备份文件") + context.images.hostImageFile;
    if (!confirmBox(&window,
                    QStringLiteral("下发将用%1覆盖主机内存储的所有信息！！\r\n"
                                   "   您确认执行请按确定，否则请取消！")
                        .arg(source),
                    QStringLiteral("注意！！")))
        return;
    if (!context.port.ensureOpen())
        return;
    const HostMemory memory = context.images.hostImage;
    context.beginTransfer(protocol::kHostBlockCount - 1, QStringLiteral("正在下发数据到主机……"));
    const TransferResult result =
        writeHostMemory(context.link, memory, [&](int k) { window.showBlockProgress(k); });
    if (!context.transferCompleted(result, QStringLiteral("返回数据长度错误！"),
                                   QStringLiteral("下发主机内容失败！"),
                                   QStringLiteral("下发进度条"))) {
        window.showTransferNote(unitAfterStop(result.block));
        return;
    }
    context.box(
        {BoxKind::Notice, QStringLiteral("下发备份数据到主机成功！"), QStringLiteral("OK")});
    window.progressBar->setValue(0);
}

} // namespace callcfg

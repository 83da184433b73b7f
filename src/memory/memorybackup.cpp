// The backup file (Command6 save, Command7 open) and the download of the host image into the
// host unit (Command8) of form3.

#include "link/link.h"
#include "memory/backupfile.h"
#include "memory/form3.h"
#include "memory/images.h"
#include "memory/memoryreader.h"
#include "ui/boxkind.h"

#include <QLabel>
#include <QProgressBar>

namespace callcfg {
namespace {

constexpr int kBlockSize = 128;
constexpr int kBlocks = 64;

Box error(const QString& text) {
    return {BoxKind::Error, text, QStringLiteral("错误")};
}

Box notice(const QString& text) {
    return {BoxKind::Notice, text, QStringLiteral("OK")};
}

} // namespace

void MemoryReader::saveFile() {
    if (!images_.mainread || !images_.dataread) {
        box(error(QStringLiteral("主机数据未读取，无法保存文件！")));
        return;
    }
    const auto path = form3_->chooseFile(true);
    if (!path)
        return;
    if (!hasBackupExtension(*path)) {
        box(error(QStringLiteral("保存文件的扩展名必须为.cat！")));
        return;
    }
    if (!saveBackup(*path, images_.mainram)) {
        box(error(QStringLiteral("文件") + *path + QStringLiteral("保存失败！")));
        return;
    }
    box(notice(QStringLiteral("记录已保存到") + *path));
}

void MemoryReader::openFile() {
    link_.ensurePortOpen();
    if (!link_.portOpen)
        return;
    const auto path = form3_->chooseFile(false);
    if (!path)
        return;
    if (!hasBackupExtension(*path)) {
        box(error(QStringLiteral("请选择.cat文件")));
        return;
    }
    // A missing or short file is no backup of a host unit: nothing of it is taken.
    const auto bytes = readBackup(*path);
    if (!bytes) {
        box(error(QStringLiteral("文件") + *path + QStringLiteral("打开失败！")));
        return;
    }
    loadBackup(*bytes, images_.mainram);
    box(notice(QStringLiteral("已成功打开备份文件") + *path));
    images_.mainread = true;
    images_.dataread = true;
    Form3::setCaption(form3_->label6, QStringLiteral("主机内容已读取"));
}

void MemoryReader::download() {
    Form3& w = *form3_;
    // Without a host image mainram holds no memory of any host unit; writing it would wipe one.
    if (!images_.mainread) {
        box(error(QStringLiteral("主机数据未读取，无法下发主机！")));
        return;
    }
    link_.ensurePortOpen();
    if (!link_.portOpen)
        return;
    link_.discardInput();
    w.setCompactSize();
    w.repaint();
    w.progressBar1->setRange(0, kBlocks - 1);
    w.progressBar1->show();
    showStatus(QStringLiteral("正在下发数据到主机……"));

    const QString atRest = QStringLiteral("下发进度条");
    auto stop = [&](const QString& text) {
        box(error(text));
        w.setCompactSize();
        Form3::setCaption(w.label1, atRest);
    };
    try {
        for (int k = 0; k < kBlocks; ++k) {
            auto& frame = link_.frameBuffer;
            frame[0] = 0x01;
            frame[1] = 0x18;
            frame[2] = 1 + kBlockSize;
            frame[3] = static_cast<std::uint8_t>(k);
            for (int i = 0; i < kBlockSize; ++i)
                frame[4 + i] = byteAt(images_.mainram, k * kBlockSize + i);
            link_.sendFrame();
            link_.waitPeriods = 1;
            link_.periodLength = 0.3;
            link_.awaitReply();
            if (!link_.replyComplete) {
                stop(QStringLiteral("通讯失败！请检查连线！"));
                return;
            }
            link_.replyComplete = false;
            w.progressBar1->setValue(k);
            if (link_.replyBuffer[2] != 0x01) {
                stop(QStringLiteral("返回数据长度错误！"));
                return;
            }
        }
    } catch (const PortFault&) {
        box(error(QStringLiteral("下发主机内容失败！")));
        w.progressBar1->setValue(0);
        w.setCompactSize();
        return;
    }
    w.progressBar1->setValue(0);
    Form3::setCaption(w.label1, atRest);
    box(notice(QStringLiteral("下发备份数据到主机成功！")));
    w.progressBar1->setValue(0);
}

} // namespace callcfg

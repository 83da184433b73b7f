// The backup file of form3: save the host image (保存文件) and open one into it (打开文件).

#include "commands/box.h"
#include "link/texts.h"
#include "memory/backupfile.h"
#include "memory/images.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "ui/chosenport.h"

#include <QLabel>

namespace callcfg {

namespace {

Box error(const QString& text) {
    return {BoxKind::Error, text, QStringLiteral("错误")};
}

Box notice(const QString& text) {
    return {BoxKind::Notice, text, QStringLiteral("OK")};
}

// The file the user picks, when it has the backup extension; otherwise the refusal's box.
std::optional<QString> chosenBackupPath(const MemoryReaderContext& context, bool forSaving,
                                        const QString& refusal) {
    const auto path = context.window.chooseFile(forSaving);
    if (path && !hasBackupExtension(*path)) {
        context.box(error(refusal));
        return std::nullopt;
    }
    return path;
}

} // namespace

void saveBackupFile(const MemoryReaderContext& context) {
    if (!context.images.hostImagePresent || !context.images.anyImagePresent) {
        context.box(error(QStringLiteral("主机数据未读取，无法保存文件！")));
        return;
    }
    const auto path =
        chosenBackupPath(context, true, QStringLiteral("保存文件的扩展名必须为.cat！"));
    if (!path)
        return;
    if (const auto failure = saveBackup(*path, context.images.hostImage)) {
        context.tell(Texts::tr("cannot write %1: %2").arg(*path, failure->text()));
        context.box(error(QStringLiteral("文件") + *path + QStringLiteral("保存失败！\n") +
                          failure->text()));
        return;
    }
    context.box(notice(QStringLiteral("记录已保存到") + *path));
}

void openBackupFile(const MemoryReaderContext& context) {
    if (!context.port.ensureOpen())
        return;
    const auto path = chosenBackupPath(context, false, QStringLiteral("请选择.cat文件"));
    if (!path)
        return;
    // A missing or short file is no backup of a host unit: nothing of it is taken.
    const auto bytes = readBackup(*path);
    if (!bytes) {
        context.box(error(QStringLiteral("文件") + *path + QStringLiteral("打开失败！")));
        return;
    }
    context.images.hostImage = *bytes;
    context.images.hostImageFile = *path;
    context.box(notice(QStringLiteral("已成功打开备份文件") + *path));
    context.images.hostImagePresent = true;
    context.images.anyImagePresent = true;
    MemoryReaderWindow::setCaption(context.window.hostStatusLabel,
                                   QStringLiteral("主机内容已读取"));
}

} // namespace callcfg

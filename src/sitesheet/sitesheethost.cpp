#include "sitesheet/sitesheet.h"

#include "link/link.h"
#include "memory/csvexport.h"
#include "memory/hostmemory.h"
#include "plan/planverify.h"
#include "sitesheet/sitesheetwindow.h"
#include "ui/chosenport.h"
#include "ui/messagebox.h"
#include "ui/windowspause.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace callcfg {

namespace {

// The worksheet's name in a workbook the sheet writes.
QString sheetName(bool tables) {
    return tables ? QStringLiteral("餐桌呼叫器") : QStringLiteral("传呼机");
}

QString unitText(const RowInUnit& found) {
    switch (found.state) {
    case RowInUnit::Same:
        return QStringLiteral("一致");
    case RowInUnit::Differs:
        return QStringLiteral("不一致（主机中为%1）").arg(found.holds);
    case RowInUnit::Missing:
        return QStringLiteral("主机中没有");
    case RowInUnit::Refused:
        break;
    }
    return QStringLiteral("—");
}

} // namespace

void SiteSheet::verifyHost() {
    if (running_ || !port_.ensureOpen())
        return;
    const OtherWindowsPaused paused(window_);
    running_ = true;
    showButtons();
    window_->stopButton->setEnabled(false); // a read runs to its end, as 读取主机's does
    window_->summaryLabel->setText(QStringLiteral("正在读取主机内容……"));
    window_->progressBar->setRange(0, protocol::kHostBlockCount);
    window_->progressBar->setValue(0);
    runner_.settle(); // a caller pressed late answers now, not into the read
    HostMemory memory{};
    const TransferResult result =
        readHostMemory(link_, memory, [this](int k) { window_->progressBar->setValue(k + 1); });
    running_ = false;
    if (result.stop != TransferStop::Done) {
        window_->summaryLabel->setText(
            QStringLiteral(
                "<span style='color:red'>读取主机内容失败：在第 %1 块（共 %2 块）%3</span>")
                .arg(result.block + 1)
                .arg(protocol::kHostBlockCount)
                .arg(result.stop == TransferStop::PortFault
                         ? link_.lostMessage(result.portFault).toHtmlEscaped()
                         : QStringLiteral("没有正确应答")));
        showButtons();
        return;
    }
    unitImage_ = memory;
    int same = 0;
    if (plan_) {
        for (const PlanRow& row : plan_->rows) {
            const RowInUnit found = rowInUnit(*plan_, row, memory);
            same += found.state == RowInUnit::Same ? 1 : 0;
            setCell(row, resultColumn() + 1, unitText(found),
                    found.state == RowInUnit::Same ? Qt::darkGreen : Qt::red);
        }
        window_->table->resizeColumnsToContents();
    }
    QString summary = plan_ ? QStringLiteral("已读取主机：%1 行中 %2 行与主机一致。")
                                  .arg(plan_->rows.size())
                                  .arg(same)
                            : QStringLiteral("已读取主机。");
    if (plan_) {
        QStringList extra;
        for (int number : numbersOnlyInUnit(*plan_, memory))
            extra << QString::number(number);
        if (!extra.isEmpty())
            summary += QStringLiteral("\n主机中有、表格中没有：%1 %2")
                           .arg(plan_->kind == PlanKind::Pagers ? QStringLiteral("传呼号")
                                                                : QStringLiteral("餐桌号"),
                                extra.join(QStringLiteral("、")));
    }
    window_->summaryLabel->setText(summary);
    showButtons();
}

std::vector<QStringList> SiteSheet::sheetWithOutcomes() const {
    const QTableWidget& table = *window_->table;
    QStringList header;
    for (const PlanColumn& column : plan_->columns)
        header << column.header;
    std::vector<QStringList> rows{header << QStringLiteral("结果") << QStringLiteral("主机")};
    for (const PlanRow& row : plan_->rows) {
        QStringList cells = row.cells;
        cells.resize(plan_->columns.size());
        for (int column : {resultColumn(), resultColumn() + 1}) {
            const QTableWidgetItem* item = table.item(tableRowOf(row), column);
            cells << (item ? item->text() : QString());
        }
        rows.push_back(cells);
    }
    return rows;
}

void SiteSheet::exportHost() {
    if (!plan_ && !unitImage_)
        return;
    const bool tables = plan_ && plan_->kind == PlanKind::Tables;
    const auto path = window_->chooseFile(true, tables ? QStringLiteral("tables.csv")
                                                       : QStringLiteral("pagers.csv"));
    if (!path)
        return;
    // With no sheet open, the unit's pagers.
    const auto rows = plan_ ? sheetWithOutcomes() : pagerRows(*unitImage_);
    if (const auto problem = writeSpreadsheet(*path, rows, sheetName(tables))) {
        showBox(window_,
                {BoxKind::Error,
                 QStringLiteral("文件") + *path + QStringLiteral("保存失败！\n") + *problem,
                 QStringLiteral("错误")});
        return;
    }
    window_->summaryLabel->setText(QStringLiteral("主机表格已导出到%1").arg(*path));
}

void SiteSheet::newSheet(bool tables) {
    const auto path = window_->chooseFile(
        true, tables ? QStringLiteral("tables.csv") : QStringLiteral("pagers.csv"),
        QStringLiteral("新建表格"));
    if (!path)
        return;
    if (const auto problem = writeSpreadsheet(*path, templateRows(tables), sheetName(tables))) {
        showBox(window_,
                {BoxKind::Error,
                 QStringLiteral("文件") + *path + QStringLiteral("保存失败！\n") + *problem,
                 QStringLiteral("错误")});
        return;
    }
    window_->summaryLabel->setText(
        QStringLiteral("已新建表格%1：在 Excel 或 WPS 中填写并保存后，按“打开表格”。").arg(*path));
}

} // namespace callcfg

#include "sitesheet/sitesheet.h"

#include "link/link.h"
#include "memory/csvexport.h"
#include "memory/hostmemory.h"
#include "plan/planverify.h"
#include "sitesheet/sitesheetwindow.h"
#include "ui/messagebox.h"
#include "ui/paintpump.h"
#include "ui/portgate.h"
#include "ui/windowspause.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace callcfg {

namespace {

const QString kTitle = QStringLiteral("现场表格");

// Columns besides the sheet's own: the row number first, then after the sheet's columns the
// row's check, its outcome and what the unit holds.
constexpr int kRowColumn = 0;
constexpr int kAfterSheet = 3; // 检查, 结果, 主机

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

SiteSheet::SiteSheet(Link& link, PortGate& port)
    : link_(link), port_(port), runner_(link, hooks()) {}

SiteSheet::~SiteSheet() {
    paused_.reset();
    delete window_;
}

void SiteSheet::showSiteSheet() {
    if (!window_) {
        window_ = new SiteSheetWindow;
        connect(window_->openButton, &QPushButton::clicked, this, &SiteSheet::openSheet);
        connect(window_->startButton, &QPushButton::clicked, this, [this] { runFrom(0); });
        connect(window_->resumeButton, &QPushButton::clicked, this, [this] {
            const int selected = window_->table->currentRow();
            runFrom(selected < 0 ? 0 : std::size_t(selected));
        });
        connect(window_->stopButton, &QPushButton::clicked, this, [this] { stopAsked_ = true; });
        connect(window_->verifyButton, &QPushButton::clicked, this, &SiteSheet::verifyHost);
        connect(window_->exportButton, &QPushButton::clicked, this, &SiteSheet::exportHost);
        showButtons();
    }
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void SiteSheet::openSheet() {
    if (const auto path = window_->chooseFile(false, {}))
        load(*path);
}

void SiteSheet::load(const QString& path) {
    plan_.reset();
    QFile file(path);
    const auto read = file.open(QIODevice::ReadOnly)
                          ? readPlan(file.readAll())
                          : std::variant<Plan, PlanError>(PlanError{0, -1, {}, file.errorString()});
    if (const auto* error = std::get_if<PlanError>(&read)) {
        window_->fileLabel->setText(
            QStringLiteral("<span style='color:red'>%1：%2</span>")
                .arg(path.toHtmlEscaped(), planErrorText(*error).toHtmlEscaped()));
        window_->table->clear();
        window_->table->setRowCount(0);
        window_->table->setColumnCount(0);
    } else {
        plan_ = std::get<Plan>(read);
        QString text = QStringLiteral("%1：%2 %3 行")
                           .arg(QFileInfo(path).fileName().toHtmlEscaped(),
                                plan_->kind == PlanKind::Pagers ? QStringLiteral("传呼机")
                                                                : QStringLiteral("餐桌呼叫器"))
                           .arg(plan_->rows.size());
        if (const QStringList ignored = ignoredColumns(*plan_); !ignored.isEmpty())
            text +=
                QStringLiteral("；不读取：") + ignored.join(QStringLiteral("、")).toHtmlEscaped();
        for (const PlanError& refusal : plan_->refusals)
            text += QStringLiteral("<br><span style='color:red'>%1</span>")
                        .arg(planErrorText(refusal).toHtmlEscaped());
        if (!plan_->refusals.empty())
            text += QStringLiteral(
                "<br><span style='color:red'>表格有错，不能设置；请改正后重新打开。</span>");
        window_->fileLabel->setText(text);
        fillTable();
    }
    window_->summaryLabel->clear();
    window_->progressBar->setValue(0);
    showButtons();
}

void SiteSheet::fillTable() {
    QTableWidget& table = *window_->table;
    QStringList headers{QStringLiteral("行")};
    for (const PlanColumn& column : plan_->columns)
        headers << (column.header.isEmpty() ? columnLetters(int(headers.size()) - 1)
                                            : column.header);
    headers << QStringLiteral("检查") << QStringLiteral("结果") << QStringLiteral("主机");
    table.clear();
    table.setColumnCount(int(headers.size()));
    table.setHorizontalHeaderLabels(headers);
    table.setRowCount(int(plan_->rows.size()));
    for (const PlanRow& row : plan_->rows) {
        const int at = tableRowOf(row);
        table.setItem(at, kRowColumn, new QTableWidgetItem(QString::number(row.row)));
        for (int c = 0; c < row.cells.size(); ++c)
            table.setItem(at, c + 1, new QTableWidgetItem(row.cells[c]));
        QString check = QStringLiteral("✓");
        for (const PlanError& refusal : plan_->refusals)
            if (refusal.row == row.row)
                check = planErrorText(refusal);
        if (check == QStringLiteral("✓"))
            if (const auto refusal = refusalOf(encodePlanRow(row)))
                check = *refusal;
        setCell(row, resultColumn() - 1, check,
                check == QStringLiteral("✓") ? Qt::darkGreen : Qt::red);
    }
    table.resizeColumnsToContents();
    if (table.rowCount() > 0)
        table.setCurrentCell(0, kRowColumn);
}

int SiteSheet::resultColumn() const {
    return window_->table->columnCount() - kAfterSheet + 1;
}

int SiteSheet::tableRowOf(const PlanRow& row) const {
    return int(&row - plan_->rows.data());
}

void SiteSheet::setCell(const PlanRow& row, int column, const QString& text,
                        Qt::GlobalColor colour) {
    auto* item = new QTableWidgetItem(text);
    item->setForeground(colour);
    window_->table->setItem(tableRowOf(row), column, item);
}

void SiteSheet::showButtons() {
    const bool sendable = plan_ && plan_->refusals.empty() && !plan_->rows.empty();
    window_->openButton->setEnabled(!running_);
    window_->startButton->setEnabled(!running_ && sendable);
    window_->resumeButton->setEnabled(!running_ && sendable);
    window_->stopButton->setEnabled(running_);
    window_->verifyButton->setEnabled(!running_);
    window_->exportButton->setEnabled(!running_ && unitImage_.has_value());
}

RowHooks SiteSheet::hooks() {
    RowHooks hooks;
    hooks.callerWait = [this](const PlanRow& row) {
        window_->promptLabel->setText(
            QStringLiteral("请按餐桌号 %1 的呼叫器的服务键").arg(planRowNumber(row)));
        window_->promptLabel->show();
        pumpPaintOnly(0);
    };
    hooks.reported = [this](const PlanRow& row, const QString& text) {
        window_->promptLabel->hide();
        setCell(row, resultColumn(), text, Qt::black);
    };
    hooks.lost = [this](const QString& message) { window_->summaryLabel->setText(message); };
    hooks.notPressed = [this](const PlanRow& row) { return askNotPressed(row); };
    hooks.sleepUntil = [](RowHooks::TimePoint until) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() > 0)
            pumpPaintOnly(int(left.count()));
    };
    return hooks;
}

NotPressedChoice SiteSheet::askNotPressed(const PlanRow& row) {
    QMessageBox box(QMessageBox::Warning, kTitle,
                    QStringLiteral("餐桌号 %1 的呼叫器没有按下服务键。").arg(planRowNumber(row)),
                    QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::Abort, window_);
    box.button(QMessageBox::Retry)->setText(QStringLiteral("重试"));
    box.button(QMessageBox::Ignore)->setText(QStringLiteral("跳过"));
    box.button(QMessageBox::Abort)->setText(QStringLiteral("停止"));
    box.setDefaultButton(QMessageBox::Retry);
    switch (box.exec()) {
    case QMessageBox::Retry:
        return NotPressedChoice::Retry;
    case QMessageBox::Ignore:
        return NotPressedChoice::Skip;
    default:
        return NotPressedChoice::Stop;
    }
}

void SiteSheet::runFrom(std::size_t index) {
    if (running_ || !plan_ || !plan_->refusals.empty() || index >= plan_->rows.size())
        return;
    if (!port_.ensureOpen())
        return;
    paused_ = std::make_unique<OtherWindowsPaused>(window_);
    running_ = true;
    stopAsked_ = false;
    next_ = index;
    done_ = failed_ = 0;
    window_->progressBar->setRange(0, int(plan_->rows.size() - index));
    window_->progressBar->setValue(0);
    window_->summaryLabel->clear();
    showButtons();
    QTimer::singleShot(0, this, &SiteSheet::runNextRow);
}

// One row, then back to the event loop, where 停止 can be pressed, before the next.
void SiteSheet::runNextRow() {
    if (stopAsked_) {
        window_->table->setCurrentCell(int(next_), kRowColumn);
        endRun(QStringLiteral("已停止：完成 %1 行，未成功 %2 行；下一行为第 %3 行。")
                   .arg(done_)
                   .arg(failed_)
                   .arg(plan_->rows[next_].row));
        return;
    }
    const PlanRow& row = plan_->rows[next_];
    window_->table->setCurrentCell(tableRowOf(row), kRowColumn);
    setCell(row, resultColumn(), QStringLiteral("正在设置……"), Qt::black);
    const RowEnd end = runner_.send(row);
    window_->promptLabel->hide();
    if (QTableWidgetItem* item = window_->table->item(tableRowOf(row), resultColumn()))
        item->setForeground(end == RowEnd::Done ? Qt::darkGreen : Qt::red);
    if (end == RowEnd::Stop || end == RowEnd::CommunicationFailure) {
        endRun(
            QStringLiteral("%1在第 %2 行：完成 %3 行，未成功 %4 行。选中该行后按“从选中行继续”。")
                .arg(end == RowEnd::Stop ? QStringLiteral("已停止")
                                         : QStringLiteral("通讯失败，停止"))
                .arg(row.row)
                .arg(done_)
                .arg(failed_));
        return;
    }
    ++(end == RowEnd::Done ? done_ : failed_);
    window_->progressBar->setValue(window_->progressBar->value() + 1);
    if (++next_ == plan_->rows.size()) {
        endRun(QStringLiteral("设置完毕：完成 %1 行，未成功 %2 行。").arg(done_).arg(failed_));
        return;
    }
    QTimer::singleShot(0, this, &SiteSheet::runNextRow);
}

void SiteSheet::endRun(const QString& summary) {
    running_ = false;
    paused_.reset();
    window_->table->resizeColumnsToContents();
    window_->summaryLabel->setText(summary);
    showButtons();
}

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
    window_->summaryLabel->setText(plan_ ? QStringLiteral("已读取主机：%1 行中 %2 行与主机一致。")
                                               .arg(plan_->rows.size())
                                               .arg(same)
                                         : QStringLiteral("已读取主机。"));
    showButtons();
}

void SiteSheet::exportHost() {
    if (!unitImage_)
        return;
    const bool tables = plan_ && plan_->kind == PlanKind::Tables;
    const auto path = window_->chooseFile(true, tables ? QStringLiteral("tables.csv")
                                                       : QStringLiteral("pagers.csv"));
    if (!path)
        return;
    if (const auto problem =
            writeSpreadsheetCsv(*path, tables ? tablesCsv(*unitImage_) : pagersCsv(*unitImage_))) {
        showBox(window_,
                {BoxKind::Error,
                 QStringLiteral("文件") + *path + QStringLiteral("保存失败！\n") + *problem,
                 QStringLiteral("错误")});
        return;
    }
    window_->summaryLabel->setText(QStringLiteral("主机表格已导出到%1").arg(*path));
}

} // namespace callcfg

#include "sitesheet/sitesheet.h"

#include "sitesheet/sitesheetwindow.h"
#include "ui/chosenport.h"
#include "ui/windowpainting.h"
#include "ui/windowspause.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <chrono>

namespace callcfg {

void SiteSheet::SheetRows::showWaitBox(WaitBoxKind kind) {
    if (kind != WaitBoxKind::Caller || !row_)
        return;
    sheet_.window_->promptLabel->setText(
        QStringLiteral("请按餐桌号 %1 的呼叫器的服务键").arg(planRowNumber(*row_)));
    sheet_.window_->promptLabel->show();
    letWindowsPaint(0);
}

void SiteSheet::SheetRows::hideWaitBox(WaitBoxKind) {
    sheet_.window_->promptLabel->hide();
}

void SiteSheet::SheetRows::show(const Verdict& verdict) {
    if (row_)
        sheet_.setCell(*row_, sheet_.resultColumn(), verdict.box ? verdict.box->text : QString(),
                       Qt::black);
}

void SiteSheet::SheetRows::lost(const QString& message) {
    sheet_.window_->summaryLabel->setText(message);
}

void SiteSheet::SheetRows::sleepUntil(TimePoint until) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() > 0)
        letWindowsPaint(int(left.count()));
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
    ran_ = true;
    paused_.reset();
    window_->table->resizeColumnsToContents();
    window_->summaryLabel->setText(summary);
    showButtons();
}

} // namespace callcfg

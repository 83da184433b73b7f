#include "sitesheet/sitesheet.h"

#include "link/link.h"
#include "plan/planverify.h"
#include "sitesheet/sitesheetwindow.h"
#include "ui/windowspause.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <set>

namespace callcfg {

namespace {

// Columns besides the sheet's own: after the sheet's columns the row's check, its outcome and
// what the unit holds.
constexpr int kAfterSheet = 3; // 检查, 结果, 主机

} // namespace

SiteSheet::SiteSheet(Link& link, ChosenPort& port)
    : link_(link), port_(port), runner_(link, rows_) {}

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
        connect(window_->newPagerSheetAction, &QAction::triggered, this,
                [this] { newSheet(false); });
        connect(window_->newTableSheetAction, &QAction::triggered, this,
                [this] { newSheet(true); });
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
    ran_ = false;
    const auto read = readPlanFile(path);
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
        for (const QString& note : plan_->notes)
            text += QStringLiteral("<br>%1").arg(note.toHtmlEscaped());
        std::set<int> refused;
        for (const PlanError& refusal : plan_->refusals) {
            text += QStringLiteral("<br><span style='color:red'>%1</span>")
                        .arg(planErrorText(refusal).toHtmlEscaped());
            refused.insert(refusal.row);
        }
        if (!refused.empty())
            text += QStringLiteral("<br><span style='color:red'>%1 行有错，不能设置；"
                                   "请改正后重新打开。</span>")
                        .arg(refused.size());
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
        // Every refusal of the row, which no run sends until the sheet is corrected.
        QStringList refusals;
        for (const PlanError& refusal : plan_->refusals)
            if (refusal.row == row.row)
                refusals << planErrorText(refusal);
        setCell(row, resultColumn() - 1,
                refusals.isEmpty() ? QStringLiteral("✓") : refusals.join(QStringLiteral("；")),
                refusals.isEmpty() ? Qt::darkGreen : Qt::red);
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
    window_->exportButton->setEnabled(
        !running_ && (plan_ ? ran_ || unitImage_.has_value() : unitImage_.has_value()));
}

} // namespace callcfg

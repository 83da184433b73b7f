#include "mainwindow/hostsearchdialog.h"

#include "memory/hostsearch.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace callcfg {

namespace {

// How often the search looks at its question between the window's events.
constexpr int kStepMs = 20;

} // namespace

HostSearchDialog::HostSearchDialog(QWidget& window, HostSearch& search)
    : QDialog(&window), search_(search) {
    setObjectName(QStringLiteral("HostSearchDialog"));
    setWindowTitle(QStringLiteral("查找主机"));
    setWindowModality(Qt::WindowModal);
    steps_ = new QTimer(this);
    steps_->setInterval(kStepMs);
    connect(steps_, &QTimer::timeout, this, &HostSearchDialog::step);
    portLabel = new QLabel(QStringLiteral("正在查找主机……"), this);
    portLabel->setObjectName(QStringLiteral("HostSearchPortLabel"));
    portLabel->setMinimumWidth(320);
    stopButton = new QPushButton(QStringLiteral("停止"), this);
    stopButton->setObjectName(QStringLiteral("HostSearchStopButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portLabel);
    layout->addWidget(stopButton, 0, Qt::AlignRight);
    connect(stopButton, &QPushButton::clicked, this, &HostSearchDialog::reject);
}

void HostSearchDialog::reject() {
    // 停止, Esc and the title bar's close alike: the question in flight is given its grace to
    // release its device before the window's port may be opened again.
    steps_->stop();
    search_.stop();
    QDialog::reject();
}

void HostSearchDialog::step() {
    if (search_.advance(HostSearch::Clock::now())) {
        steps_->stop();
        accept();
        return;
    }
    if (const PortTarget* port = search_.asking())
        portLabel->setText(
            QStringLiteral("正在询问%1（%2）是否连接主机……").arg(port->name(), port->device));
}

bool HostSearchDialog::runSearch() {
    steps_->start();
    step();
    return result() == Accepted || exec() == Accepted;
}

} // namespace callcfg

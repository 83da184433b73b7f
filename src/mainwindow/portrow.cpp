#include "mainwindow/portrow.h"

#include "link/link.h"
#include "link/platformport.h"
#include "link/portremedy.h"
#include "link/texts.h"
#include "mainwindow/hostsearchdialog.h"
#include "mainwindow/mainwindow.h"
#include "memory/hostsearch.h"
#include "ui/messagebox.h"
#include "ui/windowspause.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <cstdio>

namespace callcfg {

namespace {

QString namesNoPort(const QString& listText) {
    return Texts::tr("\"%1\" names no port: it must end in a port number from 1 to %2")
        .arg(listText)
        .arg(kHighestPort);
}

} // namespace

PortRow::PortRow(MainWindow& form, Link& link, PortMap portMap)
    : QObject(&form), form_(form), link_(link), portMap_(std::move(portMap)),
      makeSearchPort_(makePlatformPort), report_([](const QString& problem) {
          std::fprintf(stderr, "callcfg: %s\n", qPrintable(problem));
          std::fflush(stderr);
      }) {
    connect(&form, &MainWindow::portListClicked, this, &PortRow::listChosen);
    connect(&form, &MainWindow::portToggleRequested, this, &PortRow::toggle);
    connect(form.openPortButton, &QPushButton::clicked, this, &PortRow::toggle);
    connect(form.findHostAction, &QAction::triggered, this, &PortRow::findHost);
    portList_ = form.portList;
    portList_->installEventFilter(this);
    link_.addObserver(this);
}

PortRow::~PortRow() {
    link_.removeObserver(this);
}

bool PortRow::ensureOpen() {
    // A command goes to the port the list names: one typed since the open closes that port.
    if (link_.isOpen() && portNumberOf(form_.portList->currentText()) == openPort_)
        return true;
    if (link_.isOpen()) {
        link_.close();
        showState();
    }
    return openChosenPort();
}

bool PortRow::openChosenPort() {
    link_.setRts(true);
    const QString listText = form_.portList->currentText();
    const auto number = portNumberOf(listText);
    const PortTarget target = number ? portMap_.target(*number) : PortTarget{};
    if (!number || target.device.isEmpty() || !link_.open(target.device, listText)) {
        if (!number)
            tell(namesNoPort(listText));
        else if (target.device.isEmpty())
            tell(target.absence);
        else
            tell(openFailureMessage(portAndDevice(listText, target.device), link_.portError(),
                                    link_.portFailure()));
        QWidget* parent = QApplication::activeWindow();
        showBox(parent ? parent : &form_,
                {BoxKind::Error, QStringLiteral("没发现此端口或端口已被其它程序占用!"),
                 QStringLiteral("错误")});
        return false;
    }
    openPort_ = number;
    problem_.clear();
    showState();
    return true;
}

void PortRow::toggle() {
    if (!link_.isOpen()) {
        openChosenPort();
        return;
    }
    link_.close();
    link_.setRts(false);
    showState();
}

void PortRow::listChosen() {
    link_.close();
    problem_.clear();
    showState();
}

void PortRow::showState() {
    const QString listText = form_.portList->currentText();
    const bool open = link_.isOpen();
    form_.portStatusLabel->setText(open ? QStringLiteral("已打开") + listText
                                        : QStringLiteral("串口已关闭"));
    form_.openPortButton->setText(open ? QStringLiteral("关闭") : QStringLiteral("打开"));
    showToolTip();
}

// The last problem while it stands; otherwise where the entry in view leads at this moment.
void PortRow::showToolTip() {
    if (!problem_.isEmpty()) {
        form_.portList->setToolTip(problem_);
        return;
    }
    const auto number = portNumberOf(form_.portList->currentText());
    form_.portList->setToolTip(number ? portMap_.target(*number).summary()
                                      : namesNoPort(form_.portList->currentText()));
}

bool PortRow::eventFilter(QObject* watched, QEvent* event) {
    // Devices come and go: the tooltip is worked out when it is about to show. (The list
    // outlives the main window's own part while the window is destroyed: only its pointer is
    // compared.)
    if (event->type() == QEvent::ToolTip && watched == portList_)
        showToolTip();
    return QObject::eventFilter(watched, event);
}

void PortRow::tell(const QString& problem) {
    problem_ = problem;
    report_(problem);
    showToolTip();
}

void PortRow::portLost(const QString& message) {
    tell(message);
}

void PortRow::findHost() {
    const bool wasOpen = link_.isOpen();
    const QString device = link_.device();
    const QString entry = form_.portList->currentText();
    // The search asks every port on port objects of its own; the window's port is closed
    // meanwhile, so that the device behind it can be asked too.
    link_.close();
    HostSearch search(portMap_, {makeSearchPort_, link_.timeScale(), searchLog_});
    search.stopAtFirst();
    bool ended = false;
    {
        // The dialog is modal to this window; the other windows, whose commands use the port
        // too, take no input meanwhile either.
        const OtherWindowsPaused paused(&form_);
        HostSearchDialog dialog(form_, search);
        ended = dialog.runSearch();
    }
    const int found = search.found();
    if (found == 0) {
        // The port open before the search is opened again; when it cannot be, the box says so
        // beside the search's own outcome.
        QString notReopened;
        openPort_ = portNumberOf(entry);
        if (wasOpen && !link_.open(device, entry)) {
            tell(openFailureMessage(portAndDevice(entry, device), link_.portError(),
                                    link_.portFailure()));
            notReopened = QStringLiteral("查找前打开的%1没有重新打开：").arg(entry) + problem_;
        }
        showState();
        QStringList lines;
        if (ended)
            lines << QStringLiteral("没有找到主机，请检查连线和电源！");
        if (!notReopened.isEmpty())
            lines << notReopened;
        if (!lines.isEmpty())
            showBox(&form_,
                    {BoxKind::Error, lines.join(QLatin1Char('\n')), QStringLiteral("错误")});
        return;
    }
    // A port the list does not hold is written into the list's text, for the next command.
    const QString name = QStringLiteral("COM%1").arg(found);
    const int item = form_.portList->findText(name);
    if (item >= 0)
        form_.portList->setCurrentIndex(item);
    form_.portList->setEditText(name);
    listChosen();
    showBox(&form_,
            {BoxKind::Notice, QStringLiteral("在%1找到主机").arg(name), QStringLiteral("OK")});
}

} // namespace callcfg

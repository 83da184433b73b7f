#include "mainwindow/portrow.h"

#include "link/link.h"
#include "mainwindow/form1.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cstdio>

namespace callcfg {

QString withPortRemedy(const QString& reason) {
    if (reason.contains(QStringLiteral("Permission denied"), Qt::CaseInsensitive))
        return reason + QStringLiteral(" - add your user to the dialout group (sudo usermod -aG "
                                       "dialout $USER) and log in again");
    if (reason.contains(QStringLiteral("busy"), Qt::CaseInsensitive) ||
        reason.contains(QStringLiteral("locking"), Qt::CaseInsensitive))
        return reason + QStringLiteral(" - another program holds the port; close it first");
    if (reason.contains(QStringLiteral("No such file"), Qt::CaseInsensitive))
        return reason + QStringLiteral(" - check the cable and the adapter, or map the port to "
                                       "its device with --port COMn=DEVICE");
    return reason;
}

PortRow::PortRow(Form1& form, Link& link, PortMap portMap)
    : QObject(&form), form_(form), link_(link), portMap_(std::move(portMap)),
      report_([](const QString& problem) {
          std::fprintf(stderr, "callcfg: %s\n", qPrintable(problem));
          std::fflush(stderr);
      }) {
    connect(&form, &Form1::portListClicked, this, &PortRow::listChosen);
    connect(&form, &Form1::portToggleRequested, this, &PortRow::toggle);
    connect(form.openPortButton, &QPushButton::clicked, this, &PortRow::toggle);
}

bool PortRow::ensureOpen() {
    return link_.isOpen() || openChosenPort();
}

bool PortRow::openChosenPort() {
    link_.setRts(true);
    const QString listText = form_.portList->currentText();
    const auto number = portNumberOf(listText);
    if (!number || !link_.open(portMap_.deviceFor(*number))) {
        const QString problem =
            number
                ? QStringLiteral("cannot open %1 (%2): %3")
                      .arg(listText, portMap_.deviceFor(*number), withPortRemedy(link_.portError()))
                : QStringLiteral("\"%1\" names no port: its last character must be 1 to 9")
                      .arg(listText);
        report_(problem);
        form_.portList->setToolTip(problem);
        QWidget* parent = QApplication::activeWindow();
        showBox(parent ? parent : &form_,
                {BoxKind::Error, QStringLiteral("没发现此端口或端口已被其它程序占用!"),
                 QStringLiteral("错误")});
        return false;
    }
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
    showState();
}

void PortRow::showState() {
    const QString listText = form_.portList->currentText();
    const bool open = link_.isOpen();
    form_.portStatusLabel->setText(open ? QStringLiteral("已打开") + listText
                                        : QStringLiteral("串口已关闭"));
    form_.openPortButton->setText(open ? QStringLiteral("关闭") : QStringLiteral("打开"));
    form_.portList->setToolTip(QStringLiteral("%1 → %2").arg(
        listText, portMap_.deviceFor(portNumberOf(listText).value_or(1))));
}

} // namespace callcfg

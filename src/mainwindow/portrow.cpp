#include "mainwindow/portrow.h"

#include "link/link.h"
#include "mainwindow/form1.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace callcfg {

PortRow::PortRow(Form1& form, Link& link, PortMap portMap)
    : QObject(&form), form_(form), link_(link), portMap_(std::move(portMap)) {
    connect(&form, &Form1::portListClicked, this, &PortRow::listChosen);
    connect(&form, &Form1::portToggleRequested, this, &PortRow::toggle);
    connect(form.openPortButton, &QPushButton::clicked, this, &PortRow::toggle);
}

bool PortRow::ensureOpen() {
    return link_.isOpen() || openChosenPort();
}

bool PortRow::openChosenPort() {
    link_.setRts(true);
    const auto number = portNumberOf(form_.portList->currentText());
    if (!number || !link_.open(portMap_.deviceFor(*number))) {
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

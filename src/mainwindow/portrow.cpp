#include "mainwindow/portrow.h"

#include "link/link.h"
#include "mainwindow/form1.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace callcfg {

void wirePortRow(Form1& form, Link& link) {
    link.setPortListText(form.combo5->currentText());
    // The port list is editable: whatever it shows names the port to open.
    QObject::connect(form.combo5, &QComboBox::currentTextChanged, &link,
                     [&link](const QString& text) { link.setPortListText(text); });
    QObject::connect(&form, &Form1::portListClicked, &link, [&form, &link] {
        link.setPortListText(form.combo5->currentText());
        link.portListClicked();
    });
    QObject::connect(&form, &Form1::portToggleRequested, &link, [&link] { link.togglePort(); });
    QObject::connect(form.command15, &QPushButton::clicked, &link, [&link] { link.togglePort(); });
    QObject::connect(&link, &Link::portStateChanged, &form, [&form, &link](bool open) {
        form.label11->setText(open ? QStringLiteral("已打开") + link.portListText()
                                   : QStringLiteral("串口已关闭"));
        form.command15->setText(open ? QStringLiteral("关闭") : QStringLiteral("打开"));
        form.combo5->setToolTip(QStringLiteral("%1 → %2").arg(
            link.portListText(),
            link.portMap().deviceFor(portNumberOf(link.portListText()).value_or(1))));
    });
}

} // namespace callcfg

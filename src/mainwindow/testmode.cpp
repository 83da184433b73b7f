#include "mainwindow/testmode.h"

#include "link/link.h"
#include "mainwindow/form1.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

namespace callcfg {

namespace {

const QString kStartCaption = QStringLiteral("测试(&t)");
const QString kStopCaption = QStringLiteral("停(&t)");

void appendToTestWindow(QPlainTextEdit* text8, const QString& line) {
    QTextCursor cursor(text8->document());
    cursor.movePosition(QTextCursor::End);
    // The document keeps its own line ends: one paragraph per read.
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cursor.insertText(text);
}

// One tick of Timer1: what the port received goes to the test window.
void recvdata(Form1& form, Link& link) {
    const QString line = link.receivePoll();
    if (!line.isEmpty())
        appendToTestWindow(form.text8, line);
}

} // namespace

void wireTestMode(Form1& form, Link& link) {
    QObject::connect(form.timer1, &QTimer::timeout, &form,
                     [&form, &link] { recvdata(form, link); });
    QObject::connect(form.command8, &QPushButton::clicked, &form, [&form, &link] {
        link.ensurePortOpen();
        if (!link.portOpen)
            return;
        if (form.command8->text() == kStartCaption) {
            form.command8->setText(kStopCaption);
            form.setLayoutHeight(Form1::testHeight);
            form.text8->clear();
            form.timer1->start();
        } else {
            form.command8->setText(kStartCaption);
            form.setLayoutHeight(Form1::afterTestHeight);
            form.timer1->stop();
        }
    });
}

} // namespace callcfg

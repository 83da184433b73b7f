#include "mainwindow/testmode.h"

#include "link/link.h"
#include "mainwindow/mainwindow.h"
#include "ui/chosenport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

namespace callcfg {

QString hexLine(std::span<const std::uint8_t> bytes) {
    QString line;
    line.reserve(static_cast<qsizetype>(bytes.size() * 3 + 2));
    for (std::uint8_t b : bytes) {
        line += QString::number(b, 16).toUpper();
        line += QLatin1Char(' ');
    }
    line += QStringLiteral("\r\n");
    return line;
}

TestMode::TestMode(MainWindow& form, Link& link, ChosenPort& port)
    : QObject(&form), form_(form), link_(link), port_(port) {
    connect(form.pollTimer, &QTimer::timeout, this, &TestMode::poll);
    connect(form.testButton, &QPushButton::clicked, this, &TestMode::toggle);
    link_.addObserver(this);
}

TestMode::~TestMode() {
    link_.removeObserver(this);
}

void TestMode::toggle() {
    if (!port_.ensureOpen())
        return;
    on_ = !on_;
    form_.testButton->setText(on_ ? QStringLiteral("停(&t)") : QStringLiteral("测试(&t)"));
    form_.setLayoutHeight(on_ ? MainWindow::testHeight : MainWindow::afterTestHeight);
    if (on_) {
        form_.testWindow->clear();
        form_.pollTimer->start();
    } else {
        form_.pollTimer->stop();
    }
}

// One tick of the poll timer: what the port received goes to the test window, one line per read; a
// lone byte is dropped.
void TestMode::poll() {
    if (const auto bytes = link_.readWaiting())
        show(*bytes);
}

void TestMode::dropped(std::span<const std::uint8_t> bytes) {
    if (on_)
        show(bytes);
}

void TestMode::show(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2)
        return;
    QTextCursor cursor(form_.testWindow->document());
    cursor.movePosition(QTextCursor::End);
    // The document keeps its own line ends: one paragraph per read.
    QString line = hexLine(bytes);
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cursor.insertText(line);
}

} // namespace callcfg

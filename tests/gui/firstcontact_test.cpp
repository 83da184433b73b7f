// The installer's first minutes on site: 查找主机 finds the port that leads to the host unit
// (through --port or through the devices present) and leaves the window as it was when none
// answers or the search is stopped; a command right after a time-out leaves at once and takes its
// own reply, not the late one; the test window shows late bytes the link drops.

#include "app/program.h"
#include "endtoend.h"
#include "expectedboxes.h"
#include "hostsim/line/ptyhost.h"
#include "link/linkobserver.h"
#include "link/qtserialport.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <thread>

using hostsim::Fault;
using testsupport::describe;
using Clock = std::chrono::steady_clock;

namespace {

using Devices = std::vector<callcfg::SerialDevice>;

// A program against the simulated unit whose port list maps what `map` says, with no serial
// device present but what `present` makes of the unit's device.
struct Site {
    hostsim::PtyHost host;
    std::unique_ptr<callcfg::Program> program;
    testsupport::BoxWatcher boxes;

    explicit Site(const std::function<void(callcfg::PortMap&, const QString&)>& map,
                  const std::function<Devices(const QString&)>& present = {},
                  double timeScale = 0.1) {
        host.setPacing(false);
        const Devices devices = present ? present(device()) : Devices{};
        callcfg::PortMap ports([devices] { return devices; });
        map(ports, device());
        program = std::make_unique<callcfg::Program>(ports);
        program->exitProgram = [] {};
        program->link.setTimeScale(timeScale);
        program->mainWindow.show();
    }
    QString device() const { return QString::fromStdString(host.devicePath()); }
    callcfg::MainWindow& form() { return program->mainWindow; }
    std::vector<hostsim::ReceivedRequest> requests() {
        return host.withLine([](hostsim::HostLine& line) { return line.takeRequests(); });
    }
};

// Counts the requests that leave through a link.
struct SentCount : callcfg::LinkObserver {
    int requests = 0;
    void sent(std::span<const std::uint8_t>) override { ++requests; }
};

// Once the search's dialog runs: what it shows, and then `act` on it.
std::shared_ptr<QStringList> watchSearchDialog(const std::function<void(QWidget&)>& act = {}) {
    auto seen = std::make_shared<QStringList>();
    QTimer::singleShot(0, [seen, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        const auto* stop = dialog->findChild<QPushButton*>();
        *seen << dialog->objectName() << dialog->windowTitle()
              << QString::number(dialog->windowModality()) << (stop ? stop->text() : "");
        if (act)
            act(*dialog);
    });
    return seen;
}

} // namespace

class FirstContactTest : public QObject {
    Q_OBJECT

private slots:
    // The port that answered is chosen (written into the list when the list does not hold it),
    // the port closed as choosing does, and a notice says where. The unit got one read of block
    // 0, not through the window's port, while a window-modal dialog with 停止 was up.
    void findHostChoosesThePortThatAnswered_data() {
        QTest::addColumn<int>("port");
        QTest::newRow("an item of the list") << 3;
        QTest::newRow("a port the list does not hold") << 11;
    }
    void findHostChoosesThePortThatAnswered() {
        QFETCH(int, port);
        const QString name = QString("COM%1").arg(port);
        // The search's question at half its real wait: room for a loaded machine.
        Site site([port](callcfg::PortMap& map, const QString& device) { map.map(port, device); },
                  {}, 0.5);
        SentCount windowPort;
        site.program->link.addObserver(&windowPort);
        const auto dialog = watchSearchDialog();
        site.form().findHostAction->trigger();
        site.program->link.removeObserver(&windowPort);
        QCOMPARE(*dialog, (QStringList{"HostSearchDialog", "查找主机",
                                       QString::number(Qt::WindowModal), "停止"}));
        QCOMPARE(describe(site.boxes.take()), QStringList{"notice OK: 在" + name + "找到主机"});
        QCOMPARE(windowPort.requests, 0);
        const auto requests = site.requests();
        QCOMPARE(requests.size(), std::size_t(1));
        QCOMPARE(requests[0].command, std::uint8_t(0x0D));
        QCOMPARE(requests[0].data, std::vector<std::uint8_t>{0x00});
        QCOMPARE(site.form().portList->currentText(), name);
        QCOMPARE(site.form().portStatusLabel->text(), QString("串口已关闭"));
        site.form().openPortButton->click();
        QCOMPARE(site.form().portStatusLabel->text(), "已打开" + name);
    }

    // Without --port the adapter present is COM1: found, described and opened.
    void theAdapterPresentIsCom1() {
        Site site([](callcfg::PortMap&, const QString&) {},
                  [](const QString& device) {
                      callcfg::SerialDevice adapter;
                      adapter.path = device;
                      adapter.usb = true;
                      adapter.byIdName = "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
                      adapter.description = "FT232R USB UART";
                      return Devices{adapter};
                  },
                  0.5);
        site.form().portList->setCurrentIndex(1); // COM2: nothing there
        site.form().findHostAction->trigger();
        QCOMPARE(describe(site.boxes.take()), QStringList{"notice OK: 在COM1找到主机"});
        QCOMPARE(site.form().portList->currentText(), QString("COM1"));
        QCOMPARE(site.form().portList->toolTip(),
                 QString("COM1 → %1：FT232R USB UART").arg(site.device()));
        site.form().openPortButton->click();
        QCOMPARE(site.form().portStatusLabel->text(), QString("已打开COM1"));
    }

    // No entry answers: the error box, and the port open before the search is open again.
    // A device that another program holds is never written to.
    void findHostWithoutAnswerLeavesTheWindowAsItWas() {
        hostsim::PtyHost held;
        held.setPacing(false);
        callcfg::Link other(std::make_unique<callcfg::QtSerialPort>());
        QVERIFY(other.open(QString::fromStdString(held.devicePath())));
        Site site([&](callcfg::PortMap& map, const QString& device) {
            map.map(1, device);
            map.map(2, QString::fromStdString(held.devicePath()));
        });
        site.host.withLine([](hostsim::HostLine& line) {
            line.addFault(Fault::noReply().onCommand(0x0D).always());
        });
        site.form().openPortButton->click();
        QCOMPARE(site.form().portStatusLabel->text(), QString("已打开COM1"));
        site.form().findHostAction->trigger();
        QCOMPARE(describe(site.boxes.take()),
                 QStringList{"error 错误: 没有找到主机，请检查连线和电源！"});
        QCOMPARE(site.requests().size(), std::size_t(1));
        QVERIFY(held.withLine([](hostsim::HostLine& line) { return line.rawReceived().empty(); }));
        QCOMPARE(site.form().portList->currentText(), QString("COM1"));
        QCOMPARE(site.form().portStatusLabel->text(), QString("已打开COM1"));
        QCOMPARE(site.form().openPortButton->text(), QString("关闭"));
        QVERIFY(site.program->link.isOpen());
        QCOMPARE(site.program->link.device(), site.device());

        // 停止, Esc and the title bar's close end the search at once, here 50 ms into the unit's
        // question (0.2 s at real timing), whose port is let go of first: no box, the port
        // open again.
        site.program->link.setTimeScale(1.0);
        for (const auto& end : std::vector<std::function<void(QWidget&)>>{
                 [](QWidget& dialog) { dialog.findChild<QPushButton*>()->click(); },
                 [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
                 [](QWidget& dialog) { dialog.close(); }}) {
            watchSearchDialog([end](QWidget& dialog) {
                QTimer::singleShot(50, &dialog, [&dialog, end] { end(dialog); });
            });
            site.form().findHostAction->trigger();
            QCOMPARE(describe(site.boxes.take()), QStringList{});
            QCOMPARE(site.form().portStatusLabel->text(), QString("已打开COM1"));
            QVERIFY(site.program->link.isOpen());
        }
    }

    // The port open before a search that found nothing cannot be opened again (its device went
    // meanwhile): the box says so beside the search's outcome, the port stays closed.
    void findHostSaysThePortWasNotReopened() {
        QTemporaryDir dir;
        const QString link = dir.filePath("adapter");
        Site site([&](callcfg::PortMap& map, const QString& device) {
            QVERIFY(QFile::link(device, link));
            map.map(1, link);
        });
        site.program->portRow->setSearchPorts([link] {
            QFile::remove(link);
            return std::make_unique<callcfg::QtSerialPort>();
        });
        site.form().openPortButton->click();
        site.form().findHostAction->trigger();
        const QString box = describe(site.boxes.take()).join('|');
        QVERIFY2(box.startsWith(
                     "error 错误: 没有找到主机，请检查连线和电源！\n查找前打开的COM1没有重新打开："
                     "无法打开 COM1 (" +
                     link + ")："),
                 qPrintable(box));
        QCOMPARE(site.form().portStatusLabel->text(), QString("串口已关闭"));
    }

    // At real timing: the delete times out (2 x 1.0 s), its reply ("no such pager") comes
    // 0.3 s later while the installer reads the box; the next delete leaves within 0.1 s of
    // its click and shows its own reply.
    void aCommandAfterATimeOutLeavesAtOnce() {
        Site site([](callcfg::PortMap& map, const QString& device) { map.map(1, device); }, {},
                  1.0);
        site.host.withLine([](hostsim::HostLine& line) {
            const std::uint8_t pager5[] = {0x6B, 0x12, 0x34, 0x56, 0x72};
            for (int i = 0; i < 5; ++i)
                line.unit().setMemoryAt(20 + i, pager5[i]);
            line.addFault(Fault::delay(2.3).onCommand(0x04));
        });
        callcfg::MainWindow& form = site.form();
        site.boxes.setAnswerDelay(700);
        form.deletePagerEdit->setText("6");
        form.deletePagerButton->click();
        QCOMPARE(describe(site.boxes.take()),
                 QStringList{"error 错误: 删除传呼号失败，请检查与通讯端口的连接情况！"});
        QCOMPARE(site.requests().size(), std::size_t(1));

        site.boxes.setAnswerDelay(0);
        form.deletePagerEdit->setText("5");
        Clock::time_point arrived{};
        std::thread watch([&] {
            if (site.host.waitFor([](const hostsim::HostLine& l) { return !l.requests().empty(); },
                                  std::chrono::milliseconds(3000)))
                arrived = Clock::now();
        });
        const Clock::time_point clicked = Clock::now();
        form.deletePagerButton->click();
        watch.join();
        const double seconds = std::chrono::duration<double>(arrived - clicked).count();
        qInfo("frame on the wire %.3f s after the click", seconds);
        QVERIFY2(seconds >= 0 && seconds < 0.1, qPrintable(QString::number(seconds)));
        QCOMPARE(describe(site.boxes.take()), QStringList{"notice OK: 删除传呼号成功！"});
    }

    // Late bytes dropped before a request appear in the test window, one line per read.
    void testWindowShowsDroppedBytes() {
        Site site([](callcfg::PortMap& map, const QString& device) { map.map(1, device); });
        callcfg::MainWindow& form = site.form();
        form.testButton->click();
        QVERIFY(form.pollTimer->isActive());
        site.host.withLine(
            [](hostsim::HostLine& line) { line.addFault(Fault::delay(0.15).onCommand(0x08)); });
        callcfg::Link& link = site.program->link;
        QVERIFY(std::holds_alternative<callcfg::NoReply>(link.exchange({0x08, {}}, {1, 1.0})));
        std::this_thread::sleep_for(std::chrono::milliseconds(150)); // no poll meanwhile
        link.exchange({0x09, {}}, {1, 1.0});
        QCOMPARE(form.testWindow->toPlainText(), QString("55 AA 2 8 0 F5 \n"));

        // A lone late byte makes no line.
        site.host.withLine([](hostsim::HostLine& line) {
            line.addFault(Fault::delay(0.15).onCommand(0x08));
            line.addFault(Fault::truncate(1).onCommand(0x08));
        });
        QVERIFY(std::holds_alternative<callcfg::NoReply>(link.exchange({0x08, {}}, {1, 1.0})));
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        link.exchange({0x09, {}}, {1, 1.0});
        QCOMPARE(form.testWindow->toPlainText(), QString("55 AA 2 8 0 F5 \n"));
    }
};

QTEST_MAIN(FirstContactTest)
#include "firstcontact_test.moc"

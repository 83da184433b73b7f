// The main window around its commands: the port row, a port that cannot be opened, and the test
// mode with its test window.

#include "mainwindow_fixture.h"

#include "language/language.h"
#include "link/portremedy.h"
#include "link/qtserialport.h"
#include "mainwindow/mainwindow.h"
#include "wire.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace mainwindowtests;
using testsupport::EndToEnd;

namespace {

// 写入 of the work mode meets a bad reply at once, then the good one `goodReplyAt` seconds
// later; the checksum box is read for `boxMs`. The command takes the good reply.
void workModeThroughChecksumBox(testsupport::EndToEnd& e2e, double goodReplyAt, int boxMs) {
    e2e.host.withLine([goodReplyAt](hostsim::HostLine& line) {
        line.addFault(hostsim::Fault::noise({0x55, 0xAA, 0x02, 0x17, 0x00, 0xE7}).onCommand(0x17));
        line.addFault(hostsim::Fault::split(6, goodReplyAt).onCommand(0x17));
    });
    e2e.boxes.setAnswerDelay(boxMs);
    QTest::mouseClick(e2e.mainWindow().writeWorkModeButton, Qt::LeftButton);
    e2e.boxes.setAnswerDelay(0);
    QCOMPARE(describe(e2e.boxes.take()),
             (QStringList{"error 错误: CRC校验错误", "notice OK: 设置工作模式成功！"}));
}

// The program with COM1 naming a device that does not exist, COM2 and COM12 the simulated host
// unit.
struct MissingCom1 {
    hostsim::PtyHost host;
    hostsim::PtyHost other; // COM3: a second unit on the bench
    std::unique_ptr<callcfg::Program> program;
    testsupport::BoxWatcher boxes;

    MissingCom1() {
        host.setPacing(false);
        other.setPacing(false);
        host.withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0); });
        callcfg::PortMap map;
        map.map(1, "/dev/callcfg-no-such-port");
        map.map(2, QString::fromStdString(host.devicePath()));
        map.map(12, QString::fromStdString(host.devicePath()));
        map.map(3, QString::fromStdString(other.devicePath()));
        program = std::make_unique<callcfg::Program>(map);
        program->exitProgram = [] {};
        program->link.setTimeScale(0.05);
        program->mainWindow.show();
        backTo(program->mainWindow);
    }

    callcfg::MainWindow& mainWindow() { return program->mainWindow; }
    QString takeWire() {
        return hexText(
            host.withLine([](hostsim::HostLine& line) { return line.takeRawReceived(); }));
    }
    // Chooses the next or previous entry of the port list with the arrow keys.
    void choosePort(Qt::Key key) {
        mainWindow().portList->setFocus();
        QTest::keyClick(mainWindow().portList, key);
    }
};

} // namespace

class MainWindowPortTest : public QObject {
    Q_OBJECT

private slots:
    // With no port to open every command shows the port box alone: no input check, no
    // confirmation, no wait box, nothing sent, and the indicators stay closed.
    void portMissing_data() {
        QTest::addColumn<QString>("button");
        QStringList buttons{"Command8"}; // the test mode
        for (const testsupport::ExpectedRequest& request : testsupport::windowRequests())
            if (!QString(request.button).contains('/') && !buttons.contains(request.button))
                buttons << request.button;
        for (const QString& button : buttons)
            QTest::newRow(qPrintable(button)) << button;
    }

    void portMissing() {
        QFETCH(QString, button);
        MissingCom1 rig;
        callcfg::MainWindow& form = rig.mainWindow();
        showEverything(form);
        const int height = form.height();
        WaitBoxWatch callerBox(&rig.program->waitBoxes.callerBox());
        WaitBoxWatch urgeBox(&rig.program->waitBoxes.urgeBox());
        click(form, button);
        QCOMPARE(describe(rig.boxes.take()), QStringList{kPortBox});
        QCOMPARE(rig.takeWire(), QString());
        QVERIFY(!rig.program->link.isOpen());
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        QCOMPARE(form.openPortButton->text(), QString("打开"));
        QCOMPARE(callerBox.showCount.load() + urgeBox.showCount.load(), 0);
        QCOMPARE(form.height(), height);
        QVERIFY(!form.pollTimer->isActive());
        QCOMPARE(form.testButton->text(), QString("测试(&t)"));
    }

    // The box stays as it is; the system's reason, in Qt's Chinese as the windows speak it,
    // with the usual remedy, goes to stderr and into the port list's tooltip.
    void portProblemsExplainThemselves() {
        MissingCom1 rig;
        callcfg::MainWindow& form = rig.mainWindow();
        QStringList told;
        rig.program->portRow->setProblemReporter([&](const QString& p) { told << p; });
        click(form, "Command15");
        QCOMPARE(describe(rig.boxes.take()), QStringList{kPortBox});
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith("无法打开 COM1 (/dev/callcfg-no-such-port)：此文件或目录不存在"
                                    "——请检查连线和串口适配器"),
                 qPrintable(told[0]));
        QCOMPARE(form.portList->toolTip(), told[0]);

        // COM2 is the host unit, held by another program.
        callcfg::Link other(std::make_unique<callcfg::QtSerialPort>());
        QVERIFY(other.open(QString::fromStdString(rig.host.devicePath())));
        form.portList->setEditText("COM2");
        click(form, "Command15");
        QVERIFY2(told.value(1).contains(") 正被其他程序使用（"), qPrintable(told.value(1)));
        form.portList->setEditText("COMx");
        click(form, "Command15");
        QCOMPARE(told.value(2), QString("“COMx”不是端口名：结尾必须是 1 到 255 的端口号"));
        QCOMPARE(describe(rig.boxes.take()), QStringList(2, kPortBox));
    }

    // The remedy follows the kind of failure: told from Linux's and Qt's words, in English or
    // Chinese, or given by the port (Windows classifies its error codes, whatever language its
    // texts are in).
    void remedyFollowsTheFailure_data() {
        using callcfg::PortFailure;
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("failure"); // -1: told from the reason's words
        QTest::addColumn<QString>("told");
        const QString dialout =
            "——请把用户加入 dialout 组（sudo usermod -aG dialout $USER）后重新登录";
        const QString held = "）——请先关闭该程序";
        QTest::newRow("no permission")
            << "Permission denied" << -1 << "无法打开 COM1：Permission denied" + dialout;
        QTest::newRow("busy") << "Device or resource busy" << -1
                              << "COM1 正被其他程序使用（Device or resource busy" + held;
        QTest::newRow("locked")
            << "Permission error while locking the device" << -1
            << "COM1 正被其他程序使用（Permission error while locking the device" + held;
        QTest::newRow("other") << "Input/output error" << -1 << "无法打开 COM1：Input/output error";
        QTest::newRow("no permission, Qt's Chinese")
            << "权限被拒绝" << -1 << "无法打开 COM1：权限被拒绝" + dialout;
        QTest::newRow("locked, Qt's Chinese")
            << "锁定设备时出现权限错误" << -1
            << "COM1 正被其他程序使用（锁定设备时出现权限错误" + held;
        QTest::newRow("held, Chinese Windows") << "拒绝访问。" << int(PortFailure::HeldElsewhere)
                                               << "COM1 正被其他程序使用（拒绝访问。" + held;
        QTest::newRow("missing, Chinese Windows")
            << "系统找不到指定的文件。" << int(PortFailure::NoSuchDevice)
            << "无法打开 COM1：系统找不到指定的文件。——请检查连线和串口适配器，或用 --port "
               "COMn=设备 "
               "指定端口对应的设备";
    }
    void remedyFollowsTheFailure() {
        QFETCH(QString, reason);
        QFETCH(int, failure);
        QFETCH(QString, told);
        callcfg::useLanguage(callcfg::Language::Chinese); // as the windows speak
        const auto kind = failure < 0 ? callcfg::failureNamedIn(reason)
                                      : static_cast<callcfg::PortFailure>(failure);
        QCOMPARE(callcfg::openFailureMessage("COM1", reason, kind), told);
    }

    void portRow() {
        MissingCom1 rig;
        callcfg::MainWindow& form = rig.mainWindow();
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        QCOMPARE(form.openPortButton->text(), QString("打开"));

        click(form, "Command15"); // COM1 does not exist
        QCOMPARE(describe(rig.boxes.take()), QStringList{kPortBox});
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));

        rig.choosePort(Qt::Key_Down);
        QCOMPARE(form.portList->currentText(), QString("COM2"));
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        // The next command opens the chosen port.
        click(form, "Command11");
        QCOMPARE(describe(rig.boxes.take()), QStringList{"notice OK: 设置工作模式成功！"});
        QCOMPARE(rig.takeWire(), QString("55 55 AA 01 17 01 01 E5"));
        QCOMPARE(form.portStatusLabel->text(), QString("已打开COM2"));
        QCOMPARE(form.openPortButton->text(), QString("关闭"));

        click(form, "Command15");
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        QCOMPARE(form.openPortButton->text(), QString("打开"));
        QTest::mouseDClick(form.portLabel, Qt::LeftButton);
        QCOMPARE(form.portStatusLabel->text(), QString("已打开COM2"));
        QCOMPARE(form.openPortButton->text(), QString("关闭"));
        QVERIFY(rig.boxes.boxes().isEmpty());

        // Choosing another port closes the open one.
        rig.choosePort(Qt::Key_Up);
        QCOMPARE(form.portList->currentText(), QString("COM1"));
        QVERIFY(!rig.program->link.isOpen());
        QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        QCOMPARE(form.openPortButton->text(), QString("打开"));

        // The whole number the list's text ends with names the port.
        form.portList->setEditText("COM12");
        click(form, "Command15");
        QCOMPARE(form.portStatusLabel->text(), QString("已打开COM12"));
        QVERIFY(rig.boxes.boxes().isEmpty());

        // Typing a port's name and leaving the list, by Tab, Enter or a click elsewhere,
        // chooses nothing: the open port stays open.
        backTo(form);
        for (const Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
            form.portList->setFocus();
            QTRY_VERIFY(form.portList->hasFocus());
            form.portList->lineEdit()->selectAll();
            QTest::keyClicks(form.portList, "COM3");
            QTest::keyClick(form.portList, leave);
            QVERIFY(rig.program->link.isOpen());
            QCOMPARE(form.portStatusLabel->text(), QString("已打开COM12"));
        }
        form.portList->setFocus();
        QTest::keyClicks(form.portList, "COM4");
        QTest::mouseClick(form.deletePagerEdit, Qt::LeftButton);
        QVERIFY(rig.program->link.isOpen());
        QCOMPARE(form.openPortButton->text(), QString("关闭"));
        QVERIFY(rig.boxes.boxes().isEmpty());

        // The next command goes to the port the list names: the typed COM3 replaces COM12.
        rig.takeWire();
        form.portList->setEditText("COM3");
        click(form, "Command11");
        QCOMPARE(describe(rig.boxes.take()), QStringList{"notice OK: 设置工作模式成功！"});
        QCOMPARE(rig.takeWire(), QString());
        QCOMPARE(hexText(rig.other.withLine(
                     [](hostsim::HostLine& line) { return line.takeRawReceived(); })),
                 QString("55 55 AA 01 17 01 01 E5"));
        QCOMPARE(form.portStatusLabel->text(), QString("已打开COM3"));

        // A list text that does not end in a port number from 1 to 255 names no port.
        click(form, "Command15");
        for (const char* text : {"COMx", "COM0", "COM256", "COM1 "}) {
            form.portList->setEditText(text);
            click(form, "Command15");
            QCOMPARE(describe(rig.boxes.take()), QStringList{kPortBox});
            QVERIFY(!rig.program->link.isOpen());
            QCOMPARE(form.portStatusLabel->text(), QString("串口已关闭"));
        }
    }

    // The checksum box ends its period; the next period runs in full once the box is closed
    // and takes the good reply that came meanwhile: at real length, the bad reply at once, the
    // box read for 2.5 s, the good reply at 4.0 s, taken at 4.5 s.
    void checksumBoxEndsItsPeriod() {
        EndToEnd e2e(1.0);
        workModeThroughChecksumBox(e2e, 4.0, 2500);
    }

    // Command8 is hidden; a click on it (it stays enabled) opens the port, makes the window
    // high enough for the test window and every frame and polls the port into the test
    // window; a second click ends it (6000 twips, title bar included).
    void testMode() {
        EndToEnd e2e;
        callcfg::MainWindow& form = e2e.mainWindow();
        QVERIFY(!form.testButton->isVisible());
        form.testWindow->setPlainText("old");
        form.testButton->click();
        QVERIFY(e2e.link().isOpen());
        QCOMPARE(form.portStatusLabel->text(), QString("已打开COM1"));
        QCOMPARE(form.testButton->text(), QString("停(&t)"));
        QCOMPARE(form.height(), 727);
        QVERIFY(form.pollTimer->isActive());
        QCOMPARE(form.pollTimer->interval(), 10);
        QCOMPARE(form.testWindow->toPlainText(), QString());

        // No poll runs during a command's wait: the reply goes to the command, not the window.
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{"notice OK: 设置工作模式成功！"});
        QCOMPARE(form.testWindow->toPlainText(), QString());
        e2e.takeWire();

        // Nor while the checksum box is open: the good reply that arrives meanwhile is taken
        // by the command at the end of its next period.
        workModeThroughChecksumBox(e2e, 0.08, 400);
        QCOMPARE(form.testWindow->toPlainText(), QString());
        e2e.takeWire();

        // A reply that comes after its command has given up (150 ms) is shown as read, one line
        // per read.
        e2e.host.withLine([](hostsim::HostLine& line) {
            line.addFault(hostsim::Fault::delay(0.4).onCommand(0x17));
            line.addFault(hostsim::Fault::wrongLength(1).onCommand(0x17));
        });
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kTimeout});
        QTRY_COMPARE_WITH_TIMEOUT(form.testWindow->toPlainText(), QString("55 AA 2 17 1 0 E5 \n"),
                                  2000);

        // The poll has taken those bytes: the next command does not see them.
        e2e.host.withLine([](hostsim::HostLine& line) {
            line.addFault(hostsim::Fault::noReply().onCommand(0x17));
        });
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kTimeout});
        QCOMPARE(e2e.takeWire(), QString("55 55 AA 01 17 01 01 E5 55 55 AA 01 17 01 01 E5"));

        form.testButton->click();
        QCOMPARE(form.testButton->text(), QString("测试(&t)"));
        QCOMPARE(form.height(), 374);
        QVERIFY(!form.pollTimer->isActive());
        QVERIFY(e2e.link().isOpen());

        // Without the test mode nothing polls the port.
        e2e.host.withLine([](hostsim::HostLine& line) {
            line.addFault(hostsim::Fault::delay(0.4).onCommand(0x17));
        });
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kTimeout});
        QTest::qWait(450);
        QCOMPARE(form.testWindow->toPlainText(), QString("55 AA 2 17 1 0 E5 \n"));
    }

    // A reply the unit sent twice is taken once: its copy, come after the command took the
    // reply, is dropped, and the next command of the same code, unanswered, times out.
    void aReplySentTwiceIsTakenOnce() {
        EndToEnd e2e;
        callcfg::MainWindow& form = e2e.mainWindow();
        e2e.host.withLine([](hostsim::HostLine& line) {
            line.addFault(hostsim::Fault::twice(0.2).onCommand(0x17)); // after the 50 ms period
        });
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{"notice OK: 设置工作模式成功！"});
        QVERIFY(e2e.host.waitForQuiet(std::chrono::seconds(10))); // the copy is out
        e2e.host.withLine([](hostsim::HostLine& line) {
            line.addFault(hostsim::Fault::noReply().onCommand(0x17));
        });
        QTest::mouseClick(form.writeWorkModeButton, Qt::LeftButton);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kTimeout});
    }
};

QTEST_MAIN(MainWindowPortTest)
#include "mainwindow_port_test.moc"

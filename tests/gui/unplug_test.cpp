// The device disappears (the pty is closed) during a main-window command, a host read, a
// receiver read and a download: a clear failure box, no crash, the images and the flags as
// they were, the loss named on stderr and in the port list's tooltip; once the device is back,
// choosing the port again works without a restart. The device is reached through a link that is
// pointed at the new pty when it comes back, as a USB adapter plugged in again appears under the
// same /dev/serial/by-id name.

#include "app/program.h"
#include "boxwatcher.h"
#include "hostsim/line/ptyhost.h"
#include "memoryreader/memoryreaderwindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Pluggable {
    QTemporaryDir dir;
    QString device = dir.filePath(QStringLiteral("usb-serial"));
    std::unique_ptr<hostsim::PtyHost> host;
    std::unique_ptr<callcfg::Program> program;
    testsupport::BoxWatcher boxes;

    Pluggable() {
        plugIn();
        callcfg::PortMap map;
        map.map(1, device);
        program = std::make_unique<callcfg::Program>(map);
        program->exitProgram = [] {};
        program->link.setTimeScale(0.1);
        program->mainWindow.show();
    }

    void plugIn() {
        host = std::make_unique<hostsim::PtyHost>();
        host->setPacing(false);
        host->withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0); });
        QFile::remove(device);
        QFile::link(QString::fromStdString(host->devicePath()), device);
    }

    // Pulls the plug once `progress` reaches `at` (or at once when `at` is negative).
    void unplugAt(QProgressBar* progress, int at) {
        if (at < 0) {
            host->goAway();
            return;
        }
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = QObject::connect(progress, &QProgressBar::valueChanged, progress,
                                 [this, at, once](int value) {
                                     if (value != at)
                                         return;
                                     QObject::disconnect(*once);
                                     host->goAway();
                                 });
    }
};

} // namespace

class UnplugTest : public QObject {
    Q_OBJECT
private slots:
    void unplugged_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("at"); // progress value at which the plug is pulled
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("success"); // the box of the same operation once back
        QTest::newRow("main-window command") << "work mode" << -1 << "工作模式设置失败！"
                                             << "设置工作模式成功！";
        QTest::newRow("host read") << "host read" << 20 << "读取主机内容失败！"
                                   << "读取主机内容成功！";
        QTest::newRow("receiver read") << "receiver read" << 1 << "读取内置接收机内容失败！"
                                       << "读取内置接收机内容成功！";
        QTest::newRow("download") << "download" << 7 << "下发主机内容失败！"
                                  << "下发备份数据到主机成功！";
    }

    void unplugged() {
        QFETCH(QString, operation);
        QFETCH(int, at);
        QFETCH(QString, box);
        QFETCH(QString, success);
        Pluggable rig;
        callcfg::Program& program = *rig.program;
        callcfg::Images& images = program.images;
        QVERIFY(program.portRow->ensureOpen());
        program.mainWindow.memoryReaderButton->click();
        callcfg::MemoryReaderWindow& readerWindow = *program.memoryReader->readerWindow();
        // The program holds a host image that must survive the failure.
        for (int n = 0; n < 8192; ++n)
            images.hostImage[n] = std::uint8_t(n % 251);
        images.hostImagePresent = images.anyImagePresent = true;
        const callcfg::Images before = images;

        const auto start = [&] {
            if (operation == "work mode")
                program.mainWindow.writeWorkModeButton->click();
            else if (operation == "host read")
                readerWindow.readHostButton->click();
            else if (operation == "receiver read")
                readerWindow.readBuiltInButton->click();
            else
                readerWindow.downloadButton->click();
        };
        // The boxes after the download's question.
        const auto outcome = [&] { return rig.boxes.takeTexts().mid(operation == "download"); };
        QStringList told;
        program.portRow->setProblemReporter([&](const QString& problem) { told << problem; });
        rig.unplugAt(readerWindow.progressBar, at);
        start();
        QCOMPARE(outcome(), QStringList{box});
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith(QString("COM1 (%1) 已断开：").arg(rig.device)) &&
                     told[0].size() > rig.device.size() + 14,
                 qPrintable(told[0]));
        QCOMPARE(program.mainWindow.portList->toolTip(), told[0]);
        QCOMPARE(images.hostImage, before.hostImage);
        QCOMPARE(images.receiverImage, before.receiverImage);
        QCOMPARE(images.hostImagePresent, before.hostImagePresent);
        QCOMPARE(images.anyImagePresent, before.anyImagePresent);
        QCOMPARE(images.receiverImagePresent, before.receiverImagePresent);

        // The device comes back; choosing the port again lets the next command open it.
        rig.plugIn();
        program.mainWindow.portList->setFocus();
        QTest::keyClick(program.mainWindow.portList, Qt::Key_Down);
        QTest::keyClick(program.mainWindow.portList, Qt::Key_Up);
        QCOMPARE(program.mainWindow.portStatusLabel->text(), QString("串口已关闭"));
        QCOMPARE(program.mainWindow.portList->toolTip(), "COM1 → " + rig.device);
        start();
        QCOMPARE(outcome(), QStringList{success});
        QCOMPARE(program.mainWindow.portStatusLabel->text(), QString("已打开COM1"));
    }
};

QTEST_MAIN(UnplugTest)
#include "unplug_test.moc"

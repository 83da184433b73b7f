// Receiver and host maintenance from the main window to the simulated host unit: receiver
// number (Command2), initialise receiver (Command6), initialise host unit (Command7), receiver
// frequency (Command13) and transmitter frequency (Command14).

#include "mainwindow_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace mainwindowtests;

namespace {

const QString kReceiverRange = "error 错误: 接收器号码必须为01-80的数字！";
const QString kConfirmHost = "confirm 注意！！: 执行此操作将清除主机内存储的所有信息！！\r\n   "
                             "您确认执行请按确定，否则请取消！";
const QString kConfirmClear =
    "confirm 注意: 不输入发射机频率值，将清除系统中对发射机的设置！\r\n是否继续？";
const QString kFrequencyOk = "notice OK: 接收器频率写入成功！";
const QString kFrequencyFailed = "error 错误: 接收器频率写入失败!";
const QString kFrequencyRange = "error 错误: 接收器号码必须为1-80的数字！";
const QString kTransmitterOk = "notice OK: 发射机频率写入成功！";
const QString kStep = "error 错误: 频率值必须为12.5K的倍数！";

} // namespace

class MaintenanceCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void setReceiverNumber_data() {
        addCommandColumns();
        QTest::newRow("80") << QStringList{"Text2=80"} << ""
                            << "55 55 AA 01 02 01 50 AB"
                            << QStringList{"notice OK: 设置接收器号码成功！"} << "Text2";
        QTest::newRow("81") << QStringList{"Text2=81"} << ""
                            << "" << QStringList{kReceiverRange} << "Text2";
    }

    void setReceiverNumber() { runCommandRow("Command2", 0x02); }

    void initialiseReceiver_data() {
        addCommandColumns();
        const QString wire = "55 55 AA 01 08 00 F6";
        QTest::newRow("done") << QStringList{} << "" << wire
                              << QStringList{"notice OK: 初始化接收器成功！"} << "Command6";
    }

    void initialiseReceiver() { runCommandRow("Command6", 0x08); }

    void initialiseHost_data() {
        addCommandColumns();
        const QString wire = "55 55 AA 01 09 00 F5";
        QTest::newRow("done") << QStringList{} << "" << wire
                              << QStringList{kConfirmHost, "notice OK: 初始化主机成功！"}
                              << "Command7";
    }

    void initialiseHost() { runCommandRow("Command7", 0x09); }

    void receiverFrequency_data() {
        addCommandColumns();
        QTest::newRow("314.2 for receiver 80")
            << QStringList{"Combo2=314.2", "Text10=80"} << ""
            << "55 55 AA 01 0A 02 00 50 A2" << QStringList{kFrequencyOk} << "Command13";
        QTest::newRow("receiver 81") << QStringList{"Text10=81"} << ""
                                     << "" << QStringList{kFrequencyRange} << "Command13";
        QTest::newRow("frequency emptied")
            << QStringList{"Combo2=", "Text10=x"} << ""
            << "" << QStringList{"error 错误: 请选择接收器的频率！"} << "Command13";
        QTest::newRow("frequency typed over") << QStringList{"Combo2=315.7"} << ""
                                              << "" << QStringList{kFrequencyFailed} << "Command13";
    }

    void receiverFrequency() { runCommandRow("Command13", 0x0A); }

    void transmitterFrequency_data() {
        addCommandColumns();
        const QStringList mhz430{"Text7=430.225"};
        const QString wire430 = "55 55 AA 01 0B 03 41 A5 AA 60";
        const QString clearWire = "55 55 AA 01 0B 00 F3";
        const QString cleared = "notice OK: 发射机设置清除成功！";

        QTest::newRow("430.225") << mhz430 << "" << wire430 << QStringList{kTransmitterOk}
                                 << "Text7";
        QTest::newRow("430.201") << QStringList{"Text7=430.201"} << ""
                                 << "" << QStringList{kStep} << "Text7";
        QTest::newRow("empty clears") << QStringList{"Text7="} << "" << clearWire
                                      << QStringList{kConfirmClear, cleared} << "Text7";
    }

    void transmitterFrequency() { runCommandRow("Command14", 0x0B); }

    // A frequency typed into the list, even an exact entry, has no position however the
    // command starts: a click on 写入 (the list loses the focus) or Enter. Choosing an entry
    // with the arrow keys gives it one again.
    void typedFrequencyHasNoPosition() {
        testsupport::EndToEnd e2e;
        callcfg::MainWindow& form = e2e.mainWindow();
        showEverything(form);
        QComboBox* list = form.receiverFrequencyList;
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        list->lineEdit()->selectAll();
        QTest::keyClicks(list, "315.2");
        click(form, "Command13");
        backToMainWindow(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kFrequencyFailed});
        QCOMPARE(e2e.takeWire(), QString());

        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Return);
        backToMainWindow(form);
        click(form, "Command13");
        backToMainWindow(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList(2, kFrequencyFailed));
        QCOMPARE(e2e.takeWire(), QString());

        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentText(), QString("315.0"));
        click(form, "Command13");
        backToMainWindow(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{kFrequencyOk});
        QCOMPARE(e2e.takeWire(), QString("55 55 AA 01 0A 01 04 EF"));
    }
};

QTEST_MAIN(MaintenanceCommandsTest)
#include "mainwindow_maintenance_test.moc"

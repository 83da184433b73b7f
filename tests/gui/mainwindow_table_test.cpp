// Set table caller (Command3, with the caller wait box Form2) and delete table caller
// (Command5) from the main window to the simulated host unit: each field reaches its bytes,
// each refusal its field; the input edges are the encoders', the replies' rows the table's.

#include "mainwindow_fixture.h"

#include <QtTest>

using namespace mainwindowtests;
using testsupport::EndToEnd;

namespace {

const QString kSetOk = "notice OK: 设置餐桌号成功！";
const QString kTableRange = "error 错误: 餐桌号必须为1-65535的数字！";
const QString kPagerRange = "error 错误: 传呼号必须为1-255的数字！";
const QString kDeleteRange = "error 错误: 餐桌号码必须为1-65535的数字！";

} // namespace

class TableCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void setTableCaller_data() {
        addCommandColumns();
        QTest::newRow("table 65535, pagers 1 2 3")
            << QStringList{"Text3(0)=65535", "Text3(2)=1", "Text3(3)=2", "Text3(4)=3"} << ""
            << "55 55 AA 01 03 06 00 FF FF 01 02 03 F1" << QStringList{kSetOk} << "Text3(0)";
        QTest::newRow("pagers 5 and 2.5, receiver box not read")
            << QStringList{"Text3(0)=1", "Text3(1)=abc", "Text3(2)=5", "Text3(3)=2.5"} << ""
            << "55 55 AA 01 03 06 00 00 01 05 02 FF EE" << QStringList{kSetOk} << "Text3(0)";

        QTest::newRow("table 0") << QStringList{"Text3(0)=0"} << ""
                                 << "" << QStringList{kTableRange} << "Text3(0)";
        QTest::newRow("second pager 300")
            << QStringList{"Text3(0)=7", "Text3(2)=5", "Text3(3)=300"} << ""
            << "" << QStringList{kPagerRange} << "Text3(3)";
        QTest::newRow("first pager letters")
            << QStringList{"Text3(0)=7", "Text3(2)=x", "Text3(3)=300"} << ""
            << "" << QStringList{kPagerRange} << "Text3(2)";
        QTest::newRow("third pager 0") << QStringList{"Text3(0)=7", "Text3(4)=0"} << ""
                                       << "" << QStringList{kPagerRange} << "Text3(4)";
    }

    void setTableCaller() { runCommandRow("Command3", 0x03, "Form2"); }

    void deleteTableCaller_data() {
        addCommandColumns();
        QTest::newRow("deleted 65535") << QStringList{"Text6=65535"} << "data"
                                       << "55 55 AA 01 07 02 FF FF F7"
                                       << QStringList{"notice OK: 删除餐桌号码成功！"} << "Text6";
        QTest::newRow("no such table number")
            << QStringList{"Text6=1"} << ""
            << "55 55 AA 01 07 02 00 01 F4" << QStringList{"error 注意: 不存在此餐桌号码！！"}
            << "Text6";
        QTest::newRow("0") << QStringList{"Text6=0"} << ""
                           << "" << QStringList{kDeleteRange} << "Text6";
        QTest::newRow("letters") << QStringList{"Text6=seven"} << ""
                                 << "" << QStringList{"error 错误: 餐桌号码只能为数字！"}
                                 << "Text6";
    }

    void deleteTableCaller() { runCommandRow("Command5", 0x07); }

    // Form2 asks for the caller's service key while the host unit learns it: shown after the
    // frame has left, on screen during the wait, gone before the result box.
    void callerWaitBoxDuringLearn_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("box");
        QTest::newRow("learned") << ""
                                 << "notice OK: 设置餐桌号成功！";
        QTest::newRow("no reply") << "noReply" << kTimeout;
    }

    void callerWaitBoxDuringLearn() {
        QFETCH(QString, fault);
        QFETCH(QString, box);
        EndToEnd e2e(0.5); // waits long enough for the 0.3 s learn
        setInputs(e2e.mainWindow(), {"Text3(0)=7"});
        if (auto injected = faultNamed(fault, 0x03))
            e2e.host.withLine([&](hostsim::HostLine& line) { line.addFault(*injected); });
        const WaitBoxRun run = runWithWaitBox(e2e, &e2e.program->waitBoxes.callerBox(), "Command3");
        QVERIFY(run.host.request);
        QVERIFY(run.frameBeforeShow);
        QVERIFY(run.host.onScreenDuringWait);
        QCOMPARE(run.shows, 1);
        QVERIFY(run.hiddenAfter);
        QCOMPARE(describe(run.boxes), QStringList{box});
        QVERIFY(!run.boxes.first().visibleWindows.contains("Form2"));
        QVERIFY(run.boxes.first().visibleWindows.contains("Form1"));
    }
};

QTEST_MAIN(TableCommandsTest)
#include "mainwindow_table_test.moc"

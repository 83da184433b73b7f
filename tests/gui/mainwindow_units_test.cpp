// Urge units (Command19 with the wait box Form4, Command10), repeaters (Command16 and
// Command17 with Form2), work mode (Command11) and display-unit type (Command20) from the main
// window to the simulated host unit.

#include "mainwindow_fixture.h"

#include <QtTest>

using namespace mainwindowtests;
using testsupport::EndToEnd;

namespace {

const QString kUrgeRange = "error 错误: 催菜器号码必须为1-9的数字！";
const QString kUrgeSet = "notice OK: 设置催菜器号码成功！";
const QString kUrgeDeleted = "notice OK: 删除催菜器号码成功！";

} // namespace

class UnitCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void setUrge_data() {
        addCommandColumns();
        const QStringList urge1{"Text11=1"};
        const QString wire1 = "55 55 AA 01 11 01 01 EB";
        QTest::newRow("9") << QStringList{"Text11=9"} << ""
                           << "55 55 AA 01 11 01 09 E3" << QStringList{kUrgeSet} << "Text11";
        QTest::newRow("0") << QStringList{"Text11=0"} << ""
                           << "" << QStringList{kUrgeRange} << "Text11";
        QTest::newRow("reply length 0")
            << urge1 << "length 0" << wire1 << QStringList{kLength} << "Command19";
    }

    void setUrge() { runCommandRow("Command19", 0x11, "Form4"); }

    void deleteUrge_data() {
        addCommandColumns();
        QTest::newRow("1") << QStringList{"Text5=1"} << ""
                           << "55 55 AA 01 12 01 01 EA" << QStringList{kUrgeDeleted} << "Text5";
        QTest::newRow("10") << QStringList{"Text5=10"} << ""
                            << "" << QStringList{kUrgeRange} << "Text5";
    }

    void deleteUrge() { runCommandRow("Command10", 0x12); }

    void deleteRepeater_data() {
        addCommandColumns();
        const QString wire = "55 55 AA 01 07 00 F7";
        QTest::newRow("deleted") << QStringList{} << "data" << wire
                                 << QStringList{"notice OK: 删除转发器内容成功！"} << "Command17";
        QTest::newRow("repeater empty")
            << QStringList{} << "" << wire << QStringList{"error 错误: 转发器内容为空！"}
            << "Command17";
    }

    void deleteRepeater() { runCommandRow("Command17", 0x07, "Form2"); }

    // A caller written into the repeater is found again by the delete.
    void repeaterWriteThenDelete() {
        EndToEnd e2e;
        showEverything(e2e.mainWindow());
        click(e2e.mainWindow(), "Command16");
        click(e2e.mainWindow(), "Command17");
        QCOMPARE(describe(e2e.boxes.take()),
                 QStringList({"notice OK: 设置转发器成功！", "notice OK: 删除转发器内容成功！"}));
        QCOMPARE(e2e.takeWire(), QString("55 55 AA 01 03 00 FB 55 55 AA 01 07 00 F7"));
    }

    // The wait boxes: Form4 and Form2 appear after the frame has left when the host unit learns
    // a new unit; for the repeater delete Form2 is on screen before the frame leaves.
    void waitBoxDuringLearn_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("waitBox");
        QTest::addColumn<bool>("frameFirst");
        QTest::addColumn<QString>("box");
        QTest::newRow("set urge unit") << "Command19"
                                       << "Form4" << true << kUrgeSet;
        QTest::newRow("write repeater") << "Command16"
                                        << "Form2" << true << "notice OK: 设置转发器成功！";
        QTest::newRow("delete repeater") << "Command17"
                                         << "Form2" << false << "error 错误: 转发器内容为空！";
    }

    void waitBoxDuringLearn() {
        QFETCH(QString, button);
        QFETCH(QString, waitBox);
        QFETCH(bool, frameFirst);
        QFETCH(QString, box);
        EndToEnd e2e(0.5); // waits long enough for the 0.3 s learn
        showEverything(e2e.mainWindow());
        setInputs(e2e.mainWindow(), {"Text11=3"});
        callcfg::WaitBoxes& boxes = e2e.program->waitBoxes;
        QWidget* shown = waitBox == "Form2" ? static_cast<QWidget*>(&boxes.callerBox())
                                            : static_cast<QWidget*>(&boxes.urgeBox());
        const WaitBoxRun run = runWithWaitBox(e2e, shown, button);
        QVERIFY(run.host.request);
        QCOMPARE(run.frameBeforeShow, frameFirst);
        if (!frameFirst)
            QVERIFY(run.host.onScreenAtRequest);
        QVERIFY(run.host.onScreenDuringWait);
        QCOMPARE(run.shows, 1);
        QVERIFY(run.hiddenAfter);
        QCOMPARE(describe(run.boxes), QStringList{box});
        QVERIFY(!run.boxes.first().visibleWindows.contains(waitBox));
    }

    void workMode_data() {
        addCommandColumns();
        const QString wire = "55 55 AA 01 17 01 01 E5";
        const QString ok = "notice OK: 设置工作模式成功！";
        QTest::newRow("单键模式0") << QStringList{"Combo4=单键模式0"} << ""
                                   << "55 55 AA 01 17 01 02 E4" << QStringList{ok} << "Command11";
        QTest::newRow("多键模式 at start")
            << QStringList{} << "" << wire << QStringList{ok} << "Command11";
    }

    void workMode() { runCommandRow("Command11", 0x17); }

    void displayType_data() {
        addCommandColumns();
        const QString digital = "55 55 AA 01 13 01 FF EB";
        QTest::newRow("数字 at start")
            << QStringList{} << "" << digital << QStringList{"notice OK: 信息机类型设为数字机！"}
            << "Command20";
        QTest::newRow("语音") << QStringList{"Combo3=语音"} << ""
                              << "55 55 AA 01 13 01 00 EA"
                              << QStringList{"notice OK: 信息机类型设为语音机！"} << "Command20";
    }

    void displayType() { runCommandRow("Command20", 0x13); }
};

QTEST_MAIN(UnitCommandsTest)
#include "mainwindow_units_test.moc"

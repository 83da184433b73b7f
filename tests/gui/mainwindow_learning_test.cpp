// What the table of expected commands cannot say about the main window: the wait boxes while
// the host unit learns a caller or an urge unit, a caller learned and found again, and a
// frequency typed into its list.

#include "mainwindow_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace mainwindowtests;
using testsupport::EndToEnd;

class MainWindowLearningTest : public QObject {
    Q_OBJECT

private slots:
    // Form4 and Form2 appear after the frame has left, are on screen during the wait and gone
    // before the result box; for the repeater delete Form2 is on screen before the frame leaves.
    void waitBoxDuringLearn_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("waitBox");
        QTest::addColumn<bool>("frameFirst");
        QTest::addColumn<QString>("box");
        const QStringList table7{"Text3(0)=7"};
        QTest::newRow("table caller learned") << "Command3" << table7 << ""
                                              << "Form2" << true << "notice OK: 设置餐桌号成功！";
        QTest::newRow("table caller, no reply") << "Command3" << table7 << "noReply"
                                                << "Form2" << true << kTimeout;
        QTest::newRow("set urge unit") << "Command19" << QStringList{"Text11=3"} << ""
                                       << "Form4" << true << "notice OK: 设置催菜器号码成功！";
        QTest::newRow("write repeater") << "Command16" << QStringList{} << ""
                                        << "Form2" << true << "notice OK: 设置转发器成功！";
        QTest::newRow("delete repeater") << "Command17" << QStringList{} << ""
                                         << "Form2" << false << "error 错误: 转发器内容为空！";
    }

    void waitBoxDuringLearn() {
        QFETCH(QString, button);
        QFETCH(QStringList, inputs);
        QFETCH(QString, fault);
        QFETCH(QString, waitBox);
        QFETCH(bool, frameFirst);
        QFETCH(QString, box);
        EndToEnd e2e(0.5); // waits long enough for the 0.3 s learn
        showEverything(e2e.mainWindow());
        setInputs(e2e.mainWindow(), inputs);
        addNamedFault(e2e, fault, button == "Command3" ? 0x03 : 0);
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
        QVERIFY(run.boxes.first().visibleWindows.contains("Form1"));
    }

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

    // A frequency typed into the list, even an exact entry, has no position however the
    // command starts: a click on 写入 (the list loses the focus) or Enter. Choosing an entry
    // with the arrow keys gives it one again.
    void typedFrequencyHasNoPosition() {
        const QString failed = "error 错误: 接收器频率写入失败!";
        EndToEnd e2e;
        callcfg::MainWindow& form = e2e.mainWindow();
        showEverything(form);
        QComboBox* list = form.receiverFrequencyList;
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        list->lineEdit()->selectAll();
        QTest::keyClicks(list, "315.2");
        click(form, "Command13");
        backTo(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{failed});
        QCOMPARE(e2e.takeWire(), QString());

        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Return);
        backTo(form);
        click(form, "Command13");
        backTo(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList(2, failed));
        QCOMPARE(e2e.takeWire(), QString());

        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentText(), QString("315.0"));
        click(form, "Command13");
        backTo(form);
        QCOMPARE(describe(e2e.boxes.take()), QStringList{"notice OK: 接收器频率写入成功！"});
        QCOMPARE(e2e.takeWire(), QString("55 55 AA 01 0A 01 04 EF"));
    }
};

QTEST_MAIN(MainWindowLearningTest)
#include "mainwindow_learning_test.moc"

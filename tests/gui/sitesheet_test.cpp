// The site sheet window end to end against the simulated unit: a sheet as a spreadsheet saves
// it opened through its dialog, its rows programmed with no box per row while the other windows
// take no input, the unit read back and compared row by row, its entries exported for a
// spreadsheet; a table caller not pressed, retried; a run stopped and resumed; a caller pressed
// late.

#include "files.h"
#include "memoryreader_fixture.h"
#include "sitesheet/sitesheetwindow.h"

#include <QAction>
#include <QTableWidget>

using hostsim::Fault;
using readertest::answerDialog;
using testsupport::EndToEnd;

namespace {

struct Sheet {
    EndToEnd e2e{readertest::kTimeScale};
    QTemporaryDir dir;

    Sheet() {
        e2e.host.withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0); });
        e2e.mainWindow().siteSheetAction->trigger();
    }
    callcfg::SiteSheetWindow& w() { return *e2e.program->siteSheet->window(); }
    // Writes `bytes` as a file and opens it with 打开表格.
    void open(const QByteArray& bytes) {
        const QString path = dir.filePath("site.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        answerDialog(path, nullptr, "SheetFileDialog");
        w().openButton->click();
    }
    // Column `header`'s cells, top to bottom.
    QStringList column(const QString& header) {
        QStringList cells;
        QTableWidget& t = *w().table;
        for (int c = 0; c < t.columnCount(); ++c)
            if (t.horizontalHeaderItem(c)->text() == header)
                for (int r = 0; r < t.rowCount(); ++r)
                    cells << (t.item(r, c) ? t.item(r, c)->text() : QString());
        return cells;
    }
    void waitForSummary(const QString& start) {
        QTRY_VERIFY_WITH_TIMEOUT(w().summaryLabel->text().startsWith(start), 30000);
    }
};

} // namespace

class SiteSheetTest : public QObject {
    Q_OBJECT
private slots:
    // Twenty pagers in a sheet with a column of its own, programmed and found in the unit.
    void twentyPagersProgrammedAndVerified() {
        Sheet s;
        QByteArray csv = "\xEF\xBB\xBF传呼号,备注,地址码,极性,机型,速率,音调\r\n";
        for (int n = 1; n <= 20; ++n)
            csv += QString("%1,柜台,%2,正,数字标准,1200,音调3\r\n").arg(n).arg(1000 + n).toUtf8();
        s.open(csv);
        QCOMPARE(s.column("检查"), QStringList(20, "✓"));
        QVERIFY2(s.w().fileLabel->text().contains("不读取"), qPrintable(s.w().fileLabel->text()));
        QVERIFY(!s.w().exportButton->isEnabled());

        QElapsedTimer clock;
        clock.start();
        s.w().startButton->click();
        QVERIFY(!s.e2e.mainWindow().isEnabled()); // its commands and port row too
        QVERIFY(s.w().stopButton->isEnabled() && !s.w().startButton->isEnabled());
        s.waitForSummary("设置完毕");
        QCOMPARE(s.column("结果"), QStringList(20, "设置传呼号成功！"));
        QVERIFY(s.e2e.mainWindow().isEnabled() && s.w().exportButton->isEnabled());
        s.e2e.host.withUnit([](hostsim::HostUnit& u) { u.setMemoryAt(995, 'u'); }); // pager 200
        s.w().verifyButton->click();
        s.waitForSummary("已读取主机");
        QCOMPARE(s.w().summaryLabel->text(),
                 "已读取主机：20 行中 20 行与主机一致。\n主机中有、表格中没有：传呼号 200");
        qInfo("20 pagers set and verified in %lld ms at a tenth of the waits", clock.elapsed());
        QCOMPARE(s.column("主机"), QStringList(20, "一致"));
        QCOMPARE(s.e2e.boxes.take().size(), 0);

        const QString exported = s.dir.filePath("unit.csv"); // typed without its extension
        answerDialog(s.dir.filePath("unit"), nullptr, "SheetFileDialog");
        s.w().exportButton->click();
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // The sheet's own columns, 备注 among them, then each row's outcome and what the unit
        // holds.
        QVERIFY2(bytes.startsWith("\xEF\xBB\xBF传呼号,备注,地址码,极性,机型,速率,音调,结果,主机\r\n"
                                  "1,柜台,1001,正,数字标准,1200,音调3,设置传呼号成功！,一致\r\n"),
                 bytes.left(200).constData());
        QCOMPARE(bytes.count("\r\n"), 21);
        answerDialog(s.dir.filePath("unit.xlsx"), nullptr, "SheetFileDialog");
        s.w().exportButton->click();
        const auto workbook = callcfg::readPlanFile(s.dir.filePath("unit.xlsx"));
        QCOMPARE(std::get<callcfg::Plan>(workbook).rows.size(), std::size_t(20));
        QCOMPARE(std::get<callcfg::Plan>(workbook).rows[0].cells,
                 QStringList({"1", "柜台", "1001", "正", "数字标准", "1200", "音调3",
                              "设置传呼号成功！", "一致"}));
    }

    // A caller not pressed asks 重试/跳过/停止 and is retried; 停止 ends the run after the row in
    // flight, and 从选中行继续 goes on from the next row.
    void tableNotPressedRetriedThenStoppedAndResumed() {
        Sheet s;
        // A sheet with the same table twice is shown, and nothing of it can be sent; a row its
        // command's check refuses is marked too.
        s.open("餐桌号,对应传呼号1,对应传呼号2,对应传呼号3\n5,1,无,无\n5.0,2,无,无\nx,3,无,无\n");
        QVERIFY(!s.w().startButton->isEnabled() && !s.w().resumeButton->isEnabled());
        QVERIFY(s.column("检查").value(1) != "✓" && s.column("检查").value(2) != "✓");
        // So is a pager the command refuses: every refusal of its row in its check; the title
        // and the total passed over are said.
        s.open("清单\n传呼号,地址码,极性,机型,速率,音调\n1,1,正,英文,512,音调1\n"
               "300,1,+,英文,512,音调1\n,,,,,,合计\n");
        QVERIFY(!s.w().startButton->isEnabled() && !s.w().resumeButton->isEnabled());
        QCOMPARE(s.column("检查"),
                 (QStringList{"✓", "第 4 行 A 列（传呼号）：传呼号必须为1-254的数字！；"
                                   "第 4 行 C 列（极性）：必须是 反, 正 之一，而不是“+”"}));
        for (const char* said : {"第 1 行（清单）不是表头，已跳过",
                                 "第 5 行（合计）没有要设置的内容，已跳过", "1 行有错，不能设置"})
            QVERIFY2(s.w().fileLabel->text().contains(said), qPrintable(s.w().fileLabel->text()));
        s.open("餐桌号,对应传呼号1,对应传呼号2,对应传呼号3\n5,1,无,无\n6,2,无,无\n7,3,无,无\n");
        s.e2e.host.withLine(
            [](hostsim::HostLine& line) { line.addFault(Fault::noReply().onCommand(0x03)); });
        s.e2e.boxes.answerNext(QMessageBox::Retry);
        s.w().startButton->click();
        QTimer::singleShot(0, s.w().stopButton, &QPushButton::click); // during the first row
        s.waitForSummary("已停止");
        const auto boxes = s.e2e.boxes.take();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title + ": " + boxes[0].text,
                 "现场表格: 餐桌号 5 的呼叫器没有按下服务键。");
        QCOMPARE(boxes[0].buttons, QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::Abort);
        QCOMPARE(s.column("结果"), (QStringList{"设置餐桌号成功！", "", ""}));
        QCOMPARE(s.w().table->currentRow(), 1);
        s.w().resumeButton->click();
        s.waitForSummary("设置完毕");
        QCOMPARE(s.column("结果"), QStringList(3, "设置餐桌号成功！"));
        QCOMPARE(s.w().progressBar->value(), 2); // the two rows from the selected one on
        QCOMPARE(s.w().progressBar->maximum(), 2);
    }

    // 新建表格 writes a sheet to fill in, which 打开表格 reads as a sheet with no row yet.
    void newSheetToFillIn() {
        Sheet s;
        const QString path = s.dir.filePath("blank.csv"); // typed without its extension
        answerDialog(s.dir.filePath("blank"), nullptr, "SheetFileDialog");
        s.w().newTableSheetAction->trigger();
        QCOMPARE(readFile(path),
                 "\xEF\xBB\xBF餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3,备注\r\n");
        QVERIFY(s.w().summaryLabel->text().startsWith("已新建表格" + path));
        answerDialog(path, nullptr, "SheetFileDialog");
        s.w().openButton->click();
        QVERIFY2(s.w().fileLabel->text().startsWith("blank.csv：餐桌呼叫器 0 行"),
                 qPrintable(s.w().fileLabel->text()));
    }

    // A caller pressed after the wait (learned in 0.9 s, the wait is 0.6 s at a fifth of the
    // waits) answers late: no row is given the row before's reply, and 校验主机 reads the unit
    // once it has learned.
    void lateCallerReplyNotTakenForTheNextRow() {
        Sheet s;
        s.e2e.link().setTimeScale(0.2);
        s.e2e.host.withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0.9); });
        s.open("餐桌号,对应传呼号1,对应传呼号2,对应传呼号3\n5,1,无,无\n6,2,无,无\n");
        s.e2e.boxes.answerNext(QMessageBox::Ignore);
        s.e2e.boxes.answerNext(QMessageBox::Ignore);
        s.w().startButton->click();
        s.waitForSummary("设置完毕");
        QCOMPARE(s.column("结果"), QStringList(2, "超时没有返回数据!!"));
        QCOMPARE(s.w().summaryLabel->text(), "设置完毕：完成 0 行，未成功 2 行。");
        s.e2e.link().setTimeScale(readertest::kTimeScale);
        s.w().verifyButton->click();
        s.waitForSummary("已读取主机");
        QCOMPARE(s.column("主机"), QStringList(2, "一致"));
        const QString exported = s.dir.filePath("tables.csv"); // the table sheet with its outcomes
        answerDialog(exported, nullptr, "SheetFileDialog");
        s.w().exportButton->click();
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("\xEF\xBB\xBF餐桌号,"));
    }
};

QTEST_MAIN(SiteSheetTest)
#include "sitesheet_test.moc"

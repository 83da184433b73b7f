// The program subcommand against the simulated host unit over a real pseudo-terminal: a pager
// plan programmed and verified, a table plan with one caller not pressed, a malformed file, a
// resumed run, the dry run's frames, and an export that programmes an empty unit alike.

#include "cli/programrun.h"
#include "hostsim/line/ptyhost.h"
#include "inprocessrun.h"
#include "language/language.h"
#include "wire.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using hostsim::Fault;

namespace {

const QString kPagerHeader = "传呼号,地址码,极性,机型,速率,音调\r\n";
const QString kTableHeader = "餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3\r\n";

// Twenty pagers in the export's own form and order, every kind, polarity and tone among them.
QString twentyPagers() {
    const QStringList types{"数字标准", "数字新型", "中文字符", "英文"};
    const QStringList rates{"512", "1200", "2400"};
    QString plan = kPagerHeader;
    for (int i = 0; i < 20; ++i)
        plan += QStringLiteral("%1,%2,%3,%4,%5,音调%6\r\n")
                    .arg(i * 12 + 3)
                    .arg(1000003 * (i + 1) % 10000000, 7, 10, QLatin1Char('0'))
                    .arg(i % 2 ? "正" : "反", types[i % 4], rates[i % 3])
                    .arg(i % 4 + 1);
    return plan;
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<hostsim::PtyHost> host;

    QString device() const { return QString::fromStdString(host->devicePath()); }
    QString file(const QString& name, const QString& text) {
        const QString path = dir->filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
        return path;
    }
    void freshUnit() {
        host = std::make_unique<hostsim::PtyHost>();
        host->setPacing(false);
        host->withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(0); });
    }
    std::size_t requestsSent() {
        return host->withLine([](hostsim::HostLine& l) { return l.requests().size(); });
    }
    QString exported(const char* what) {
        const QString backup = dir->filePath("unit.cat");
        if (run({"backup", "--force", "--device", device(), backup}).status != 0)
            return "(no backup)";
        return run({"export", backup, what}).out;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        freshUnit();
    }

    // Twenty rows, one line each, read back and found; the unit's export is the plan itself,
    // and that export programmes an empty unit to the same listing.
    void pagerPlanProgrammedAndVerified() {
        const QString plan = file("pagers.csv", "\xEF\xBB\xBF" + twentyPagers());
        const Run r = run({"program", "--device", device(), plan, "--verify"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 20);
        QCOMPARE(lines[0], "row 2: pager 3: 设置传呼号成功！");
        QVERIFY2(r.err.contains("the host unit holds every row"), qPrintable(r.err));
        const QString listing = exported("--pagers");
        QCOMPARE(listing, twentyPagers());

        freshUnit();
        QCOMPARE(run({"program", "--device", device(), file("export.csv", listing)}).status, 0);
        QCOMPARE(exported("--pagers"), listing);
    }

    // The caller of table 12 is not pressed: that row fails, the others are done, --verify
    // finds it missing; status 1.
    void tablePlanWithOneCallerNotPressed() {
        host->withLine([](hostsim::HostLine& l) {
            l.addFault(Fault::noReply().onCommand(0x03));
            l.addFault(Fault::memoryFull().onCommand(0x03)); // nothing learned
        });
        host->withUnit([](hostsim::HostUnit& u) { // table 99, in no row
            for (std::size_t i = 0; i < 8; ++i)
                u.setMemoryAt(1280 + i,
                              std::array<std::uint8_t, 8>{1, 2, 3, 0, 99, 1, 255, 255}[i]);
            u.setMemoryAt(8191, 1);
            u.setMemoryAt(8190, 0);
        });
        const QString plan = file("tables.csv", kTableHeader + "12,,1,2,无\r\n13,,3,,\r\n"
                                                               "14,0A1B2C,无,无,无\r\n");
        const Run r = run({"program", "--device", device(), plan, "--verify"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, "row 2: table 12: 超时没有返回数据!!\nrow 3: table 13: 设置餐桌号成功！\n"
                        "row 4: table 14: 设置餐桌号成功！\nrow 2: table 12 is not in the unit\n"
                        "in the unit, not in the plan: table 99\n");
        QVERIFY2(r.err.contains("1 row(s) of " + plan + " are not in the host unit as planned"),
                 qPrintable(r.err));
        QVERIFY(r.err.startsWith("Press the service key of the caller of table 12\n"));
        QVERIFY(r.err.contains("Press the service key of the caller of table 14\n"));

        callcfg::useLanguage(callcfg::Language::Chinese);
        const Run chinese = run({"program", "--device", device(), plan, "--from", "4"});
        callcfg::useLanguage(callcfg::Language::English);
        QCOMPARE(chinese.status, 0);
        QCOMPARE(chinese.out, "第 4 行：餐桌号 14：设置餐桌号成功！\n");
        QVERIFY(chinese.err.startsWith("请按餐桌号 14 的呼叫器的服务键\n"));
    }

    // At a terminal the installer decides on a caller not pressed: a wrong key asks again, r
    // repeats the row, the end of input stops with the row to go on from; the progress line
    // counts the rows run.
    void notPressedAsksAtATerminal() {
        host->withLine([](hostsim::HostLine& l) { l.addFault(Fault::noReply().onCommand(0x03)); });
        const QString plan = file("tables.csv", kTableHeader + "12,,1,,\r\n13,,2,,\r\n");
        Run r = run({"program", "--device", device(), plan}, {"x", "r"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "row 2: table 12: 超时没有返回数据!!\nrow 2: table 12: 设置餐桌号成功！\n"
                        "row 3: table 13: 设置餐桌号成功！\n");
        QCOMPARE(r.err.count("r retry / s skip / q quit"), 2);
        host->withLine([](hostsim::HostLine& l) { l.addFault(Fault::noReply().onCommand(0x03)); });
        r = run({"program", "--device", device(), plan, "--from", "3"}, {"x"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("row 1 of 1, ") && r.err.contains("--from 3 " + plan),
                 qPrintable(r.err));
    }

    // A file that is no plan is refused before any frame leaves, each refusal naming row,
    // column and header; a column not known is said once.
    void malformedFileRefusedBeforeSending() {
        const QString plan = file("bad.csv", kPagerHeader + "1,1234567,正,数字标准,1200,音调1\r\n"
                                                            "2,1234567,正,数字,1200,音调1\r\n"
                                                            "1.0,1234567,正,英文,512,音调1\r\n");
        const Run r = run({"program", "--device", device(), plan});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("bad.csv: row 3, column D (机型): ") &&
                     r.err.contains("bad.csv: row 4, column A (传呼号): the same pager number as "
                                    "row 2\n"),
                 qPrintable(r.err));
        QCOMPARE(requestsSent(), std::size_t(0));
        callcfg::useLanguage(callcfg::Language::Chinese);
        const Run chinese = run({"program", "--dry-run", plan});
        callcfg::useLanguage(callcfg::Language::English);
        QVERIFY2(chinese.err.contains("第 4 行 A 列（传呼号）：与第 2 行的传呼号相同"),
                 qPrintable(chinese.err));

        // A title row and a total are passed over, each said once.
        const Run noted = run({"program", "--dry-run",
                               file("noted.csv", "清单\n备注,餐桌号,对应传呼号1,"
                                                 "对应传呼号2,对应传呼号3\n"
                                                 "x,1,2,,\ny,2,3,,\n合计 2 台,,,,\n")});
        QCOMPARE(noted.status, 0);
        QCOMPARE(noted.err.count("noted.csv: not read: column A (备注)\n"), 1);
        QCOMPARE(noted.err.count("noted.csv: row 1 (清单) is not the header; skipped\n"), 1);
        QCOMPARE(noted.err.count("noted.csv: row 5 (合计 2 台) sets nothing; skipped\n"), 1);
    }

    // A unit that stops answering ends the run with status 3 and the row to go on from;
    // --from sends that row and the rest only.
    void communicationFailureThenResume() {
        host->withLine([](hostsim::HostLine& l) { l.addFault(Fault::noReply().onCommand(0x01)); });
        QVERIFY(QDir(dir->path()).mkdir("新建 文件夹"));
        const QString plan = file("新建 文件夹/p.csv", kPagerHeader + "1,1,正,英文,512,音调1\r\n"
                                                                      "2,2,正,英文,512,音调1\r\n");
        const QString log = dir->filePath("新建 文件夹/t.log");
        Run r = run({"--port", "COM1=" + device(), "program", "--log", log, "--device", "COM1",
                     plan, "--verify"});
        QCOMPARE(r.status, 3);
        QCOMPARE(r.out, "row 2: pager 1: 超时没有返回数据!!\n");
        // The hint to paste: the mapping, the log and --verify again, the paths quoted.
        QVERIFY2(r.err.endsWith(QString("to go on from there: callcfg program --port COM1=%1 --log "
                                        "'%2' --device COM1 --from 2 --verify '%3'\n")
                                    .arg(device(), log, plan)),
                 qPrintable(r.err));
        QCOMPARE(callcfg::shellQuoted("it's", callcfg::Shell::Posix), "'it'\\''s'");
        QCOMPARE(callcfg::shellQuoted("D:\\新建 文件夹\\p.csv", callcfg::Shell::Cmd),
                 "\"D:\\新建 文件夹\\p.csv\"");
        QCOMPARE(callcfg::shellQuoted("D:\\p.csv", callcfg::Shell::Cmd), "D:\\p.csv");
        r = run({"program", "--device", device(), plan, "--from", "3"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "row 3: pager 2: 设置传呼号成功！\n");
        QCOMPARE(requestsSent(), std::size_t(2));
        QCOMPARE(run({"program", "--device", device(), plan, "--from", "1"}).status, 2);
    }

    // Without a device: the frames the window sends for the same inputs. A row the command's
    // check refuses, or whose value it cannot send, refuses the sheet: nothing listed or sent.
    void dryRunFrames() {
        const QString pagers = file("p.csv", kPagerHeader + "254,1234,反,数字标准,1200,音调1\r\n"
                                                            "105,0,正,数字新型,512,音调4\r\n");
        Run r = run({"program", pagers, "--dry-run"});
        QCOMPARE(r.status, 0);
        QCOMPARE(
            r.out,
            "row 2: pager 254, address code 0001234, negative, 数字标准, 1200, 音调1: " +
                hexText(requestFrame(0x01, hexBytes("02 36 00 02 00 00 00 00 01 02 03 04 00"))) +
                "\nrow 3: pager 105, address code 0000000, positive, 数字新型, 512, "
                "音调4: " +
                hexText(requestFrame(0x01, hexBytes("01 05 00 04 01 00 00 00 00 00 00 00 03"))) +
                "\n");
        QVERIFY(r.err.contains("2 row(s): 2 pager(s) and 0 table(s) to set"));
        r = run({"program", "--dry-run", QFINDTESTDATA("../plan/workbooks/openpyxl-pagers.xlsx")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith("row 3: pager 12, address code 1234567, positive, 中文字符, "
                                  "1200, 音调3: 55 55 AA 01 01 0D"),
                 qPrintable(r.out));
        const QString refused = file("r.csv", kPagerHeader + "1,1,反,英文,512,音调1\r\n"
                                                             "255,1,反,英文,512,音调1\r\n"
                                                             "3,12.5,反,英文,512,音调1\r\n");
        for (const QStringList& arguments : {QStringList{"--dry-run"}, {"--device", device()}}) {
            r = run(QStringList{"program", refused} + arguments);
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, "");
            QVERIFY2(
                r.err.contains("r.csv: row 3, column A (传呼号): 传呼号必须为1-254的数字！\n") &&
                    r.err.contains("r.csv: row 4, column B (地址码): must be 7 digits\n") &&
                    !r.err.contains("设置传呼号失败"),
                qPrintable(r.err));
        }
        QCOMPARE(hexText(requestFrame(0x01, hexBytes("02 36 00 02 00 00 00 00 01 02 03 04 00"))),
                 "55 55 AA 01 01 0D 02 36 00 02 00 00 00 00 01 02 03 04 00 AC");
        const QString tables = file("t.csv", "table,feature,pager1,pager2,pager3\n7,,1,255,2.5\n");
        r = run({"program", "--dry-run", tables});
        QCOMPARE(r.out, "row 2: table 7, pagers 1, 无, 2: " +
                            hexText(requestFrame(0x03, hexBytes("00 00 07 01 FF 02"))) + "\n");
        QVERIFY(r.err.contains("1 row(s): 0 pager(s) and 1 table(s) to set"));
        callcfg::useLanguage(callcfg::Language::Chinese);
        r = run({"program", pagers, "--dry-run", "--from", "3"});
        const Run chinese = run({"program", refused, "--dry-run"});
        callcfg::useLanguage(callcfg::Language::English);
        QVERIFY(
            r.out.startsWith("第 3 行：传呼号 105，地址码 0000000，正，数字新型，512，音调4：55 "));
        QVERIFY(r.err.contains("共 1 行：要设置 1 个传呼号、0 个餐桌号\n"));
        QVERIFY2(chinese.err.contains("第 4 行 B 列（地址码）：必须为7位数字"),
                 qPrintable(chinese.err));

        // Nothing to run is an error: --from past the last row, a header alone.
        r = run({"program", pagers, "--dry-run", "--from", "4"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("--from 4 is past the last row of " + pagers + " (row 3)"),
                 qPrintable(r.err));
        r = run({"program", "--device", device(), file("h.csv", kTableHeader)});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("h.csv has no rows below its header"), qPrintable(r.err));
        QCOMPARE(requestsSent(), std::size_t(0));
    }

    // A caller pressed after the wait (learned in 1.8 s, the wait is 1.2 s) answers late: no
    // row is given the row before's reply, and --verify reads the unit once it has learned.
    void lateCallerReplyNotTakenForTheNextRow() {
        host->withUnit([](hostsim::HostUnit& u) { u.setLearnDelay(1.8); });
        const QString plan = file("t.csv", kTableHeader + "12,,1,,\r\n13,,2,,\r\n14,,3,,\r\n");
        const Run r = run({"program", "--device", device(), plan, "--verify"});
        QCOMPARE(r.out, "row 2: table 12: 超时没有返回数据!!\nrow 3: table 13: 超时没有返回数据!!\n"
                        "row 4: table 14: 超时没有返回数据!!\n");
        QVERIFY2(r.err.contains("the host unit holds every row"), qPrintable(r.err));
        QCOMPARE(r.status, 1);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"

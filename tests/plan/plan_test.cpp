// The plan reader: the file's format (BOM, quotes, line ends, headers), the listing's words
// turned into the window's choices, refusals with their line and column; and the comparison of
// a plan with a host image.

#include "memory/imagedecoding.h"
#include "plan/plan.h"
#include "plan/planverify.h"

#include <QtTest>

using namespace callcfg;

namespace {

// The rows as "row@line:number/address/type/polarity/rate/tone" or "row@line:table/p1/p2/p3", or
// the refusal as "line:column".
QString summary(const std::variant<Plan, PlanError>& read) {
    if (const auto* error = std::get_if<PlanError>(&read))
        return QStringLiteral("%1:%2").arg(error->line).arg(error->column);
    QStringList rows;
    for (const PlanRow& row : std::get<Plan>(read).rows) {
        QStringList fields;
        if (const auto* p = std::get_if<PagerInput>(&row.input))
            fields << p->number << p->address << QString::number(p->machineType)
                   << QString::number(p->polarity) << QString::number(p->rate)
                   << QString::number(p->tone);
        else {
            const auto& t = std::get<TableCallerInput>(row.input);
            fields << t.table << t.pagers[0] << t.pagers[1] << t.pagers[2];
        }
        rows << QStringLiteral("%1@%2:%3").arg(row.row).arg(row.line).arg(fields.join(u'/'));
    }
    return rows.join(u' ');
}

const QByteArray kPagers = "传呼号,地址码,极性,机型,速率,音调\r\n";
const QByteArray kTables = "餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3\r\n";

} // namespace

class PlanTest : public QObject {
    Q_OBJECT

private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("export with BOM, CR LF") << "\xEF\xBB\xBF" + kPagers +
                                                       "1,1234567,正,数字标准,1200,音调1\r\n"
                                                       "254,0000012,反,英文,2400,音调4\r\n"
                                                << "2@2:1/1234567/0/1/1/0 3@3:254/0000012/3/0/2/3";
        QTest::newRow("English header, LF, no line end at the end")
            << QByteArray("Pager,Address,Polarity,Type,Rate,Tone\n7,12,反,中文字符,512,音调2")
            << "2@2:7/12/2/0/0/1";
        QTest::newRow("numbers left for the checks")
            << kPagers + "0,12.5,反,数字新型,1200,音调3\r\n"
            << "2@2:0/12.5/1/0/1/2";
        QTest::newRow("tables: 无 and empty are no pager, feature code ignored")
            << kTables + "12,0A1B2C,5,无,\r\n\"256\",,\"1\",\"2\"\"\",3\r\n"
            << "2@2:12/5// 3@3:256/1/2\"/3";
        QTest::newRow("English table header")
            << QByteArray("table,feature,pager1,pager2,pager3\r\n9,,1,2,3\r\n") << "2@2:9/1/2/3";
        QTest::newRow("empty rows passed over, still counted") << kTables + "\r\n,,,,\r\n5,,1,,\r\n"
                                                               << "4@4:5/1//";
        QTest::newRow("quoted line end: the next row's line")
            << kTables + "\"1\",\"a\r\nb\",,,\r\n2,x,1,,"
            << "2@2:1/// 3@4:2/1//";
        QTest::newRow("header only") << kPagers << "";

        QTest::newRow("not UTF-8") << kPagers + "1,12\xFF,正,数字标准,1200,音调1\r\n"
                                   << "2:5";
        QTest::newRow("overlong UTF-8") << kPagers + "\xC0\xAF"
                                        << "2:1";
        QTest::newRow("quote never closed") << kTables + "1,\"abc,,,\r\n"
                                            << "2:3";
        QTest::newRow("quote inside a field") << kTables + "1,a\"b,,,\r\n"
                                              << "2:4";
        QTest::newRow("text after closing quote") << kTables + "1,\"a\"b,,,\r\n"
                                                  << "2:6";
        QTest::newRow("unknown header") << QByteArray("传呼号,地址\r\n1,2\r\n") << "1:1";
        QTest::newRow("too few fields") << kTables + "1,,2\r\n"
                                        << "2:4";
        QTest::newRow("too many fields") << kTables + "1,,2,3,4,5\r\n"
                                         << "2:10";
        QTest::newRow("bad polarity") << kPagers + "1,1,+,数字标准,1200,音调1\r\n"
                                      << "2:5";
        QTest::newRow("bad type") << kPagers + "1,1,正,数字,1200,音调1\r\n"
                                  << "2:7";
        QTest::newRow("bad rate") << kPagers + "1,1,正,英文,9600,音调1\r\n"
                                  << "2:10";
        QTest::newRow("bad tone") << kPagers + "1,1,正,英文,512,音调5\r\n"
                                  << "2:14";
        QTest::newRow("empty file") << QByteArray() << "1:1";
    }
    void read() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QCOMPARE(summary(readPlan(file)), expected);
    }

    // Every kind the listing names is sent as the mode index the listing decodes it from.
    void everyKindRoundTrips() {
        const auto kinds = pagerKindsByMode();
        for (std::size_t mode = 0; mode < kinds.size(); ++mode) {
            const QByteArray line = QStringLiteral("1,1,正,%1,%2,音调1\r\n")
                                        .arg(kinds[mode].machineType, kinds[mode].rate)
                                        .toUtf8();
            const auto plan = std::get<Plan>(readPlan(kPagers + line));
            const auto frame = std::get<Prepared>(encodePlanRow(plan.rows.front()));
            QCOMPARE(frame.data[2] * 10 + frame.data[3], int(mode));
        }
    }

    void differences() {
        HostMemory memory;
        memory.fill(0xFF);
        const std::uint8_t pager12[] = {'u', 0x12, 0x34, 0x56, 0x72}; // 正 数字标准 1200 音调3
        std::copy(std::begin(pager12), std::end(pager12), memory.begin() + 55);
        const std::uint8_t table5[] = {0x0A, 0x1B, 0x2C, 0x00, 0x05, 0x01, 0xFF, 0xFF};
        std::copy(std::begin(table5), std::end(table5), memory.begin() + 1280);
        memory[8190] = 0;
        memory[8191] = 1;

        const auto pagers =
            std::get<Plan>(readPlan(kPagers + "12,1234567,正,数字标准,1200,音调3\r\n"
                                              "12,1234567,反,数字标准,1200,音调3\r\n"
                                              "13,1,正,英文,512,音调1\r\n"
                                              "0,1,正,英文,512,音调1\r\n"));
        QCOMPARE(planDifferences(pagers, memory),
                 QStringList({"row 3: pager 12: the unit holds 1234567 正 数字标准 1200 音调3, "
                              "the plan 1234567 反 数字标准 1200 音调3",
                              "row 4: pager 13 is not in the unit",
                              "row 5: refused by its check, not in the unit"}));
        const auto tables = std::get<Plan>(readPlan(kTables + "5,,1,,\r\n5,,1,2,\r\n6,,,,\r\n"));
        QCOMPARE(planDifferences(tables, memory),
                 QStringList({"row 3: table 5: the unit binds 1 无 无, the plan 1 2 无",
                              "row 4: table 6 is not in the unit"}));
    }
};

QTEST_APPLESS_MAIN(PlanTest)
#include "plan_test.moc"

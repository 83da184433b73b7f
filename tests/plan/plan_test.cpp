// The plan reader: the file's encodings, separators, quotes, line ends and headers, the
// listing's words turned into the window's choices, refusals with their row and column, rows
// naming the same pager or table; and the comparison of a plan with a host image.

#include "memory/csvexport.h"
#include "memory/imagedecoding.h"
#include "memory/workbookexport.h"
#include "plan/plan.h"
#include "plan/planverify.h"

#include <QStringEncoder>
#include <QtTest>

using namespace callcfg;

namespace {

// The rows as "row@line:number/address/type/polarity/rate/tone" or "row@line:table/p1/p2/p3",
// then each refusal as "!row column(header)", then the notes; or the message of a file that is
// no plan.
QString summary(const std::variant<Plan, PlanError>& read) {
    const auto where = [](const PlanError& e) {
        return QStringLiteral("!%1%2%3").arg(e.row).arg(
            e.column < 0 ? QString() : columnLetters(e.column),
            e.header.isEmpty() ? QString() : "(" + e.header + ")");
    };
    if (const auto* error = std::get_if<PlanError>(&read))
        return error->row ? where(*error) : error->message;
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
    for (const PlanError& refusal : std::get<Plan>(read).refusals)
        rows << where(refusal);
    return (rows + std::get<Plan>(read).notes).join(u' ');
}

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding) {
    const bool littleEndian = encoding == QStringEncoder::Utf16LE;
    return QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") + QStringEncoder(encoding)(text);
}

const QByteArray kPagers = "传呼号,地址码,极性,机型,速率,音调\r\n";
const QByteArray kTables = "餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3\r\n";
const QString kRemedy = "save it in Excel as \"CSV UTF-8 (Comma delimited)\"";
const QString kOldWorkbook =
    "this is an old Excel (.xls) or WPS (.et) workbook; save it as .xlsx or CSV";
const QString kDamaged = "the workbook is damaged or not one that Excel, WPS or LibreOffice "
                         "saves; save it again as .xlsx or as CSV";
const QString kUnpacksTooLarge =
    "the workbook unpacks to more than a sheet of pagers or tables can hold";
const QString kNoHeader = "no header among the first 10 rows that are not blank: a header names "
                          "the columns " +
                          kPagers.trimmed() + " or " + kTables.trimmed();
const QString kTooLarge =
    "the file is larger than 4 MiB; a sheet of pagers or table callers is far smaller";

QByteArray workbook(const char* name) {
    QFile file(QFINDTESTDATA(QStringLiteral("workbooks/") + QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// `header`, then `n` rows of `row` with N the row's count from 1.
QByteArray sheet(const QByteArray& header, const char* row, int n) {
    QByteArray bytes = header;
    for (int i = 1; i <= n; ++i)
        bytes += QByteArray(row).replace("N", QByteArray::number(i));
    return bytes;
}

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
        QTest::newRow("the command's checks refuse, a value unsendable too, each told")
            << kPagers + "0,1,反,数字新型,1200,音调3\r\n300,12.5,+,英文,512,音调1\r\n"
                         "1,12.5,正,英文,512,音调1\r\n"
            << "2@2:0/1/1/0/1/2 3@3:300/12.5/3/0/0/0 4@4:1/12.5/3/1/0/0 !2A(传呼号) !3A(传呼号) "
               "!3B(地址码) !3C(极性) !4B(地址码)";
        QTest::newRow("tables: 无 and empty are no pager, feature code ignored")
            << kTables + "12,0A1B2C,5,无,\r\n\"256\",,\"1\",\"2\"\"\",3\r\n"
            << "2@2:12/5// 3@3:256/1/2\"/3 !3D(对应传呼号2)";
        QTest::newRow("tables: each input the check refuses told")
            << QByteArray("table,pager1,pager2,pager3\nx,0,,256\n")
            << "2@2:x/0//256 !2A(table) !2B(pager1) !2D(pager3)";
        QTest::newRow("English table header")
            << QByteArray("table,feature,pager1,pager2,pager3\r\n9,,1,2,3\r\n") << "2@2:9/1/2/3";
        QTest::newRow("empty rows passed over, still counted") << kTables + "\r\n,,,,\r\n5,,1,,\r\n"
                                                               << "4@4:5/1//";
        QTest::newRow("quoted line end: the next row's line")
            << kTables + "\"1\",\"a\r\nb\",,,\r\n2,x,1,,"
            << "2@2:1/// 3@4:2/1//";
        QTest::newRow("header only") << kPagers << "";

        QTest::newRow("not UTF-8 nor GB18030") << kPagers + "1,12\xFF,正,数字标准,1200,音调1\r\n"
                                               << kRemedy;
        QTest::newRow("overlong UTF-8, not GB18030 either") << kPagers + "\xC0\xAF" << kRemedy;
        QTest::newRow("GB18030 without a plan's header")
            << QByteArray("\xD0\xF2\xBA\xC5,\xD0\xD5\xC3\xFB\r\n1,2\r\n") << kNoHeader;
        QTest::newRow("tabs, a title row without any above the header")
            << QByteArray("清单\ntable\tpager1\tpager2\tpager3\n7\t1\t\t\n")
            << "3@3:7/1// row 1 (清单) is not the header; skipped";
        QTest::newRow("GB18030, a title row above the header")
            << QByteArray("\xC7\xE5\xB5\xA5\r\ntable,pager1,pager2,pager3\r\n7,1,,\r\n")
            << "3@3:7/1// row 1 (清单) is not the header; skipped";
        QTest::newRow("title rows above the header, a long one cut")
            << "王府井店传呼机清单（2024年3月盘点，共20台，含备用机5台）,,\r\n\r\n,备注 x,\r\n" +
                   kTables + "5,,1,,\r\n"
            << "5@5:5/1// row 1 (王府井店传呼机清单（2024年3月盘点，共20台，含备用机…) is not the "
               "header; skipped row 3 (备注 x) is not the header; skipped";
        QTest::newRow("doubled byte-order mark")
            << "\xEF\xBB\xBF\xEF\xBB\xBF" + kTables + "5,,1,,\n"
            << "2@2:5/1//";
        QTest::newRow("a total below the rows sets nothing")
            << kPagers + "1,1,正,英文,512,音调1\r\n,,,,,,合计 1 台\r\n"
            << "2@2:1/1/3/1/0/0 row 3 (合计 1 台) sets nothing; skipped";
        QTest::newRow("GB18030 with its mark")
            << QByteArray("\x84\x31\x95\x33table,pager1,pager2,pager3\n7,1,,\n") << "2@2:7/1//";
        QTest::newRow("UTF-16 without its mark") << QByteArray("p\0a\0", 4) << kRemedy;
        // Workbooks: the first worksheet with a header, cells as shown, read as the same sheet
        // saved as CSV; what cannot be read told.
        const QString pagers = "3@3:12/1234567/2/1/1/2 4@4:13/0012345/0/0/0/0 5@5:14/12345/3/1/2/3 "
                               "row 1 (王府井店传呼机清单) is not the header; skipped";
        QTest::newRow("workbook: openpyxl, a notes sheet first")
            << workbook("openpyxl-pagers.xlsx") << pagers;
        QTest::newRow("the same sheet as CSV")
            << QByteArray("王府井店传呼机清单\r\n传呼号,地址码,极性,机型,速率,音调,备注\r\n"
                          "12,1234567,正,中文字符,1200,音调3,大厅1号\r\n"
                          "13,0012345,反,数字标准,512,音调1,\"包间, 牡丹\"\r\n"
                          "14,12345,正,英文,2400,音调4,\r\n")
            << pagers;
        QTest::newRow("workbook: LibreOffice, the address code's zeros lost")
            << workbook("libreoffice-pagers.xlsx")
            << QString(pagers).replace("/0012345/", "/12345/");
        QTest::newRow("workbook: inline strings, stored, a row left out")
            << workbook("inline-tables.xlsx") << "3@3:5/1// 4@4:6/2//3";
        QTest::newRow("workbook: the tool's own, leading zeros kept as text")
            << workbookOfRows({pagerCsvColumns(),
                               {"12", "1234567", "正", "中文字符", "1200", "音调3"},
                               {"013", "0012345", "反", "数字标准", "512", "音调1"}},
                              "传呼机")
            << "2@2:12/1234567/2/1/1/2 3@3:013/0012345/0/0/0/0";
        QTest::newRow("workbook: unpacks to 40 MiB")
            << workbook("too-large.xlsx") << kUnpacksTooLarge;
        QTest::newRow("workbook: unpacks past its stated size")
            << workbook("lying-size.xlsx") << kDamaged;
        QTest::newRow("workbook: no directory") << QByteArray("PK\x03\x04\x14\0") << kDamaged;
        QTest::newRow("xls") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1") << kOldWorkbook;
        QTest::newRow("xlsx with a password")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1") +
                   QByteArray(reinterpret_cast<const char*>(u"EncryptedPackage"), 32)
            << "the workbook is protected by a password; save it again without one";
        QTest::newRow("quote never closed") << kTables + "1,,,,\r\n1,\"abc,,,\r\n"
                                            << "2@2:1/// !3B(叮当鸟特征码)";
        QTest::newRow("quote inside a field") << kTables + "1,a\"b,,,\r\n"
                                              << "!2B(叮当鸟特征码)";
        QTest::newRow("text after closing quote") << kTables + "1,\"a\"b,,,\r\n"
                                                  << "!2B(叮当鸟特征码)";
        QTest::newRow("quote in the header") << QByteArray("\"餐桌号") << "!1A";
        QTest::newRow("neither header") << QByteArray("序号,姓名\r\n1,2\r\n") << kNoHeader;
        QTest::newRow("column missing") << QByteArray("标题\n传呼号,地址\r\n1,2\r\n") << "!2";
        QTest::newRow("column twice")
            << QByteArray("table,pager1,pager2,pager3,PAGER1\r\n") << "!1E(PAGER1)";
        QTest::newRow("fewer fields: empty") << kTables + "1,,2\r\n"
                                             << "2@2:1/2//";
        QTest::newRow("more fields: ignored") << kTables + "1,,2,3,4,5\r\n"
                                              << "2@2:1/2/3/4";
        QTest::newRow("bad polarity") << kPagers + "1,1,+,数字标准,1200,音调1\r\n"
                                      << "2@2:1/1/0/0/1/0 !2C(极性)";
        QTest::newRow("bad type, rate and tone") << kPagers + "1,1,正,数字,9600,音调5\r\n"
                                                 << "2@2:1/1/0/1/1/0 !2D(机型) !2E(速率) !2F(音调)";
        QTest::newRow("column AA") << QByteArray(26, ',') + "极性,pager,address,type,rate,tone\n" +
                                          QByteArray(26, ',') + "+,1,1,英文,512,音调1\n"
                                   << "2@2:1/1/3/0/0/0 !2AA(极性)";
        QTest::newRow("same pager after rounding, refusals by row")
            << kPagers + "12,1,正,英文,512,音调1\r\n 12.0 ,2,正,英文,512,音调1\r\n"
                         "12,x,+,英文,512,音调1\r\n11.5,3,正,英文,512,音调1\r\n"
                         "112,1,正,英文,512,音调1\r\n"
            << "2@2:12/1/3/1/0/0 3@3:12.0/2/3/1/0/0 4@4:12/x/3/0/0/0 5@5:11.5/3/3/1/0/0 "
               "6@6:112/1/3/1/0/0 !3A(传呼号) !4B(地址码) !4C(极性) !5A(传呼号)";
        QTest::newRow("same table") << QByteArray("pager3,pager1,table,pager2\n,1,7,\n,2,7.0,\n")
                                    << "2@2:7/1// 3@3:7.0/2// !3C(table)";
        QTest::newRow("empty file")
            << QByteArray() << "the file is empty; a plan starts with a header row";

        // What a sheet may hold: the header among the first 10 rows not blank, as many rows as
        // the unit holds, values in 100 columns, 20 notes, a file of 4 MiB.
        QString titles;
        for (int row = 1; row <= 9; ++row)
            titles += QString(" row %1 (t) is not the header; skipped").arg(row);
        QTest::newRow("header after 9 title rows") << sheet("", "t\n", 9) + kTables + "5,,1,,\n"
                                                   << "11@11:5/1//" + titles;
        QTest::newRow("header after 10 title rows") << sheet("", "t\n", 10) + kTables << kNoHeader;
        QTest::newRow("255 pagers") << sheet(kPagers, "N,1,正,英文,512,音调1\n", 255) << "!256";
        QTest::newRow("513 tables") << sheet(kTables, "N,,1,,\n", 513) << "!514";
        QString notes;
        for (int row = 3; row <= 22; ++row)
            notes += QString(" row %1 (x) sets nothing; skipped").arg(row);
        QTest::newRow("value in column 100, 20 notes kept")
            << sheet(kTables + "5,,1,,\n", ",x\n", 22) + QByteArray(99, ',') + "x\n"
            << "2@2:5/1//" + notes + " and 3 more row(s) skipped";
        QTest::newRow("value in column 101") << kTables + QByteArray(100, ',') + "x\n"
                                             << "!2CW";
        QTest::newRow("200000 columns in the header")
            << "table,pager1,pager2,pager3" + sheet("", ",N", 200000) << "!1CW";
        QTest::newRow("a 20 MB line of commas")
            << kTables + QByteArray(20'000'000, ',') + "\n5,,1,,\n"
            << "3@3:5/1//";
        QByteArray filled = kTables + "5,,1,,\n";
        filled += QByteArray(kMaxPlanFileBytes - filled.size(), '\n');
        QTest::newRow("4 MiB") << filled << "2@2:5/1//";
        QTest::newRow("4 MiB and a byte") << filled + "\n"
                                          << "2@2:5/1//";
    }
    // Read as bytes and from a file, which is refused past 4 MiB; in linear time.
    void read() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QTemporaryFile saved;
        QVERIFY(saved.open() && saved.write(file) == file.size());
        saved.close();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(summary(readPlan(file)), expected);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(summary(readPlanFile(saved.fileName())),
                 file.size() > kMaxPlanFileBytes ? kTooLarge : expected);
    }

    // One sheet, its columns reordered, a note and a blank column among them, as each encoding
    // and separator a spreadsheet saves: all read alike.
    void encodings_data() {
        QTest::addColumn<QByteArray>("file");
        const QString sheet = "备注,音调,传呼号,极性,,机型,速率,地址码\r\n"
                              "前台,音调3, 12 , 正 ,,数字标准,1200,0012345\r\n"
                              ",音调1,13.0,反,,英文,512,7\r\n";
        QTest::newRow("UTF-8") << sheet.toUtf8();
        QTest::newRow("UTF-8 with BOM, LF") << "\xEF\xBB\xBF" + sheet.toUtf8().replace('\r', "");
        // The sheet as iconv -t GB18030 writes it, with CR line ends.
        QTest::newRow("GB18030, CR") << QByteArray::fromHex(
            "b1b8d7a22cd2f4b5f72cb4abbaf4bac52cbcabd0d42c2cbbfad0cd2ccbd9c2ca2cb5d8d6b7c2eb0dc7b0"
            "cca82cd2f4b5f7332c203132202c20d5fd202c2ccafdd7d6b1ead7bc2c313230302c303031323334350d"
            "2cd2f4b5f7312c31332e302cb7b42c2cd3a2cec42c3531322c370d");
        QTest::newRow("UTF-16 LE") << utf16(sheet, QStringEncoder::Utf16LE);
        QTest::newRow("UTF-16 BE") << utf16(sheet, QStringEncoder::Utf16BE);
        QTest::newRow("UTF-16 LE, tabs")
            << utf16(QString(sheet).replace(',', '\t'), QStringEncoder::Utf16LE);
        QTest::newRow("UTF-8, tabs") << QString(sheet).replace(',', '\t').toUtf8();
    }
    void encodings() {
        QFETCH(QByteArray, file);
        const auto read = readPlan(file);
        QCOMPARE(summary(read), "2@2:12/0012345/0/1/1/2 3@3:13.0/7/3/0/0/0");
        QCOMPARE(ignoredColumns(std::get<Plan>(read)), QStringList{"column A (备注)"});
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
        memory[145] = 'u'; // pager 30, in no plan below

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
        QCOMPARE(onlyInUnitText(pagers.kind, numbersOnlyInUnit(pagers, memory)),
                 "in the unit, not in the plan: pager 30");
        const auto tables = std::get<Plan>(readPlan(kTables + "5,,1,,\r\n5,,1,2,\r\n6,,,,\r\n"));
        QCOMPARE(planDifferences(tables, memory),
                 QStringList({"row 3: table 5: the unit binds 1 无 无, the plan 1 2 无",
                              "row 4: table 6 is not in the unit"}));
        QCOMPARE(numbersOnlyInUnit(tables, memory), std::vector<int>{});
        const auto others = std::get<Plan>(readPlan(kPagers + "13,1,正,英文,512,音调1\r\n"));
        QCOMPARE(onlyInUnitText(others.kind, numbersOnlyInUnit(others, memory)),
                 "in the unit, not in the plan: pager 12, 30");
        const auto table6 = std::get<Plan>(readPlan(kTables + "6,,,,\r\n"));
        QCOMPARE(numbersOnlyInUnit(table6, memory), std::vector<int>{5});
    }
};

QTEST_APPLESS_MAIN(PlanTest)
#include "plan_test.moc"

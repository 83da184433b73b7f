#include "memory/csvexport.h"

#include "memory/imagedecoding.h"
#include "memory/wholefile.h"
#include "memory/workbookexport.h"

#include <QStringList>

namespace callcfg {

namespace {

QString field(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void appendRow(QString& csv, const QStringList& values) {
    QStringList fields;
    for (const QString& value : values)
        fields << field(value);
    csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString hexDigits(const auto& nibbles) {
    QString text;
    for (int nibble : nibbles)
        text += QString::number(nibble, 16).toUpper();
    return text;
}

} // namespace

QStringList pagerCsvColumns() {
    return {QStringLiteral("传呼号"), QStringLiteral("地址码"), QStringLiteral("极性"),
            QStringLiteral("机型"),   QStringLiteral("速率"),   QStringLiteral("音调")};
}

QStringList tableCsvColumns() {
    return {QStringLiteral("餐桌号"), QStringLiteral("叮当鸟特征码"), QStringLiteral("对应传呼号1"),
            QStringLiteral("对应传呼号2"), QStringLiteral("对应传呼号3")};
}

std::vector<QStringList> templateRows(bool tables) {
    return {(tables ? tableCsvColumns() : pagerCsvColumns()) << QStringLiteral("备注")};
}

std::vector<QStringList> pagerRows(const HostMemory& memory) {
    std::vector<QStringList> rows{pagerCsvColumns()};
    for (int number = 1; number <= memorymap::kPagerSlots; ++number) {
        const auto pager = pagerRecord(memory, number);
        if (!pager)
            continue;
        const auto kind = pagerKind(pager->letter);
        rows.push_back({QString::number(number), hexDigits(pager->address),
                        polarityWord(pager->positive),
                        kind ? kind->machineType.toString() : QString(),
                        kind ? kind->rate.toString() : QString(), toneWord(pager->tone)});
    }
    return rows;
}

std::vector<QStringList> tableRows(const HostMemory& memory) {
    std::vector<QStringList> rows{tableCsvColumns()};
    const int count = tableCount(memory);
    if (!tableCountValid(count))
        return rows;
    for (int i = 0; i < count; ++i) {
        const TableRecord table = tableRecord(memory, i);
        QStringList row{QString::number(table.tableNumber)};
        QString code;
        for (int byte : table.featureCode)
            code += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        row << code;
        for (int pager : table.boundPagers)
            row << (pager == memorymap::kNoPager ? noPagerWord() : QString::number(pager));
        rows.push_back(row);
    }
    return rows;
}

QString templateCsv(bool tables) {
    return csvOfRows(templateRows(tables));
}

QString pagersCsv(const HostMemory& memory) {
    return csvOfRows(pagerRows(memory));
}

QString tablesCsv(const HostMemory& memory) {
    return csvOfRows(tableRows(memory));
}

QString csvOfRows(const std::vector<QStringList>& rows) {
    QString csv;
    for (const QStringList& row : rows)
        appendRow(csv, row);
    return csv;
}

QByteArray spreadsheetCsvBytes(const QString& csv) {
    return "\xEF\xBB\xBF" + csv.toUtf8();
}

std::optional<QString> writeSpreadsheet(const QString& path, const std::vector<QStringList>& rows,
                                        const QString& sheetName) {
    if (!isWorkbookName(path))
        return writeSpreadsheetCsv(path, csvOfRows(rows));
    if (const auto failure = writeWholeFile(path, workbookOfRows(rows, sheetName)))
        return failure->text();
    return std::nullopt;
}

std::optional<QString> writeSpreadsheetCsv(const QString& path, const QString& csv) {
    if (const auto failure = writeWholeFile(path, spreadsheetCsvBytes(csv)))
        return failure->text();
    return std::nullopt;
}

} // namespace callcfg

#pragma once
// The pager and table caller entries of a host image as CSV (RFC 4180: a header row, fields
// separated by commas, quoted where they need it, lines ending in CR LF), for a spreadsheet.

#include "memory/memoryimage.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace callcfg {

// The columns of the pager and the table caller exports, as their header rows name them.
QStringList pagerCsvColumns();
QStringList tableCsvColumns();

// An empty sheet to fill in: an export's header row with a 备注 column after it, and no row.
std::vector<QStringList> templateRows(bool tables);
QString templateCsv(bool tables);

// The rows of the pager and table caller exports below, their header first.
std::vector<QStringList> pagerRows(const HostMemory& memory);
std::vector<QStringList> tableRows(const HostMemory& memory);

// 传呼号, 地址码, 极性, 机型, 速率, 音调: one row per non-empty pager slot.
QString pagersCsv(const HostMemory& memory);

// 餐桌号, 叮当鸟特征码, 对应传呼号1 to 3 ("无" for none): one row per valid table caller
// record; only the header when the table count is not valid.
QString tablesCsv(const HostMemory& memory);

// Rows of values, the header first, as CSV.
QString csvOfRows(const std::vector<QStringList>& rows);

// `csv` as a file for a spreadsheet's double-click: a byte-order mark tells Excel and WPS the
// text is UTF-8, which they would otherwise read as the system's code page (GBK).
QByteArray spreadsheetCsvBytes(const QString& csv);

// Writes spreadsheetCsvBytes(csv) as writeWholeFile writes; why not, when it cannot be.
std::optional<QString> writeSpreadsheetCsv(const QString& path, const QString& csv);

// The rows as a workbook (see workbookOfRows) when the name ends in .xlsx, else as CSV, written as
// writeWholeFile writes; why not, when they cannot be.
std::optional<QString> writeSpreadsheet(const QString& path, const std::vector<QStringList>& rows,
                                        const QString& sheetName);

} // namespace callcfg

#pragma once
// Rows of values as an Office Open XML workbook (.xlsx) of one worksheet, for Excel, WPS and
// LibreOffice to open with a double-click: the header row bold, each column as wide as its
// widest value, the columns named as text always text cells (an address code keeps its leading
// zeros), a value of digits alone elsewhere a number.

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace callcfg {

// The headers whose columns hold text however they look: 地址码 and 叮当鸟特征码.
QStringList textColumnHeaders();

// `rows`, the header first, as the bytes of a workbook whose one worksheet is `sheetName`.
QByteArray workbookOfRows(const std::vector<QStringList>& rows, const QString& sheetName);

// Whether the file name asks for a workbook: it ends in .xlsx, in any case.
bool isWorkbookName(const QString& path);

} // namespace callcfg

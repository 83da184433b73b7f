#pragma once
// How tests write the message boxes they expect, and the boxes that the tests of several
// commands expect, restated as the installer reads them.

#include "boxwatcher.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// "error 错误: text" (critical icon, OK), "notice OK: text" (no icon, OK), "confirm 注意: text"
// (critical icon, OK and Cancel); any other look is spelt out so that it fails the comparison.
QString describe(const SeenBox& box);
QStringList describe(const QList<SeenBox>& boxes);

} // namespace testsupport

inline const QString kTimeout = QStringLiteral("error 错误: 超时没有返回数据!!");
inline const QString kCrc = QStringLiteral("error 错误: CRC校验错误");
inline const QString kLength = QStringLiteral("notice 错误: 返回数据长度错误");
inline const QString kPortBox = QStringLiteral("error 错误: 没发现此端口或端口已被其它程序占用!");

#pragma once
// The main window's and the caller windows' commands as the installer sees them, and the check
// of the boxes an operation showed.

#include "expectedcommands.h"
#include "lineview.h"

#include <QString>
#include <QStringList>

namespace soak {

// Every command the soak sends from the windows (expectedcommands.h), in the order of
// windowcommands.cpp.
using CommandEntry = testsupport::ExpectedCommand;
inline const std::vector<CommandEntry>& commandTable() {
    return testsupport::expectedCommands();
}

inline const QString kChecksumBox = QStringLiteral("CRC校验错误");

// Whether `boxes` are: the question (if any), between min and max checksum boxes, then one of
// the finals ("" for no box at all). Empty when they are; otherwise what is wrong.
QString checkBoxes(const QStringList& boxes, const QString& question, int minChecksum,
                   int maxChecksum, const QStringList& finals);

} // namespace soak

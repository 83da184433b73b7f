#pragma once
// The main window's and the caller windows' commands as the installer sees them: the request's
// command code, how long the tool waits, and the box each reply means, restated from what the
// tool is to show.

#include "lineview.h"

#include <QString>
#include <QStringList>

namespace soak {

// A reply of `length` data bytes (any when -1) whose first byte is `firstByte` (any when -1)
// shows `box` (no box when empty).
struct ReplyRow {
    int length = -1;
    int firstByte = -1;
    QString box;
};

struct CommandEntry {
    const char* name = "";
    std::uint8_t code = 0;
    double waitSeconds = 1;        // the whole wait, at real timing
    QString confirmation;          // asked before the request, when not empty
    std::vector<ReplyRow> replies; // the first match wins; the success row first
    QString timeout;               // no reply within the wait
    QString failure;               // the request could not be written

    const ReplyRow& success() const { return replies.front(); }
    QString boxFor(const Bytes& reply) const;
};

// Every command the soak sends from the windows, in the order of windowcommands.cpp.
const std::vector<CommandEntry>& commandTable();

inline const QString kChecksumBox = QStringLiteral("CRC校验错误");

// Whether `boxes` are: the question (if any), between min and max checksum boxes, then one of
// the finals ("" for no box at all). Empty when they are; otherwise what is wrong.
QString checkBoxes(const QStringList& boxes, const QString& question, int minChecksum,
                   int maxChecksum, const QStringList& finals);

} // namespace soak

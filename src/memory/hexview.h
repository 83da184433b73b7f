#pragma once
// The hex dump of a memory image: 16 bytes per row, each row led by its offset label.

#include "memory/images.h"

#include <QString>

namespace callcfg {

inline constexpr int kHexRowLength = 16;
inline constexpr int kHostRows = protocol::kHostMemorySize / kHexRowLength;
inline constexpr int kReceiverRows = protocol::kReceiverMemorySize / kHexRowLength;

// "000H -- ", then per byte two upper-case hex digits and a blank; after every row CR LF and
// the label of the next offset, so the text ends with a line holding only a label.
// Rows beyond what the image holds are not dumped.
QString hexDump(const Image& image, int rows);

// The dump of the last read: the receiver image after a receiver read, else the host image.
QString hexDumpOf(const Images& images);

} // namespace callcfg

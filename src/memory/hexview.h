#pragma once
// The hex dump of a memory image: 16 bytes per row, each row led by its offset label.

#include "memory/images.h"

#include <QString>

#include <cstdint>
#include <span>

namespace callcfg {

inline constexpr int kHexRowLength = 16;

// "000H -- ", then per byte two upper-case hex digits and a blank; after every row CR LF and
// the label of the next offset, so the text ends with a line holding only a label. Every whole
// row of the memory is dumped: 512 rows of a host image, 16 of a receiver image.
QString hexDump(std::span<const std::uint8_t> memory);

// The dump of the last read: the receiver image after a receiver read, else the host image.
QString hexDumpOf(const Images& images);

} // namespace callcfg

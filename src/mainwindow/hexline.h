#pragma once
// The test window's text for one read: each byte in upper-case hexadecimal without a
// leading zero, followed by one blank; the line ends with CR LF.

#include <QString>

#include <cstdint>
#include <span>

namespace callcfg {

QString hexLine(std::span<const std::uint8_t> bytes);

} // namespace callcfg

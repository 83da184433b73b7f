#pragma once
// GB18030 (GBK and GB2312 being part of it: what a spreadsheet saves as "CSV" on a Chinese
// Windows) decoded alike on every platform, without the system's converters: the two-byte codes
// and the four-byte codes of the BMP from a table the build takes from the build machine's iconv
// (src/plan/gb18030-table), the planes beyond the BMP by the standard's arithmetic.

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace callcfg {

struct Gb18030Char {
    char32_t codePoint = 0;
    int length = 0; // in bytes: 1, 2 or 4
};

// The character whose sequence starts `bytes`; nothing when they start none (a byte out of
// place, a code without a character, a sequence cut short).
std::optional<Gb18030Char> gb18030Char(QByteArrayView bytes);

// The text of the bytes, nothing when a sequence among them is not GB18030.
std::optional<QString> decodeGb18030(QByteArrayView bytes);

namespace gb18030 {

// The generated table. Two-byte codes: lead 81 to FE, trail 40 to 7E and 80 to FE, in order.
inline constexpr int kTwoByteCount = 126 * 190;
extern const char32_t kTwoByte[kTwoByteCount];

// Four-byte codes 81 30 81 30 to 84 39 FE 39, numbered from 0 in order: each run starts at
// `first` with `codePoint` and goes on one character a code up to the next run's start; a run
// whose code point is 0 holds codes without a character.
struct FourByteRun {
    std::uint16_t first = 0;
    char32_t codePoint = 0;
};
extern const FourByteRun kFourByteRuns[];
extern const std::size_t kFourByteRunCount;

} // namespace gb18030

} // namespace callcfg

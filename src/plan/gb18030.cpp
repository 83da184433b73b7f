#include "plan/gb18030.h"

#include <algorithm>

namespace callcfg {

namespace {

// The number of a four-byte code among all four-byte codes, from 81 30 81 30 on.
int fourByteNumber(unsigned b1, unsigned b2, unsigned b3, unsigned b4) {
    return int((((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30));
}

char32_t fourByteCharacter(unsigned b1, unsigned b2, unsigned b3, unsigned b4) {
    const int number = fourByteNumber(b1, b2, b3, b4);
    if (b1 <= 0x84) { // the BMP's characters without a two-byte code, by the table's runs
        const auto* end = gb18030::kFourByteRuns + gb18030::kFourByteRunCount;
        const auto* run = std::upper_bound(gb18030::kFourByteRuns, end, number,
                                           [](int n, const auto& r) { return n < r.first; });
        --run; // the first run starts at 0
        return run->codePoint ? run->codePoint + char32_t(number - run->first) : 0;
    }
    // 90 30 81 30 is U+10000, each code the next character, up to E3 32 9A 35 for U+10FFFF;
    // 85 to 8F and E4 to FE lead no character.
    const char32_t planes = 0x10000 + char32_t(number - fourByteNumber(0x90, 0x30, 0x81, 0x30));
    return b1 >= 0x90 && planes <= 0x10FFFF ? planes : 0;
}

} // namespace

std::optional<Gb18030Char> gb18030Char(QByteArrayView bytes) {
    const auto byte = [&](qsizetype i) { return unsigned(static_cast<unsigned char>(bytes[i])); };
    if (bytes.isEmpty())
        return std::nullopt;
    const unsigned b1 = byte(0);
    if (b1 < 0x80)
        return Gb18030Char{b1, 1};
    if (b1 == 0x80 || b1 == 0xFF || bytes.size() < 2)
        return std::nullopt;
    const unsigned b2 = byte(1);
    char32_t c = 0;
    int length = 2;
    if ((b2 >= 0x40 && b2 <= 0x7E) || (b2 >= 0x80 && b2 <= 0xFE)) {
        c = gb18030::kTwoByte[(b1 - 0x81) * 190 + (b2 - 0x40) - (b2 > 0x7F ? 1 : 0)];
    } else if (b2 >= 0x30 && b2 <= 0x39 && bytes.size() >= 4) {
        const unsigned b3 = byte(2), b4 = byte(3);
        length = 4;
        if (b3 >= 0x81 && b3 <= 0xFE && b4 >= 0x30 && b4 <= 0x39)
            c = fourByteCharacter(b1, b2, b3, b4);
    }
    if (c == 0)
        return std::nullopt;
    return Gb18030Char{c, length};
}

std::optional<QString> decodeGb18030(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto c = gb18030Char(bytes.sliced(i));
        if (!c)
            return std::nullopt;
        text += QChar::fromUcs4(c->codePoint);
        i += c->length;
    }
    return text;
}

} // namespace callcfg

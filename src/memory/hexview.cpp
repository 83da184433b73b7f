#include "memory/hexview.h"

namespace callcfg {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// "0" and the hex offset up to 0xFF, the hex offset alone above; then "H -- ".
void appendLabel(QString& text, int offset) {
    if (offset <= 255)
        text.append(QLatin1Char('0'));
    text.append(QString::number(offset, 16).toUpper());
    text.append(QLatin1String("H -- "));
}

} // namespace

QString hexDump(std::span<const std::uint8_t> memory) {
    const int rows = int(memory.size()) / kHexRowLength;
    QString text;
    text.reserve(rows * 59 + 9);
    text.append(QLatin1String("000H -- "));
    int offset = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kHexRowLength; ++column, ++offset) {
            const std::uint8_t byte = memory[offset];
            text.append(QLatin1Char(kHexDigits[byte >> 4]));
            text.append(QLatin1Char(kHexDigits[byte & 0x0F]));
            text.append(QLatin1Char(' '));
        }
        text.append(QLatin1String("\r\n"));
        appendLabel(text, offset);
    }
    return text;
}

QString hexDumpOf(const Images& images) {
    return images.receiverSelected ? hexDump(images.receiverImage) : hexDump(images.hostImage);
}

} // namespace callcfg

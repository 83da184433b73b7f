#include "mainwindow/hexline.h"

namespace callcfg {

QString hexLine(std::span<const std::uint8_t> bytes) {
    QString line;
    line.reserve(static_cast<qsizetype>(bytes.size() * 3 + 2));
    for (std::uint8_t b : bytes) {
        line += QString::number(b, 16).toUpper();
        line += QLatin1Char(' ');
    }
    line += QStringLiteral("\r\n");
    return line;
}

} // namespace callcfg

#pragma once
// Byte strings for the host unit tests, written as hex: "55 AA 02 0D 80 FF*128 F0"
// (a token XX*N stands for N bytes XX).

#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes hexBytes(const char* text) {
    Bytes out;
    for (const QString& token : QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = token.split('*');
        const int repeat = parts.size() > 1 ? parts[1].toInt() : 1;
        out.insert(out.end(), repeat, static_cast<std::uint8_t>(parts[0].toUInt(nullptr, 16)));
    }
    return out;
}

// A request frame with the checksum worked out here: 0xFF minus the low byte of the sum of
// address 01, command, length and data.
inline Bytes request(std::uint8_t command, const Bytes& data) {
    Bytes body{0x01, command, static_cast<std::uint8_t>(data.size())};
    body.insert(body.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (auto b : body)
        sum += b;
    Bytes frame{0x55, 0x55, 0xAA};
    for (auto b : body)
        frame.push_back(b);
    frame.push_back(static_cast<std::uint8_t>(0xFF - (sum & 0xFF)));
    return frame;
}

inline QString hexText(const Bytes& bytes) {
    QStringList parts;
    for (auto b : bytes)
        parts << QString::asprintf("%02X", b);
    return parts.join(' ');
}

namespace QTest {
template <> inline char* toString(const Bytes& bytes) {
    return qstrdup(hexText(bytes).toLatin1().constData());
}
} // namespace QTest

#pragma once
// Byte strings written the way they stand on the wire: "55 AA 02 0D 80 FF*128 F0" (a token
// XX*N stands for N bytes XX), request frames with their checksum worked out here, and QCOMPARE
// printing byte vectors in the same form.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <span>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes hexBytes(const QString& text) {
    Bytes out;
    for (const QString& token : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = token.split('*');
        const QByteArray raw = QByteArray::fromHex(parts[0].toLatin1());
        for (int i = parts.size() > 1 ? parts[1].toInt() : 1; i > 0; --i)
            out.insert(out.end(), raw.begin(), raw.end());
    }
    return out;
}

inline QString hexText(std::span<const std::uint8_t> bytes) {
    const QByteArray raw(reinterpret_cast<const char*>(bytes.data()),
                         static_cast<qsizetype>(bytes.size()));
    return QString::fromLatin1(raw.toHex(' ').toUpper());
}

// A request frame: 55 55 AA, address 01, command, length, data, and 0xFF minus the low byte of
// the sum of address, command, length and data.
inline Bytes requestFrame(std::uint8_t command, const Bytes& data) {
    Bytes frame{0x55, 0x55, 0xAA, 0x01, command, static_cast<std::uint8_t>(data.size())};
    frame.insert(frame.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::size_t i = 3; i < frame.size(); ++i)
        sum += frame[i];
    frame.push_back(static_cast<std::uint8_t>(0xFF - (sum & 0xFF)));
    return frame;
}

namespace QTest {
template <> inline char* toString(const Bytes& bytes) {
    return qstrdup(hexText(bytes).toLatin1().constData());
}
} // namespace QTest

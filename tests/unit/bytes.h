#pragma once
// Byte strings written the way they stand on the wire: "55 55 AA 01 08 00 F6".

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> hexBytes(const QString& text) {
    const QByteArray raw = QByteArray::fromHex(text.toLatin1());
    return {raw.begin(), raw.end()};
}

inline QString hexText(const std::vector<std::uint8_t>& bytes) {
    QByteArray raw(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size()));
    return QString::fromLatin1(raw.toHex(' ').toUpper());
}

#pragma once
// The files inside a ZIP archive (an Office Open XML workbook is one), read from its bytes in
// memory: stored or deflated entries only, every size bounded, so that a damaged archive or one
// built to unpack into gigabytes is refused in bounded time and memory.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace callcfg {

// Why an archive cannot be read.
enum class ZipRefusal {
    Damaged,     // not a ZIP archive, or one whose directory or data does not hold together
    Encrypted,   // an entry needs a password
    TooLarge,    // the entries asked for unpack past the bound
    Unsupported, // a compression method other than stored or deflated, or ZIP64
};

// Raw deflate data (RFC 1951) unpacked; nothing when it is not well formed or its output
// would pass `limit` bytes.
std::optional<QByteArray> inflateRaw(QByteArrayView data, qsizetype limit);

class ZipEntries {
public:
    struct Entry {
        QString name;
        qsizetype offset = 0; // of its local header
        qsizetype packedSize = 0;
        qsizetype size = 0; // unpacked, as the directory states it
        int method = 0;     // 0 stored, 8 deflated
        bool encrypted = false;
    };

    // The archive's directory; why not, when it is none.
    static std::variant<ZipEntries, ZipRefusal> open(QByteArrayView archive);

    bool contains(const QString& name) const;
    // The entry's bytes, unpacked; at most `budget` bytes are unpacked over all calls together.
    std::variant<QByteArray, ZipRefusal> read(const QString& name);

    qsizetype budget = 32 * 1024 * 1024;

private:
    QByteArrayView archive_;
    std::vector<Entry> entries_;
};

} // namespace callcfg

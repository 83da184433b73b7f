#include "plan/zipentries.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace callcfg {

namespace {

// The bits of deflate data, least significant first.
class Bits {
public:
    explicit Bits(QByteArrayView data) : data_(data) {}

    // `count` bits (0 to 16) as a number; nothing past the end of the data.
    std::optional<int> take(int count) {
        while (held_ < count) {
            if (at_ >= data_.size())
                return std::nullopt;
            buffer_ |= std::uint32_t(std::uint8_t(data_[at_++])) << held_;
            held_ += 8;
        }
        const int value = int(buffer_ & ((1u << count) - 1));
        buffer_ >>= count;
        held_ -= count;
        return value;
    }
    void toByte() {
        buffer_ = 0;
        held_ = 0;
    }
    qsizetype at() const { return at_; }
    void skip(qsizetype bytes) { at_ += bytes; }
    QByteArrayView data() const { return data_; }

private:
    QByteArrayView data_;
    qsizetype at_ = 0;
    std::uint32_t buffer_ = 0;
    int held_ = 0;
};

// A canonical Huffman code: how many codes each length has, and the symbols in code order.
struct Huffman {
    std::array<int, 16> count{};
    std::array<int, 320> symbol{};

    // False for lengths that over-subscribe the code; an incomplete code is allowed, as a
    // distance code of one symbol is.
    bool build(const int* lengths, int n) {
        count.fill(0);
        for (int s = 0; s < n; ++s)
            ++count[std::size_t(lengths[s])];
        count[0] = 0;
        int left = 1;
        for (int length = 1; length < 16; ++length) {
            left = left * 2 - count[std::size_t(length)];
            if (left < 0)
                return false;
        }
        std::array<int, 16> offset{};
        for (int length = 1; length < 15; ++length)
            offset[std::size_t(length + 1)] =
                offset[std::size_t(length)] + count[std::size_t(length)];
        for (int s = 0; s < n; ++s)
            if (lengths[s] != 0)
                symbol[std::size_t(offset[std::size_t(lengths[s])]++)] = s;
        return true;
    }

    std::optional<int> decode(Bits& bits) const {
        int code = 0, first = 0, index = 0;
        for (int length = 1; length < 16; ++length) {
            const auto bit = bits.take(1);
            if (!bit)
                return std::nullopt;
            code |= *bit;
            const int n = count[std::size_t(length)];
            if (code - n < first)
                return symbol[std::size_t(index + code - first)];
            index += n;
            first = (first + n) << 1;
            code <<= 1;
        }
        return std::nullopt;
    }
};

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// One block's symbols until its end code; false where the data breaks the format or the output
// would pass `limit`.
bool inflateCodes(Bits& bits, const Huffman& lengths, const Huffman& distances, QByteArray& out,
                  qsizetype limit) {
    for (;;) {
        const auto symbol = lengths.decode(bits);
        if (!symbol)
            return false;
        if (*symbol < 256) {
            if (out.size() >= limit)
                return false;
            out.append(char(*symbol));
            continue;
        }
        if (*symbol == 256)
            return true;
        const std::size_t l = std::size_t(*symbol - 257);
        if (l >= kLengthBase.size())
            return false;
        const auto lengthExtra = bits.take(kLengthExtra[l]);
        const auto d = distances.decode(bits);
        if (!lengthExtra || !d || std::size_t(*d) >= kDistanceBase.size())
            return false;
        const auto distanceExtra = bits.take(kDistanceExtra[std::size_t(*d)]);
        if (!distanceExtra)
            return false;
        const qsizetype length = kLengthBase[l] + *lengthExtra;
        const qsizetype distance = kDistanceBase[std::size_t(*d)] + *distanceExtra;
        if (distance > out.size() || out.size() + length > limit)
            return false;
        for (qsizetype i = 0; i < length; ++i)
            out.append(out[out.size() - distance]);
    }
}

bool fixedCodes(Huffman& lengths, Huffman& distances) {
    std::array<int, 288> l{};
    std::fill(l.begin(), l.begin() + 144, 8);
    std::fill(l.begin() + 144, l.begin() + 256, 9);
    std::fill(l.begin() + 256, l.begin() + 280, 7);
    std::fill(l.begin() + 280, l.end(), 8);
    std::array<int, 30> d{};
    d.fill(5);
    return lengths.build(l.data(), 288) && distances.build(d.data(), 30);
}

bool dynamicCodes(Bits& bits, Huffman& lengths, Huffman& distances) {
    static constexpr std::array<int, 19> kOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    const auto nlen = bits.take(5), ndist = bits.take(5), ncode = bits.take(4);
    if (!nlen || !ndist || !ncode || *nlen + 257 > 286 || *ndist + 1 > 30)
        return false;
    std::array<int, 320> l{};
    for (int i = 0; i < *ncode + 4; ++i) {
        const auto length = bits.take(3);
        if (!length)
            return false;
        l[std::size_t(kOrder[std::size_t(i)])] = *length;
    }
    Huffman codeLengths;
    if (!codeLengths.build(l.data(), 19))
        return false;
    const int total = *nlen + 257 + *ndist + 1;
    l.fill(0);
    for (int at = 0; at < total;) {
        const auto symbol = codeLengths.decode(bits);
        if (!symbol)
            return false;
        if (*symbol < 16) {
            l[std::size_t(at++)] = *symbol;
            continue;
        }
        int repeat = 0, value = 0;
        if (*symbol == 16) {
            const auto extra = bits.take(2);
            if (at == 0 || !extra)
                return false;
            value = l[std::size_t(at - 1)];
            repeat = 3 + *extra;
        } else {
            const auto extra = bits.take(*symbol == 17 ? 3 : 7);
            if (!extra)
                return false;
            repeat = (*symbol == 17 ? 3 : 11) + *extra;
        }
        if (at + repeat > total)
            return false;
        while (repeat-- > 0)
            l[std::size_t(at++)] = value;
    }
    if (l[256] == 0) // a block needs its end code
        return false;
    return lengths.build(l.data(), *nlen + 257) &&
           distances.build(l.data() + *nlen + 257, *ndist + 1);
}

std::uint32_t little(QByteArrayView bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

} // namespace

std::optional<QByteArray> inflateRaw(QByteArrayView data, qsizetype limit) {
    Bits bits(data);
    QByteArray out;
    for (;;) {
        const auto last = bits.take(1), type = bits.take(2);
        if (!last || !type)
            return std::nullopt;
        if (*type == 0) {
            bits.toByte();
            const qsizetype at = bits.at();
            if (at + 4 > data.size())
                return std::nullopt;
            const std::uint32_t length = little(data, at, 2), check = little(data, at + 2, 2);
            if ((length ^ 0xFFFF) != check || at + 4 + qsizetype(length) > data.size() ||
                out.size() + qsizetype(length) > limit)
                return std::nullopt;
            out.append(data.sliced(at + 4, length));
            bits.skip(4 + length);
        } else if (*type == 3) {
            return std::nullopt;
        } else {
            Huffman lengths, distances;
            if (!(*type == 1 ? fixedCodes(lengths, distances)
                             : dynamicCodes(bits, lengths, distances)) ||
                !inflateCodes(bits, lengths, distances, out, limit))
                return std::nullopt;
        }
        if (*last)
            return out;
    }
}

std::variant<ZipEntries, ZipRefusal> ZipEntries::open(QByteArrayView archive) {
    // The end of central directory record: 22 bytes, then a comment of up to 65535.
    constexpr qsizetype kEnd = 22;
    qsizetype end = -1;
    for (qsizetype at = archive.size() - kEnd; at >= 0 && at >= archive.size() - kEnd - 65535; --at)
        if (little(archive, at, 4) == 0x06054b50) {
            end = at;
            break;
        }
    if (end < 0)
        return ZipRefusal::Damaged;
    const qsizetype count = little(archive, end + 10, 2);
    const qsizetype directory = little(archive, end + 16, 4);
    if (little(archive, end + 16, 4) == 0xFFFFFFFF || count == 0xFFFF)
        return ZipRefusal::Unsupported;
    ZipEntries zip;
    zip.archive_ = archive;
    qsizetype at = directory;
    for (qsizetype i = 0; i < count; ++i) {
        if (at < 0 || at + 46 > end || little(archive, at, 4) != 0x02014b50)
            return ZipRefusal::Damaged;
        Entry entry;
        entry.encrypted = little(archive, at + 8, 2) & 1;
        entry.method = int(little(archive, at + 10, 2));
        entry.packedSize = little(archive, at + 20, 4);
        entry.size = little(archive, at + 24, 4);
        const qsizetype nameLength = little(archive, at + 28, 2);
        const qsizetype skipped = little(archive, at + 30, 2) + little(archive, at + 32, 2);
        entry.offset = little(archive, at + 42, 4);
        if (at + 46 + nameLength > end)
            return ZipRefusal::Damaged;
        entry.name = QString::fromUtf8(archive.sliced(at + 46, nameLength));
        if (entry.packedSize == 0xFFFFFFFF || entry.size == 0xFFFFFFFF ||
            entry.offset == 0xFFFFFFFF)
            return ZipRefusal::Unsupported;
        zip.entries_.push_back(entry);
        at += 46 + nameLength + skipped;
    }
    return zip;
}

bool ZipEntries::contains(const QString& name) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.name == name; });
}

std::variant<QByteArray, ZipRefusal> ZipEntries::read(const QString& name) {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& e) { return e.name == name; });
    if (entry == entries_.end())
        return ZipRefusal::Damaged;
    if (entry->encrypted)
        return ZipRefusal::Encrypted;
    if (entry->method != 0 && entry->method != 8)
        return ZipRefusal::Unsupported;
    if (entry->size > budget)
        return ZipRefusal::TooLarge;
    const qsizetype local = entry->offset;
    if (local + 30 > archive_.size() || little(archive_, local, 4) != 0x04034b50)
        return ZipRefusal::Damaged;
    const qsizetype data =
        local + 30 + little(archive_, local + 26, 2) + little(archive_, local + 28, 2);
    if (data + entry->packedSize > archive_.size())
        return ZipRefusal::Damaged;
    const QByteArrayView packed = archive_.sliced(data, entry->packedSize);
    std::optional<QByteArray> bytes;
    if (entry->method == 0)
        bytes = packed.toByteArray();
    else
        bytes = inflateRaw(packed, entry->size);
    if (!bytes || bytes->size() != entry->size)
        return ZipRefusal::Damaged;
    budget -= bytes->size();
    return *bytes;
}

} // namespace callcfg

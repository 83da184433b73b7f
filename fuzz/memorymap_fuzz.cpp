// The memory map decoder, the typed listings and the hex dump over an arbitrary host image: the
// input gives memory offsets 0 to 8191 (missing bytes read as 0).
//
// Checks: a pager record exists exactly for kind bytes other than 0 and 255 and decodes its
// nibbles; the pager listing has one line per record (or the text for none); the table listing
// exists exactly for a count of 1 to 512 and has the count line plus one line per table; the hex
// dump reads back to the image, row by row behind its offset labels.

#include "check.h"

#include "memory/hexview.h"
#include "memory/imagedecoding.h"
#include "memory/listing.h"

#include <QString>

#include <cstdio>
#include <cstring>

using callcfg::HostMemory;

namespace {

void checkPagers(const HostMemory& image) {
    int records = 0;
    for (int number = 1; number <= 255; ++number) {
        const int kind = image[(number - 1) * 5];
        const auto record = callcfg::pagerRecord(image, number);
        FUZZ_CHECK(record.has_value() == (kind != 0 && kind != 255));
        if (!record)
            continue;
        ++records;
        FUZZ_CHECK(record->number == number);
        FUZZ_CHECK(record->letter == (kind > 96 ? kind - 32 : kind));
        for (int digit : record->address)
            FUZZ_CHECK(digit < 16);
        FUZZ_CHECK(record->tone == (image[(number - 1) * 5 + 4] & 0x0F));
    }
    const QString listing = callcfg::pagerListing(image);
    if (records == 0) {
        FUZZ_CHECK(listing == QStringLiteral("不存在传呼号！"));
    } else {
        FUZZ_CHECK(listing.count(QStringLiteral("\r\n")) == records);
        FUZZ_CHECK(listing.endsWith(QStringLiteral("\r\n")));
    }
}

void checkTables(const HostMemory& image) {
    const int count = image[8190] * 256 + image[8191];
    FUZZ_CHECK(callcfg::tableCount(image) == count);
    const auto listing = callcfg::tableListing(image);
    FUZZ_CHECK(listing.has_value() == (count >= 1 && count <= 512));
    if (listing)
        FUZZ_CHECK(listing->count(QStringLiteral("\r\n")) == count + 1);
    FUZZ_CHECK(callcfg::workModeText(image).startsWith(QStringLiteral("当前工作类型为：\r\n")));
}

// The value of the hex digit c, or -1.
int hexValue(QChar c) {
    return int(QStringView(u"0123456789ABCDEF").indexOf(c));
}

void checkHexDump(const HostMemory& image) {
    const QString dump = callcfg::hexDump(image);
    const QStringView text(dump);
    qsizetype at = 0;
    for (int row = 0; row <= 512; ++row) {
        char label[16];
        std::snprintf(label, sizeof label, "%03XH -- ", row * 16);
        FUZZ_CHECK(text.mid(at).startsWith(QLatin1String(label)));
        at += qsizetype(std::strlen(label));
        if (row == 512)
            break;
        for (int column = 0; column < 16; ++column, at += 3) {
            FUZZ_CHECK(at + 3 <= text.size() && text[at + 2] == u' ');
            const int high = hexValue(text[at]);
            const int low = hexValue(text[at + 1]);
            FUZZ_CHECK(high >= 0 && low >= 0 && high * 16 + low == image[row * 16 + column]);
        }
        FUZZ_CHECK(text.mid(at).startsWith(u"\r\n"));
        at += 2;
    }
    FUZZ_CHECK(at == text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HostMemory image{};
    for (std::size_t n = 0; n < 8192 && n < size; ++n)
        image[n] = data[n];
    checkPagers(image);
    checkTables(image);
    checkHexDump(image);
    return 0;
}

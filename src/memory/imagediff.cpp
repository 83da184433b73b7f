#include "memory/imagediff.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"
#include "memory/listing.h"

#include <map>

namespace callcfg {

namespace {

QString quoted(const QString& line) {
    return QLatin1Char('"') + line + QLatin1Char('"');
}

QString pagerText(const HostMemory& image, int number) {
    const auto pager = pagerRecord(image, number);
    return pager ? quoted(pagerLine(*pager)) : Texts::tr("(none)");
}

// The table caller records by table number; the last record of a number wins, as the host
// unit keeps one record a number.
std::map<int, QString> tablesOf(const HostMemory& image) {
    std::map<int, QString> tables;
    const int count = tableCount(image);
    if (!tableCountValid(count))
        return tables;
    for (int i = 0; i < count; ++i) {
        const TableRecord record = tableRecord(image, i);
        tables[record.tableNumber] = quoted(tableLine(record));
    }
    return tables;
}

QString hex(int offset) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(offset, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QStringList describeDifferences(const HostMemory& a, const HostMemory& b) {
    QStringList lines;
    for (int number = 1; number <= memorymap::kPagerSlots; ++number) {
        const QString textA = pagerText(a, number), textB = pagerText(b, number);
        if (textA != textB)
            lines << Texts::tr("pager %1: A %2, B %3").arg(number).arg(textA, textB);
    }

    const int countA = tableCount(a), countB = tableCount(b);
    if (countA != countB)
        lines << Texts::tr("table count: A %1, B %2").arg(countA).arg(countB);
    const std::map<int, QString> tablesA = tablesOf(a), tablesB = tablesOf(b);
    std::map<int, std::pair<QString, QString>> tables;
    for (const auto& [number, text] : tablesA)
        tables[number].first = text;
    for (const auto& [number, text] : tablesB)
        tables[number].second = text;
    for (const auto& [number, texts] : tables) {
        if (texts.first == texts.second)
            continue;
        const QString none = Texts::tr("(none)");
        lines << Texts::tr("table %1: A %2, B %3")
                     .arg(number)
                     .arg(texts.first.isEmpty() ? none : texts.first,
                          texts.second.isEmpty() ? none : texts.second);
    }

    const QStringView modeA = workModeName(a), modeB = workModeName(b);
    if (a[memorymap::kWorkModeOffset] != b[memorymap::kWorkModeOffset])
        lines << Texts::tr("work mode: A %1 (%2), B %3 (%4)")
                     .arg(modeA.toString())
                     .arg(a[memorymap::kWorkModeOffset])
                     .arg(modeB.toString())
                     .arg(b[memorymap::kWorkModeOffset]);
    return lines;
}

QStringList differingAddresses(const HostMemory& a, const HostMemory& b) {
    QStringList runs;
    const int size = static_cast<int>(a.size());
    for (int n = 0; n < size;) {
        if (a[n] == b[n]) {
            ++n;
            continue;
        }
        int end = n;
        while (end + 1 < size && a[end + 1] != b[end + 1])
            ++end;
        runs << (end == n ? hex(n) : hex(n) + QLatin1Char('-') + hex(end));
        n = end + 1;
    }
    return runs;
}

} // namespace callcfg

#include "memory/listing.h"

#include "memory/imagedecoding.h"

namespace callcfg {

namespace {

const QString kEndOfLine = QStringLiteral("\r\n");

QChar hexDigit(int nibble) {
    return QLatin1Char("0123456789ABCDEF"[nibble & 0x0F]);
}

void appendSpaces(QString& text, int count) {
    for (int i = 0; i < count; ++i)
        text.append(QLatin1Char(' '));
}

// A space followed by the decimal digits of the number.
void appendSpacedNumber(QString& text, int number) {
    text.append(QLatin1Char(' '));
    text.append(QString::number(number));
}

void appendBoundPager(QString& text, int pager) {
    if (pager == memorymap::kNoPager)
        text.append(u"无");
    else
        appendSpacedNumber(text, pager);
}

} // namespace

QString pagerLine(const PagerRecord& pager) {
    QString text;
    // Right-aligned in four characters, then four spaces.
    appendSpaces(text, pager.number < 10 ? 2 : pager.number < 100 ? 1 : 0);
    appendSpacedNumber(text, pager.number);
    appendSpaces(text, 4);
    for (int i = 0; i < 6; ++i) {
        text.append(hexDigit(pager.address[i]));
        text.append(QLatin1Char(' '));
    }
    text.append(hexDigit(pager.address[6]));
    appendSpaces(text, 5);
    text.append(pager.positive ? u"正" : u"反");
    appendSpaces(text, 5);
    if (const auto kind = pagerKind(pager.letter)) {
        text.append(kind->machineType);
        appendSpaces(text, 4);
        text.append(kind->rate);
        appendSpaces(text, 3);
    }
    if (pager.tone <= 3) {
        text.append(u" 音调");
        text.append(QString::number(pager.tone + 1));
    }
    return text;
}

QString tableLine(const TableRecord& table) {
    QString text;
    appendSpacedNumber(text, table.tableNumber);
    appendSpaces(text, 10 - int(text.size()));
    for (int i = 0; i < 3; ++i) {
        text.append(hexDigit(table.featureCode[i] >> 4));
        text.append(hexDigit(table.featureCode[i]));
        appendSpaces(text, i < 2 ? 2 : 7);
    }
    appendBoundPager(text, table.boundPagers[0]);
    appendSpaces(text, 11);
    appendBoundPager(text, table.boundPagers[1]);
    appendSpaces(text, 10);
    appendBoundPager(text, table.boundPagers[2]);
    return text;
}

QString pagerListing(const HostMemory& memory) {
    QString text;
    text.reserve(memorymap::kPagerSlots * 64);
    int listed = 0;
    for (int number = 1; number <= memorymap::kPagerSlots; ++number) {
        if (const auto pager = pagerRecord(memory, number)) {
            text.append(pagerLine(*pager));
            text.append(kEndOfLine);
            ++listed;
        }
    }
    if (listed == 0)
        return QStringLiteral("不存在传呼号！");
    return text;
}

std::optional<QString> tableListing(const HostMemory& memory) {
    const int count = tableCount(memory);
    if (!tableCountValid(count))
        return std::nullopt;
    QString text;
    text.reserve(16 + count * 64);
    text.append(u"共有");
    appendSpacedNumber(text, count);
    text.append(u"个餐桌号：");
    text.append(kEndOfLine);
    for (int i = 0; i < count; ++i) {
        text.append(tableLine(tableRecord(memory, i)));
        text.append(kEndOfLine);
    }
    return text;
}

QString workModeText(const HostMemory& memory) {
    QString text = QStringLiteral("当前工作类型为：\r\n");
    text.append(workModeName(memory));
    return text;
}

} // namespace callcfg

#include "memory/imagedecoding.h"

namespace callcfg {

namespace {

constexpr char kLetters[] = "KQUHBMEFCDIJ";

constexpr PagerKind kKinds[12] = {
    {u"中文字符", u"1200"}, {u"数字新型", u"1200"}, {u"数字标准", u"1200"}, {u"中文字符", u"512"},
    {u"数字新型", u"512"},  {u"数字标准", u"512"},  {u"英文", u"1200"},     {u"英文", u"512"},
    {u"中文字符", u"2400"}, {u"数字新型", u"2400"}, {u"数字标准", u"2400"}, {u"英文", u"2400"},
};

} // namespace

std::optional<PagerKind> pagerKind(int letter) {
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        if (kLetters[i] == letter)
            return kKinds[i];
    }
    return std::nullopt;
}

std::span<const PagerKind, 12> pagerKindsByMode() {
    return kKinds;
}

QString polarityWord(bool positive) {
    return positive ? QStringLiteral("正") : QStringLiteral("反");
}

QString toneWord(int tone) {
    return tone >= 0 && tone <= 3 ? QStringLiteral("音调%1").arg(tone + 1) : QString();
}

QString noPagerWord() {
    return QStringLiteral("无");
}

using namespace memorymap;

std::optional<PagerRecord> pagerRecord(const HostMemory& memory, int number) {
    const int base = pagerRecordOffset(number);
    const int kind = memory[base + kPagerKindAt];
    if (kind == 0 || kind == 255)
        return std::nullopt;
    PagerRecord record;
    record.number = number;
    // A lower-case letter (above 96) stands for polarity 正.
    record.positive = kind > 96;
    record.letter = record.positive ? kind - 32 : kind;
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t byte = memory[base + kPagerAddressAt + i];
        record.address[2 * i] = byte >> 4;
        if (i < 3)
            record.address[2 * i + 1] = byte & 0x0F;
        else
            record.tone = byte & 0x0F;
    }
    return record;
}

int tableCount(const HostMemory& memory) {
    return memory[kTableCountOffset] * 256 + memory[kTableCountOffset + 1];
}

bool tableCountValid(int count) {
    return count >= 1 && count <= kMaxTables;
}

TableRecord tableRecord(const HostMemory& memory, int index) {
    const int base = tableRecordOffset(index);
    TableRecord record;
    for (int i = 0; i < 3; ++i) {
        record.featureCode[i] = memory[base + kTableFeatureCodeAt + i];
        record.boundPagers[i] = memory[base + kTablePagersAt + i];
    }
    record.tableNumber = memory[base + kTableNumberAt] * 256 + memory[base + kTableNumberAt + 1];
    return record;
}

QStringView workModeName(const HostMemory& memory) {
    switch (memory[kWorkModeOffset]) {
    case 0:
        return u"单键模式1";
    case 1:
        return u"多键模式";
    default:
        return u"单键模式0";
    }
}

} // namespace callcfg

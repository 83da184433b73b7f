#include "plan/planverify.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"

#include <algorithm>
#include <set>

namespace callcfg {

namespace {

QString pagerWords(const QString& address, bool positive, std::optional<PagerKind> kind, int tone) {
    return QStringList{address, polarityWord(positive),
                       kind ? kind->machineType.toString() : QStringLiteral("?"),
                       kind ? kind->rate.toString() : QStringLiteral("?"), toneWord(tone)}
        .join(QLatin1Char(' '));
}

QString boundWords(auto pagers) {
    QStringList words;
    for (int pager : pagers)
        words << (pager == memorymap::kNoPager ? noPagerWord() : QString::number(pager));
    return words.join(QLatin1Char(' '));
}

// The set pager request's data: number in two base-100 digits, mode index in two decimal
// digits, polarity, seven address digits, tone.
RowInUnit comparePager(const std::vector<std::uint8_t>& d, const HostMemory& memory) {
    const int number = d[0] * 100 + d[1];
    QString address;
    for (int i = 5; i < 12; ++i)
        address += QString::number(d[i]);
    const QString planned =
        pagerWords(address, d[4] == 1, pagerKindsByMode()[d[2] * 10 + d[3]], d[12]);
    const auto record = pagerRecord(memory, number);
    if (!record)
        return {RowInUnit::Missing, number, {}, planned};
    QString held;
    for (int nibble : record->address)
        held += QString::number(nibble, 16).toUpper();
    const QString holds =
        pagerWords(held, record->positive, pagerKind(record->letter), record->tone);
    return {holds == planned ? RowInUnit::Same : RowInUnit::Differs, number, holds, planned};
}

// The set table caller request's data: receiver, table number high and low, three pagers.
RowInUnit compareTable(const std::vector<std::uint8_t>& d, const HostMemory& memory) {
    const int table = d[1] * 256 + d[2];
    const QString planned = boundWords(std::array<int, 3>{d[3], d[4], d[5]});
    const int count = tableCount(memory);
    std::optional<TableRecord> held;
    for (int i = 0; tableCountValid(count) && i < count; ++i)
        if (const TableRecord record = tableRecord(memory, i); record.tableNumber == table)
            held = record;
    if (!held)
        return {RowInUnit::Missing, table, {}, planned};
    const QString holds = boundWords(held->boundPagers);
    return {holds == planned ? RowInUnit::Same : RowInUnit::Differs, table, holds, planned};
}

} // namespace

RowInUnit rowInUnit(const Plan& plan, const PlanRow& row, const HostMemory& memory) {
    const Encoded encoded = encodePlanRow(row);
    const auto* prepared = std::get_if<Prepared>(&encoded);
    if (!prepared)
        return {RowInUnit::Refused, 0, {}, {}};
    return plan.kind == PlanKind::Pagers ? comparePager(prepared->data, memory)
                                         : compareTable(prepared->data, memory);
}

QStringList planDifferences(const Plan& plan, const HostMemory& memory) {
    QStringList lines;
    for (const PlanRow& row : plan.rows) {
        const RowInUnit found = rowInUnit(plan, row, memory);
        const bool pagers = plan.kind == PlanKind::Pagers;
        switch (found.state) {
        case RowInUnit::Same:
            break;
        case RowInUnit::Refused:
            lines << Texts::tr("row %1: refused by its check, not in the unit").arg(row.row);
            break;
        case RowInUnit::Missing:
            lines << (pagers ? Texts::tr("row %1: pager %2 is not in the unit")
                             : Texts::tr("row %1: table %2 is not in the unit"))
                         .arg(row.row)
                         .arg(found.number);
            break;
        case RowInUnit::Differs:
            lines << (pagers ? Texts::tr("row %1: pager %2: the unit holds %3, the plan %4")
                             : Texts::tr("row %1: table %2: the unit binds %3, the plan %4"))
                         .arg(row.row)
                         .arg(found.number)
                         .arg(found.holds, found.planned);
            break;
        }
    }
    return lines;
}

std::vector<int> numbersOnlyInUnit(const Plan& plan, const HostMemory& memory) {
    std::set<int> held;
    if (plan.kind == PlanKind::Pagers) {
        for (int number = 1; number <= memorymap::kPagerSlots; ++number)
            if (pagerRecord(memory, number))
                held.insert(number);
    } else if (const int count = tableCount(memory); tableCountValid(count)) {
        for (int i = 0; i < count; ++i)
            held.insert(tableRecord(memory, i).tableNumber);
    }
    for (const PlanRow& row : plan.rows)
        if (const RowInUnit found = rowInUnit(plan, row, memory); found.state != RowInUnit::Refused)
            held.erase(found.number);
    return {held.begin(), held.end()};
}

QString onlyInUnitText(PlanKind kind, const std::vector<int>& numbers) {
    if (numbers.empty())
        return {};
    QStringList words;
    for (int number : numbers)
        words << QString::number(number);
    return (kind == PlanKind::Pagers ? Texts::tr("in the unit, not in the plan: pager %1")
                                     : Texts::tr("in the unit, not in the plan: table %1"))
        .arg(words.join(Texts::tr(", ")));
}

} // namespace callcfg

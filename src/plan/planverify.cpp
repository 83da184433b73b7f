#include "plan/planverify.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"

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
QString comparePager(int row, const std::vector<std::uint8_t>& d, const HostMemory& memory) {
    const int number = d[0] * 100 + d[1];
    QString address;
    for (int i = 5; i < 12; ++i)
        address += QString::number(d[i]);
    const QString planned =
        pagerWords(address, d[4] == 1, pagerKindsByMode()[d[2] * 10 + d[3]], d[12]);
    const auto record = pagerRecord(memory, number);
    if (!record)
        return Texts::tr("row %1: pager %2 is not in the unit").arg(row).arg(number);
    QString held;
    for (int nibble : record->address)
        held += QString::number(nibble, 16).toUpper();
    const QString holds =
        pagerWords(held, record->positive, pagerKind(record->letter), record->tone);
    if (holds == planned)
        return {};
    return Texts::tr("row %1: pager %2: the unit holds %3, the plan %4")
        .arg(row)
        .arg(number)
        .arg(holds, planned);
}

// The set table caller request's data: receiver, table number high and low, three pagers.
QString compareTable(int row, const std::vector<std::uint8_t>& d, const HostMemory& memory) {
    const int table = d[1] * 256 + d[2];
    const QString planned = boundWords(std::array<int, 3>{d[3], d[4], d[5]});
    const int count = tableCount(memory);
    std::optional<TableRecord> held;
    for (int i = 0; tableCountValid(count) && i < count; ++i)
        if (const TableRecord record = tableRecord(memory, i); record.tableNumber == table)
            held = record;
    if (!held)
        return Texts::tr("row %1: table %2 is not in the unit").arg(row).arg(table);
    const QString holds = boundWords(held->boundPagers);
    if (holds == planned)
        return {};
    return Texts::tr("row %1: table %2: the unit binds %3, the plan %4")
        .arg(row)
        .arg(table)
        .arg(holds, planned);
}

} // namespace

QStringList planDifferences(const Plan& plan, const HostMemory& memory) {
    QStringList lines;
    for (const PlanRow& row : plan.rows) {
        const Encoded encoded = encodePlanRow(row);
        const auto* prepared = std::get_if<Prepared>(&encoded);
        const QString line =
            !prepared ? Texts::tr("row %1: refused by its check, not in the unit").arg(row.row)
            : plan.kind == PlanKind::Pagers ? comparePager(row.row, prepared->data, memory)
                                            : compareTable(row.row, prepared->data, memory);
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace callcfg

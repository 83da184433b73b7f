// A plan's words for the installer: where a refusal stands, the columns it ignores, and a row's
// number and request.
#include "plan/plan.h"

#include "link/texts.h"

#include <algorithm>

namespace callcfg {

QString columnLetters(int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QString planErrorText(const PlanError& error) {
    if (error.row <= 0)
        return error.message;
    if (error.column < 0)
        return Texts::tr("row %1: %2").arg(error.row).arg(error.message);
    if (error.header.isEmpty())
        return Texts::tr("row %1, column %2: %3")
            .arg(error.row)
            .arg(columnLetters(error.column), error.message);
    return Texts::tr("row %1, column %2 (%3): %4")
        .arg(error.row)
        .arg(columnLetters(error.column), error.header, error.message);
}

QStringList ignoredColumns(const Plan& plan) {
    QStringList ignored;
    for (int column = 0; column < int(plan.columns.size()); ++column) {
        const PlanColumn& at = plan.columns[column];
        const bool used = std::any_of(plan.rows.begin(), plan.rows.end(), [&](const PlanRow& r) {
            return !r.cells.value(column).isEmpty();
        });
        if (at.known || (at.header.isEmpty() && !used))
            continue;
        ignored << (at.header.isEmpty()
                        ? Texts::tr("column %1").arg(columnLetters(column))
                        : Texts::tr("column %1 (%2)").arg(columnLetters(column), at.header));
    }
    return ignored;
}

Encoded encodePlanRow(const PlanRow& row) {
    if (const auto* pager = std::get_if<PagerInput>(&row.input))
        return encodeSetPager(*pager);
    return encodeSetTableCaller(std::get<TableCallerInput>(row.input));
}

QString unsendableText(Focus focus) {
    switch (focus) {
    case Focus::AddressCode: // a sign, point, blank or exponent among the digits
        return Texts::tr("must be 7 digits");
    case Focus::TableNumber:
        return Texts::tr("rounds past %1").arg(65535);
    case Focus::TablePager1:
    case Focus::TablePager2:
    case Focus::TablePager3:
        return Texts::tr("rounds past %1").arg(255);
    default:
        return Texts::tr("cannot be sent as written");
    }
}

QString planRowNumber(const PlanRow& row) {
    if (const auto* pager = std::get_if<PagerInput>(&row.input))
        return pager->number;
    return std::get<TableCallerInput>(row.input).table;
}

} // namespace callcfg

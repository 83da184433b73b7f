#pragma once
// A plan compared with what a host image holds: each pager's record and each table number's
// bound pagers, as the window's command would have set them.

#include "memory/memoryimage.h"
#include "plan/plan.h"

#include <QStringList>

#include <vector>

namespace callcfg {

// What a host image holds of one row.
struct RowInUnit {
    enum State { Same, Differs, Missing, Refused } state = Same;
    int number = 0;  // the pager or table number the row's request sets
    QString holds;   // the unit's record in words, when it differs
    QString planned; // the row's, in the same words
};
RowInUnit rowInUnit(const Plan& plan, const PlanRow& row, const HostMemory& memory);

// One line per row the image does not hold as planned (refused rows included: they cannot be
// in the unit); empty when it holds every row.
QStringList planDifferences(const Plan& plan, const HostMemory& memory);

// The pager or table numbers the image holds that no row of the plan sets, in ascending order.
std::vector<int> numbersOnlyInUnit(const Plan& plan, const HostMemory& memory);

// "in the unit, not in the plan: pager 12, 30" ("主机中有、表格中没有：传呼号 12、30"); empty for
// no numbers.
QString onlyInUnitText(PlanKind kind, const std::vector<int>& numbers);

} // namespace callcfg

#pragma once
// A plan compared with what a host image holds: each pager's record and each table number's
// bound pagers, as the window's command would have set them.

#include "memory/memoryimage.h"
#include "plan/plan.h"

#include <QStringList>

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

} // namespace callcfg

#pragma once
// A plan compared with what a host image holds: each pager's record and each table number's
// bound pagers, as the window's command would have set them.

#include "memory/memoryimage.h"
#include "plan/plan.h"

#include <QStringList>

namespace callcfg {

// One line per row the image does not hold as planned (refused rows included: they cannot be
// in the unit); empty when it holds every row.
QStringList planDifferences(const Plan& plan, const HostMemory& memory);

} // namespace callcfg

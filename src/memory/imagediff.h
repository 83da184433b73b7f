#pragma once
// The differences between two host images in the typed listing's terms: which pager, table
// caller or setting differs and how, then the differing byte addresses.

#include "memory/memoryimage.h"

#include <QStringList>

namespace callcfg {

// One line per difference, "A" standing for `a` and "B" for `b`, in the tool's language; empty
// when they are equal.
QStringList describeDifferences(const HostMemory& a, const HostMemory& b);

// The differing offsets in hexadecimal, runs written as ranges ("0x0037-0x003B"); empty when
// the images are equal.
QStringList differingAddresses(const HostMemory& a, const HostMemory& b);

} // namespace callcfg

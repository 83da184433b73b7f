#pragma once
// What usually mends a port that cannot be opened, after the system's reason.

#include "link/portfailure.h"

#include <QString>

namespace callcfg {

// The reason with the remedy for the usual kinds of failure (no permission, another program
// holds the port, no such device); other reasons as they are.
QString withPortRemedy(const QString& reason, PortFailure failure);

} // namespace callcfg

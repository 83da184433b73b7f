#pragma once
// The command-line soak: `callcfg backup`, `restore` and `verify` run as processes of the built
// program against simulated host units on pseudo-terminals, with the window soak's faults, at
// real timing, several at once. Each run is judged against the units' records: the exit status
// and the block and reason named on stderr are ones the line allows; a status 0 never comes
// with a file or a unit that differs; a failed backup leaves no file and no temporary file (an
// older backup under the name stays as it was).

#include "tally.h"

#include <QString>

namespace soak {

// Runs `workers` units and processes at once until the units have received `exchanges`
// requests together.
void runCommandLineSoak(quint32 seed, Tally& tally, const QString& program, int exchanges,
                        int workers);

} // namespace soak

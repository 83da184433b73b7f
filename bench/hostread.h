#pragma once
// Reading the host unit's 8192 memory bytes as 64 blocks over the pseudo-terminal, at real
// timing: through form3's Command1 when the memory reader window has it, otherwise the same
// exchange made directly through the link.

#include <QString>

namespace callcfg {
class Program;
}
namespace hostsim {
class PtyHost;
}

struct HostReadResult {
    double seconds = 0;
    bool complete = false; // every block arrived and the image matches the host's memory
    QString how;           // which road was measured, and why when it was not form3
};

// linkOnly: measure the link road even when form3 could read.
HostReadResult measureHostRead(callcfg::Program& program, hostsim::PtyHost& host,
                               bool linkOnly = false);

#pragma once
// The soak's commands in the windows: random inputs that pass the tool's checks, the button
// that sends them, and the check that the unit holds what was asked once it carried it out.

#include "expectedcommands.h"
#include "lineview.h"

#include "app/program.h"
#include "hostsim/unit/hostunit.h"

#include <QPushButton>
#include <QRandomGenerator>

#include <functional>

namespace soak {

struct ReadyCommand {
    const testsupport::ExpectedCommand* entry = nullptr;
    QPushButton* button = nullptr;
    // What the unit holds that differs from what was asked, after it carried the request out
    // (`answer`: the data of its own reply); empty when it holds what was asked.
    std::function<QString(const hostsim::HostUnit& unit, const Bytes& answer)> check;
};

// Fills the inputs of `entry`, a row of the table of expected commands; `unit` is the unit
// before it.
ReadyCommand prepareCommand(const testsupport::ExpectedCommand& entry, callcfg::Program& program,
                            QRandomGenerator& random, const hostsim::HostUnit& unit);

} // namespace soak

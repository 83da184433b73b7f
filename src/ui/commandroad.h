#pragma once
// The road every host-unit command takes from its button to its message box:
// ensure the port is open, check and encode the inputs, ask the confirmation if any,
// show the wait box if any, send the frame, await the reply, judge it, show the box and
// move the focus.

#include "input/command.h"

#include <functional>

class QWidget;

namespace callcfg {

class Link;
class WaitBoxes;

// `encode` reads the window's controls; it runs only once the port is open. Focus names
// in the verdicts are objectNames of controls of `window`.
void runCommand(QWidget* window, Link& link, WaitBoxes& waitBoxes,
                const std::function<Encoded()>& encode);

} // namespace callcfg

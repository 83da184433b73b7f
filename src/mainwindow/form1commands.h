#pragma once
// Connects every host-unit command of the main window (buttons and Enter keys) to the
// command road.

namespace callcfg {

class Form1;
class Link;
class WaitBoxes;

void wireForm1Commands(Form1& form, Link& link, WaitBoxes& waitBoxes);

} // namespace callcfg

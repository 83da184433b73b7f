#pragma once
// Modal message boxes of the three kinds every window uses.

#include "commands/box.h"

class QWidget;

namespace callcfg {

// Shows an error box (critical icon, one OK) or a notice box (no icon, one OK) and waits
// until the user closes it.
void showBox(QWidget* parent, const Box& box);

// The same box shown from within a wait for a reply: while it is open no timer of the
// program's windows runs (the test window's poll above all), so nothing but the box itself
// takes input or bytes; held timers fire again once the box has closed.
void showBoxDuringWait(QWidget* parent, const Box& box);

// Confirmation box (critical icon, OK and Cancel); true unless the user chose Cancel.
bool confirmBox(QWidget* parent, const QString& text, const QString& title);

} // namespace callcfg

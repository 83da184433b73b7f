#pragma once
// The test mode of the main window: Command8 starts and stops the poll of Timer1, which
// shows every read of the port in the test window as a line of hexadecimal numbers.

namespace callcfg {

class Form1;
class Link;

void wireTestMode(Form1& form, Link& link);

} // namespace callcfg

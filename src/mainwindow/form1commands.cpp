#include "mainwindow/form1commands.h"

namespace callcfg {

void wireForm1Commands(Form1&, Link&, WaitBoxes&) {}

} // namespace callcfg

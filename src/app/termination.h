#pragma once
// SIGTERM and SIGINT end the window's event loop, so that the program ends as the exit button
// ends it: the port released, the simulated host unit stopped, status 0. On Windows Ctrl+C and
// Ctrl+Break in the console do the same.

class QObject;

namespace callcfg {

// Call once, after the application object exists.
void quitOnTermination(QObject* application);

} // namespace callcfg

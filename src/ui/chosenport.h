#pragma once
// The way every window opens the port the user chose in the main window's port list before it
// sends: nothing happens when it is open already; a port that cannot be opened is reported
// there and then.

namespace callcfg {

class ChosenPort {
public:
    virtual ~ChosenPort() = default;
    // True when the port is open; false after the failure has been shown.
    virtual bool ensureOpen() = 0;
};

} // namespace callcfg
